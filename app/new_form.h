// The main window TNewForm: its menus and their states through the steps of
// the work, support and load picking, the display toggles, the timer that
// hides the node search again, and the wire drawing of the model.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/dialogs.h"
#include "analysis/analysis_run.h"
#include "app/main_flow.h"
#include "editing/ken_node.h"
#include "editing/ken_node_form.h"
#include "model/model_store.h"
#include "render/canvas.h"
#include "render/stroke_text.h"
#include "render/view_params.h"
#include "render/view_window.h"
#include "ui/texts.h"

namespace tarvik::app {

enum class MenuItem {
    KihonMenu,
    TegakiMenu,
    JikuDataReadMenu,
    SaveFileMenu,
    HoneSaveMenu,
    VeltoSaveMenu,
    KaisekiMenu,
    KekkaHozonMenu,
    SaigoKaisekiMenu,
    ExitMenu,
    ModelHirakuMenu,  // open a structure data file (.man)
    ModelHozonMenu,   // save the model as one
    SetutenShiteiMenu,
    KousokuSetutenMenu,
    KajyuSetutenMenu,
    SetutenDataMenu,
    BeamParamMenu,
    HyoujiMenu,
    SetutenMeishouMenu,
    BuzaiBangouMenu,
    KoteiStutenMenu,
    KajyuryouMenu,
    Help2,
    About1,
    Count
};

// Captions of the menus and their items, as the window shows them.
const char* menu_caption(MenuItem item);

// What the presenter asks of the real window.
class NewFormView {
public:
    virtual ~NewFormView() = default;
    virtual void set_menu_enabled(MenuItem item, bool enabled) = 0;
    virtual void set_menu_checked(MenuItem item, bool checked) = 0;
    virtual void repaint() = 0;
    virtual void show_node_search(bool visible) = 0;
    virtual void set_timer_enabled(bool enabled) = 0;
    virtual void set_busy(bool busy) = 0;
    virtual void close_window() = 0;
};

enum class MouseButton { Left, Right, Middle };

// The process-wide state the main window shares with the other windows.
struct AppContext {
    model::ModelStore& store;
    render::ViewParams& view;
    std::string cDirectory;
    std::string program_dir;  // folder of the running program: where the solver is looked for next
};

class NewFormPresenter : public editing::KenNodeHost {
public:
    NewFormPresenter(AppContext& ctx, NewFormView& view, Dialogs& dialogs, render::StrokeText& text);

    // Start-up, in the order the window is created.
    void FormCreate(int client_width, int client_height);

    // Menu commands.
    void KihonMenuClick();
    void TegakiMenuClick();
    void JikuDataReadMenuClick();
    void HoneSaveMenuClick();
    void VeltoSaveMenuClick();
    void KaisekiMenuClick();
    void KekkaHozonMenuClick();
    void SaigoKaisekiMenuClick();
    void ExitMenuClick();
    void ModelHirakuMenuClick();
    void ModelHozonMenuClick();
    void KousokuSetutenMenuClick();
    void KajyuSetutenMenuClick();
    void SetutenDataMenuClick();
    void BeamParamMenuClick();
    void SetutenMeishouMenuClick();
    void BuzaiBangouMenuClick();
    void KoteiStutenMenuClick();
    void KajyuryouMenuClick();
    void Help2Click();
    void About1Click();

    // Whether the window may close (its close box, the desktop ending the
    // session): asks about a model changed since it was saved; false when the
    // user cancelled. After "終了" has asked already, true.
    bool FormCloseQuery();

    // Whether the model differs from what was last saved or opened or made
    // by the generator (the last time nothing of it was at stake).
    bool model_changed() const;

    // Window events.
    void FormPaint(render::Canvas& canvas);
    void FormResize(int client_width, int client_height);
    void FormMouseDown(MouseButton button, int x, int y);
    void FormMouseUp(MouseButton button, int x, int y);
    void Timer1Timer();

    // The node search shares the level window with the drawing and reads the
    // picking mode; it clears KenNodeActive when it finishes.
    editing::KenNodeCore& ken_node() { return ken_; }
    editing::PickMode pick_mode() const override;
    void node_search_finished() override { KenNodeActive_ = 0; }
    void repaint_main() override { view_.repaint(); }
    int KenNodeActive() const { return KenNodeActive_; }

    // State, for the window and for tests.
    bool enabled(MenuItem item) const { return enabled_[static_cast<int>(item)]; }
    bool checked(MenuItem item) const { return checked_[static_cast<int>(item)]; }
    const MainFlowState& state() const { return state_; }
    MainFlowState& state() { return state_; }
    int ShowNodeName() const { return ShowNodeName_; }
    int ShowBeamNo() const { return ShowBeamNo_; }
    int ShowFix() const { return ShowFix_; }
    int ShowLoad() const { return ShowLoad_; }
    int drawn_nodes() const { return drawn_nodes_; }
    const render::ViewWindow& view_window() const { return win_; }
    // The drawing's zoom and pan live in its window; the mouse changes them.
    render::ViewWindow& view_window() { return win_; }
    // The last drawing left out labels that would have piled up.
    bool labels_thinned() const { return labels_thinned_; }

private:
    void enable(MenuItem item, bool on);
    void check(MenuItem item, bool on);
    bool window_available(Window w);
    bool model_ready(bool view_reset, bool redraw);
    void enter_empty_state();
    void forget_node_data();
    bool may_replace_model();
    bool save_model();
    void toggle(int& flag, MenuItem item);
    void start_pick(bool kousoku);
    void paint_model(render::Canvas& canvas);
    void paint_labels(render::Canvas& canvas);
    void results_shown();

    // What the analysis commands need of the window.
    class AnalysisHost : public analysis::AnalysisHost {
    public:
        explicit AnalysisHost(NewFormPresenter& f) : f_(f) {}
        void set_busy(bool busy) override { f_.view_.set_busy(busy); }
        std::string save_file_name(std::string_view filter, std::string_view ext) override {
            return f_.dialogs_.save_file_name(filter, ext);
        }
        void show_results() override { f_.dialogs_.run_window(Window::Velto); }

    private:
        NewFormPresenter& f_;
    };
    AnalysisHost analysis_host_{*this};
    analysis::AnalysisContext analysis_context() const {
        return {ctx_.store, ctx_.cDirectory, ctx_.program_dir};
    }

    AppContext& ctx_;
    NewFormView& view_;
    Dialogs& dialogs_;
    render::StrokeText& text_;
    render::ViewWindow win_;
    editing::KenNodeCore ken_;

    std::array<bool, static_cast<int>(MenuItem::Count)> enabled_{};
    std::array<bool, static_cast<int>(MenuItem::Count)> checked_{};
    MainFlowState state_;
    int xScreen = 0, yScreen = 0;
    int ShowNodeName_ = 0, ShowBeamNo_ = 0, ShowFix_ = 0, ShowLoad_ = 0;
    int KenNodeActive_ = 0;
    int MouseButtons = 0;
    int DownX = 0, DownY = 0, PickX = 0, PickY = 0;
    int drawn_nodes_ = 0;
    bool labels_thinned_ = false;
    std::uint64_t saved_fingerprint_ = 0;  // model_fingerprint when nothing was at stake
    bool exit_confirmed_ = false;
};

}  // namespace tarvik::app
