// The hand-drawn editor driven by scripted mouse events and dialogs.
#include "editing/tegaki_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "editing/tests/fake_tegaki_view.h"
#include "files/tests/test_dir.h"
#include "model/maintenance.h"
#include "model/tests/scripted_messages.h"
#include "render/draw.h"

namespace tarvik::editing {
namespace {

using render::RecordingCanvas;
using testing::DialogStep;
using testing::Press;
using Kind = RecordingCanvas::Kind;
using T = TegakiMenu;

constexpr int kW = kTegakiWidth, kH = 456;  // drawing area below the menu bar

class Tegaki : public ::testing::Test {
  protected:
    Tegaki() : solids(dir.path().string()), view(m, msg), form({m, params, solids}, view, msg) {
        form.FormCreate(kW, kH);
    }
    void click(int x, int y, TegakiButton b = TegakiButton::Left) {
        form.FormMouseDown(b, x, y);
        form.FormMouseUp(b, x, y);
    }
    void drag(int x0, int y0, int x1, int y1) {
        form.FormMouseDown(TegakiButton::Left, x0, y0);
        form.FormMouseMove((x0 + x1) / 2, (y0 + y1) / 2);
        form.FormMouseMove(x1, y1);
        form.FormMouseUp(TegakiButton::Left, x1, y1);
    }
    void member(int x0, int y0, int x1, int y1) {
        click(x0, y0);
        form.FormMouseMove(x1, y1);
        click(x1, y1);
    }
    RecordingCanvas paint() {
        RecordingCanvas c(kW, kH);
        form.FormPaint(c);
        return c;
    }

    tarvik::testing::TempDir dir;
    model::ModelStore m;
    render::ViewParams params;
    render::SolidModel solids;
    tarvik::testing::ScriptedMessages msg;
    testing::FakeTegakiView view;
    TegakiPresenter form;
};

TEST_F(Tegaki, StartsInMemberDrawingWithTheMenuStatesOfCreation) {
    EXPECT_EQ(form.OnBuzaiShitei(), 1);
    EXPECT_EQ(form.display_mode(), kTegakiPlan);
    EXPECT_EQ(form.saved(), 0);
    const render::ViewWindow& w = form.view_window();
    EXPECT_EQ(w.World.right, static_cast<float>(kW));
    EXPECT_EQ(w.Crt.bottom, kH);
    for (T on :
         {T::ShinkiMenu, T::ReadTegakiMenu, T::DxfHozonMenu, T::ModoriMenu, T::BuzaiShiteiMenu})
        EXPECT_TRUE(view.menus.at(on)) << tegaki_menu_caption(on);
    for (T off : {T::SaveTegakiMenu, T::FaceSaveMenu, T::BuzaiSakujyoMenu, T::SetutenDataMenu,
                  T::BuzaiDataMenu, T::Show1})
        EXPECT_FALSE(view.menus.at(off)) << tegaki_menu_caption(off);
}

TEST_F(Tegaki, AMemberBetweenTwoNewPointsMakesTwoUnplacedNodes) {
    member(100, 300, 300, 300);
    ASSERT_EQ(m.N_Node, 2);
    ASSERT_EQ(m.N_Beam, 1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(m.node[i].no, i + 1);
        EXPECT_EQ(m.node[i].flag, model::kNodeNew);
        EXPECT_EQ(m.node[i].x, -1.0f);
        EXPECT_EQ(m.node[i].z, -1.0f);
        EXPECT_EQ(m.node[i].id[0], '\0');
    }
    // Plan Y grows upward from the bottom of the drawing area.
    EXPECT_EQ(m.node[0].X, 100.0f);
    EXPECT_EQ(m.node[0].Y, static_cast<float>(kH - 300));
    const model::Beam& b = m.beam[0];
    EXPECT_EQ(b.no, 1);
    EXPECT_EQ(b.noi, 1);
    EXPECT_EQ(b.noj, 2);
    EXPECT_EQ(b.flag, 1);
    EXPECT_EQ(b.haba, 12.0f);
    EXPECT_EQ(b.atumi, 12.0f);
    EXPECT_EQ(b.size, -1);
    EXPECT_EQ(b.XL, 300.0f);
    EXPECT_EQ(form.OnBuzaiShitei(), 1);
    for (T on : {T::BuzaiSakujyoMenu, T::SetutenDataMenu, T::SaveTegakiMenu})
        EXPECT_TRUE(view.menus.at(on));
    EXPECT_FALSE(view.menus.at(T::Show1));
    // The markers drawn at once: a double square at the start, the end square.
    const auto rects = view.live.of(Kind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects.back().brush, render::kRed);
    EXPECT_EQ(rects.back().x1, 300 - 3);
    EXPECT_TRUE(msg.shown.empty());
}

// Snapping is strictly closer than 10 plan units.
TEST_F(Tegaki, AClickWithinTenUnitsReusesTheNodeAndAtTenMakesANewOne) {
    struct Case {
        int x, y;
        bool reused;
    };
    for (const Case c : {Case{109, 300, true}, Case{110, 300, false}, Case{106, 307, true},
                         Case{106, 308, false}, Case{100, 290, false}}) {
        m.N_Node = m.N_Beam = 0;
        member(100, 300, 300, 300);
        member(c.x, c.y, 200, 100);
        ASSERT_EQ(m.N_Beam, 2);
        EXPECT_EQ(m.N_Node, c.reused ? 3 : 4) << c.x << "," << c.y;
        EXPECT_EQ(m.beam[1].noi, c.reused ? 1 : 3);
        // A reused node gives the member its own plan point and is touched.
        if (c.reused) {
            EXPECT_EQ(m.beam[1].XS, 100.0f);
            EXPECT_EQ(m.node[0].flag, model::kNodeTouched);
        } else {
            EXPECT_EQ(m.node[0].flag, model::kNodeNew);
        }
    }
}

TEST_F(Tegaki, ARightOrTwoButtonClickChangesNothing) {
    click(100, 100, TegakiButton::Right);
    form.FormMouseDown(TegakiButton::Left, 100, 100);
    form.FormMouseDown(TegakiButton::Right, 100, 100);
    EXPECT_EQ(form.iMouse(), 3);
    form.FormMouseUp(TegakiButton::Right, 100, 100);
    form.FormMouseUp(TegakiButton::Left, 100, 100);
    EXPECT_EQ(m.N_Node, 0);
    EXPECT_EQ(form.OnBuzaiShitei(), 1);
    EXPECT_EQ(form.iMouse(), 0);
    EXPECT_EQ(view.repaints, 0);
}

TEST_F(Tegaki, TheRubberBandIsInvertedAndErasedByDrawingItAgain) {
    // While a member is drawn: solid, from the start click, following the pointer.
    click(100, 300);
    view.live.reset();
    form.FormMouseMove(150, 250);
    form.FormMouseMove(200, 200);
    auto lines = view.live.of(Kind::Line);
    ASSERT_EQ(lines.size(), 3u);  // the first, then the first again and the second
    for (const auto& l : lines) {
        EXPECT_TRUE(l.invert);
        EXPECT_EQ(l.pen.style, render::kSolid);
        EXPECT_EQ(l.x1, 100);
        EXPECT_EQ(l.y1, 300);
    }
    EXPECT_EQ(lines[1].x2, lines[0].x2);
    EXPECT_EQ(lines[2].x2, 200);
    // A repaint keeps the band on the picture so that the next move removes it.
    EXPECT_EQ(paint().of(Kind::Line).back().x2, 200);
    click(200, 200);
    EXPECT_FALSE(form.rubber_band_drawn());

    // Picking: dashed, only while the button is held, erased at button up.
    form.BuzaiSakujyoMenuClick();
    view.live.reset();
    form.FormMouseMove(50, 50);
    EXPECT_TRUE(view.live.items().empty());
    msg.shown.clear();
    drag(20, 20, 40, 40);
    lines = view.live.of(Kind::Line);
    ASSERT_EQ(lines.size(), 4u);  // two moves (three lines), the erasing one
    for (const auto& l : lines) EXPECT_EQ(l.pen.style, render::kDashed);
    EXPECT_EQ(lines[3].x2, lines[2].x2);
    EXPECT_FALSE(form.rubber_band_drawn());
    EXPECT_EQ(msg.last(), kMsgNoBeamCrossed);
    EXPECT_EQ(m.N_Beam, 1);
}

TEST_F(Tegaki, ADragAcrossTwoCrossingMembersPicksTheEarlier) {
    member(100, 100, 300, 300);  // member 1
    member(100, 300, 300, 100);  // member 2, crossing it at (200, 200)
    form.BuzaiSakujyoMenuClick();
    drag(190, 150, 210, 250);  // crosses both near their crossing
    ASSERT_EQ(m.N_Beam, 1);
    EXPECT_EQ(m.beam[0].XS, 100.0f);
    EXPECT_EQ(m.beam[0].YS, static_cast<float>(kH - 300));  // member 2 is left
    EXPECT_EQ(m.N_Node, 2);  // the nodes rebuilt from the remaining member
    EXPECT_EQ(m.OnSaveOld, 1);
}

TEST_F(Tegaki, PlanPaintingShowsEachNodeByItsFlagAndCompleteMembersInRed) {
    member(100, 300, 300, 300);
    member(300, 300, 300, 100);
    m.beam[1].flag = model::kBeamComplete;
    m.node[2].flag = model::kNodeKnown;
    const RecordingCanvas c = paint();
    ASSERT_EQ(c.items().front().kind, Kind::Clear);
    // Members first; then node 1 new (a double square of eight strokes), 2
    // touched (black disc), 3 known (red disc).
    const auto lines = c.of(Kind::Line);
    ASSERT_EQ(lines.size(), 2u + 8u);
    EXPECT_EQ(lines[0].pen.colour, render::kBlack);
    EXPECT_EQ(lines[1].pen.colour, render::kRed);
    EXPECT_EQ(lines[2].x1, 100 - 3);
    const auto discs = c.of(Kind::Ellipse);
    ASSERT_EQ(discs.size(), 2u);
    EXPECT_EQ(discs[0].brush, render::kBlack);
    EXPECT_EQ(discs[1].brush, render::kRed);
}

TEST_F(Tegaki, FullTablesAndZeroLengthMembersAreRefusedWithoutChange) {
    member(100, 300, 300, 300);
    // An end on the member's own start node.
    click(400, 300);
    ASSERT_EQ(form.OnBuzaiShitei(), 2);
    click(405, 300);
    EXPECT_EQ(msg.last(), kMsgSameNode);
    EXPECT_EQ(m.N_Beam, 1);
    EXPECT_EQ(m.N_Node, 3);
    EXPECT_EQ(form.OnBuzaiShitei(), 2);
    view.live.reset();
    form.FormMouseMove(500, 300);  // the guide starts at the start click again
    EXPECT_EQ(view.live.of(Kind::Line).back().x1, 400);
    click(500, 300);
    EXPECT_EQ(m.N_Beam, 2);

    // A full node table: a click at a new point is refused, one on a node is not.
    m.N_Node = model::kMaxNode;
    click(600, 50);
    EXPECT_EQ(msg.last(), model::table_full_message(model::kNodeTable, model::kMaxNode));
    EXPECT_EQ(m.N_Node, model::kMaxNode);
    EXPECT_EQ(form.OnBuzaiShitei(), 1);
    click(100, 300);
    click(600, 50);
    EXPECT_EQ(form.OnBuzaiShitei(), 2);
    EXPECT_EQ(m.N_Beam, 2);
    m.N_Node = 4;
    form.BuzaiShiteiMenuClick();

    m.N_Beam = model::kMaxBeam;
    msg.shown.clear();
    click(100, 300);
    EXPECT_EQ(msg.last(), model::table_full_message(model::kBeamTable, model::kMaxBeam));
    EXPECT_EQ(form.OnBuzaiShitei(), 1);
    EXPECT_EQ(m.N_Node, 4);
}

TEST_F(Tegaki, NodeDataGivesCoordinatesAndNamesTheNodesWhenAllAreKnown) {
    member(100, 300, 300, 300);
    form.SetutenDataMenuClick();
    click(600, 50);
    EXPECT_EQ(msg.last(), kMsgNoNodeNear);
    view.node_steps.push_back({{{NodeFormPresenter::kX, "0"}, {NodeFormPresenter::kZ, "0"}}});
    view.live.reset();
    click(102, 301);
    EXPECT_EQ(view.live.of(Kind::Ellipse).back().brush, render::kBlue);
    EXPECT_EQ(m.node[0].flag, model::kNodeKnown);
    EXPECT_EQ(m.beam[0].zs, 0.0f);
    EXPECT_FALSE(view.menus.at(T::BuzaiDataMenu));
    // Cancelled: nothing changes.
    view.node_steps.push_back({{{NodeFormPresenter::kX, "50"}}, {Press::Cancel}});
    click(300, 300);
    EXPECT_EQ(m.node[1].flag, model::kNodeNew);
    view.node_steps.push_back({{{NodeFormPresenter::kX, "300"}}});
    click(300, 300);
    EXPECT_EQ(m.beam[0].xl, 300.0f);
    EXPECT_TRUE(view.menus.at(T::BuzaiDataMenu));
    EXPECT_STREQ(m.beam[0].idj, m.node[1].id);
    EXPECT_EQ(view.node_seen, (std::vector<std::string>{"     1", "     2", "     2"}));
}

TEST_F(Tegaki, ShinkiEmptiesTheTablesAndKeepsTheMenuStates) {
    member(100, 300, 300, 300);
    click(400, 300);  // a member started
    const auto menus = view.menus;
    form.ShinkiMenuClick();
    EXPECT_EQ(m.N_Node, 0);
    EXPECT_EQ(m.N_Beam, 0);
    EXPECT_EQ(view.menus, menus);
    EXPECT_EQ(form.OnBuzaiShitei(), 1);
    member(10, 10, 50, 10);
    EXPECT_EQ(m.beam[0].noi, 1);
}

TEST_F(Tegaki, ClosingAsksOnlyForUnsavedWorkAndAFailedSaveKeepsTheWindow) {
    member(100, 300, 300, 300);
    params.TAU = 45;
    // Yes, then a file that cannot be written: the window stays.
    msg.answers = {true};
    view.file_names = {(dir.path() / "no_such_folder" / "a.man").string()};
    form.ModoriMenuClick();
    EXPECT_FALSE(view.closed);
    EXPECT_EQ(msg.asked.back(), kAskSaveTegaki);
    EXPECT_EQ(form.saved(), 0);
    EXPECT_EQ(params.TAU, 45.0f);

    // Saved from the menu: closing does not ask.
    const std::string file = dir.file("a.man");
    view.file_names = {file};
    form.SaveTegakiMenuClick();
    EXPECT_EQ(form.saved(), 1);
    EXPECT_TRUE(std::filesystem::exists(file));
    // A change after the save is unsaved work again.
    member(300, 300, 300, 100);
    EXPECT_EQ(form.saved(), 0);
    msg.answers = {false};
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_EQ(msg.asked.size(), 2u);
    EXPECT_EQ(params.TAU, 30.0f);
    EXPECT_TRUE(form.FormCloseQuery());  // decided: not asked again
    EXPECT_EQ(msg.asked.size(), 2u);
}

TEST_F(Tegaki, ClosingAfterASaveDoesNotAsk) {
    member(100, 300, 300, 300);
    msg.answers = {true};
    view.file_names = {dir.file("b.man")};
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_EQ(form.saved(), 1);
    TegakiPresenter again({m, params, solids}, view, msg);
    again.FormCreate(kW, kH);
    view.file_names = {dir.file("c.man")};
    again.SaveTegakiMenuClick();
    // Left from the wire model: the plan as drawn goes with the drawing.
    again.WireModelMenuClick();
    RecordingCanvas c(kW, kH);
    again.FormPaint(c);
    EXPECT_NE(m.node[0].X, 100.0f);
    again.ModoriMenuClick();
    EXPECT_EQ(msg.asked.size(), 1u);
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(m.node[0].X, 100.0f);
}

}  // namespace
}  // namespace tarvik::editing
