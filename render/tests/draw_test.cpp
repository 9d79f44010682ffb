// Pen, pen movement and node markers, seen on the recording canvas.
#include "render/draw.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "render/projection.h"
#include "render/recording_canvas.h"
#include "render/tests/view_setup.h"

namespace tarvik::render {
namespace {

using Kind = RecordingCanvas::Kind;
using Pen = RecordingCanvas::Pen;

// x1, y1, x2, y2 of a drawn item.
using Corners = std::array<int, 4>;
Corners corners(const RecordingCanvas::Item& i) {
    return {i.x1, i.y1, i.x2, i.y2};
}
// Those of every item of one kind, in drawing order.
std::vector<Corners> corners(const RecordingCanvas& c, Kind kind) {
    std::vector<Corners> v;
    for (const auto& i : c.of(kind)) v.push_back(corners(i));
    return v;
}

// A canvas under a window of one World unit per pixel, World (0, 0) at the
// pixel (0, 100).
class Drawn : public ::testing::Test {
  protected:
    const ViewWindow w = testing::showing({0, 0, 200, 100}, {0, 0, 200, 100});
    RecordingCanvas c;
};
using DrawTo = Drawn;
using MarkNode = Drawn;

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

TEST_F(DrawTo, MovesWithThreeDrawsWithTwoIgnoresOthers) {
    draw_to(w, c, 10, 90, kPenMove);
    draw_to(w, c, 50, 90, 0);
    draw_to(w, c, 50, 90, 1);
    draw_to(w, c, 30, 40, kPenDraw);
    draw_to(w, c, 70, 40, kPenDraw);
    EXPECT_EQ(corners(c, Kind::Line), (std::vector<Corners>{{10, 10, 30, 60}, {30, 60, 70, 60}}));
}

TEST_F(MarkNode, DoubleSquareIsTwoBlackOutlinesAndLeavesThePenAtTheCentre) {
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

class MarkNodeDisc : public Drawn, public ::testing::WithParamInterface<DiscCase> {};

TEST_P(MarkNodeDisc, RadiusFiveFilledByKind) {
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

TEST_F(MarkNode, EndSquareIsRedWithAnInnerSquare) {
    mark_node(w, c, 20, 30, kMarkEndSquare);
    EXPECT_EQ(corners(c, Kind::Rectangle),
              (std::vector<Corners>{{16, 66, 24, 74}, {17, 67, 23, 73}}));
    for (const auto& i : c.of(Kind::Rectangle)) EXPECT_EQ(i.brush, kRed);
}

TEST_F(MarkNode, UnknownKindDrawsNothing) {
    mark_node(w, c, 20, 30, 99);
    mark_node(w, c, 20, 30, -1);
    EXPECT_TRUE(c.items().empty());
}

}  // namespace
}  // namespace tarvik::render
