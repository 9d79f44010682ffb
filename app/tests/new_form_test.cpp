#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>

#include "app/new_form.h"
#include "editing/tegaki_form.h"
#include "files/tegaki.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/other_job.h"
#include "model/tests/scripted_messages.h"
#include "render/projection.h"
#include "render/recording_canvas.h"
#include "tarvik_version.h"

namespace tarvik::app {
namespace {

using render::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

class FakeView : public NewFormView {
public:
    std::map<MenuItem, bool> enabled, checked;
    int repaints = 0;
    bool node_search_visible = false, timer = false, busy = false, closed = false;
    int busy_calls = 0;

    void set_menu_enabled(MenuItem item, bool on) override { enabled[item] = on; }
    void set_menu_checked(MenuItem item, bool on) override { checked[item] = on; }
    void repaint() override { ++repaints; }
    void show_node_search(bool v) override { node_search_visible = v; }
    void set_timer_enabled(bool on) override { timer = on; }
    void set_busy(bool b) override {
        busy = b;
        ++busy_calls;
    }
    void close_window() override { closed = true; }
};

class ScriptedDialogs : public Dialogs {
public:
    testing::ScriptedMessages messages;
    std::deque<std::string> file_names;
    std::map<Window, std::function<void()>> windows;  // what each window does
    std::vector<Window> opened;
    std::vector<std::string> filters;
    int help = 0;

    void show_message(std::string_view t) override { messages.show_message(t); }
    bool ask_yes_no(std::string_view q) override { return messages.ask_yes_no(q); }
    ui::SaveAnswer ask_save(std::string_view q) override { return messages.ask_save(q); }
    std::string open_file_name(std::string_view filter) override { return next_file(filter); }
    std::string save_file_name(std::string_view filter, std::string_view) override {
        return next_file(filter);
    }
    bool has_window(Window w) const override { return windows.count(w) > 0; }
    void run_window(Window w) override {
        opened.push_back(w);
        windows.at(w)();
    }
    void show_help() override { ++help; }

private:
    std::string next_file(std::string_view filter) {
        filters.emplace_back(filter);
        if (file_names.empty()) return "";
        std::string f = file_names.front();
        file_names.pop_front();
        return f;
    }
};

// A portal: two posts and a beam, 300 wide and 300 high.
void build_portal(model::ModelStore& m, model::MessageService& msg) {
    testing::add_member(m, msg, 0, 0, 0, 0, 0, 300);
    testing::add_member(m, msg, 300, 0, 0, 300, 0, 300);
    testing::add_member(m, msg, 0, 0, 300, 300, 0, 300);
}

class MainWindow : public ::testing::Test {
protected:
    MainWindow() : ctx{store, params, ".", ""}, form(ctx, view, dialogs, text) {
        form.FormCreate(800, 600);
    }

    // Makes the portal through the generator's window and paints once, so that
    // the nodes have their plan points.
    void make_model() {
        dialogs.windows[Window::KihonUnit] = [this] { build_portal(store, dialogs.messages); };
        form.KihonMenuClick();
        paint();
    }
    // "構造解析実施" with the real solver in dir: it ends with its message and
    // opens the results window once.
    void analyse_with_the_solver(const std::filesystem::path& dir) {
        int shown = 0;
        dialogs.windows[Window::Velto] = [&] { ++shown; };
        dialogs.messages.shown.clear();
        form.KaisekiMenuClick();
        dialogs.windows[Window::Velto] = [] {};  // shown ends here
        EXPECT_EQ(shown, 1);
        ASSERT_FALSE(dialogs.messages.shown.empty());
        EXPECT_NE(dialogs.messages.shown[0].find("解析計算を終了しまし"), std::string::npos)
            << dialogs.messages.shown[0];
        EXPECT_TRUE(std::filesystem::exists(dir / "VELTOSOL.DSP"));
    }
    void paint() {
        canvas.reset();
        form.FormPaint(canvas);
    }
    render::Pixel pixel_of_node(int i) {
        return render::world_to_crt(form.view_window(), store.node[i].X, store.node[i].Y);
    }
    void click(int i, MouseButton b = MouseButton::Left) {
        const render::Pixel p = pixel_of_node(i);
        form.FormMouseDown(b, p.x, p.y);
        form.FormMouseUp(b, p.x, p.y);
    }
    int node_at(float x, float y, float z) { return model::find_node_by_scan(store, x, y, z) - 1; }

    model::ModelStore store;
    render::ViewParams params;
    AppContext ctx;
    FakeView view;
    ScriptedDialogs dialogs;
    render::StrokeText text{render::StrokeFont::builtin()};
    NewFormPresenter form;
    RecordingCanvas canvas{800, 600};
};

using M = MenuItem;

void expect_states(const NewFormPresenter& f, std::initializer_list<M> on,
                   std::initializer_list<M> off) {
    for (M m : on) EXPECT_TRUE(f.enabled(m)) << menu_caption(m);
    for (M m : off) EXPECT_FALSE(f.enabled(m)) << menu_caption(m);
}

TEST_F(MainWindow, StartsEmpty) {
    expect_states(form, {M::KihonMenu, M::TegakiMenu, M::JikuDataReadMenu, M::SaigoKaisekiMenu, M::ExitMenu},
                  {M::SaveFileMenu, M::KaisekiMenu, M::KekkaHozonMenu, M::SetutenShiteiMenu, M::HyoujiMenu});
    EXPECT_FALSE(view.enabled[M::HyoujiMenu]);  // the real window was told as well
    EXPECT_EQ(form.state().PaintMode, Paint::kNothing);
    EXPECT_FALSE(view.timer);
    EXPECT_FALSE(view.node_search_visible);
    EXPECT_EQ(params.TAU, 30.0f);
    paint();
    ASSERT_EQ(canvas.items().size(), 1u);  // cleared, nothing drawn
    EXPECT_EQ(canvas.items()[0].kind, Kind::Clear);
}

TEST_F(MainWindow, CommandsWithoutTheirWindowSaySoAndChangeNothing) {
    for (auto cmd : {&NewFormPresenter::KihonMenuClick, &NewFormPresenter::TegakiMenuClick,
                     &NewFormPresenter::JikuDataReadMenuClick, &NewFormPresenter::SaigoKaisekiMenuClick}) {
        (form.*cmd)();
    }
    EXPECT_EQ(dialogs.messages.shown,
              std::vector<std::string>(4, kNotYetAvailable));
    expect_states(form, {M::KihonMenu, M::TegakiMenu, M::JikuDataReadMenu}, {M::SetutenShiteiMenu});
    EXPECT_TRUE(dialogs.filters.empty());
}

TEST_F(MainWindow, GeneratedModelBecomesReady) {
    make_model();
    expect_states(form,
                  {M::SetutenShiteiMenu, M::SaveFileMenu, M::HyoujiMenu, M::BuzaiBangouMenu,
                   M::SetutenMeishouMenu},
                  {M::KihonMenu, M::HoneSaveMenu, M::VeltoSaveMenu, M::KoteiStutenMenu, M::KajyuryouMenu,
                   M::SaigoKaisekiMenu, M::TegakiMenu, M::JikuDataReadMenu, M::KaisekiMenu});
    EXPECT_EQ(form.state().PaintMode, Paint::kModel);
    EXPECT_EQ(store.N_X, 2);
    EXPECT_EQ(store.N_Z, 2);
    EXPECT_STREQ(store.node[0].id, "X00Y00Z00");
    EXPECT_EQ(form.ken_node().XlevelMax, 1);
    EXPECT_EQ(form.ken_node().ZlevelMax, 1);
    EXPECT_GT(store.N_Size, 0);
    EXPECT_GE(view.repaints, 1);
    // Generated and only looked at from another angle: nothing to save.
    params.TAU = 45.0f;
    paint();
    EXPECT_FALSE(form.model_changed());
}

TEST_F(MainWindow, GeneratorLeavingNothingReturnsToTheEmptyState) {
    dialogs.windows[Window::KihonUnit] = [] {};
    form.KihonMenuClick();
    expect_states(form, {M::KihonMenu, M::TegakiMenu, M::JikuDataReadMenu}, {M::SetutenShiteiMenu});
    EXPECT_EQ(form.state().PaintMode, Paint::kNothing);
}

TEST_F(MainWindow, HandDrawnModelStartsWithoutMarks) {
    // Left unfinished: said so, and the editor can be opened again.
    dialogs.windows[Window::Tegaki] = [this] {
        build_portal(store, dialogs.messages);
        store.beam[2].flag = 1;  // drawn, no section yet
    };
    form.TegakiMenuClick();
    EXPECT_EQ(dialogs.messages.last(), editing::kMsgTegakiUnfinished);
    EXPECT_TRUE(form.enabled(M::TegakiMenu));
    EXPECT_FALSE(form.enabled(M::JikuDataReadMenu));
    EXPECT_EQ(form.state().PaintMode, Paint::kNothing);

    dialogs.windows[Window::Tegaki] = [this] {
        store.beam[2].flag = model::kBeamComplete;
        for (int i = 0; i < store.N_Node; ++i) store.node[i].flag = model::kNodeKnown;
    };
    form.TegakiMenuClick();
    for (int i = 0; i < store.N_Node; ++i) EXPECT_EQ(store.node[i].flag, 0);
    EXPECT_EQ(form.state().PaintMode, Paint::kModel);
    EXPECT_TRUE(form.enabled(M::KihonMenu));  // only its own command disables it
    EXPECT_FALSE(form.enabled(M::TegakiMenu));
    EXPECT_TRUE(form.model_changed());  // drawn work not yet saved here
}

// "軸データ編集": read, the axis data window, then the model is ready without
// a view reset or a redraw.
class AxisDataRead : public MainWindow {
protected:
    AxisDataRead()
        : dir(std::filesystem::temp_directory_path() / ("main_jiku_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir);
        ctx.cDirectory = dir.string();
    }
    ~AxisDataRead() override { std::filesystem::remove_all(dir); }
    std::string write(const char* name, const char* text) {
        std::ofstream((dir / name).string(), std::ios::binary) << text;
        return (dir / name).string();
    }
    std::filesystem::path dir;
};

TEST_F(AxisDataRead, ReadModelOpensTheWindowAndBecomesReady) {
    dialogs.file_names = {write("portal.jik",
                                "// a portal\r\n1 0 0 0 0 0 300 12 12\r\n1 300 0 0 300 0 300 12 12\r\n"
                                "1 0 0 300 300 0 300 12 24\r\n999\r\n")};
    int seen_beams = 0;
    std::string seen_code;
    dialogs.windows[Window::Jiku] = [&] {
        // Read, sized and named before the window opens; nothing is busy.
        seen_beams = store.N_Beam;
        seen_code = store.node[0].id;
        EXPECT_FALSE(view.busy);
        params.TAU = 45.0f;  // closed by its close box, leaving its angles
    };
    const int repaints = view.repaints;
    form.JikuDataReadMenuClick();
    EXPECT_EQ(dialogs.filters, std::vector<std::string>{kJikuFilter});
    EXPECT_EQ(dialogs.opened, std::vector<Window>{Window::Jiku});
    EXPECT_EQ(seen_beams, 3);
    EXPECT_EQ(seen_code, "X00Y00Z00");
    EXPECT_EQ(view.busy_calls, 2);
    EXPECT_EQ(params.box.X_MAX, 300.0f);
    EXPECT_EQ(params.box.Z_MIN, 0.0f);
    EXPECT_TRUE(std::filesystem::exists(dir / "Youseki.dat"));
    expect_states(form, {M::SetutenShiteiMenu, M::SaveFileMenu, M::HyoujiMenu, M::KihonMenu},
                  {M::TegakiMenu, M::JikuDataReadMenu, M::HoneSaveMenu, M::SaigoKaisekiMenu});
    EXPECT_EQ(form.state().PaintMode, Paint::kModel);
    EXPECT_EQ(form.ken_node().XlevelMax, 1);
    EXPECT_EQ(view.repaints, repaints);  // no redraw, and the angles stay
    EXPECT_EQ(params.TAU, 45.0f);
    EXPECT_TRUE(dialogs.messages.shown.empty());
    EXPECT_FALSE(form.model_changed());  // as its file holds it: closing asks nothing
}

TEST_F(AxisDataRead, FailedReadSaysSoAndLeavesNoModel) {
    dialogs.windows[Window::Jiku] = [] { ADD_FAILURE() << "the window opened"; };
    // A refused line after a good one, then a file that is not there.
    dialogs.file_names = {write("bad.jik", "1 0 0 0 0 0 300 12 12\n7 1 2 3\n"),
                          (dir / "none.jik").string()};
    form.JikuDataReadMenuClick();
    EXPECT_EQ(dialogs.messages.shown,
              (std::vector<std::string>{"最初の文字は '1' or '2' or '3' or '999'", kJikuReadFailed}));
    EXPECT_EQ(store.N_Beam, 0);
    EXPECT_EQ(store.N_Node, 0);
    EXPECT_FALSE(view.busy);
    EXPECT_EQ(form.state().PaintMode, Paint::kNothing);
    expect_states(form, {M::KihonMenu}, {M::TegakiMenu, M::JikuDataReadMenu, M::SetutenShiteiMenu});

    // The menus stay off as after a cancelled dialog; run directly, the
    // command reports a missing file the same way.
    dialogs.messages.shown.clear();
    form.JikuDataReadMenuClick();
    EXPECT_EQ(dialogs.messages.shown.size(), 2u);
    EXPECT_EQ(dialogs.messages.last(), kJikuReadFailed);

    // Cancelling the file dialog reads nothing and keeps the menus off.
    dialogs.messages.shown.clear();
    form.JikuDataReadMenuClick();
    EXPECT_TRUE(dialogs.messages.shown.empty());
    EXPECT_FALSE(form.enabled(M::JikuDataReadMenu));
    EXPECT_TRUE(dialogs.opened.empty());
}

TEST_F(MainWindow, IncompleteModelEndsTheCommandAtTheCheck) {
    dialogs.windows[Window::KihonUnit] = [this] {
        build_portal(store, dialogs.messages);
        store.beam[1].flag = 0;  // an unfinished member
    };
    form.KihonMenuClick();
    EXPECT_FALSE(form.enabled(M::KihonMenu));
    EXPECT_FALSE(form.enabled(M::SetutenShiteiMenu));
    EXPECT_EQ(form.state().PaintMode, Paint::kNothing);
}

TEST_F(MainWindow, SupportPickingFlagRules) {
    make_model();
    form.KousokuSetutenMenuClick();
    EXPECT_TRUE(view.node_search_visible);
    EXPECT_TRUE(view.timer);
    EXPECT_EQ(form.KenNodeActive(), 1);
    const int foot = node_at(0, 0, 0);
    click(foot);
    EXPECT_EQ(store.node[foot].flag, model::kPickSupport);
    click(foot);  // a second pick takes the mark away
    EXPECT_EQ(store.node[foot].flag, 0);
    store.node[foot].flag = model::kPickLoad;
    click(foot);  // a loaded node becomes a support
    EXPECT_EQ(store.node[foot].flag, model::kPickSupport);
    store.node[foot].flag = model::kSearchMark;
    click(foot);
    EXPECT_EQ(store.node[foot].flag, 0);
}

TEST_F(MainWindow, LoadPickingFlagRules) {
    make_model();
    form.KajyuSetutenMenuClick();
    const int top = node_at(0, 0, 300);
    click(top);
    EXPECT_EQ(store.node[top].flag, model::kPickLoad);
    click(top);
    EXPECT_EQ(store.node[top].flag, 0);
    store.node[top].flag = model::kPickSupport;
    click(top);
    EXPECT_EQ(store.node[top].flag, model::kPickLoad);
}

TEST_F(MainWindow, OnlyALoneLeftButtonPicks) {
    make_model();
    form.KousokuSetutenMenuClick();
    const int foot = node_at(0, 0, 0);
    click(foot, MouseButton::Right);
    EXPECT_EQ(store.node[foot].flag, 0);
    const render::Pixel p = pixel_of_node(foot);
    form.FormMouseDown(MouseButton::Left, p.x, p.y);
    form.FormMouseDown(MouseButton::Right, p.x, p.y);
    form.FormMouseUp(MouseButton::Right, p.x, p.y);
    EXPECT_EQ(store.node[foot].flag, 0);
    EXPECT_TRUE(dialogs.messages.shown.empty());
    // Without a picking mode nothing is picked either.
    form.SetutenDataMenuClick();
    dialogs.messages.shown.clear();
    click(foot);
    EXPECT_TRUE(dialogs.messages.shown.empty());
}

TEST_F(MainWindow, PickAwayFromEveryNode) {
    make_model();
    form.KousokuSetutenMenuClick();
    form.FormMouseDown(MouseButton::Left, 2, 2);
    form.FormMouseUp(MouseButton::Left, 2, 2);
    EXPECT_EQ(dialogs.messages.shown, std::vector<std::string>{kNoNodeFound});
}

TEST_F(MainWindow, TimerHidesTheNodeSearchWhenItIsDone) {
    make_model();
    form.KajyuSetutenMenuClick();
    form.Timer1Timer();
    EXPECT_TRUE(view.node_search_visible);
    form.node_search_finished();
    form.Timer1Timer();
    EXPECT_FALSE(view.node_search_visible);
    EXPECT_FALSE(view.timer);
}

TEST_F(MainWindow, NodeDataBuildsTheListsOnceAndMakesTheModelReadyForAnalysis) {
    make_model();
    form.KousokuSetutenMenuClick();
    click(node_at(0, 0, 0));
    click(node_at(300, 0, 0));
    form.SetutenDataMenuClick();
    EXPECT_EQ(store.N_Fix, 2);
    EXPECT_EQ(store.N_Load, 0);
    EXPECT_FALSE(form.enabled(M::KaisekiMenu));  // no load yet: lists may be rebuilt
    ASSERT_FALSE(dialogs.messages.shown.empty());
    EXPECT_EQ(dialogs.messages.shown.back(), kNotYetAvailable);

    form.KajyuSetutenMenuClick();
    click(node_at(0, 0, 300));
    bool window_ran = false;
    dialogs.windows[Window::SelNode] = [&] { window_ran = true; };
    form.SetutenDataMenuClick();
    EXPECT_TRUE(window_ran);
    EXPECT_EQ(store.N_Fix, 2);
    ASSERT_EQ(store.N_Load, 1);
    EXPECT_EQ(store.load[0].pz, -200.0f);
    expect_states(form, {M::HoneSaveMenu, M::VeltoSaveMenu, M::KaisekiMenu, M::KoteiStutenMenu, M::KajyuryouMenu},
                  {});
    EXPECT_EQ(form.state().FixLoadBuilt, 1);
    EXPECT_FALSE(view.node_search_visible);

    // From now on the marks no longer change the lists.
    form.KousokuSetutenMenuClick();
    click(node_at(300, 0, 300));
    form.SetutenDataMenuClick();
    EXPECT_EQ(store.N_Fix, 2);
}

TEST_F(MainWindow, DisplayTogglesCheckTheirItems) {
    make_model();
    const int before = view.repaints;
    form.SetutenMeishouMenuClick();
    form.KajyuryouMenuClick();
    EXPECT_TRUE(form.checked(M::SetutenMeishouMenu));
    EXPECT_TRUE(view.checked[M::KajyuryouMenu]);
    EXPECT_FALSE(form.checked(M::BuzaiBangouMenu));
    form.SetutenMeishouMenuClick();
    EXPECT_FALSE(form.checked(M::SetutenMeishouMenu));
    EXPECT_EQ(form.ShowNodeName(), 0);
    EXPECT_EQ(form.ShowLoad(), 1);
    EXPECT_EQ(view.repaints, before + 3);
}

TEST_F(MainWindow, PaintDrawsMembersAndNodeSymbolsThroughTheLevelWindow) {
    make_model();
    store.node[node_at(0, 0, 0)].flag = model::kPickSupport;
    store.node[node_at(300, 0, 0)].flag = model::kPickLoad;
    store.node[node_at(0, 0, 300)].flag = model::kSearchMark;
    paint();
    EXPECT_EQ(canvas.of(Kind::Line).size(), 3u);
    EXPECT_EQ(form.drawn_nodes(), 4);
    auto boxes = canvas.of(Kind::Rectangle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].brush, render::kRed);
    EXPECT_EQ(boxes[0].x2 - boxes[0].x1, 10);
    std::multiset<int> discs;
    for (const auto& e : canvas.of(Kind::Ellipse)) discs.insert(e.brush);
    EXPECT_EQ(discs, (std::multiset<int>{render::kRed, render::kBlue, render::kBlack}));
    for (const auto& l : canvas.of(Kind::Line)) {
        EXPECT_EQ(l.pen.colour, render::kBlack);
        EXPECT_EQ(l.pen.width, 1);
    }
    // A member is drawn with one end inside; both ends above the window hide it.
    form.ken_node().ZlevelMax = 0;
    paint();
    EXPECT_EQ(canvas.of(Kind::Line).size(), 2u);  // the posts, not the beam at Z01
    EXPECT_EQ(form.drawn_nodes(), 2);
    // Raising the lower bound instead: the posts cross into the window from
    // below and stay, with the beam; only the top nodes lie inside.
    form.ken_node().ZlevelMax = 1;
    form.ken_node().ZlevelMin = 1;
    paint();
    EXPECT_EQ(canvas.of(Kind::Line).size(), 3u);
    EXPECT_EQ(form.drawn_nodes(), 2);
    // The same across X: the post at X00 lies wholly below, the beam crosses.
    form.ken_node().ZlevelMin = 0;
    form.ken_node().XlevelMin = 1;
    paint();
    EXPECT_EQ(canvas.of(Kind::Line).size(), 2u);
    EXPECT_EQ(form.drawn_nodes(), 2);
}

TEST_F(MainWindow, LabelsAreStrokedWhenTheirToggleIsOn) {
    make_model();
    const std::size_t plain = canvas.of(Kind::Line).size();
    form.SetutenMeishouMenuClick();
    paint();
    const std::size_t with_names = canvas.of(Kind::Line).size();
    EXPECT_GT(with_names, plain + 4 * 9);  // nine characters per node, several strokes each
    form.SetutenMeishouMenuClick();
    form.BuzaiBangouMenuClick();
    paint();
    EXPECT_GT(canvas.of(Kind::Line).size(), plain);
}

TEST_F(MainWindow, PicksFindTheNodeUnderThePointerAtEveryZoom) {
    make_model();
    const std::vector<RecordingCanvas::Item> never_zoomed = canvas.items();
    form.KousokuSetutenMenuClick();
    // Zoomed in about a corner, panned, zoomed out again: each time every
    // node is picked where it is drawn now, and its old place finds nothing.
    struct Step {
        int x, y;
        double factor;
        int dx, dy;
    };
    for (const Step& s :
         {Step{200, 150, 4.0, 0, 0}, Step{600, 500, 1.0, -350, 120}, Step{400, 300, 0.2, 30, 0}}) {
        const render::Pixel before = pixel_of_node(0);
        render::zoom_view(form.view_window(), s.x, s.y, s.factor);
        render::pan_view(form.view_window(), s.dx, s.dy);
        paint();  // a repaint refits the World underneath; the zoom stays
        for (int i = 0; i < store.N_Node; ++i) {
            click(i);
            EXPECT_EQ(store.node[i].flag, model::kPickSupport) << "node " << i;
            click(i);
            EXPECT_EQ(store.node[i].flag, 0);
        }
        EXPECT_TRUE(dialogs.messages.shown.empty());
        const render::Pixel after = pixel_of_node(0);
        if (std::abs(after.x - before.x) + std::abs(after.y - before.y) > 40) {
            form.FormMouseDown(MouseButton::Left, before.x, before.y);
            form.FormMouseUp(MouseButton::Left, before.x, before.y);
            EXPECT_EQ(dialogs.messages.shown, std::vector<std::string>{kNoNodeFound});
            dialogs.messages.shown.clear();
        }
    }
    // "全体表示" brings the fitted drawing back, to the pixel.
    render::fit_view(form.view_window());
    paint();
    ASSERT_EQ(canvas.items().size(), never_zoomed.size());
    for (std::size_t i = 0; i < never_zoomed.size(); ++i) {
        EXPECT_EQ(canvas.items()[i].x1, never_zoomed[i].x1);
        EXPECT_EQ(canvas.items()[i].y1, never_zoomed[i].y1);
        EXPECT_EQ(canvas.items()[i].x2, never_zoomed[i].x2);
        EXPECT_EQ(canvas.items()[i].y2, never_zoomed[i].y2);
    }
}

// A plan grid of n x n nodes, 60 apart, joined along x and y.
void build_grid(model::ModelStore& m, model::MessageService& msg, int n) {
    for (int i = 0; i < n; ++i)
        for (int j = 0; j + 1 < n; ++j) {
            testing::add_member(m, msg, 60.0f * j, 60.0f * i, 0, 60.0f * (j + 1), 60.0f * i, 0);
            testing::add_member(m, msg, 60.0f * i, 60.0f * j, 0, 60.0f * i, 60.0f * (j + 1), 0);
        }
}

TEST_F(MainWindow, CrowdedLabelsAreThinnedAndZoomingInShowsThem) {
    // The portal with every label: nothing is left out.
    make_model();
    form.SetutenMeishouMenuClick();
    form.BuzaiBangouMenuClick();
    paint();
    EXPECT_FALSE(form.labels_thinned());

    model::ModelStore& m = store;
    m.N_Node = m.N_Beam = 0;
    build_grid(m, dialogs.messages, 16);
    ASSERT_EQ(model_ready_step(m, form.state(), dialogs.messages), 0);
    form.ken_node().open();
    paint();
    const std::size_t crowded = canvas.of(Kind::Line).size();
    EXPECT_TRUE(form.labels_thinned());

    // Zoomed in on the middle: the names of the nodes on the area spread
    // apart at their size on the screen, and none is left out.
    render::zoom_view(form.view_window(), 400, 300, 8.0);
    paint();
    EXPECT_FALSE(form.labels_thinned());
    int inside = 0;
    for (int i = 0; i < m.N_Node; ++i) {
        const render::Pixel p = pixel_of_node(i);
        inside += p.x >= 0 && p.x < 800 && p.y >= 0 && p.y < 600;
    }
    EXPECT_GT(inside, 4);
    EXPECT_LT(inside, m.N_Node);
    EXPECT_NE(canvas.of(Kind::Line).size(), crowded);
}

TEST_F(MainWindow, SavingTheSolverInput) {
    make_model();
    form.KousokuSetutenMenuClick();
    click(node_at(0, 0, 0));
    form.KajyuSetutenMenuClick();
    click(node_at(0, 0, 300));
    form.SetutenDataMenuClick();
    const auto dir = std::filesystem::path(::testing::TempDir()) / "new_form_save";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "portal.bon").string();
    dialogs.file_names.push_back(file);
    form.VeltoSaveMenuClick();
    EXPECT_EQ(dialogs.filters.back(), kVeltoFilter);
    std::ifstream in(file, std::ios::binary);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "     2\r");  // two X levels
    EXPECT_EQ(view.busy_calls, 2);
    // Cancelled dialog: nothing happens.
    form.VeltoSaveMenuClick();
    // A folder that does not exist: the failure is reported.
    dialogs.file_names.push_back((dir / "no" / "such" / "x.bon").string());
    dialogs.messages.shown.clear();
    form.VeltoSaveMenuClick();
    ASSERT_FALSE(dialogs.messages.shown.empty());
    EXPECT_EQ(dialogs.messages.shown.back(), kVeltoSaveFailed);
    std::filesystem::remove_all(dir);
}

TEST_F(MainWindow, SavingTheFrameGraphicFile) {
    make_model();
    const auto dir = std::filesystem::path(::testing::TempDir()) / "new_form_ydu";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "portal.ydu").string();
    dialogs.file_names.push_back(file);
    form.HoneSaveMenuClick();
    EXPECT_EQ(dialogs.filters.back(), kHoneFilter);
    std::ifstream in(file, std::ios::binary);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "\"NODE\"\r");
    // Cancelled dialog: nothing happens; an impossible folder: both messages.
    form.HoneSaveMenuClick();
    dialogs.file_names.push_back((dir / "no" / "such" / "x.ydu").string());
    dialogs.messages.shown.clear();
    form.HoneSaveMenuClick();
    EXPECT_EQ(dialogs.messages.shown,
              (std::vector<std::string>{"Error: Unable to open GraFile", kHoneSaveFailed}));
    std::filesystem::remove_all(dir);
}

// Every item of the menus, with what each state of the work enables.
TEST_F(MainWindow, WalkThroughTheMenuStates) {
    const std::set<M> all = {M::KihonMenu, M::TegakiMenu, M::JikuDataReadMenu, M::SaveFileMenu,
                             M::HoneSaveMenu, M::VeltoSaveMenu, M::KaisekiMenu, M::KekkaHozonMenu,
                             M::SaigoKaisekiMenu, M::ExitMenu, M::SetutenShiteiMenu,
                             M::HyoujiMenu, M::SetutenMeishouMenu, M::BuzaiBangouMenu,
                             M::KoteiStutenMenu, M::KajyuryouMenu, M::ModelHirakuMenu,
                             M::ModelHozonMenu};
    // An item counts as usable when it and the menu it sits in are enabled.
    auto usable = [&](M m) {
        if (!form.enabled(m)) return false;
        switch (m) {
            case M::HoneSaveMenu:
            case M::VeltoSaveMenu: return form.enabled(M::SaveFileMenu);
            case M::SetutenMeishouMenu:
            case M::BuzaiBangouMenu:
            case M::KoteiStutenMenu:
            case M::KajyuryouMenu: return form.enabled(M::HyoujiMenu);
            default: return true;
        }
    };
    auto expect_usable = [&](const char* state, std::set<M> on) {
        for (M m : all) EXPECT_EQ(usable(m), on.count(m) > 0) << state << ": " << menu_caption(m);
    };

    expect_usable("empty", {M::KihonMenu, M::TegakiMenu, M::JikuDataReadMenu, M::SaigoKaisekiMenu,
                            M::ExitMenu, M::ModelHirakuMenu});

    dialogs.windows[Window::Velto] = [] {};
    form.SaigoKaisekiMenuClick();
    expect_usable("results of an earlier run",
                  {M::KihonMenu, M::TegakiMenu, M::JikuDataReadMenu, M::SaigoKaisekiMenu,
                   M::ExitMenu, M::KekkaHozonMenu, M::ModelHirakuMenu});
    EXPECT_EQ(view.busy_calls, 2);

    make_model();
    expect_usable("model ready", {M::ExitMenu, M::KekkaHozonMenu, M::SetutenShiteiMenu,
                                  M::SaveFileMenu, M::HyoujiMenu, M::SetutenMeishouMenu,
                                  M::BuzaiBangouMenu, M::ModelHirakuMenu, M::ModelHozonMenu});

    form.KousokuSetutenMenuClick();
    click(node_at(0, 0, 0));
    form.KajyuSetutenMenuClick();
    click(node_at(300, 0, 300));
    form.SetutenDataMenuClick();
    expect_usable("ready for analysis",
                  {M::ExitMenu, M::KekkaHozonMenu, M::SetutenShiteiMenu, M::SaveFileMenu,
                   M::HyoujiMenu, M::SetutenMeishouMenu, M::BuzaiBangouMenu, M::HoneSaveMenu,
                   M::VeltoSaveMenu, M::KaisekiMenu, M::KoteiStutenMenu, M::KajyuryouMenu,
                   M::ModelHirakuMenu, M::ModelHozonMenu});
}


// The save question before the model is replaced or the program ends: asked
// only about a model changed since it was opened (marks picked here), and each
// answer does what it says. A new view angle alone is no change.
TEST(MainWindowSaveQuestion, EachCommandAndAnswer) {
    enum class Cmd { kExit, kClose, kOpen, kGenerate };
    enum class Ans { kNone, kSave, kSaveCancelled, kDiscard, kCancel };
    const auto dir = std::filesystem::path(::testing::TempDir()) / "new_form_save_question";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string saved = (dir / "saved.man").string();
    int n = 0;
    for (Cmd cmd : {Cmd::kExit, Cmd::kClose, Cmd::kOpen, Cmd::kGenerate}) {
        for (Ans ans : {Ans::kNone, Ans::kSave, Ans::kSaveCancelled, Ans::kDiscard, Ans::kCancel}) {
            SCOPED_TRACE(::testing::Message() << "command " << static_cast<int>(cmd) << " answer "
                                              << static_cast<int>(ans));
            std::filesystem::remove(saved);
            model::ModelStore store;
            render::ViewParams params;
            AppContext ctx{store, params, dir.string(), ""};
            FakeView view;
            ScriptedDialogs dialogs;
            render::StrokeText text{render::StrokeFont::builtin()};
            NewFormPresenter form(ctx, view, dialogs, text);
            form.FormCreate(800, 600);
            dialogs.file_names = {std::string(APP_TESTDATA) + "/portal.man"};
            form.ModelHirakuMenuClick();
            ASSERT_EQ(store.N_Beam, 3);
            RecordingCanvas canvas{800, 600};
            form.FormPaint(canvas);
            const bool changed = ans != Ans::kNone;
            if (changed) {
                form.KousokuSetutenMenuClick();
                const render::Pixel p =
                    render::world_to_crt(form.view_window(), store.node[0].X, store.node[0].Y);
                form.FormMouseDown(MouseButton::Left, p.x, p.y);
                form.FormMouseUp(MouseButton::Left, p.x, p.y);
                ASSERT_EQ(store.node[0].flag, model::kPickSupport);
            } else {
                params.TAU = 50.0f;
                form.FormResize(640, 480);
                form.FormPaint(canvas);
            }
            EXPECT_EQ(form.model_changed(), changed);
            const std::uint64_t before = model_fingerprint(store);

            switch (ans) {
                case Ans::kSave: dialogs.messages.save_answers = {ui::SaveAnswer::kSave};
                    dialogs.file_names = {saved};
                    break;
                case Ans::kSaveCancelled: dialogs.messages.save_answers = {ui::SaveAnswer::kSave};
                    dialogs.file_names = {""};
                    break;
                case Ans::kDiscard: dialogs.messages.save_answers = {ui::SaveAnswer::kDiscard}; break;
                case Ans::kCancel: dialogs.messages.save_answers = {ui::SaveAnswer::kCancel}; break;
                case Ans::kNone: break;
            }
            const bool goes_on = ans == Ans::kNone || ans == Ans::kSave || ans == Ans::kDiscard;
            bool went_on = false;
            switch (cmd) {
                case Cmd::kExit:
                    form.ExitMenuClick();
                    went_on = view.closed;
                    break;
                case Cmd::kClose: went_on = form.FormCloseQuery(); break;
                case Cmd::kOpen:
                    dialogs.file_names.push_back(std::string(APP_TESTDATA) + "/cantilever.man");
                    form.ModelHirakuMenuClick();
                    went_on = store.N_Beam == 1;
                    break;
                case Cmd::kGenerate:
                    dialogs.windows[Window::KihonUnit] = [&] {
                        store.N_Node = store.N_Beam = 0;
                        store.node_table_changed();
                        testing::add_member(store, dialogs.messages, 0, 0, 0, 0, 0, 250);
                    };
                    form.KihonMenuClick();
                    went_on = store.N_Beam == 1;
                    break;
            }
            EXPECT_EQ(went_on, goes_on);
            EXPECT_EQ(dialogs.messages.asked,
                      changed ? std::vector<std::string>{kAskSaveModel} : std::vector<std::string>{});
            EXPECT_TRUE(dialogs.messages.save_answers.empty());
            EXPECT_EQ(std::filesystem::exists(saved), ans == Ans::kSave);
            if (ans == Ans::kSave) {
                // The file holds the model as it was asked about.
                model::ModelStore back;
                ASSERT_EQ(files::load_tegaki_data(back, saved, dialogs.messages), 0);
                EXPECT_EQ(model_fingerprint(back), before);
            }
            if (!goes_on) {
                EXPECT_EQ(model_fingerprint(store), before);  // the model stays
            }
            // Saved, or replaced by a model as its file or generator left it:
            // nothing more to ask about; kept unsaved (also when discarded
            // at closing): still asked.
            const bool replaced = goes_on && (cmd == Cmd::kOpen || cmd == Cmd::kGenerate);
            EXPECT_EQ(form.model_changed(), changed && ans != Ans::kSave && !replaced);
            EXPECT_TRUE(dialogs.messages.shown.empty()) << dialogs.messages.last();
            ++n;
        }
    }
    EXPECT_EQ(n, 20);
    std::filesystem::remove_all(dir);
}

// Opening a structure data file that cannot be used: a refused file leaves the
// model before; one with unfinished members goes to the hand-drawn editor.
TEST_F(MainWindow, OpeningAStructureDataFileThatCannotBeUsed) {
    make_model();
    const std::uint64_t before = model_fingerprint(store);
    const auto dir = std::filesystem::path(::testing::TempDir()) / "new_form_open_bad";
    std::filesystem::create_directories(dir);
    const std::string big = (dir / "big.man").string();
    std::ofstream(big, std::ios::binary) << " 20000\n";
    dialogs.file_names = {big, (dir / "missing.man").string()};
    form.ModelHirakuMenuClick();
    form.ModelHirakuMenuClick();
    ASSERT_EQ(dialogs.messages.shown.size(), 4u);
    EXPECT_EQ(dialogs.messages.shown[1], kManReadFailed);
    EXPECT_EQ(dialogs.messages.shown[3], kManReadFailed);
    EXPECT_EQ(model_fingerprint(store), before);
    EXPECT_EQ(form.state().PaintMode, Paint::kModel);

    // A file that ends inside its node table: what was read, and nothing of
    // the model before (its three members).
    dialogs.messages.shown.clear();
    const std::string cut = (dir / "cut.man").string();
    std::ifstream whole(std::string(APP_TESTDATA) + "/cantilever.man", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    std::ofstream(cut, std::ios::binary) << text.substr(0, 60);
    dialogs.file_names = {cut};
    form.ModelHirakuMenuClick();
    EXPECT_EQ(dialogs.messages.shown,
              (std::vector<std::string>{kManReadShort, editing::kMsgTegakiUnfinished}));
    EXPECT_EQ(store.N_Node, 2);
    EXPECT_EQ(store.N_Beam, 0);

    dialogs.messages.shown.clear();
    dialogs.file_names = {std::string(APP_TESTDATA) + "/unfinished.man"};
    form.ModelHirakuMenuClick();
    EXPECT_EQ(dialogs.messages.last(), editing::kMsgTegakiUnfinished);
    EXPECT_EQ(form.state().PaintMode, Paint::kNothing);
    EXPECT_TRUE(form.enabled(M::TegakiMenu));
    EXPECT_FALSE(form.enabled(M::SetutenShiteiMenu));
    EXPECT_FALSE(form.enabled(M::ModelHozonMenu));
    EXPECT_FALSE(form.model_changed());
    std::filesystem::remove_all(dir);
}

#ifdef VELTOSOL_DIR
TEST_F(MainWindow, AnalysisRunsTheSolverAndOpensTheResults) {
    make_model();
    form.KousokuSetutenMenuClick();
    click(node_at(0, 0, 0));
    click(node_at(300, 0, 0));
    form.KajyuSetutenMenuClick();
    click(node_at(0, 0, 300));
    form.SetutenDataMenuClick();
    ASSERT_TRUE(form.enabled(M::KaisekiMenu));

    const auto dir = std::filesystem::path(::testing::TempDir()) / "new_form_analysis";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    ctx.cDirectory = dir.string();
    ctx.program_dir = VELTOSOL_DIR;  // no solver in the working folder: the program's folder
    params.TAU = 45;
    analyse_with_the_solver(dir);
    EXPECT_EQ(params.TAU, 30.0f);
    EXPECT_EQ(form.state().PaintMode, Paint::kModel);
    EXPECT_TRUE(form.enabled(M::KekkaHozonMenu));  // the results shown can be saved

    // Saving the results: the listing, then the displacements.
    const std::string out = (dir / "run.out").string();
    dialogs.file_names.push_back(out);
    form.KekkaHozonMenuClick();
    EXPECT_EQ(std::filesystem::file_size(out),
              std::filesystem::file_size(dir / "VELTOSOL.LST") +
                  std::filesystem::file_size(dir / "VELTOSOL.DSP"));
    std::filesystem::remove_all(dir);
}

// The sample of the README, opened in the main window and analysed: read,
// upkeep as after a generation, marks, node data, the solver; then another
// model opened over it starts without the old supports and loads.
TEST_F(MainWindow, OpenTheSampleFrameAndAnalyseIt) {
    const auto dir = std::filesystem::path(::testing::TempDir()) / "new_form_open_frame";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    ctx.cDirectory = dir.string();
    ctx.program_dir = VELTOSOL_DIR;
    dialogs.file_names = {std::string(EXAMPLES_DIR) + "/frame/frame.man"};
    params.TAU = 45.0f;
    form.ModelHirakuMenuClick();
    EXPECT_EQ(dialogs.filters, std::vector<std::string>{editing::kTegakiOpenFilter});
    ASSERT_EQ(store.N_Node, 24);
    ASSERT_EQ(store.N_Beam, 29);
    EXPECT_TRUE(dialogs.messages.shown.empty()) << dialogs.messages.last();
    expect_states(form, {M::SetutenShiteiMenu, M::SaveFileMenu, M::HyoujiMenu, M::ModelHozonMenu},
                  {M::TegakiMenu, M::JikuDataReadMenu, M::KaisekiMenu, M::SaigoKaisekiMenu});
    EXPECT_EQ(form.state().PaintMode, Paint::kModel);
    EXPECT_EQ(params.TAU, 30.0f);
    EXPECT_STREQ(store.node[0].id, "X00Y00Z00");
    EXPECT_GT(store.N_Size, 0);
    float top = store.node[0].z;
    for (int i = 0; i < store.N_Node; ++i) {
        EXPECT_EQ(store.node[i].flag, 0) << i;  // the editor's flags are not pick marks
        top = std::max(top, store.node[i].z);
    }
    EXPECT_FALSE(form.model_changed());
    paint();
    EXPECT_EQ(form.drawn_nodes(), 24);

    // Supports at the foot, loads on the top level, as picking leaves them.
    for (int i = 0; i < store.N_Node; ++i) {
        if (store.node[i].z == 0.0f) store.node[i].flag = model::kPickSupport;
        if (store.node[i].z == top) store.node[i].flag = model::kPickLoad;
    }
    form.SetutenDataMenuClick();
    ASSERT_TRUE(form.enabled(M::KaisekiMenu));
    analyse_with_the_solver(dir);
    EXPECT_TRUE(form.model_changed());  // the marks are work of this session

    dialogs.messages.save_answers = {ui::SaveAnswer::kDiscard};
    dialogs.file_names = {std::string(APP_TESTDATA) + "/cantilever.man"};
    form.ModelHirakuMenuClick();
    EXPECT_EQ(store.N_Beam, 1);
    EXPECT_EQ(store.N_Fix, 0);
    EXPECT_EQ(store.N_Load, 0);
    EXPECT_EQ(form.state().FixLoadBuilt, 0);
    EXPECT_FALSE(form.enabled(M::KaisekiMenu));
    std::filesystem::remove_all(dir);
}
#endif

TEST_F(MainWindow, JobsInAFolderAnotherJobHoldsAreAbandonedWithAMessage) {
    make_model();
    const auto dir = std::filesystem::path(::testing::TempDir()) / "new_form_busy";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    ctx.cDirectory = dir.string();
    int shown = 0;
    dialogs.windows[Window::Velto] = [&] { ++shown; };
    {
        testing::OtherJob other(dir.string());
        ASSERT_TRUE(other.holds());
        dialogs.messages.shown.clear();
        dialogs.filters.clear();
        form.KaisekiMenuClick();
        form.SaigoKaisekiMenuClick();
        form.KekkaHozonMenuClick();
        EXPECT_EQ(dialogs.messages.shown,
                  std::vector<std::string>(3, model::kMsgFolderBusy));
        EXPECT_EQ(shown, 0);
        EXPECT_TRUE(dialogs.filters.empty());  // no save dialog either
        EXPECT_FALSE(std::filesystem::exists(dir / "VELTOSOL.IN"));
    }
    form.SaigoKaisekiMenuClick();
    EXPECT_EQ(shown, 1);
    std::filesystem::remove_all(dir);
}

TEST_F(MainWindow, HelpAboutAndExit) {
    form.Help2Click();
    EXPECT_EQ(dialogs.help, 1);
    form.About1Click();
    EXPECT_NE(dialogs.messages.last().find(std::string("バージョン ") + TARVIK_VERSION),
              std::string::npos);
    EXPECT_NE(dialogs.messages.last().find(TARVIK_BUILD_DATE), std::string::npos);
    form.ExitMenuClick();
    EXPECT_TRUE(view.closed);
}

}  // namespace
}  // namespace tarvik::app
