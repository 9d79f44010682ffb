// The eye window's preview and its explanatory sketch.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "render/recording_canvas.h"
#include "views/view_preview.h"

namespace tarvik::views {
namespace {

using Kind = RecordingCanvas::Kind;

ModelBox box_at_origin() {
    return {0, 400, 0, 300, 0, 250};
}

TEST(MakeCuve, TwelveBlackEdgesThenRedBlueGreenAxes) {
    RecordingCanvas c(kPreviewSize, kPreviewSize);
    make_cuve(c, box_at_origin(), 4000, 20, 70);
    ASSERT_FALSE(c.items().empty());
    EXPECT_EQ(c.items()[0].kind, Kind::Clear);
    EXPECT_EQ(c.items()[0].brush, kWhite);
    const auto lines = c.of(Kind::Line);
    ASSERT_EQ(lines.size(), 15u);
    // Box edges: every corner ends exactly three edges.
    std::map<std::pair<int, int>, int> ends;
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(lines[i].pen.colour, kBlack);
        EXPECT_EQ(lines[i].pen.style, kSolid);
        EXPECT_EQ(lines[i].pen.width, 1);
        ends[{lines[i].x1, lines[i].y1}]++;
        ends[{lines[i].x2, lines[i].y2}]++;
    }
    EXPECT_EQ(ends.size(), 8u);
    for (const auto& [pt, n] : ends) {
        EXPECT_EQ(n, 3);
        // Inside the preview's square Crt (20, 20, 100, 100).
        EXPECT_GE(pt.first, 19);  // truncation may take a pixel off
        EXPECT_LE(pt.first, 100);
        EXPECT_GE(pt.second, 19);
        EXPECT_LE(pt.second, 100);
    }
    // Axes from the origin, which is a box corner here, along box edges.
    const int axis_colour[3] = {kRed, kBlue, kGreen};
    for (int i = 0; i < 3; ++i) {
        const auto& a = lines[12 + i];
        EXPECT_EQ(a.pen.colour, axis_colour[i]);
        EXPECT_EQ(a.x1, lines[12].x1);
        EXPECT_EQ(a.y1, lines[12].y1);
        EXPECT_TRUE(ends.count({a.x2, a.y2})) << "axis " << i;
    }
}

TEST(MakeCuve, FitsASquareWorldToTheNinePoints) {
    RecordingCanvas c(kPreviewSize, kPreviewSize);
    const ViewWindow w = make_cuve(c, {100, 500, 200, 300, 0, 50}, 2000, -60, 45);
    EXPECT_EQ(w.Crt.left, 20);
    EXPECT_EQ(w.Crt.top, 20);
    EXPECT_EQ(w.Crt.right, 100);
    EXPECT_EQ(w.Crt.bottom, 100);
    EXPECT_FLOAT_EQ(w.World.right - w.World.left, w.World.top - w.World.bottom);
    // The governing axis touches both sides of Crt.
    int lo_x = 1000, hi_x = -1000, lo_y = 1000, hi_y = -1000;
    for (const auto& l : c.of(Kind::Line)) {
        for (auto [x, y] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}}) {
            lo_x = std::min(lo_x, x);
            hi_x = std::max(hi_x, x);
            lo_y = std::min(lo_y, y);
            hi_y = std::max(hi_y, y);
        }
    }
    EXPECT_TRUE((lo_x <= 21 && hi_x >= 99) || (lo_y <= 21 && hi_y >= 99));
}

TEST(MakeCuve, UsesTheGivenEyeNotAFixedOne) {
    RecordingCanvas near_eye(kPreviewSize, kPreviewSize), far_eye(kPreviewSize, kPreviewSize);
    make_cuve(near_eye, box_at_origin(), 1000, 20, 70);
    make_cuve(far_eye, box_at_origin(), 20000, 20, 70);
    bool differ = false;
    const auto a = near_eye.of(Kind::Line), b = far_eye.of(Kind::Line);
    for (std::size_t i = 0; i < a.size(); ++i)
        differ = differ || a[i].x2 != b[i].x2 || a[i].y2 != b[i].y2;
    EXPECT_TRUE(differ);
}

TEST(MakeCuve, CornerInTheEyePlaneLeavesThePreviewEmpty) {
    // Looking straight down from 1000 above: the box top lies in the eye plane.
    RecordingCanvas c(kPreviewSize, kPreviewSize);
    make_cuve(c, {0, 100, 0, 100, 0, 1000}, 1000, 0, 0);
    ASSERT_EQ(c.items().size(), 1u);
    EXPECT_EQ(c.items()[0].kind, Kind::Clear);
}

TEST(ViewPicture, AxesDiscsAndLabels) {
    RecordingCanvas c(kPictureWidth, kPictureHeight);
    draw_view_picture(c);
    const auto discs = c.of(Kind::Ellipse);
    ASSERT_EQ(discs.size(), 2u);
    EXPECT_EQ(discs[0].brush, kYellow);  // the viewed point
    EXPECT_EQ(discs[1].brush, kBlue);    // the eye
    int coloured[16] = {};
    for (const auto& l : c.of(Kind::Line)) {
        EXPECT_GE(std::min(l.x1, l.x2), 0);
        EXPECT_LE(std::max(l.x1, l.x2), kPictureWidth);
        EXPECT_GE(std::min(l.y1, l.y2), 0);
        EXPECT_LE(std::max(l.y1, l.y2), kPictureHeight);
        if (l.pen.colour >= 0 && l.pen.colour < 16) coloured[l.pen.colour]++;
    }
    EXPECT_GT(coloured[kRed], 0);
    EXPECT_GT(coloured[kGreen], 0);
    // The labels "Obj.", "Eye", "Rho", "phi", "theta" and the axis names are
    // strokes: many more black lines than the sketch itself has.
    EXPECT_GT(coloured[kBlack], 60);
}

}  // namespace
}  // namespace tarvik::views
