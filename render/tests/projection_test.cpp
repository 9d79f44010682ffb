// Projection, fitting and the World/Crt mapping.
#include "render/projection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <vector>

#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/tests/test_support.h"
#include "render/tests/view_setup.h"
#include "render/trio_file.h"

namespace tarvik::render {
namespace {

using testing::ScriptedMessages;
using testing::TempDir;
using testing::TraceCapture;

using testing::add_bare_member;
using testing::add_bare_node;
using testing::box_limits;
using testing::BoxLimits;
using testing::showing;
using testing::sized;

ViewParams angles(float tau, float fai) {
    ViewParams p;
    p.TAU = tau;
    p.FAI = fai;
    return p;
}

// The model seen from the front (both angles 0) fitted into a W x H window.
ViewWindow front_fit(model::ModelStore& m, int W, int H) {
    ViewParams p = angles(0, 0);
    ViewWindow w = sized(W, H);
    get_new_world(w, m, p);
    return w;
}

// --- iso_project -----------------------------------------------------------

TEST(IsoProject, ZeroAnglesShowTheYZPlane) {
    const ViewParams p = angles(0, 0);
    for (auto [x, y, z] : {std::array<float, 3>{0, 0, 0}, {10, 20, 30}, {-500, 250, 7.5f}}) {
        const ProjPoint q = iso_project(p, x, y, z);
        EXPECT_EQ(q.X, y);
        EXPECT_EQ(q.Y, z);
    }
}

TEST(IsoProject, StandardViews) {
    // Front view (90, 0): X is -x, Y is z; plan view (0, 90): X is y, Y is -x.
    const ProjPoint front = iso_project(angles(90, 0), 100, 40, 30);
    EXPECT_NEAR(front.X, -100, 1e-3);
    EXPECT_NEAR(front.Y, 30, 1e-3);
    const ProjPoint plan = iso_project(angles(0, 90), 100, 40, 30);
    EXPECT_NEAR(plan.X, 40, 1e-3);
    EXPECT_NEAR(plan.Y, -100, 1e-3);
}

TEST(IsoProject, DegreesUseThePiOfTheDrawings) {
    // With 3.14159 a right angle leaves cos t = 1.3268e-6, which a far point
    // makes visible; the exact pi would leave nothing.
    const ProjPoint q = iso_project(angles(90, 0), 0, 1.0e6f, 0);
    EXPECT_NEAR(q.X, 1.3268, 1e-3);
}

// --- get_new_world ----------------------------------------------------------

TEST(GetNewWorld, StoresPlanPointsOfNodesAndMemberEnds) {
    model::ModelStore m;
    add_bare_node(m, 0, 0, 0);
    add_bare_node(m, 5, 100, 300);
    add_bare_member(m, 0, 0, 0, 5, 100, 300);
    const ViewWindow w = front_fit(m, 400, 300);
    EXPECT_EQ(m.node[1].X, 100);
    EXPECT_EQ(m.node[1].Y, 300);
    EXPECT_EQ(m.beam[0].XS, 0);
    EXPECT_EQ(m.beam[0].YS, 0);
    EXPECT_EQ(m.beam[0].XL, 100);
    EXPECT_EQ(m.beam[0].YL, 300);
    // Taller than wide: the height governs, X is centred on the nodes.
    EXPECT_EQ(w.World.bottom, 0);
    EXPECT_EQ(w.World.top, 300);
    EXPECT_EQ(w.World.left, -100);
    EXPECT_EQ(w.World.right, 200);
}

TEST(GetNewWorld, WiderThanTallCentresY) {
    model::ModelStore m;
    add_bare_node(m, 0, -200, 10);
    add_bare_node(m, 0, 200, 30);
    const ViewWindow w = front_fit(m, 300, 300);
    EXPECT_EQ(w.World.left, -200);
    EXPECT_EQ(w.World.right, 200);
    EXPECT_EQ(w.World.bottom, 20 - 200);
    EXPECT_EQ(w.World.top, 20 + 200);
}

TEST(GetNewWorld, EqualSpansTakeTheHeightBranch) {
    // Spans chosen so that the other branch would round the height limits.
    const float zlo = 0.6f, dx = 0.3f;
    const float zhi = zlo + dx;
    ASSERT_EQ(std::fabs(zhi - zlo), dx);
    model::ModelStore m;
    add_bare_node(m, 0, 0, zlo);
    add_bare_node(m, 0, dx, zhi);
    const ViewWindow w = front_fit(m, 100, 100);
    EXPECT_EQ(w.World.bottom, zlo);
    EXPECT_EQ(w.World.top, zhi);
}

TEST(GetNewWorld, MemberEndsDoNotWidenTheFit) {
    model::ModelStore m;
    add_bare_node(m, 0, 0, 0);
    add_bare_node(m, 0, 100, 100);
    add_bare_member(m, 0, 0, 0, 0, 5000, 5000);
    const ViewWindow w = front_fit(m, 100, 100);
    EXPECT_EQ(w.World.right, 100);
    EXPECT_EQ(w.World.top, 100);
    EXPECT_EQ(m.beam[0].XL, 5000);
}

TEST(GetNewWorld, CrtIsACentredSquareWithMargin) {
    model::ModelStore m;
    add_bare_node(m, 0, 0, 0);
    add_bare_node(m, 0, 10, 10);
    const ViewWindow wide = front_fit(m, 800, 300);
    EXPECT_EQ(wide.Crt.top, 16);
    EXPECT_EQ(wide.Crt.bottom, 284);
    EXPECT_EQ(wide.Crt.right - wide.Crt.left, 300 - 32);
    EXPECT_EQ(wide.Crt.left + wide.Crt.right, 800);
    // Odd sizes: the halves are truncated.
    const ViewWindow odd = front_fit(m, 401, 301);
    EXPECT_EQ(odd.Crt.left, 200 - 150 + 16);
    EXPECT_EQ(odd.Crt.right, 200 + 150 - 16);
    EXPECT_EQ(odd.Crt.bottom, 301 - 16);
}

TEST(GetNewWorld, OnlyTheMainWindowRebuildsTheModelBox) {
    model::ModelStore m;
    add_bare_node(m, -10, 20, 30);
    add_bare_node(m, 40, -50, 60);
    ViewParams p = angles(30, 30);
    p.box = {1, 2, 3, 4, 5, 6};
    ViewWindow w = sized(200, 200);
    get_new_world(w, m, p, BoxUpdate::kKeep);
    EXPECT_EQ(p.box.X_MIN, 1);
    EXPECT_EQ(p.box.Z_MAX, 6);
    get_new_world(w, m, p, BoxUpdate::kWiden);
    EXPECT_EQ(box_limits(p.box), (BoxLimits{-10, 40, -50, 20, 30, 60}));
}

TEST(GetNewWorld, TracesWorldAndCrt) {
    TraceCapture trace;
    model::ModelStore m;
    add_bare_node(m, 0, 0, 0);
    add_bare_node(m, 0, 100, 300);
    const ViewWindow w = front_fit(m, 400, 300);
    const std::string t = trace.text();
    EXPECT_NE(t.find("World   -100.0      0.0    200.0    300.0\r\n"), std::string::npos) << t;
    EXPECT_NE(t.find("Crt    66    16   334   284\r\n"), std::string::npos) << t;
}

// A model that projects to one point, or no model, still gives a usable World:
// the point is drawn in the middle of Crt.
TEST(GetNewWorld, SinglePointIsCentred) {
    model::ModelStore m;
    add_bare_node(m, 0, 50, 70);
    ViewParams p = angles(0, 0);
    ViewWindow w = sized(300, 300);
    get_new_world(w, m, p);
    EXPECT_GT(w.World.right - w.World.left, 0);
    EXPECT_GT(w.World.top - w.World.bottom, 0);
    const Pixel c = world_to_crt(w, 50, 70);
    EXPECT_EQ(c.x, 150);
    EXPECT_EQ(c.y, 150);

    model::ModelStore empty;
    get_new_world(w, empty, p);
    EXPECT_GT(w.World.right - w.World.left, 0);
    EXPECT_GT(w.World.top - w.World.bottom, 0);
}

// --- get_jiku_world ---------------------------------------------------------

void write_trio(const std::string& path, const std::vector<TrioTriangle>& ts) {
    std::ofstream out(path, std::ios::binary);
    for (const TrioTriangle& t : ts) {
        const TrioRecord r = encode_trio(t);
        out.write(reinterpret_cast<const char*>(r.data()), static_cast<std::streamsize>(r.size()));
    }
}

TrioTriangle triangle(int no, std::array<float, 3> a, std::array<float, 3> b,
                      std::array<float, 3> c) {
    TrioTriangle t;
    t.no = no;
    t.hyoji = kEdge01 | kEdge12 | kEdge20;
    t.v = {a, b, c};
    t.vertex_no = {1, 2, 3};
    return t;
}

TEST(TrioFile, RecordLayout) {
    TrioTriangle t = triangle(7, {1.5f, 2, 3}, {4, 5, 6}, {7, 8, -9});
    const TrioRecord r = encode_trio(t);
    EXPECT_EQ(r[0], 7);                                              // little-endian int32
    EXPECT_EQ(r[4], 7);                                              // all three edge bits
    const unsigned char one_and_half[4] = {0x00, 0x00, 0xC0, 0x3F};  // 1.5f
    EXPECT_EQ(std::memcmp(r.data() + 8, one_and_half, 4), 0);
    EXPECT_EQ(r[44], 1);
    EXPECT_EQ(r[52], 3);
    const TrioTriangle back = decode_trio(r);
    EXPECT_EQ(back.v, t.v);
    EXPECT_EQ(back.vertex_no, t.vertex_no);
}

TEST(GetJikuWorld, FitsTheTriangleVertices) {
    TempDir dir;
    write_trio(dir.file("TRIO.DAT"), {triangle(1, {0, 0, 0}, {0, 100, 0}, {0, 100, 300}),
                                      triangle(2, {-20, 50, 10}, {5, 0, 0}, {0, 0, 0})});
    ViewParams p = angles(0, 0);
    ViewWindow w = sized(400, 300);
    ScriptedMessages msg;
    EXPECT_EQ(get_jiku_world(w, p, dir.path(), 2, TrioReader::kTegaki, msg), 0);
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_EQ(p.box.X_MIN, -20);
    EXPECT_EQ(p.box.X_MAX, 5);
    EXPECT_EQ(p.box.Z_MAX, 300);
    EXPECT_EQ(w.World.left, -100);
    EXPECT_EQ(w.World.right, 200);
    EXPECT_EQ(w.World.top, 300);
    EXPECT_EQ(w.Crt.left, 66);
}

TEST(GetJikuWorld, ReadsOnlyTheCountedTrianglesAndStopsAtTheEnd) {
    TempDir dir;
    write_trio(dir.file("TRIO.DAT"), {triangle(1, {0, 0, 0}, {0, 10, 0}, {0, 10, 10}),
                                      triangle(2, {0, 0, 0}, {0, 900, 0}, {0, 0, 900})});
    ViewParams p = angles(0, 0);
    ViewWindow w = sized(100, 100);
    ScriptedMessages msg;
    EXPECT_EQ(get_jiku_world(w, p, dir.path(), 1, TrioReader::kTegaki, msg), 0);
    EXPECT_EQ(p.box.Y_MAX, 10);
    // More counted than the file holds: the file's end ends the read.
    EXPECT_EQ(get_jiku_world(w, p, dir.path(), 50, TrioReader::kTegaki, msg), 0);
    EXPECT_EQ(p.box.Y_MAX, 900);
    EXPECT_EQ(w.World.top, 900);
}

TEST(GetJikuWorld, MissingFileShowsTheWindowsMessageAndKeepsTheWorld) {
    TempDir dir;
    const std::pair<TrioReader, std::string> cases[] = {
        {TrioReader::kTegaki, "Error: Unable to open TRIO_FILE tegaki01"},
        {TrioReader::kJikuire, "Error: Unable to open TRIO_FILE jikuire 01"},
        {TrioReader::kGenerator, "Error: Unable to open TRIO_FILE"},
    };
    for (const auto& [reader, text] : cases) {
        ViewParams p;
        p.box = {1, 2, 3, 4, 5, 6};
        ViewWindow w = sized(100, 100);
        w.World = {1, 2, 3, 4};
        w.Crt = {5, 6, 7, 8};
        ScriptedMessages msg;
        EXPECT_EQ(get_jiku_world(w, p, dir.path(), 3, reader, msg), -1);
        ASSERT_EQ(msg.shown.size(), 1u);
        EXPECT_EQ(msg.shown[0], text);
        EXPECT_EQ(w.World.left, 1);
        EXPECT_EQ(w.World.top, 4);
        EXPECT_EQ(w.Crt.left, 5);
        EXPECT_EQ(w.Crt.bottom, 8);
        EXPECT_EQ(p.box.X_MIN, 1);
    }
}

// --- get_world --------------------------------------------------------------

TEST(GetWorld, WideDataAnchoredLeftAndBottom) {
    ViewWindow w = sized(200, 100);  // r = 0.5
    get_world(w, 0, 0, 100, 10);
    EXPECT_EQ(w.Crt.left, 0);
    EXPECT_EQ(w.Crt.top, 0);
    EXPECT_EQ(w.Crt.right, 200);
    EXPECT_EQ(w.Crt.bottom, 100);
    EXPECT_FLOAT_EQ(w.World.left, -10);
    EXPECT_FLOAT_EQ(w.World.right, 110);
    EXPECT_FLOAT_EQ(w.World.bottom, -5);
    EXPECT_FLOAT_EQ(w.World.top, 55);
}

TEST(GetWorld, TallDataAnchoredLeftAndBottom) {
    ViewWindow w = sized(200, 100);
    get_world(w, 0, 0, 10, 100);
    EXPECT_FLOAT_EQ(w.World.left, -20);
    EXPECT_FLOAT_EQ(w.World.right, 220);
    EXPECT_FLOAT_EQ(w.World.bottom, -10);
    EXPECT_FLOAT_EQ(w.World.top, 110);
}

TEST(GetWorld, SameScaleOnBothAxes) {
    for (auto [W, H, x1, y1] : {std::array<float, 4>{640, 480, 3, 70},
                                {300, 700, 90, 2},
                                {500, 500, 1, 1},
                                {123, 77, 0.01f, 5}}) {
        ViewWindow w = sized(static_cast<int>(W), static_cast<int>(H));
        get_world(w, -1, -2, x1, y1);
        EXPECT_NEAR((w.World.right - w.World.left) / W, (w.World.top - w.World.bottom) / H,
                    1e-4 * (w.World.right - w.World.left) / W);
        // Every data corner is inside.
        EXPECT_LT(w.World.left, -1);
        EXPECT_GT(w.World.right, x1);
        EXPECT_LT(w.World.bottom, -2);
        EXPECT_GT(w.World.top, y1);
    }
}

TEST(GetWorld, DegenerateInputsStayFinite) {
    ViewWindow point = sized(200, 100);
    get_world(point, 5, 7, 5, 7);
    const Pixel c = world_to_crt(point, 5, 7);
    EXPECT_EQ(c.x, 100);
    EXPECT_EQ(c.y, 50);

    ViewWindow vertical = sized(200, 100);
    get_world(vertical, 5, 0, 5, 50);  // no x span
    EXPECT_TRUE(std::isfinite(vertical.World.left));
    EXPECT_GT(vertical.World.right, vertical.World.left);

    ViewWindow no_area = sized(0, 0);
    get_world(no_area, 0, 0, 10, 10);
    EXPECT_TRUE(std::isfinite(no_area.World.right));
    EXPECT_GT(no_area.World.right, no_area.World.left);
}

// --- world_to_crt and its inverses -----------------------------------------

ViewWindow window_100() {
    return showing({0, 0, 100, 100}, {10, 10, 110, 110});
}

TEST(WorldToCrt, ScreenYGrowsDownAndValuesTruncate) {
    const ViewWindow w = window_100();
    EXPECT_EQ(world_to_crt(w, 25, 75).x, 35);
    EXPECT_EQ(world_to_crt(w, 25, 75).y, 35);
    EXPECT_EQ(world_to_crt(w, 0, 0).y, 110);
    EXPECT_EQ(world_to_crt(w, 25.9, 0).x, 35);
    // Toward zero, not downward.
    ViewWindow z = w;
    z.Crt = {0, 0, 100, 100};
    EXPECT_EQ(world_to_crt(z, -2.5, 50).x, -2);
}

TEST(WorldToCrt, InverseRoundTripsWithinAPixel) {
    ViewWindow w;
    w.World = {-350.5f, -20.25f, 1200.0f, 980.0f};
    w.Crt = {66, 16, 534, 284};
    for (int px = w.Crt.left; px <= w.Crt.right; px += 7) {
        for (int py = w.Crt.top; py <= w.Crt.bottom; py += 11) {
            const Pixel back = world_to_crt(w, crt_to_world_x(w, px), crt_to_world_y(w, py));
            EXPECT_LE(std::abs(back.x - px), 1);
            EXPECT_LE(std::abs(back.y - py), 1);
        }
    }
    const double unit_x = (w.World.right - w.World.left) / (w.Crt.right - w.Crt.left);
    const double unit_y = (w.World.top - w.World.bottom) / (w.Crt.bottom - w.Crt.top);
    for (double X : {-350.0, 0.0, 17.3, 1199.0}) {
        const Pixel p = world_to_crt(w, X, 500.0);
        EXPECT_NEAR(crt_to_world_x(w, p.x), X, unit_x);
        EXPECT_NEAR(crt_to_world_y(w, p.y), 500.0, unit_y);
    }
}

TEST(WorldToCrt, DegenerateRectanglesAndFarPointsStayDefined) {
    ViewWindow w = window_100();
    w.World = {5, 5, 5, 5};  // no size
    EXPECT_EQ(world_to_crt(w, 5, 5).x, 60);
    EXPECT_EQ(world_to_crt(w, 5, 5).y, 60);
    const ViewWindow n = window_100();
    const Pixel far = world_to_crt(n, 1e30, -1e30);
    EXPECT_GT(far.x, 100000);
    EXPECT_GT(far.y, 100000);
    const Pixel nan = world_to_crt(n, std::numeric_limits<double>::quiet_NaN(), 0);
    EXPECT_EQ(nan.x, 60);
    ViewWindow flat = window_100();
    flat.Crt = {10, 10, 10, 10};
    EXPECT_EQ(crt_to_world_x(flat, 40), flat.World.left);
    EXPECT_EQ(crt_to_world_y(flat, 40), flat.World.bottom);
}

// --- zoom and pan over the fit ----------------------------------------------

// A fitted main-window drawing of a small frame, 800 x 600.
struct FittedFrame {
    model::ModelStore m;
    ViewParams p = angles(30, 30);
    ViewWindow w = sized(800, 600);
    FittedFrame() {
        for (float x : {0.0f, 350.0f, 700.0f})
            for (float z : {0.0f, 280.0f}) add_bare_node(m, x, 0, z);
        add_bare_node(m, 0, 600, 0);
        get_new_world(w, m, p);
    }
};

TEST(ZoomView, ThePointUnderThePointerStaysThere) {
    FittedFrame f;
    const ViewWindow fitted = f.w;
    // Each row: the node under the pointer and the wheel factors applied
    // there one after the other, in and out, beyond the limits too.
    struct Case {
        int node;
        std::vector<double> factors;
    };
    const Case cases[] = {{0, {1.25, 1.25, 1.25}},
                          {3, {2.0, 0.5, 4.0, 0.8}},
                          {6, {1000.0}},
                          {2, {0.01, 3.0}},
                          {5, {1.25, 0.8, 1.25, 1.25, 0.8}}};
    for (const Case& c : cases) {
        ViewWindow w = fitted;
        pan_view(w, 37, -12);  // not at the fit to start with
        const model::Node& n = f.m.node[c.node];
        const Pixel at = world_to_crt(w, n.X, n.Y);
        // The World point under the pointer (the node within a pixel).
        const double X = crt_to_world_x(w, at.x), Y = crt_to_world_y(w, at.y);
        for (double k : c.factors) {
            const double before = w.zoom.factor;
            zoom_view(w, at.x, at.y, k);
            EXPECT_GE(w.zoom.factor, kMinZoom);
            EXPECT_LE(w.zoom.factor, kMaxZoom);
            EXPECT_NEAR(w.zoom.factor, std::clamp(before * k, kMinZoom, kMaxZoom), 1e-9);
            const Pixel now = world_to_crt(w, X, Y);
            EXPECT_LE(std::abs(now.x - at.x), 1) << "node " << c.node << " factor " << k;
            EXPECT_LE(std::abs(now.y - at.y), 1) << "node " << c.node << " factor " << k;
            // And the pointer reads back that point, to a pixel of the zoom
            // (World values are floats: a few units in the last place more).
            const double pixel = (fitted.World.top - fitted.World.bottom) /
                                 (fitted.Crt.bottom - fitted.Crt.top) / w.zoom.factor;
            EXPECT_NEAR(crt_to_world_x(w, at.x), X, pixel + 1e-3);
            EXPECT_NEAR(crt_to_world_y(w, at.y), Y, pixel + 1e-3);
        }
        // The fit itself was never touched.
        EXPECT_EQ(std::memcmp(&w.World, &fitted.World, sizeof w.World), 0);
        EXPECT_EQ(std::memcmp(&w.Crt, &fitted.Crt, sizeof w.Crt), 0);
    }
}

TEST(ZoomView, PanMovesEveryPointAlikeAndTheDistancesScale) {
    FittedFrame f;
    ViewWindow w = f.w;
    zoom_view(w, 400, 300, 3.0);
    const Pixel a0 = world_to_crt(w, f.m.node[0].X, f.m.node[0].Y);
    const Pixel b0 = world_to_crt(w, f.m.node[4].X, f.m.node[4].Y);
    pan_view(w, -250, 90);
    const Pixel a1 = world_to_crt(w, f.m.node[0].X, f.m.node[0].Y);
    const Pixel b1 = world_to_crt(w, f.m.node[4].X, f.m.node[4].Y);
    // Exact but for the truncation toward zero of a pixel crossing the edge.
    EXPECT_NEAR(a1.x - a0.x, -250, 1);
    EXPECT_NEAR(a1.y - a0.y, 90, 1);
    EXPECT_NEAR(b1.x - b0.x, -250, 1);
    const Pixel fa = world_to_crt(f.w, f.m.node[0].X, f.m.node[0].Y);
    const Pixel fb = world_to_crt(f.w, f.m.node[4].X, f.m.node[4].Y);
    EXPECT_NEAR(b1.x - a1.x, 3.0 * (fb.x - fa.x), 3);
    EXPECT_NEAR(b1.y - a1.y, 3.0 * (fb.y - fa.y), 3);
}

TEST(ZoomView, FitRestoresTheFittedDrawingExactly) {
    FittedFrame f;
    ViewWindow w = f.w;
    zoom_view(w, 123, 456, 2.5);
    pan_view(w, 80, -40);
    zoom_view(w, 700, 20, 0.3);
    EXPECT_FALSE(w.zoom.fitted());
    fit_view(w);
    EXPECT_TRUE(w.zoom.fitted());
    // A fit made again from the model is the same World, and every point
    // maps to the same pixel as in the untouched window, both ways.
    ViewWindow again = sized(800, 600);
    get_new_world(again, f.m, f.p);
    EXPECT_EQ(std::memcmp(&w.World, &again.World, sizeof w.World), 0);
    for (double X = -500; X <= 500; X += 37.3)
        for (double Y = -400; Y <= 400; Y += 41.9) {
            const Pixel a = world_to_crt(w, X, Y), b = world_to_crt(f.w, X, Y);
            EXPECT_EQ(a.x, b.x);
            EXPECT_EQ(a.y, b.y);
        }
    for (int px = 0; px < 800; px += 13) EXPECT_EQ(crt_to_world_x(w, px), crt_to_world_x(f.w, px));
    // In and out again by the wheel lands on the fit too.
    zoom_view(w, 300, 200, 1.25);
    zoom_view(w, 300, 200, 0.8);
    EXPECT_TRUE(w.zoom.fitted());
    // A refit (a resize, new angles) keeps the zoom: only "fit" drops it.
    zoom_view(w, 300, 200, 2.0);
    w.W = 1000;
    get_new_world(w, f.m, f.p);
    EXPECT_EQ(w.zoom.factor, 2.0);
}

// --- perspective ------------------------------------------------------------

TEST(Coeff, RotationWithTheEyeAtDistanceRho) {
    for (auto [theta, phi] : {std::array<double, 2>{20, 70}, {0, 0}, {-135, 10}, {90, 180}}) {
        const PerspectiveCoeffs v = coeff(4000, theta, phi);
        // The three eye axes are orthonormal.
        const double a[3][3] = {{v.v11, v.v21, 0}, {v.v12, v.v22, v.v32}, {v.v13, v.v23, v.v33}};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                const double dot = a[i][0] * a[j][0] + a[i][1] * a[j][1] + a[i][2] * a[j][2];
                EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 1e-12);
            }
        // The viewed point lies Rho ahead on the line of sight, the eye itself
        // at depth 0.
        const EyePoint c = eye_coords(v, 0, 0, 0);
        EXPECT_DOUBLE_EQ(c.ze, 4000);
        const double t = theta * std::atan(1.0) / 45, f = phi * std::atan(1.0) / 45;
        const EyePoint e = eye_coords(v, 4000 * std::sin(f) * std::cos(t),
                                      4000 * std::sin(f) * std::sin(t), 4000 * std::cos(f));
        EXPECT_NEAR(e.xe, 0, 1e-9);
        EXPECT_NEAR(e.ye, 0, 1e-9);
        EXPECT_NEAR(e.ze, 0, 1e-9);
    }
}

TEST(Coeff, LookingStraightDown) {
    // Phi 0: the eye above the viewed point; model X goes down the screen,
    // model Y to the right, and higher points are nearer.
    const PerspectiveCoeffs v = coeff(1000, 0, 0);
    const EyePoint p = eye_coords(v, 10, 20, 30);
    EXPECT_NEAR(p.xe, 20, 1e-12);
    EXPECT_NEAR(p.ye, -10, 1e-12);
    EXPECT_NEAR(p.ze, 970, 1e-12);
    ViewParams params;
    params.Rho = 1000;
    params.Theta = 0;
    params.Phi = 0;
    coeff(params);
    EXPECT_EQ(params.coeffs.v43, 1000);
    EXPECT_EQ(params.coeffs.v21, 1);
}

TEST(ProjectEye, NoImageInTheEyePlane) {
    double X = 7, Y = 7;
    EXPECT_FALSE(project_eye({1, 1, 0}, X, Y));
    EXPECT_FALSE(project_eye({1, 1, std::numeric_limits<double>::quiet_NaN()}, X, Y));
    ASSERT_TRUE(project_eye({10, -20, 4}, X, Y));
    EXPECT_EQ(X, 2.5);
    EXPECT_EQ(Y, -5);
}

// --- change detection -------------------------------------------------------

TEST(CheckViewChange, ReportsWhatChangedOnce) {
    ViewParams p;
    ViewWindow w;
    ViewChange c = check_view_change(w, p);
    EXPECT_TRUE(c.angles);
    EXPECT_TRUE(c.eye);
    EXPECT_FALSE(check_view_change(w, p).repaint());

    p.FAI = 90;
    c = check_view_change(w, p);
    EXPECT_TRUE(c.angles);
    EXPECT_FALSE(c.eye);
    EXPECT_EQ(w.FAI, 90);

    p.Theta = -45;
    c = check_view_change(w, p);
    EXPECT_FALSE(c.angles);
    EXPECT_TRUE(c.eye);
    EXPECT_EQ(w.Theta, -45);
    EXPECT_FALSE(check_view_change(w, p).repaint());
}

}  // namespace
}  // namespace tarvik::render
