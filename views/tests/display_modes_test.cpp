// The drawings of display modes 2 to 5 and the perspective request, on the
// recording canvas.
#include "views/display_modes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/tests/model_builder.h"
#include "model/tests/other_job.h"
#include "model/tests/scripted_messages.h"
#include "render/recording_canvas.h"
#include "render/tests/test_support.h"

namespace tarvik::views {
namespace {

using Kind = RecordingCanvas::Kind;
using Pen = RecordingCanvas::Pen;
using testing::ScriptedMessages;
using testing::TempDir;

struct DisplayModes : ::testing::Test {
    TempDir dir;
    ScriptedMessages msg;
    model::ModelStore m;
    ViewParams p;
    SolidModel s{dir.path()};
    ViewWindow w;
    RecordingCanvas c{640, 480};
    DrawingContext ctx{w, p, s, m, msg, TrioReader::kJikuire};

    DisplayModes() {
        w.W = 640;
        w.H = 480;
        // A portal: two posts and a beam, model around the viewed point.
        testing::add_member(m, msg, 900, 1000, 900, 900, 1000, 1140);
        testing::add_member(m, msg, 1100, 1000, 900, 1100, 1000, 1140);
        testing::add_member(m, msg, 900, 1000, 1140, 1100, 1000, 1140);
    }

    // A pending image request is taken and fails: the window falls back to
    // the member boxes.
    void expect_request_refused() {
        p.PersRequest = 1;
        const PersRequestResult r = perspective_request(ctx, nullptr);
        EXPECT_TRUE(r.handled);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(w.mode, kModeMemberBox);
        EXPECT_EQ(p.PersRequest, 0);
    }

    // Every line lies inside the drawing area (give or take a pixel).
    void expect_inside(const std::vector<RecordingCanvas::Item>& lines) {
        for (const auto& l : lines) {
            EXPECT_GE(std::min(l.x1, l.x2), -1);
            EXPECT_GE(std::min(l.y1, l.y2), -1);
            EXPECT_LE(std::max(l.x1, l.x2), 641);
            EXPECT_LE(std::max(l.y1, l.y2), 481);
        }
    }
};

TEST_F(DisplayModes, WireModelDrawsMembersThenNodeDiscs) {
    w.mode = kModeWire;
    paint_display_mode(ctx, c);
    ASSERT_FALSE(c.items().empty());
    EXPECT_EQ(c.items()[0].kind, Kind::Clear);
    EXPECT_EQ(c.items()[0].brush, kWhite);
    const auto lines = c.of(Kind::Line);
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& l : lines) EXPECT_EQ(l.pen, (Pen{kSolid, 1, kBlack}));
    const auto discs = c.of(Kind::Ellipse);
    ASSERT_EQ(discs.size(), 4u);
    for (const auto& d : discs) {
        EXPECT_EQ(d.brush, kBlack);
        EXPECT_EQ(d.x2 - d.x1, 10);
    }
    // The beam's line ends at the two upper node discs.
    const auto& beam = lines[2];
    EXPECT_EQ(beam.x1, (discs[1].x1 + discs[1].x2) / 2);
    EXPECT_EQ(beam.y2, (discs[3].y1 + discs[3].y2) / 2);
    expect_inside(lines);
}

TEST_F(DisplayModes, MemberBoxModelDrawsTwelveEdgesPerMember) {
    ASSERT_EQ(make_trio_file(s, m, msg), 0);
    w.mode = kModeMemberBox;
    paint_display_mode(ctx, c);
    const auto lines = c.of(Kind::Line);
    EXPECT_EQ(lines.size(), 36u);
    for (const auto& l : lines) EXPECT_EQ(l.pen, (Pen{kSolid, 1, kBlack}));
    expect_inside(lines);
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(DisplayModes, PerspectiveWireSitsTopLeftWithTheDataAspect) {
    ASSERT_EQ(make_trio_file(s, m, msg), 0);
    w.mode = kModePersWire;
    paint_display_mode(ctx, c);
    EXPECT_EQ(c.of(Kind::Line).size(), 36u);
    EXPECT_EQ(w.Crt.left, 0);
    EXPECT_EQ(w.Crt.top, 0);
    EXPECT_TRUE(w.Crt.right == 640 || w.Crt.bottom == 480);
    EXPECT_LE(w.Crt.right, 640);
    EXPECT_LE(w.Crt.bottom, 480);
    const double aspect_world = (w.World.right - w.World.left) / (w.World.top - w.World.bottom);
    const double aspect_crt = static_cast<double>(w.Crt.right) / w.Crt.bottom;
    EXPECT_NEAR(aspect_world, aspect_crt, 0.02 * aspect_crt);
    expect_inside(c.of(Kind::Line));
}

TEST_F(DisplayModes, PerspectiveRequestBuildsTheHiddenLineImage) {
    ASSERT_EQ(make_trio_file(s, m, msg), 0);
    p.PersRequest = 1;
    RecordingCanvas live(640, 480);
    const TickResult t = drawing_window_tick(ctx, &live);
    EXPECT_TRUE(t.repaint);
    EXPECT_TRUE(t.pers.handled);
    EXPECT_TRUE(t.pers.ok);
    EXPECT_EQ(p.PersRequest, 0);
    EXPECT_EQ(w.mode, kModeHidden);
    EXPECT_TRUE(msg.shown.empty());
    // Drawn as it was built: a blank area, then the lines.
    ASSERT_FALSE(live.items().empty());
    EXPECT_EQ(live.items()[0].kind, Kind::Clear);
    const size_t built = live.of(Kind::Line).size();
    // Three boxes, some edges hidden behind the posts and beam: fewer than
    // the 36 box edges, more than the 27 of boxes seen alone minus overlaps.
    EXPECT_GT(built, 18u);
    EXPECT_LT(built, 36u);

    // Mode 5 redraws the same lines from the file in black.
    paint_display_mode(ctx, c);
    const auto lines = c.of(Kind::Line);
    EXPECT_EQ(lines.size(), built);
    for (const auto& l : lines) EXPECT_EQ(l.pen, (Pen{kSolid, 1, kBlack}));
    expect_inside(lines);

    // The image file shown by itself: the same lines in blue.
    RecordingCanvas blue;
    ViewWindow other;
    EXPECT_EQ(show_temp_data(other, blue, s, msg), static_cast<int>(built));
    EXPECT_EQ(other.Crt.right, w.Crt.right);
    for (const auto& l : blue.of(Kind::Line)) EXPECT_EQ(l.pen.colour, kBlue);

    // Nothing pending: the next tick does nothing.
    EXPECT_FALSE(drawing_window_tick(ctx, nullptr).repaint);
}

TEST_F(DisplayModes, WithoutTriangleFileTheRequestEndsInTheMemberBoxMode) {
    expect_request_refused();
    ASSERT_FALSE(msg.shown.empty());
    EXPECT_EQ(msg.shown[0], "Error: Unable to open TRIO_FILE 02");
    // The member-box mode then reports the missing file once more and draws nothing.
    msg.shown.clear();
    paint_display_mode(ctx, c);
    EXPECT_EQ(msg.shown, std::vector<std::string>{"Error: Unable to open TRIO_FILE jikuire 01"});
    EXPECT_TRUE(c.of(Kind::Line).empty());
}

TEST_F(DisplayModes, RequestInAFolderAnotherJobHoldsWritesNothing) {
    testing::OtherJob other(dir.path());
    ASSERT_TRUE(other.holds());
    expect_request_refused();
    EXPECT_EQ(msg.shown, std::vector<std::string>{model::kMsgFolderBusy});
    EXPECT_FALSE(std::filesystem::exists(s.path(kViewFileName)));
}

TEST_F(DisplayModes, HiddenImageWithoutItsFileFallsBackToTheMemberBoxes) {
    p.TAU = 10.0f;
    p.FAI = 80.0f;
    w.mode = kModeHidden;
    paint_display_mode(ctx, c);
    EXPECT_EQ(msg.shown, std::vector<std::string>{"Error: Unable to open TEMP_FILE01"});
    EXPECT_EQ(p.TAU, 30.0f);
    EXPECT_EQ(p.FAI, 30.0f);
    EXPECT_EQ(w.mode, kModeMemberBox);
    EXPECT_TRUE(c.of(Kind::Line).empty());
}

TEST_F(DisplayModes, ChangedAnglesAskForARepaint) {
    check_view_change(w, p);
    EXPECT_FALSE(drawing_window_tick(ctx, nullptr).repaint);
    p.Theta = 45.0;
    EXPECT_TRUE(drawing_window_tick(ctx, nullptr).repaint);
    EXPECT_FALSE(drawing_window_tick(ctx, nullptr).repaint);
}

}  // namespace
}  // namespace tarvik::views
