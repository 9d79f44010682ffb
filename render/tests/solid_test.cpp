// The solid files: record layouts byte by byte, the member boxes and bars,
// the vertex table, the view transform and the plain drawings of them.
#include "render/solid.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <set>

#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/hidden_line.h"
#include "render/recording_canvas.h"
#include "render/tests/test_support.h"

namespace tarvik::render {
namespace {

using testing::read_bytes;
using testing::ScriptedMessages;
using testing::TempDir;

int32_t i32_at(const std::string& b, size_t off) {
    int32_t v;
    std::memcpy(&v, b.data() + off, 4);  // the test machine is little-endian
    return v;
}
float f32_at(const std::string& b, size_t off) {
    float v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
}
double f64_at(const std::string& b, size_t off) {
    double v;
    std::memcpy(&v, b.data() + off, 8);
    return v;
}

std::vector<TrioTriangle> read_trio(const std::string& path) {
    const std::string b = read_bytes(path);
    std::vector<TrioTriangle> v;
    for (size_t off = 0; off + kTrioRecordSize <= b.size(); off += kTrioRecordSize) {
        TrioRecord r;
        std::memcpy(r.data(), b.data() + off, kTrioRecordSize);
        v.push_back(decode_trio(r));
    }
    return v;
}

TEST(FileLayout, ViewRecordFieldsSitAtTheirOffsets) {
    ViewTriangle t;
    t.trio.no = 7;
    t.trio.hyoji = 5;
    t.trio.v = {{{1.5f, 2.5f, 3.5f}, {4.5f, 5.5f, 6.5f}, {7.5f, 8.5f, 9.5f}}};
    t.trio.vertex_no = {11, 12, 13};
    t.eye = {{{-1.0, -2.0, 3000.0}, {-4.0, -5.0, 3001.0}, {-7.0, -8.0, 3002.0}}};
    t.a = 0.25;
    t.b = -0.5;
    t.c = 0.75;
    t.h = 1234.5;
    t.proj = {{{0.125, -0.25}, {0.375, -0.5}, {0.625, -0.75}}};
    const TrioRecord r = encode_view(t);
    const std::string b(r.begin(), r.end());
    ASSERT_EQ(b.size(), 272u);
    EXPECT_EQ(i32_at(b, 0), 7);
    EXPECT_EQ(i32_at(b, 4), 5);
    EXPECT_EQ(f32_at(b, 8), 1.5f);
    EXPECT_EQ(f32_at(b, 20), 4.5f);
    EXPECT_EQ(f32_at(b, 40), 9.5f);
    EXPECT_EQ(i32_at(b, 44), 11);
    EXPECT_EQ(i32_at(b, 52), 13);
    EXPECT_EQ(f64_at(b, 56), -1.0);
    EXPECT_EQ(f64_at(b, 80), -4.0);
    EXPECT_EQ(f64_at(b, 120), 3002.0);
    EXPECT_EQ(f64_at(b, 128), 0.25);
    EXPECT_EQ(f64_at(b, 136), -0.5);
    EXPECT_EQ(f64_at(b, 144), 0.75);
    EXPECT_EQ(f64_at(b, 152), 1234.5);
    EXPECT_EQ(f64_at(b, 160), 0.125);
    EXPECT_EQ(f64_at(b, 176), 0.375);
    EXPECT_EQ(f64_at(b, 200), -0.75);
    for (size_t i = 208; i < 272; ++i) EXPECT_EQ(b[i], 0) << i;
    const ViewTriangle back = decode_view(r);
    EXPECT_EQ(back.eye, t.eye);
    EXPECT_EQ(back.proj, t.proj);
    EXPECT_EQ(back.h, t.h);
    EXPECT_EQ(back.trio.vertex_no, t.trio.vertex_no);
}

TEST(FileLayout, EdgeAndLineRecords) {
    const VectBytes v = encode_vect({1.0, 2.0, 3.0, 4.0, 5.0, 6.0});
    const std::string vb(v.begin(), v.end());
    ASSERT_EQ(vb.size(), 48u);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(f64_at(vb, 8 * k), k + 1.0);

    TempHeader h;
    h.world[0] = -1.5f;
    h.world[1] = -2.5f;
    h.world[2] = 3.5f;
    h.world[3] = 4.5f;
    h.crt[0] = 0;
    h.crt[1] = 1;
    h.crt[2] = 640;
    h.crt[3] = 480;
    const TempHeaderBytes hb = encode_temp_header(h);
    const std::string hs(hb.begin(), hb.end());
    ASSERT_EQ(hs.size(), 32u);
    EXPECT_EQ(f32_at(hs, 0), -1.5f);
    EXPECT_EQ(f32_at(hs, 12), 4.5f);
    EXPECT_EQ(i32_at(hs, 16), 0);
    EXPECT_EQ(i32_at(hs, 20), 1);
    EXPECT_EQ(i32_at(hs, 24), 640);
    EXPECT_EQ(i32_at(hs, 28), 480);

    const TempLineBytes lb = encode_temp_line({0.5f, -0.5f, 0.25f, 2.0f});
    const std::string ls(lb.begin(), lb.end());
    ASSERT_EQ(ls.size(), 16u);
    EXPECT_EQ(f32_at(ls, 0), 0.5f);
    EXPECT_EQ(f32_at(ls, 4), -0.5f);
    EXPECT_EQ(f32_at(ls, 8), 0.25f);
    EXPECT_EQ(f32_at(ls, 12), 2.0f);
    EXPECT_EQ(decode_temp_line(lb), (TempLine{0.5f, -0.5f, 0.25f, 2.0f}));
}

struct OneMember : ::testing::Test {
    TempDir dir;
    ScriptedMessages msg;
    model::ModelStore m;
    SolidModel s{dir.path()};
};

// The twelve marked edges, as pairs of vertex numbers.
std::multiset<std::pair<int, int>> marked_edges(const std::vector<TrioTriangle>& ts) {
    std::multiset<std::pair<int, int>> e;
    for (const TrioTriangle& t : ts) {
        const int32_t bits[3] = {kEdge01, kEdge12, kEdge20};
        for (int k = 0; k < 3; ++k)
            if (t.hyoji & bits[k]) {
                const int a = t.vertex_no[k], b = t.vertex_no[(k + 1) % 3];
                e.insert({std::min(a, b), std::max(a, b)});
            }
    }
    return e;
}

TEST_F(OneMember, GivesTwelveTrianglesVectorsAndBoxEdges) {
    testing::add_member(m, msg, 100, 200, 50, 400, 350, 200, 12, 18);
    ASSERT_EQ(make_trio_file(s, m, msg), 0);
    EXPECT_EQ(s.N_TRIO, 12);
    EXPECT_EQ(s.chouten.N_CHOUTEN(), 8);
    const std::vector<TrioTriangle> ts = read_trio(dir.file("TRIO.DAT"));
    ASSERT_EQ(ts.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(ts[i].no, i + 1);
        EXPECT_EQ(std::popcount(static_cast<unsigned>(ts[i].hyoji)), 1) << i;
    }
    // Twelve distinct edges, each vertex on three of them: the box outline,
    // no face diagonal.
    const auto edges = marked_edges(ts);
    EXPECT_EQ(edges.size(), 12u);
    EXPECT_EQ((std::set<std::pair<int, int>>(edges.begin(), edges.end()).size()), 12u);
    std::map<int, int> degree;
    for (const auto& e : edges) {
        ++degree[e.first];
        ++degree[e.second];
    }
    EXPECT_EQ(degree.size(), 8u);
    for (const auto& [v, d] : degree) EXPECT_EQ(d, 3) << v;

    const PerspectiveCoeffs v = coeff(4000.0, 20.0, 70.0);
    ASSERT_EQ(make_view(s, v, 1000.0, 1000.0, 1000.0, msg), 0);
    EXPECT_EQ(s.N_VECT, 12);
    EXPECT_EQ(read_bytes(dir.file("VECT.DAT")).size(), 12u * 48u);
    EXPECT_EQ(read_bytes(dir.file("VIEW.DAT")).size(), 12u * 272u);

    ViewParams p;
    ViewWindow w;
    w.W = 400;
    w.H = 300;
    RecordingCanvas c(400, 300);
    ASSERT_EQ(get_jiku_world(w, p, s.directory, s.N_TRIO, TrioReader::kGenerator, msg), 0);
    ASSERT_EQ(draw_member_boxes(w, c, p, s, TrioReader::kGenerator, msg), 0);
    EXPECT_EQ(c.of(RecordingCanvas::Kind::Line).size(), 12u);
    EXPECT_TRUE(msg.shown.empty());
}

TEST(Kakuzai, HorizontalBarAlongXHasItsCornersAtHalfWidthAndDepth) {
    const BoxCorners b = kakuzai_corners(10, 20, 30, 310, 20, 30, 12, 18);
    EXPECT_EQ(b.kakudoY, 0.0);
    EXPECT_EQ(b.kakudoZ, 0.0);
    const float want[8][3] = {{10, 14, 39},  {10, 26, 39},  {10, 26, 21},  {10, 14, 21},
                              {310, 14, 39}, {310, 26, 39}, {310, 26, 21}, {310, 14, 21}};
    for (int i = 0; i < 8; ++i)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(b.c[i][k], want[i][k]) << i << " " << k;
}

TEST(Kakuzai, VerticalBarsPointUpOrDown) {
    const BoxCorners up = kakuzai_corners(0, 0, 0, 0, 0, 240, 12, 18);
    EXPECT_EQ(up.kakudoY, 90.0);
    EXPECT_EQ(up.kakudoZ, 0.0);
    const BoxCorners down = kakuzai_corners(0, 0, 240, 0, 0, 0, 12, 18);
    EXPECT_EQ(down.kakudoY, -90.0);
    EXPECT_EQ(down.kakudoZ, 0.0);
    for (int i = 4; i < 8; ++i) {
        EXPECT_NEAR(up.c[i][2], 240.0f, 0.01f);
        EXPECT_NEAR(down.c[i][2], 0.0f, 0.01f);
    }
    // Up, the depth (local z) turns to -x; down, to +x.
    EXPECT_NEAR(up.c[0][0], -9.0f, 0.01f);
    EXPECT_NEAR(up.c[0][1], -6.0f, 0.01f);
    EXPECT_NEAR(down.c[0][0], 9.0f, 0.01f);
    EXPECT_NEAR(down.c[0][2], 240.0f, 0.01f);
}

TEST_F(OneMember, SharedCornersShareOneVertexNumber) {
    testing::add_member(m, msg, 0, 0, 0, 100, 0, 0);
    testing::add_member(m, msg, 100, 0, 0, 250, 0, 0);
    ASSERT_EQ(make_trio_file(s, m, msg), 0);
    EXPECT_EQ(s.chouten.N_CHOUTEN(), 12);
    const std::vector<TrioTriangle> ts = read_trio(dir.file("TRIO.DAT"));
    ASSERT_EQ(ts.size(), 24u);
    std::set<int> first, second;
    for (int i = 0; i < 12; ++i)
        for (int k = 0; k < 3; ++k) {
            first.insert(ts[i].vertex_no[k]);
            second.insert(ts[12 + i].vertex_no[k]);
        }
    std::vector<int> shared;
    std::set_intersection(first.begin(), first.end(), second.begin(), second.end(),
                          std::back_inserter(shared));
    EXPECT_EQ(shared.size(), 4u);
    // Every number names the coordinates of its vertex in the table.
    for (const TrioTriangle& t : ts)
        for (int k = 0; k < 3; ++k) {
            const Vertex& v = s.chouten.vertices()[t.vertex_no[k] - 1];
            EXPECT_EQ(v.x, t.v[k][0]);
            EXPECT_EQ(v.y, t.v[k][1]);
            EXPECT_EQ(v.z, t.v[k][2]);
        }
}

// Each triangle's normal (V1 - V0) x (V2 - V0) points out of the solid.
void expect_outward(const std::vector<TrioTriangle>& ts, const double centre[3]) {
    for (const TrioTriangle& t : ts) {
        double u[3], w[3], g[3];
        for (int k = 0; k < 3; ++k) {
            u[k] = t.v[1][k] - t.v[0][k];
            w[k] = t.v[2][k] - t.v[0][k];
            g[k] = (t.v[0][k] + t.v[1][k] + t.v[2][k]) / 3.0 - centre[k];
        }
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                             u[0] * w[1] - u[1] * w[0]};
        EXPECT_GT(n[0] * g[0] + n[1] * g[1] + n[2] * g[2], 0.0) << "triangle " << t.no;
    }
}

TEST_F(OneMember, EverySolidTurnsItsFacesOutward) {
    ASSERT_EQ(begin_trio_file(s, msg), 0);
    EXPECT_EQ(make_kakuzai3(s, 0, 0, 0, 200, 100, 50, 12, 18, msg), 8);
    EXPECT_EQ(make_kakuzai2(s, 0, 0, 0, 200, 100, 50, 12, 18, msg), 8);
    EXPECT_EQ(make_enchu2(s, 0, 0, 0, 200, 100, 50, 6, msg), 14);
    ASSERT_EQ(end_trio_file(s, msg), 0);
    EXPECT_EQ(s.N_TRIO, 12 + 12 + 24);
    const std::vector<TrioTriangle> ts = read_trio(dir.file("TRIO.DAT"));
    ASSERT_EQ(ts.size(), 48u);
    const double centre[3] = {100, 50, 25};
    expect_outward(ts, centre);
    EXPECT_NEAR(s.volume,
                1e-6 * std::sqrt(200.0 * 200 + 100 * 100 + 50 * 50) *
                    (2 * 12 * 18 + 1.5 * std::sqrt(3.0) * 36),
                1e-9);
}

TEST_F(OneMember, OlderBoxDrawsEveryEdgeTwice) {
    ASSERT_EQ(begin_trio_file(s, msg), 0);
    make_kakuzai2(s, 0, 0, 0, 200, 0, 0, 12, 18, msg);
    ASSERT_EQ(end_trio_file(s, msg), 0);
    const std::vector<TrioTriangle> ts = read_trio(dir.file("TRIO.DAT"));
    for (const TrioTriangle& t : ts) EXPECT_EQ(t.hyoji, 6);
    const auto edges = marked_edges(ts);
    EXPECT_EQ(edges.size(), 24u);
    const std::set<std::pair<int, int>> distinct(edges.begin(), edges.end());
    EXPECT_EQ(distinct.size(), 12u);
    for (const auto& e : distinct) EXPECT_EQ(edges.count(e), 2u);
}

TEST_F(OneMember, HexagonalBarDrawsItsOutlineOnce) {
    ASSERT_EQ(begin_trio_file(s, msg), 0);
    make_enchu2(s, 0, 0, 0, 300, 0, 0, 10, msg);
    ASSERT_EQ(end_trio_file(s, msg), 0);
    const std::vector<TrioTriangle> ts = read_trio(dir.file("TRIO.DAT"));
    const auto edges = marked_edges(ts);
    // Two hexagons and six long edges.
    EXPECT_EQ(edges.size(), 18u);
    EXPECT_EQ((std::set<std::pair<int, int>>(edges.begin(), edges.end()).size()), 18u);
    // No drawn edge passes through an end centre or across a face: each joins
    // two ring points at one end (one side of a hexagon) or the same ring
    // point at both ends.
    for (const auto& [a, b] : edges) {
        const Vertex& va = s.chouten.vertices()[a - 1];
        const Vertex& vb = s.chouten.vertices()[b - 1];
        const double ra = std::hypot(va.y, va.z), rb = std::hypot(vb.y, vb.z);
        EXPECT_NEAR(ra, 10.0, 1e-4);
        EXPECT_NEAR(rb, 10.0, 1e-4);
        if (va.x == vb.x)
            EXPECT_NEAR(std::hypot(va.y - vb.y, va.z - vb.z), 10.0, 1e-4);
        else
            EXPECT_NEAR(std::hypot(va.y - vb.y, va.z - vb.z), 0.0, 1e-4);
    }
}

TEST(VertexTableTest, IndexAgreesWithTheScanInTableOrder) {
    VertexTable t;
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(-3, 3);
    for (int i = 0; i < 2000; ++i) {
        const float x = coord(rng) * 0.5f, y = coord(rng) * 0.5f, z = coord(rng) * 0.5f;
        const int32_t before = t.find_by_scan(x, y, z);
        EXPECT_EQ(t.find(x, y, z), before);
        const int32_t no = t.number(x, y, z);
        EXPECT_EQ(no, before > 0 ? before : t.N_CHOUTEN());
    }
    // -0.0 equals 0.0; NaN equals nothing.
    const int32_t zero = t.number(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(t.number(-0.0f, 0.0f, -0.0f), zero);
    const float nan = std::nanf("");
    const int32_t n1 = t.number(nan, 0, 0);
    EXPECT_EQ(t.number(nan, 0, 0), n1 + 1);
    EXPECT_EQ(t.find_by_scan(nan, 0, 0), 0);
}

TEST(VertexTableTest, FullTableRefusesNewVerticesAndKeepsFindingOldOnes) {
    VertexTable t;
    for (int i = 0; i < kMaxChouten; ++i) ASSERT_EQ(t.number(static_cast<float>(i), 1, 2), i + 1);
    EXPECT_EQ(t.number(-1, 1, 2), -1);
    EXPECT_EQ(t.N_CHOUTEN(), kMaxChouten);
    EXPECT_EQ(t.number(49999, 1, 2), 50000);
}

TEST(VertexTableTest, BuildThatOverflowsIsRefusedOnceAndLeavesNoPartialFile) {
    TempDir dir;
    ScriptedMessages msg;
    model::ModelStore m;
    SolidModel s(dir.path(), 12);
    testing::add_member(m, msg, 0, 0, 0, 100, 0, 0);
    testing::add_member(m, msg, 0, 500, 0, 100, 500, 0);
    testing::add_member(m, msg, 0, 900, 0, 100, 900, 0);
    EXPECT_EQ(make_trio_file(s, m, msg), -1);
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "頂点の数が上限 12 を超えるため追加できません");
    EXPECT_EQ(s.N_TRIO, 0);
    EXPECT_EQ(read_bytes(dir.file("TRIO.DAT")).size(), 0u);
    EXPECT_LE(s.chouten.N_CHOUTEN(), 12);
    // A smaller model fits again: the table starts afresh with each file.
    m.N_Beam = 1;
    EXPECT_EQ(make_trio_file(s, m, msg), 0);
    EXPECT_EQ(s.N_TRIO, 12);
}

TEST(SolidFiles, OpenFailuresShowTheirMessages) {
    TempDir dir;
    ScriptedMessages msg;
    SolidModel s(dir.path());
    s.N_TRIO = 3;
    EXPECT_EQ(make_view(s, coeff(4000, 20, 70), 0, 0, 0, msg), -1);
    ViewParams p;
    ViewWindow w;
    RecordingCanvas c;
    EXPECT_EQ(draw_member_boxes(w, c, p, s, TrioReader::kTegaki, msg), -1);
    EXPECT_EQ(draw_member_boxes(w, c, p, s, TrioReader::kJikuire, msg), -1);
    EXPECT_EQ(show_temp_data(w, c, s, msg), -1);
    SolidModel nowhere(dir.file("missing"));
    ViewBounds b;
    EXPECT_EQ(calcu_view(nowhere, b, msg), -1);
    EXPECT_EQ(draw_view(w, c, nowhere, msg), -1);
    EXPECT_EQ(save_view(w, nowhere, msg), -1);
    EXPECT_EQ(make_trio_file(nowhere, model::ModelStore{}, msg), -1);
    const std::vector<std::string> want = {
        "Error: Unable to open TRIO_FILE 02",         "Error: Unable to open TRIO_FILE tegaki 02",
        "Error: Unable to open TRIO_FILE jikuire 02", "Error: Unable to open TEMP_FILE20",
        "Error: Unable to open VIEW_FILE13",          "Error: Unable to open VIEW_FILE12",
        "Error: Unable to open TEMP_FILE07",          "init_temp() Failed",
        "Error: Unable to open TRIO_FILE 01"};
    EXPECT_EQ(msg.shown, want);
    EXPECT_TRUE(c.items().empty());
}

// Writes value over the bytes at off of the file, keeping everything else.
template <typename T>
void poke(const std::string& path, size_t off, T value) {
    std::string b = read_bytes(path);
    ASSERT_LE(off + sizeof value, b.size());
    std::memcpy(b.data() + off, &value, sizeof value);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << b;
}

// A NaN, an infinity or a coordinate beyond 1e7 cm in any record of the view
// files refuses the file in every reader, with a message naming the file and
// the record; nothing is drawn and make_view leaves no part of the model.
TEST(SolidFiles, RecordsThatCannotBeDrawnAreRefusedWithTheFileNamed) {
    TempDir dir;
    ScriptedMessages msg;
    SolidModel s(dir.path());
    ViewParams p;
    coeff(p);
    ASSERT_EQ(begin_trio_file(s, msg), 0);
    ASSERT_EQ(make_kakuzai3(s, 0, 0, 0, 300, 100, 50, 12, 18, msg), 8);
    ASSERT_EQ(end_trio_file(s, msg), 0);
    ASSERT_EQ(make_view(s, p.coeffs, p.X0, p.Y0, p.Z0, msg), 0);
    ViewWindow w;
    w.W = 640;
    w.H = 480;
    ASSERT_EQ(make_pers(w, nullptr, s, p, msg), 0);
    ASSERT_TRUE(msg.shown.empty());
    const std::string trio = read_bytes(s.path(kTrioFileName));
    const std::string view = read_bytes(s.path(kViewFileName));
    const std::string vect = read_bytes(s.path(kVectFileName));
    const std::string temp = read_bytes(s.path(kTempFileName));
    auto restore = [&] {
        std::ofstream(s.path(kTrioFileName), std::ios::binary | std::ios::trunc) << trio;
        std::ofstream(s.path(kViewFileName), std::ios::binary | std::ios::trunc) << view;
        std::ofstream(s.path(kVectFileName), std::ios::binary | std::ios::trunc) << vect;
        std::ofstream(s.path(kTempFileName), std::ios::binary | std::ios::trunc) << temp;
    };
    auto names = [&](const char* file, int record) {
        return bad_record_message(s.path(file), record);
    };

    const double kBad[] = {std::nan(""), -INFINITY, 1e30};
    for (const double bad : kBad) {
        SCOPED_TRACE(bad);
        // TRIO.DAT, third record, y of its second vertex.
        restore();
        poke(s.path(kTrioFileName), 2 * kTrioRecordSize + 8 + 16, static_cast<float>(bad));
        msg.shown.clear();
        RecordingCanvas c;
        EXPECT_EQ(get_jiku_world(w, p, dir.path(), s.N_TRIO, TrioReader::kTegaki, msg), -1);
        EXPECT_EQ(draw_member_boxes(w, c, p, s, TrioReader::kTegaki, msg), -1);
        EXPECT_EQ(make_view(s, p.coeffs, p.X0, p.Y0, p.Z0, msg), -1);
        EXPECT_EQ(msg.shown, std::vector<std::string>(3, names(kTrioFileName, 3)));
        EXPECT_TRUE(read_bytes(s.path(kViewFileName)).empty());
        EXPECT_TRUE(read_bytes(s.path(kVectFileName)).empty());

        // VIEW.DAT, second record, depth of its third vertex.
        restore();
        poke(s.path(kViewFileName), kTrioRecordSize + kViewEyeOffset + 8 * 8, bad);
        msg.shown.clear();
        ViewBounds b;
        EXPECT_EQ(calcu_view(s, b, msg), -1);
        EXPECT_EQ(draw_view(w, c, s, msg), -1);
        EXPECT_EQ(save_view(w, s, msg), -1);
        EXPECT_EQ(make_pers(w, &c, s, p, msg, HiddenLineMethod::kFast), -1);
        EXPECT_EQ(make_pers(w, &c, s, p, msg, HiddenLineMethod::kPlain), -1);
        EXPECT_EQ(msg.shown, std::vector<std::string>(5, names(kViewFileName, 2)));

        // VECT.DAT, fourth record, x of its end.
        restore();
        poke(s.path(kVectFileName), 3 * kVectRecordSize + 3 * 8, bad);
        msg.shown.clear();
        EXPECT_EQ(make_pers(w, &c, s, p, msg, HiddenLineMethod::kFast), -1);
        EXPECT_EQ(make_pers(w, &c, s, p, msg, HiddenLineMethod::kPlain), -1);
        EXPECT_EQ(msg.shown, std::vector<std::string>(2, names(kVectFileName, 4)));
        EXPECT_TRUE(c.items().empty());

        // TEMP.DAT: the second line, then the header's World.
        for (const size_t off : {kTempHeaderSize + kTempLineSize + 4, size_t{8}}) {
            restore();
            poke(s.path(kTempFileName), off, static_cast<float>(bad));
            msg.shown.clear();
            const int record = off == 8 ? 0 : 2;
            EXPECT_EQ(show_temp_data(w, c, s, msg), -1);
            TempHeader h;
            std::vector<TempLine> lines;
            std::string why;
            EXPECT_FALSE(read_temp_file(s.path(kTempFileName), h, lines, &why));
            EXPECT_EQ(why, names(kTempFileName, record));
            EXPECT_EQ(msg.shown, std::vector<std::string>(1, names(kTempFileName, record)));
        }
    }
    // A Crt pixel beyond a million is refused as well.
    restore();
    poke(s.path(kTempFileName), 16 + 8, int32_t{2000000000});
    TempHeader h;
    std::vector<TempLine> lines;
    EXPECT_FALSE(read_temp_file(s.path(kTempFileName), h, lines));

    // The same files untouched are read by every reader.
    restore();
    msg.shown.clear();
    RecordingCanvas c;
    ViewBounds b;
    EXPECT_EQ(get_jiku_world(w, p, dir.path(), s.N_TRIO, TrioReader::kTegaki, msg), 0);
    EXPECT_EQ(draw_member_boxes(w, c, p, s, TrioReader::kTegaki, msg), 0);
    EXPECT_EQ(calcu_view(s, b, msg), 0);
    EXPECT_EQ(save_view(w, s, msg), 0);
    EXPECT_EQ(make_view(s, p.coeffs, p.X0, p.Y0, p.Z0, msg), 0);
    EXPECT_EQ(make_pers(w, &c, s, p, msg), 0);
    EXPECT_GT(show_temp_data(w, c, s, msg), 0);
    EXPECT_TRUE(msg.shown.empty());
}

}  // namespace
}  // namespace tarvik::render
