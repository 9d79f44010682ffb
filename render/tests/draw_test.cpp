// Pen, pen movement and node markers, seen on the recording canvas.
#include "render/draw.h"

#include <gtest/gtest.h>

#include <array>

#include "render/projection.h"
#include "render/recording_canvas.h"

namespace tarvik::render {
namespace {

using Kind = RecordingCanvas::Kind;
using Pen = RecordingCanvas::Pen;

// x1, y1, x2, y2 of a drawn item.
using Corners = std::array<int, 4>;
Corners corners(const RecordingCanvas::Item& i) {
    return {i.x1, i.y1, i.x2, i.y2};
}

ViewWindow identity() {
    // One World unit per pixel, World (0, 0) at the pixel (0, 100).
    ViewWindow w;
    w.World = {0, 0, 200, 100};
    w.Crt = {0, 0, 200, 100};
    return w;
}

TEST(SetPen, CopiesItsColourEvenAfterARubberBand) {
    RecordingCanvas c;
    c.set_invert(true);
    set_pen(c, kDashed, 3, kTeal);
    c.move_to(0, 0);
    c.line_to(5, 5);
    ASSERT_EQ(c.items().size(), 1u);
    EXPECT_EQ(c.items()[0].pen, (Pen{kDashed, 3, kTeal}));
    EXPECT_FALSE(c.items()[0].invert);
}

TEST(DrawTo, MovesWithThreeDrawsWithTwoIgnoresOthers) {
    const ViewWindow w = identity();
    RecordingCanvas c;
    draw_to(w, c, 10, 90, kPenMove);
    draw_to(w, c, 50, 90, 0);
    draw_to(w, c, 50, 90, 1);
    draw_to(w, c, 30, 40, kPenDraw);
    draw_to(w, c, 70, 40, kPenDraw);
    const auto lines = c.of(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(corners(lines[0]), (Corners{10, 10, 30, 60}));
    EXPECT_EQ(lines[1].x1, 30);
    EXPECT_EQ(lines[1].x2, 70);
}

TEST(MarkNode, DoubleSquareIsTwoBlackOutlinesAndLeavesThePenAtTheCentre) {
    const ViewWindow w = identity();
    RecordingCanvas c;
    c.set_pen(kDotted, 4, kRed);
    mark_node(w, c, 50, 40, kMarkDoubleSquare);
    const auto lines = c.of(Kind::Line);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(c.items().size(), 8u);  // outlines only, nothing filled
    int inner = 0, outer = 0;
    for (const auto& l : lines) {
        EXPECT_EQ(l.pen, (Pen{kSolid, 1, kBlack}));
        const int h = std::max(
            {std::abs(l.x1 - 50), std::abs(l.y1 - 60), std::abs(l.x2 - 50), std::abs(l.y2 - 60)});
        // Each side stays on its square.
        EXPECT_TRUE(h == 3 || h == 4);
        (h == 3 ? inner : outer)++;
    }
    EXPECT_EQ(inner, 4);
    EXPECT_EQ(outer, 4);
    EXPECT_EQ(c.pen_x(), 50);
    EXPECT_EQ(c.pen_y(), 60);
}

struct DiscCase {
    int kind;
    int fill;
};

class MarkNodeDisc : public ::testing::TestWithParam<DiscCase> {};

TEST_P(MarkNodeDisc, RadiusFiveFilledByKind) {
    const ViewWindow w = identity();
    RecordingCanvas c;
    mark_node(w, c, 20, 30, GetParam().kind);
    ASSERT_EQ(c.items().size(), 1u);
    const auto& e = c.items()[0];
    EXPECT_EQ(e.kind, Kind::Ellipse);
    EXPECT_EQ(corners(e), (Corners{15, 65, 25, 75}));
    EXPECT_EQ(e.brush, GetParam().fill);
    EXPECT_EQ(e.pen, (Pen{kSolid, 1, kBlack}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, MarkNodeDisc,
                         ::testing::Values(DiscCase{kMarkBlackDisc, kBlack},
                                           DiscCase{kMarkRedDisc, kRed},
                                           DiscCase{kMarkBlueDisc, kBlue}));

TEST(MarkNode, EndSquareIsRedWithAnInnerSquare) {
    const ViewWindow w = identity();
    RecordingCanvas c;
    mark_node(w, c, 20, 30, kMarkEndSquare);
    const auto r = c.of(Kind::Rectangle);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(corners(r[0]), (Corners{16, 66, 24, 74}));
    EXPECT_EQ(r[1].x1, 17);
    EXPECT_EQ(r[1].x2, 23);
    for (const auto& i : r) EXPECT_EQ(i.brush, kRed);
}

TEST(MarkNode, UnknownKindDrawsNothing) {
    const ViewWindow w = identity();
    RecordingCanvas c;
    mark_node(w, c, 20, 30, 99);
    mark_node(w, c, 20, 30, -1);
    EXPECT_TRUE(c.items().empty());
}

}  // namespace
}  // namespace tarvik::render
