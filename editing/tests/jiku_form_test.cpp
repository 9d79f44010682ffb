// The axis data window: its display modes, the viewer face item that waits
// for the member-box model, the change detection of its timer and the
// exports of a perspective image.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "editing/jiku_form.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/recording_canvas.h"
#include "testing/temp_dir.h"

namespace tarvik::editing {
namespace {

using render::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

class FakeJikuView : public JikuView {
public:
    std::map<JikuMenu, bool> menu;
    std::vector<std::string> calls;
    int repaints = 0;
    std::string save_name;  // answer of the save dialog
    int colour = 1;         // answer of the DXF colour window

    void set_menu_enabled(JikuMenu item, bool e) override { menu[item] = e; }
    void set_busy(bool b) override { calls.push_back(b ? "busy" : "idle"); }
    void show_isome_form() override { calls.push_back("アイソメ"); }
    void show_view_form() override { calls.push_back("視点"); }
    void repaint() override { ++repaints; }
    void show_help() override { calls.push_back("help"); }
    void close_window() override { calls.push_back("close"); }
    std::string save_file_name(std::string_view filter, std::string_view) override {
        calls.push_back(std::string("save ") + std::string(filter));
        return save_name;
    }
    int run_dxf_colour_window() override { return colour; }
};

// A portal read from axis data: two posts and a beam, named and sized.
class AxisDataWindow : public ::testing::Test {
protected:
    AxisDataWindow()
        : solids(dir.string()),
          form(m, params, solids, view, msg) {
        testing::add_member(m, msg, 0, 0, 0, 0, 0, 300);
        testing::add_member(m, msg, 400, 0, 0, 400, 0, 300);
        testing::add_member(m, msg, 0, 0, 300, 400, 0, 300, 12, 24);
        model::check_size(m, msg);
        model::assign_materials(m);
        model::save_level_name(m, msg);
        params.TAU = 10.0f;
        form.FormCreate();
    }
    RecordingCanvas paint() {
        RecordingCanvas c(640, 480);
        form.FormPaint(c);
        return c;
    }

    test_support::TempDir scratch{"jiku_form_test"};
    const std::filesystem::path& dir = scratch.path();
    model::ModelStore m;
    render::ViewParams params;
    render::SolidModel solids;
    FakeJikuView view;
    testing::ScriptedMessages msg;
    JikuPresenter form;
};

TEST_F(AxisDataWindow, OpensOnTheWireModelWithMarkersAndTheAngleWindow) {
    EXPECT_EQ(params.TAU, 30.0f);
    EXPECT_EQ(params.FAI, 30.0f);
    EXPECT_EQ(form.display_mode(), kJikuWireNodes);
    EXPECT_EQ(view.calls, std::vector<std::string>{"アイソメ"});
    EXPECT_FALSE(view.menu.at(JikuMenu::FaceHozonMenu));
    const RecordingCanvas c = paint();
    ASSERT_FALSE(c.items().empty());
    EXPECT_EQ(c.items()[0].kind, Kind::Clear);
    EXPECT_EQ(c.of(Kind::Line).size(), 3u);
    EXPECT_EQ(c.of(Kind::Ellipse).size(), 4u);  // a black disc per node
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(AxisDataWindow, WireMenusDropAndBringBackTheNodeMarkers) {
    view.calls.clear();
    params.TAU = 60.0f;
    params.PersRequest = 1;
    form.WireModelMenuClick();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"busy", "アイソメ", "idle"}));
    EXPECT_EQ(params.TAU, 30.0f);
    EXPECT_EQ(params.PersRequest, 0);
    EXPECT_EQ(form.display_mode(), kJikuWire);
    RecordingCanvas c = paint();
    EXPECT_EQ(c.of(Kind::Line).size(), 3u);
    EXPECT_TRUE(c.of(Kind::Ellipse).empty());

    form.SetutenWireMenuClick();
    c = paint();
    EXPECT_EQ(c.of(Kind::Ellipse).size(), 4u);
    EXPECT_EQ(view.repaints, 2);
}

TEST_F(AxisDataWindow, ViewerFaceItemWaitsForTheAxisModel) {
    form.ShitenZahyouMenuClick();
    EXPECT_EQ(form.display_mode(), kJikuPersWire);
    EXPECT_EQ(view.calls.back(), "視点");
    EXPECT_FALSE(view.menu.at(JikuMenu::FaceHozonMenu));
    EXPECT_FALSE(paint().of(Kind::Line).empty());  // the perspective wire image

    form.JikuModelMenuClick();
    EXPECT_TRUE(view.menu.at(JikuMenu::FaceHozonMenu));
    EXPECT_EQ(form.display_mode(), kJikuMemberBox);
    EXPECT_EQ(solids.N_TRIO, 36);  // 12 triangles a member box
    // Every box edge of the three members, at least once.
    EXPECT_GE(paint().of(Kind::Line).size(), 36u);

    view.save_name = (dir / "portal.dat").string();
    form.FaceHozonMenuClick();
    EXPECT_TRUE(std::filesystem::exists(dir / "portal.dat"));
    EXPECT_EQ(msg.shown, std::vector<std::string>{files::kFaceDone});
}

TEST_F(AxisDataWindow, AxisModelWithoutItsTriangleFileStops) {
    std::filesystem::remove_all(dir);  // the folder is gone: no "TRIO.DAT" can be made
    view.calls.clear();
    form.JikuModelMenuClick();
    EXPECT_EQ(msg.shown, (std::vector<std::string>{"Error: Unable to open TRIO_FILE 01",
                                                   "get_jiku failed at jikuire()"}));
    EXPECT_FALSE(view.menu.at(JikuMenu::FaceHozonMenu));
    EXPECT_EQ(form.display_mode(), kJikuWireNodes);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"busy", "idle"}));
}

TEST_F(AxisDataWindow, ChangedAnglesRedrawWithinOneTick) {
    form.CheckTimerTimer();
    EXPECT_EQ(view.repaints, 0);
    EXPECT_TRUE(view.menu.at(JikuMenu::DxfHozonMenu));
    params.TAU = 45.0f;  // as the "アイソメ" window's bar does
    form.CheckTimerTimer();
    EXPECT_EQ(view.repaints, 1);
    form.CheckTimerTimer();
    EXPECT_EQ(view.repaints, 1);
    params.Rho = 9000.0;  // as "OK" of the "視点" window does
    form.CheckTimerTimer();
    EXPECT_EQ(view.repaints, 2);
}

TEST_F(AxisDataWindow, PersRequestBuildsTheHiddenLineImageForTheDxf) {
    paint();
    form.ShitenZahyouMenuClick();
    params.PersRequest = 1;  // "Pers" in the "視点" window
    RecordingCanvas live(640, 480);
    form.CheckTimerTimer(&live);
    EXPECT_EQ(form.display_mode(), kJikuHidden);
    EXPECT_EQ(params.PersRequest, 0);
    EXPECT_FALSE(live.of(Kind::Line).empty());
    EXPECT_FALSE(paint().of(Kind::Line).empty());  // redrawn from "TEMP.DAT"

    view.save_name = (dir / "portal.dxf").string();
    form.DxfHozonMenuClick();
    EXPECT_TRUE(std::filesystem::exists(dir / "portal.dxf"));
    EXPECT_EQ(msg.last(), "ＤＸＦファイルを作製しました");
}

TEST_F(AxisDataWindow, ModoruResetsTheAnglesAndCloses) {
    params.TAU = 70.0f;
    params.FAI = 5.0f;
    form.ModoruMenuClick();
    EXPECT_EQ(params.TAU, 30.0f);
    EXPECT_EQ(params.FAI, 30.0f);
    EXPECT_EQ(view.calls.back(), "close");
}

}  // namespace
}  // namespace tarvik::editing
