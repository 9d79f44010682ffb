// The main window walked from a made model through support and load picking,
// the node data window and the member data window to "ready for analysis";
// and a portal drawn by hand, saved, read back and analysed by the solver.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <algorithm>
#include <memory>

#include "analysis/tests/fakes.h"
#include "app/new_form.h"
#include "editing/tegaki_form.h"
#include "editing/tests/fake_tegaki_view.h"
#include "files/tests/test_dir.h"
#include "editing/sel_beam_form.h"
#include "editing/sel_node_form.h"
#include "editing/tests/fake_views.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/projection.h"
#include "render/recording_canvas.h"

namespace tarvik::editing {
namespace {

using app::MenuItem;
using app::Window;
using testing::DialogStep;

class MainView : public app::NewFormView {
  public:
    void set_menu_enabled(MenuItem, bool) override {}
    void set_menu_checked(MenuItem, bool) override {}
    void repaint() override {}
    void show_node_search(bool) override {}
    void set_timer_enabled(bool) override {}
    void set_busy(bool) override {}
    void close_window() override {}
};

class MainDialogs : public app::Dialogs {
  public:
    tarvik::testing::ScriptedMessages messages;
    std::map<Window, std::function<void()>> windows;

    void show_message(std::string_view t) override { messages.show_message(t); }
    bool ask_yes_no(std::string_view q) override { return messages.ask_yes_no(q); }
    std::string open_file_name(std::string_view) override { return ""; }
    std::string save_file_name(std::string_view, std::string_view) override { return ""; }
    bool has_window(Window w) const override { return windows.count(w) > 0; }
    void run_window(Window w) override { windows.at(w)(); }
    void show_help() override {}
};

// Two bays 300 wide, posts 250 high: feet at x = 0, 300, 600.
class NodeDataFlow : public ::testing::Test {
  protected:
    NodeDataFlow() : ctx{store, params, ".", ""}, form(ctx, view, dialogs, text) {
        form.FormCreate(800, 600);
        dialogs.windows[Window::KihonUnit] = [this] {
            for (float x : {0.0f, 300.0f, 600.0f})
                tarvik::testing::add_member(store, dialogs.messages, x, 0, 0, x, 0, 250);
            tarvik::testing::add_member(store, dialogs.messages, 0, 0, 250, 300, 0, 250, 12, 24);
            tarvik::testing::add_member(store, dialogs.messages, 300, 0, 250, 600, 0, 250, 12, 24);
        };
        // The node and member windows as the Qt layer runs them, with the
        // user's actions scripted.
        dialogs.windows[Window::SelNode] = [this] {
            SelNodePresenter w(store, node_x, node_view, node_dialogs, dialogs.messages);
            w.FormCreate();
            if (in_node_window) in_node_window(w);
            w.OKButtonClick();
        };
        dialogs.windows[Window::SelBeam] = [this] {
            SelBeamPresenter w(store, beam_x, beam_view, beam_dialogs, dialogs.messages);
            w.FormCreate();
            if (in_beam_window) in_beam_window(w);
            w.OKButtonClick();
        };
    }

    void make_model() {
        form.KihonMenuClick();
        render::RecordingCanvas canvas{800, 600};
        form.FormPaint(canvas);  // gives the nodes their plan points
    }
    int node_at(float x, float y, float z) { return model::find_node_by_scan(store, x, y, z) - 1; }
    void click(int i) {
        const render::Pixel p =
            render::world_to_crt(form.view_window(), store.node[i].X, store.node[i].Y);
        form.FormMouseDown(app::MouseButton::Left, p.x, p.y);
        form.FormMouseUp(app::MouseButton::Left, p.x, p.y);
    }
    bool ready_for_analysis() const {
        return form.enabled(MenuItem::KaisekiMenu) && form.enabled(MenuItem::VeltoSaveMenu) &&
               form.enabled(MenuItem::HoneSaveMenu) && form.enabled(MenuItem::KoteiStutenMenu) &&
               form.enabled(MenuItem::KajyuryouMenu) && form.state().FixLoadBuilt == 1;
    }

    model::ModelStore store;
    render::ViewParams params;
    app::AppContext ctx;
    MainView view;
    MainDialogs dialogs;
    render::StrokeText text{render::StrokeFont::builtin()};
    app::NewFormPresenter form;

    // Kept by the main window for the whole run.
    NodeEditExchange node_x;
    BeamEditExchange beam_x;

    testing::FakeSelNodeView node_view;
    testing::ScriptedNodeDialogs node_dialogs{store, node_x, dialogs.messages};
    std::function<void(SelNodePresenter&)> in_node_window;
    testing::FakeSelBeamView beam_view;
    testing::ScriptedBeamDialogs beam_dialogs{store, beam_x, dialogs.messages};
    std::function<void(SelBeamPresenter&)> in_beam_window;
};

TEST_F(NodeDataFlow, PickingNodeDataAndMemberDataReachReadyForAnalysis) {
    make_model();
    ASSERT_TRUE(form.enabled(MenuItem::SetutenShiteiMenu));
    ASSERT_EQ(store.N_Size, 2);
    const int foot0 = node_at(0, 0, 0), foot1 = node_at(300, 0, 0), foot2 = node_at(600, 0, 0);
    const int top1 = node_at(300, 0, 250);

    form.KousokuSetutenMenuClick();
    click(foot0);
    click(foot2);
    form.KajyuSetutenMenuClick();
    click(top1);
    EXPECT_EQ(store.node[top1].flag, model::kPickLoad);

    // In the window: the built lists, then one more support at the middle foot
    // and the load changed to 300 down.
    in_node_window = [&](SelNodePresenter& w) {
        EXPECT_EQ(node_view.counts[NodeGrid::Fix], "2");
        EXPECT_EQ(node_view.grids[NodeGrid::Fix][1][3], "    1");  // every translation fixed
        EXPECT_EQ(node_view.grids[NodeGrid::Load][1][5], "  -200.0");
        w.ZenStringGridSelectCell(foot1);
        node_dialogs.steps.push_back({});
        w.AddFixSpeedButtonClick();
        w.LoadStringGridSelectCell(0);
        node_dialogs.steps.push_back({{{LoadEditPresenter::kPz, "-300"}}});
        w.ModLoadSpeedButtonClick();
    };
    form.SetutenDataMenuClick();
    ASSERT_EQ(store.N_Fix, 3);
    EXPECT_EQ(store.fix[2].no, foot1 + 1);
    EXPECT_EQ(store.fix[2].zfix, 1);
    EXPECT_EQ(store.fix[2].xfix, 0);
    ASSERT_EQ(store.N_Load, 1);
    EXPECT_EQ(store.load[0].pz, -300.0f);
    EXPECT_EQ(store.node[foot1].flag, model::kPickSupport);
    EXPECT_TRUE(ready_for_analysis());

    // Member data: the beams' section made deeper.
    in_beam_window = [&](SelBeamPresenter& w) {
        w.SizeStringGridSelectCell(1);
        beam_dialogs.steps.push_back({{{HenSizePresenter::kAtumi, "30"}}});
        w.HabahenSpeedButtonClick();
    };
    form.BeamParamMenuClick();
    EXPECT_EQ(beam_x.size_result, kResultOK);
    EXPECT_EQ(store.size[1].atumi, 30.0f);
    EXPECT_FLOAT_EQ(store.size[1].Iy, 12.0f * 30 * 30 * 30 / 12);
    EXPECT_TRUE(ready_for_analysis());

    // Node data again: the edited lists stay, the window opens on the kept rows.
    in_node_window = [&](SelNodePresenter&) {
        EXPECT_EQ(node_view.counts[NodeGrid::Fix], "3");
        EXPECT_EQ(node_view.grids[NodeGrid::Load][1][5], "  -300.0");
        EXPECT_EQ(node_view.selected[NodeGrid::Zen], foot1);
    };
    form.KousokuSetutenMenuClick();
    click(foot0);  // a mark no longer changes the lists
    form.SetutenDataMenuClick();
    EXPECT_EQ(store.N_Fix, 3);
    EXPECT_EQ(store.load[0].pz, -300.0f);
    EXPECT_TRUE(dialogs.messages.shown.empty());
}

TEST_F(NodeDataFlow, RemovingTheOnlyLoadLeavesTheModelNotReady) {
    make_model();
    form.KousokuSetutenMenuClick();
    click(node_at(0, 0, 0));
    form.KajyuSetutenMenuClick();
    const int top = node_at(600, 0, 250);
    click(top);
    in_node_window = [&](SelNodePresenter& w) {
        w.LoadStringGridSelectCell(0);
        node_dialogs.steps.push_back({});
        w.DelLoadSpeedButtonClick();
    };
    form.SetutenDataMenuClick();
    EXPECT_EQ(store.N_Load, 0);
    EXPECT_EQ(store.node[top].flag, 0);
    EXPECT_FALSE(form.enabled(MenuItem::KaisekiMenu));
    EXPECT_EQ(form.state().FixLoadBuilt, 0);

    // The lists are made from the marks again: the removed load stays away
    // until the node is picked again.
    in_node_window = nullptr;
    form.SetutenDataMenuClick();
    EXPECT_EQ(store.N_Fix, 1);
    EXPECT_EQ(store.N_Load, 0);
    form.KajyuSetutenMenuClick();
    click(top);
    form.SetutenDataMenuClick();
    EXPECT_EQ(store.N_Load, 1);
    EXPECT_TRUE(ready_for_analysis());
}

// Plan pixels of the portal's corners and their model coordinates (cm).
struct Corner {
    int px, py;
    const char *x, *z;
};
constexpr Corner kFootL{150, 350, "0", "0"}, kKneeL{150, 150, "0", "300"},
    kKneeR{450, 150, "300", "300"}, kFootR{450, 350, "300", "0"};

// The editor as the user works in it: three members drawn, the four nodes
// given coordinates, the members sections; the views; saved, emptied and
// read back.
void draw_portal_session(model::ModelStore& store, render::ViewParams& params,
                         tarvik::testing::ScriptedMessages& msg, const std::string& dir) {
    render::SolidModel solids(dir);
    testing::FakeTegakiView view(store, msg);
    TegakiPresenter ed({store, params, solids}, view, msg);
    ed.FormCreate(kTegakiWidth, 456);
    auto click = [&](int x, int y) {
        ed.FormMouseDown(TegakiButton::Left, x, y);
        ed.FormMouseUp(TegakiButton::Left, x, y);
    };
    for (auto [a, b] : {std::pair{kFootL, kKneeL}, {kKneeL, kKneeR}, {kKneeR, kFootR}}) {
        click(a.px, a.py);
        ed.FormMouseMove(b.px, b.py);
        click(b.px + 2, b.py + 3);  // near enough to reuse the knee
    }
    ASSERT_EQ(store.N_Node, 4);

    ed.SetutenDataMenuClick();
    for (const Corner& c : {kFootL, kKneeL, kKneeR, kFootR}) {
        view.node_steps.push_back({{{NodeFormPresenter::kX, c.x},
                                    {NodeFormPresenter::kY, "0"},
                                    {NodeFormPresenter::kZ, c.z}}});
        click(c.px, c.py);
    }
    ASSERT_TRUE(ed.enabled(TegakiMenu::BuzaiDataMenu));
    ed.BuzaiDataMenuClick();
    auto drag = [&](int x0, int y0, int x1, int y1) {
        ed.FormMouseDown(TegakiButton::Left, x0, y0);
        ed.FormMouseMove(x1, y1);
        ed.FormMouseUp(TegakiButton::Left, x1, y1);
    };
    view.beam_steps.push_back({{{kAtumi, "15"}}});
    drag(130, 250, 170, 250);  // left post
    view.beam_steps.push_back({{{kHaba, "12"}, {kAtumi, "24"}}});
    drag(300, 130, 300, 170);  // beam
    EXPECT_FALSE(ed.enabled(TegakiMenu::Show1));
    view.beam_steps.push_back({{{kAtumi, "15"}}});
    drag(430, 250, 470, 250);  // right post
    ASSERT_EQ(model::check_all_beam(store), 1);
    ASSERT_TRUE(ed.enabled(TegakiMenu::Show1));
    EXPECT_EQ(store.beam[1].atumi, 24.0f);

    // The member boxes, then back to the plan as drawn.
    ed.JikuModelMenuClick();
    render::RecordingCanvas c(kTegakiWidth, 456);
    ed.FormPaint(c);
    EXPECT_EQ(c.of(render::RecordingCanvas::Kind::Line).size(), 3u * 12u);  // the box edges
    ed.TegakiModoriMenuClick();
    EXPECT_EQ(store.node[0].X, static_cast<float>(kFootL.px));

    const std::string file = dir + "/portal.man";
    view.file_names = {file};
    ed.SaveTegakiMenuClick();
    ASSERT_EQ(ed.saved(), 1);
    const std::vector<model::Node> nodes(store.node.begin(), store.node.begin() + 4);
    ed.ShinkiMenuClick();
    view.file_names = {file};
    ed.ReadTegakiMenuClick();
    ASSERT_EQ(store.N_Beam, 3);
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(store.node[i].id, nodes[i].id);
        EXPECT_EQ(store.node[i].z, nodes[i].z);
        EXPECT_EQ(store.node[i].X, nodes[i].X);
    }
    EXPECT_TRUE(ed.enabled(TegakiMenu::FaceSaveMenu));
    ed.ModoriMenuClick();  // saved: not asked
    EXPECT_TRUE(view.closed);
}

#ifdef VELTOSOL_DIR
TEST_F(NodeDataFlow, APortalDrawnByHandIsSavedReadBackAndAnalysed) {
    tarvik::testing::TempDir dir;
    ctx.cDirectory = dir.path().string();
    ctx.program_dir = VELTOSOL_DIR;
    dialogs.windows[Window::Tegaki] = [&] {
        draw_portal_session(store, params, dialogs.messages, ctx.cDirectory);
    };
    form.TegakiMenuClick();
    ASSERT_TRUE(dialogs.messages.asked.empty());
    ASSERT_TRUE(form.enabled(MenuItem::SetutenShiteiMenu));
    EXPECT_FALSE(form.enabled(MenuItem::TegakiMenu));
    EXPECT_EQ(store.node[1].flag, 0);
    EXPECT_EQ(store.N_Size, 2);
    render::RecordingCanvas canvas{800, 600};
    form.FormPaint(canvas);

    form.KousokuSetutenMenuClick();
    for (float x : {0.0f, 300.0f}) click(node_at(x, 0, 0));  // the feet
    form.KajyuSetutenMenuClick();
    click(node_at(300, 0, 300));
    form.SetutenDataMenuClick();
    ASSERT_TRUE(ready_for_analysis());

    // The results window reads what the solver wrote.
    analysis::testing::FakeVeltoView velto_view;
    int results_nodes = 0;
    float lowest_dz = 0;  // cm, the loaded knee goes down
    dialogs.windows[Window::Velto] = [&] {
        render::StrokeText velto_text{render::StrokeFont::builtin()};
        analysis::VeltoPresenter w(store, params, ctx.cDirectory, velto_view, dialogs.messages,
                                   velto_text);
        w.FormCreate(800, 600);
        ASSERT_TRUE(w.loaded());
        results_nodes = w.tables().N_Setuten;
        for (int i = 0; i < results_nodes; ++i)
            lowest_dz = std::min(lowest_dz, w.tables().disp[i].disp_z);
    };
    dialogs.messages.shown.clear();
    form.KaisekiMenuClick();
    ASSERT_FALSE(dialogs.messages.shown.empty());
    EXPECT_NE(dialogs.messages.shown[0].find("解析計算を終了しまし"), std::string::npos)
        << dialogs.messages.shown[0];
    EXPECT_EQ(results_nodes, 4);
    EXPECT_LT(lowest_dz, 0.0f);
}
#endif

}  // namespace
}  // namespace tarvik::editing
