// The main window walked from a made model through support and load picking,
// the node data window and the member data window to "ready for analysis".
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "app/new_form.h"
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

}  // namespace
}  // namespace tarvik::editing
