// The result drawings on a recording canvas: pens by the colour rules, the
// fit of the drawing, and the bar chosen for the solid view.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/analysis_run.h"
#include "analysis/result_draw.h"
#include "analysis/stress_diagram.h"
#include "render/projection.h"
#include "render/recording_canvas.h"

namespace tarvik::analysis {
namespace {

using render::RecordingCanvas;

StressRecord member(float xi, float zi, float xj, float zj, float force, float percent) {
    StressRecord s{};
    s.xi = xi, s.zi = zi, s.xj = xj, s.zj = zj;
    s.force = force, s.percent = percent;
    return s;
}

TEST(AxialPen, ThicknessModeFollowsTheShare) {
    EXPECT_EQ(axial_pen(kModeThickness, member(0, 0, 1, 0, -9, 9.0f)).width, 1);
    EXPECT_EQ(axial_pen(kModeThickness, member(0, 0, 1, 0, -9, 9.0f)).colour, render::kBlack);
    EXPECT_EQ(axial_pen(kModeThickness, member(0, 0, 1, 0, -20, 20.0f)).width, 2);
    EXPECT_EQ(axial_pen(kModeThickness, member(0, 0, 1, 0, -20, 20.0f)).colour, render::kBlue);
    EXPECT_EQ(axial_pen(kModeThickness, member(0, 0, 1, 0, 20, 20.0f)).colour, render::kRed);
    EXPECT_EQ(axial_pen(kModeThickness, member(0, 0, 1, 0, 100, 100.0f)).width, 10);
    // In the sign mode a zero force is drawn as compression.
    EXPECT_EQ(axial_pen(kModeSign, member(0, 0, 1, 0, 0, 0.0f)).colour, render::kBlue);
    EXPECT_EQ(axial_pen(kModeSign, member(0, 0, 1, 0, 1, 100.0f)).colour, render::kRed);
    EXPECT_EQ(axial_pen(kModeSign, member(0, 0, 1, 0, 1, 100.0f)).width, 1);
}

TEST(AxialPen, BatchSummaryCountsTensionAndCompressionAsTheDrawingColoursThem) {
    auto t = std::make_unique<ResultTables>();
    const float forces[] = {12.5f, -3.0f, 0.0f, -0.0f, 1e-30f, -7.0f};
    for (float f : forces) t->stress[t->N_Stress++] = member(0, 0, 1, 0, f, 50.0f);
    const ResultSummary s = summarize(*t);
    int red = 0;
    for (int k = 0; k < t->N_Stress; ++k)
        red += axial_pen(kModeSign, t->stress[k]).colour == render::kRed ? 1 : 0;
    EXPECT_EQ(s.tension, red);
    EXPECT_EQ(s.tension, 2);
    EXPECT_EQ(s.compression, 4);
    EXPECT_EQ(s.tension + s.compression, s.members);
    EXPECT_EQ(s.zero, 2);  // the exact zeros, already among the compression members
}

struct Frame : ::testing::Test {
    std::unique_ptr<ResultTables> t = std::make_unique<ResultTables>();
    render::ViewWindow w;
    // Side view: X = y, Y = z; the frame lies in the x-z plane, so look from the front.
    render::ViewParams front = angles_of(90.0f, 0.0f);
};

TEST_F(Frame, SignModeDrawsEveryMemberOnceWithItsPenAndResetsThePen) {
    t->stress[0] = member(0, 0, 0, 300, 50, 100.0f);
    t->stress[1] = member(0, 300, 600, 300, -25, 50.0f);
    t->N_Stress = 2;
    RecordingCanvas c(800, 600);
    draw_axial(w, c, front, *t, kModeSign);
    const auto lines = c.of(RecordingCanvas::Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].pen.colour, render::kRed);
    EXPECT_EQ(lines[1].pen.colour, render::kBlue);
    // The ends land on the projected member ends.
    for (int k = 0; k < 2; ++k) {
        const StressRecord& s = t->stress[k];
        const render::ProjPoint a = render::iso_project(front, s.xi, s.yi, s.zi);
        const render::ProjPoint b = render::iso_project(front, s.xj, s.yj, s.zj);
        const render::Pixel pa = render::world_to_crt(w, a.X, a.Y);
        const render::Pixel pb = render::world_to_crt(w, b.X, b.Y);
        EXPECT_NEAR(lines[k].x1, pa.x, 1);
        EXPECT_NEAR(lines[k].y1, pa.y, 1);
        EXPECT_NEAR(lines[k].x2, pb.x, 1);
        EXPECT_NEAR(lines[k].y2, pb.y, 1);
    }
    // Every point lies inside the drawing area less its margins.
    for (const auto& l : lines) {
        EXPECT_GE(std::min(l.x1, l.x2), kFitMargin - 1);
        EXPECT_LE(std::max(l.x1, l.x2), 800 - kFitMargin + 1);
        EXPECT_GE(std::min(l.y1, l.y2), kFitMargin - 1);
        EXPECT_LE(std::max(l.y1, l.y2), 600 - kFitMargin + 1);
    }
}

TEST_F(Frame, FitStartsFromItsFixedValues) {
    // Projected X from 1500 to 2500 (all beyond 999.9): the range starts at 999.9.
    render::ViewParams side = angles_of(0.0f, 0.0f);  // X = y... with TAU 0: X = y, Y = z
    t->stress[0] = member(0, 0, 0, 100, 1, 100);
    t->stress[0].yi = 1500;
    t->stress[0].yj = 2500;
    t->N_Stress = 1;
    fit_result_world(w, side, *t, 800, 600);
    EXPECT_EQ(w.Crt.left, 100);
    EXPECT_EQ(w.Crt.right, 700);
    // Wide picture (1500.1 across, 100 high): World spans 999.9 .. 2500.
    EXPECT_FLOAT_EQ(w.World.left, 999.9f);
    EXPECT_FLOAT_EQ(w.World.right, 2500.0f);

    // Within +-999.9 the frame is fitted to its own extent: tall picture.
    t->stress[0] = member(0, 0, 0, 300, 1, 100);
    t->stress[0].yi = 100;
    t->stress[0].yj = 200;
    fit_result_world(w, side, *t, 800, 600);
    EXPECT_FLOAT_EQ(w.World.bottom, 0.0f);
    EXPECT_FLOAT_EQ(w.World.top, 300.0f);
    EXPECT_FLOAT_EQ((w.World.left + w.World.right) / 2, 150.0f);
    // The same scale on both axes.
    const double sx = (w.Crt.right - w.Crt.left) / (w.World.right - w.World.left);
    const double sy = (w.Crt.bottom - w.Crt.top) / (w.World.top - w.World.bottom);
    EXPECT_NEAR(sx, sy, 1e-6);
}

TEST_F(Frame, NoMembersOrOnePointStillGiveAWorldOfSomeSize) {
    fit_result_world(w, front, *t, 800, 600);
    EXPECT_GT(w.World.right - w.World.left, 0.0f);
    EXPECT_GT(w.World.top - w.World.bottom, 0.0f);
    RecordingCanvas c(120, 80);  // smaller than its margins
    draw_axial(w, c, front, *t, kModeSign);
    EXPECT_LT(w.Crt.left, w.Crt.right);
    EXPECT_LT(w.Crt.top, w.Crt.bottom);
}

TEST_F(Frame, DisplacedShapeDrawsTheFrameBlackThenTheDisplacedRed) {
    t->stress[0] = member(0, 0, 0, 300, 50, 100.0f);
    t->N_Stress = 1;
    t->new_beam[0] = {10, 0, 0, 40, 0, 300};
    t->N_NewBeam = 1;
    RecordingCanvas c(800, 600);
    draw_displaced(w, c, angles_of(0.0f, 90.0f), *t);
    const auto lines = c.of(RecordingCanvas::Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].pen.colour, render::kBlack);
    EXPECT_EQ(lines[1].pen.colour, render::kRed);
    EXPECT_EQ(lines[1].pen.width, 1);
}

TEST(SolidBar, SharesBecomeBarsOfTheirArea) {
    SolidBar b = solid_bar_for(member(0, 0, 1, 0, -5, 0.5f));
    EXPECT_EQ(b.kind, SolidBar::kSquare);
    EXPECT_FLOAT_EQ(b.size, 1.0f);
    b = solid_bar_for(member(0, 0, 1, 0, 5, 0.5f));
    EXPECT_EQ(b.kind, SolidBar::kSquare);
    EXPECT_NEAR(b.size, std::sqrt(1.0 / M_PI), 1e-6);
    b = solid_bar_for(member(0, 0, 1, 0, -5, 49.0f));
    EXPECT_EQ(b.kind, SolidBar::kSquare);
    EXPECT_FLOAT_EQ(b.size, 7.0f);
    b = solid_bar_for(member(0, 0, 1, 0, 5, 100.0f));
    EXPECT_EQ(b.kind, SolidBar::kRound);
    EXPECT_NEAR(M_PI * b.size * b.size, 100.0, 1e-3);
}

TEST(MemberPoint, DiagramOrdinatesStandUpFromHorizontalMembersAndSidewaysFromPosts) {
    StressRecord beam = member(0, 100, 200, 100, 0, 0);
    auto p = member_point(beam, 200.0, 30.0);
    EXPECT_NEAR(p[0], 200.0f, 0.01f);
    EXPECT_NEAR(p[2], 130.0f, 0.01f);
    // A post turned up by 90 degrees: the local z points along -x.
    StressRecord post = member(0, 0, 0, 300, 0, 0);
    p = member_point(post, 300.0, 30.0);
    EXPECT_NEAR(p[2], 300.0f, 0.05f);
    EXPECT_NEAR(p[0], -30.0f, 0.05f);
    double ky = 0, kz = 0;
    member_angles(0, 0, 300, 0, 0, 0, ky, kz);
    EXPECT_EQ(ky, -90.0);
    member_angles(0, 0, 0, 100, 100, 0, ky, kz);
    EXPECT_EQ(ky, 0.0);
    EXPECT_NEAR(kz, 45.0, 1e-9);
}

}  // namespace
}  // namespace tarvik::analysis
