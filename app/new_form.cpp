#include "app/new_form.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <memory>

#include "analysis/capacity_check.h"
#include "app/desktop_start.h"
#include "files/honegra.h"
#include "editing/tegaki_form.h"
#include "files/honegumi.h"
#include "files/tegaki.h"
#include "generator/jiku_data.h"
#include "model/folder_lock.h"
#include "model/maintenance.h"
#include "model/spy.h"
#include "render/draw.h"
#include "render/projection.h"
#include "views/label_thinning.h"

namespace tarvik::app {

namespace {

constexpr int kMenuCount = static_cast<int>(MenuItem::Count);

// Pixel size of the node symbols of the main drawing (a 10 x 10 box).
constexpr int kSymbolHalf = 5;

bool level_inside(int v, int lo, int hi) { return lo <= v && v <= hi; }

// A read that failed part way leaves the members before the refused line in
// the store. The model was empty before (the command exists only then) and
// stays so: no half model is kept out of sight to mix with the next one.
void discard_model(model::ModelStore& m) {
    m.N_Node = 0;
    m.N_Beam = 0;
    m.N_Size = 0;
    m.N_X = m.N_Y = m.N_Z = 0;
    m.node_table_changed();
}

}  // namespace

const char* menu_caption(MenuItem item) {
    switch (item) {
        case MenuItem::KihonMenu: return "基本データ選択";
        case MenuItem::TegakiMenu: return "手書入力編集";
        case MenuItem::JikuDataReadMenu: return "軸データ編集";
        case MenuItem::SaveFileMenu: return "ファイル保存";
        case MenuItem::HoneSaveMenu: return "骨組入力データ";
        case MenuItem::VeltoSaveMenu: return "Velto入力データ";
        case MenuItem::KaisekiMenu: return "構造解析実施";
        case MenuItem::KekkaHozonMenu: return "解析結果保存";
        case MenuItem::SaigoKaisekiMenu: return "最後の解析結果";
        case MenuItem::ExitMenu: return "終了";
        case MenuItem::ModelHirakuMenu: return "モデルを開く…";
        case MenuItem::ModelHozonMenu: return "モデルを保存…";
        case MenuItem::SetutenShiteiMenu: return "データ指定";
        case MenuItem::KousokuSetutenMenu: return "拘束節点指定";
        case MenuItem::KajyuSetutenMenu: return "荷重節点指定";
        case MenuItem::SetutenDataMenu: return "節点データ入力";
        case MenuItem::BeamParamMenu: return "部材データ";
        case MenuItem::HyoujiMenu: return "表示";
        case MenuItem::SetutenMeishouMenu: return "節点名称";
        case MenuItem::BuzaiBangouMenu: return "部材番号";
        case MenuItem::KoteiStutenMenu: return "固定節点";
        case MenuItem::KajyuryouMenu: return "荷重節点";
        case MenuItem::Help2: return "ヘルプ";
        case MenuItem::About1: return "バージョン情報";
        case MenuItem::Count: break;
    }
    return "";
}

NewFormPresenter::NewFormPresenter(AppContext& ctx, NewFormView& view, Dialogs& dialogs, render::StrokeText& text)
    : ctx_(ctx), view_(view), dialogs_(dialogs), text_(text), ken_(ctx.store) {}

void NewFormPresenter::enable(MenuItem item, bool on) {
    enabled_[static_cast<int>(item)] = on;
    view_.set_menu_enabled(item, on);
}

void NewFormPresenter::check(MenuItem item, bool on) {
    checked_[static_cast<int>(item)] = on;
    view_.set_menu_checked(item, on);
}

editing::PickMode NewFormPresenter::pick_mode() const {
    if (state_.KousokuPick()) return editing::PickMode::kKousoku;
    if (state_.KajyuPick()) return editing::PickMode::kKajyu;
    return editing::PickMode::kNone;
}

void NewFormPresenter::FormCreate(int client_width, int client_height) {
    model::spy("xScreen %5d xScreen %5d", client_width, client_height - 64);
    xScreen = client_width;
    yScreen = client_height - 64;
    win_.W = client_width;
    win_.H = client_height;
    ctx_.store.N_Node = 0;
    ctx_.store.N_Beam = 0;
    // Every item starts enabled; the start-up state then switches off what
    // needs a model.
    for (int i = 0; i < kMenuCount; ++i) enable(static_cast<MenuItem>(i), true);
    for (MenuItem m : {MenuItem::KihonMenu, MenuItem::TegakiMenu, MenuItem::JikuDataReadMenu,
                       MenuItem::SaigoKaisekiMenu, MenuItem::ExitMenu})
        enable(m, true);
    for (MenuItem m : {MenuItem::SaveFileMenu, MenuItem::KaisekiMenu, MenuItem::KekkaHozonMenu,
                       MenuItem::SetutenShiteiMenu, MenuItem::HyoujiMenu, MenuItem::ModelHozonMenu})
        enable(m, false);
    ctx_.view.TAU = render::kStartTau;
    ctx_.view.FAI = render::kStartFai;
    ctx_.store.OnSaveOld = 0;
    state_ = MainFlowState{};
    ShowNodeName_ = ShowBeamNo_ = ShowFix_ = ShowLoad_ = 0;
    for (MenuItem m : {MenuItem::SetutenMeishouMenu, MenuItem::BuzaiBangouMenu,
                       MenuItem::KoteiStutenMenu, MenuItem::KajyuryouMenu})
        check(m, false);
    view_.show_node_search(false);
    KenNodeActive_ = 0;
    view_.set_timer_enabled(false);
    // The empty model has nothing to lose.
    saved_fingerprint_ = model_fingerprint(ctx_.store);
    exit_confirmed_ = false;
}

void NewFormPresenter::FormResize(int client_width, int client_height) {
    win_.W = client_width;
    win_.H = client_height;
    view_.repaint();
}

bool NewFormPresenter::window_available(Window w) {
    if (dialogs_.has_window(w)) return true;
    dialogs_.show_message(kNotYetAvailable);
    return false;
}

void NewFormPresenter::enter_empty_state() {
    state_.PaintMode = Paint::kNothing;
    enable(MenuItem::KihonMenu, true);
    enable(MenuItem::TegakiMenu, true);
    enable(MenuItem::JikuDataReadMenu, true);
    enable(MenuItem::ModelHozonMenu, false);
}

// A model that replaces the one before starts without its picking and
// without its support and load lists: their node numbers belonged to the
// old model, and the lists are built anew from the new model's marks.
void NewFormPresenter::forget_node_data() {
    ctx_.store.N_Fix = 0;
    ctx_.store.N_Load = 0;
    state_.FixLoadBuilt = 0;
    state_.Pick = NodePick::kNone;
    view_.show_node_search(false);
    KenNodeActive_ = 0;
    view_.set_timer_enabled(false);
    enable(MenuItem::KaisekiMenu, false);
}

bool NewFormPresenter::model_changed() const {
    return model_fingerprint(ctx_.store) != saved_fingerprint_;
}

// Before the model is replaced or the program ends: true when that may go
// on, after the model was saved if the user asked for it.
bool NewFormPresenter::may_replace_model() {
    if (!model_changed()) return true;
    switch (dialogs_.ask_save(kAskSaveModel)) {
        case ui::SaveAnswer::kSave: return save_model();  // a cancelled or failed save stops too
        case ui::SaveAnswer::kDiscard: return true;
        case ui::SaveAnswer::kCancel: break;
    }
    return false;
}

// The save dialog and the structure data writer; true when the file was written.
bool NewFormPresenter::save_model() {
    const std::string path = dialogs_.save_file_name(editing::kTegakiSaveFilter, editing::kTegakiExt);
    if (path.empty()) return false;
    view_.set_busy(true);
    const int rc = files::save_tegaki_data(ctx_.store, path, dialogs_);
    view_.set_busy(false);
    if (rc != 0) {
        dialogs_.show_message(kManSaveFailed);
        return false;
    }
    saved_fingerprint_ = model_fingerprint(ctx_.store);
    return true;
}

bool NewFormPresenter::model_ready(bool view_reset, bool redraw) {
    model::ModelStore& m = ctx_.store;
    if (view_reset) {
        ctx_.view.TAU = render::kStartTau;
        ctx_.view.FAI = render::kStartFai;
        render::get_new_world(win_, m, ctx_.view, render::BoxUpdate::kWiden);
    }
    if (model_ready_step(m, state_, dialogs_) != 0) return false;
    ken_.open();
    enable(MenuItem::HoneSaveMenu, false);
    enable(MenuItem::VeltoSaveMenu, false);
    enable(MenuItem::SetutenShiteiMenu, true);
    enable(MenuItem::SaveFileMenu, true);
    enable(MenuItem::TegakiMenu, false);
    enable(MenuItem::JikuDataReadMenu, false);
    enable(MenuItem::HyoujiMenu, true);
    enable(MenuItem::BuzaiBangouMenu, true);
    enable(MenuItem::SetutenMeishouMenu, true);
    enable(MenuItem::KoteiStutenMenu, false);
    enable(MenuItem::KajyuryouMenu, false);
    enable(MenuItem::SaigoKaisekiMenu, false);
    enable(MenuItem::ModelHozonMenu, true);
    state_.PaintMode = Paint::kModel;
    if (redraw) view_.repaint();
    // A model the solver cannot take is told when it is made, not when its analysis fails.
    const std::string over = analysis::capacity_message(analysis::capacity_check(m));
    if (!over.empty()) dialogs_.show_message(over);
    return true;
}

void NewFormPresenter::KihonMenuClick() {
    if (!window_available(Window::KihonUnit)) return;
    if (!may_replace_model()) return;
    model::ModelStore& m = ctx_.store;
    const std::uint64_t before = model_fingerprint(m);
    dialogs_.run_window(Window::KihonUnit);
    // The window generates only when its basic data were confirmed.
    const bool generated = model_fingerprint(m) != before;
    if (generated) forget_node_data();
    if (m.N_Beam >= 1) {
        enable(MenuItem::KihonMenu, false);
        if (completeness_check(m) < 0) return;
        // A generated model can be made again from its basic data: nothing
        // is at stake until it is changed.
        if (model_ready(true, true) && generated) saved_fingerprint_ = model_fingerprint(m);
    } else if (m.N_Node == 0) {
        enter_empty_state();
    }
}

void NewFormPresenter::TegakiMenuClick() {
    if (!window_available(Window::Tegaki)) return;
    enable(MenuItem::TegakiMenu, false);
    enable(MenuItem::JikuDataReadMenu, false);
    dialogs_.run_window(Window::Tegaki);
    model::ModelStore& m = ctx_.store;
    if (m.N_Beam >= 1) {
        if (completeness_check(m) < 0) {
            // An unfinished drawing is finished in the editor, not stranded.
            dialogs_.show_message(editing::kMsgTegakiUnfinished);
            enable(MenuItem::TegakiMenu, true);
            return;
        }
        clear_node_marks(m);
        model_ready(true, true);
    } else if (m.N_Node == 0) {
        enter_empty_state();
    }
}

void NewFormPresenter::JikuDataReadMenuClick() {
    if (!window_available(Window::Jiku)) return;
    if (!may_replace_model()) return;
    render::ModelBox& box = ctx_.view.box;
    box.reset();
    enable(MenuItem::TegakiMenu, false);
    enable(MenuItem::JikuDataReadMenu, false);
    const std::string path = dialogs_.open_file_name(kJikuFilter);
    if (path.empty()) return;
    model::ModelStore& m = ctx_.store;
    view_.set_busy(true);
    generator::JikuRead read;
    read.directory = ctx_.cDirectory;  // the volume tally goes beside the solver's files
    const int lines = read_jiku_model(m, box, path, read, dialogs_);
    view_.set_busy(false);
    if (lines < 0) {
        discard_model(m);
        dialogs_.show_message(kJikuReadFailed);
        return;
    }
    // As read from its file: what the axis data window changes is at stake.
    saved_fingerprint_ = model_fingerprint(m);
    dialogs_.run_window(Window::Jiku);
    if (m.N_Beam >= 1) {
        if (completeness_check(m) < 0) return;
        model_ready(false, false);
    } else if (m.N_Node == 0) {
        enable(MenuItem::TegakiMenu, true);
        enable(MenuItem::JikuDataReadMenu, true);
    }
}

void NewFormPresenter::ModelHirakuMenuClick() {
    if (!may_replace_model()) return;
    const std::string path = dialogs_.open_file_name(editing::kTegakiOpenFilter);
    if (path.empty()) return;
    model::ModelStore& m = ctx_.store;
    view_.set_busy(true);
    // Read into an empty store: a file that ends early leaves the tables it
    // did not reach empty, not holding the model before; a refused file
    // leaves the model before as it was.
    auto read = std::make_unique<model::ModelStore>();
    bool complete = true;
    const int rc = files::load_tegaki_data(*read, path, dialogs_, &complete);
    view_.set_busy(false);
    if (rc != 0) {
        dialogs_.show_message(kManReadFailed);
        return;
    }
    if (!complete) dialogs_.show_message(kManReadShort);
    m.node.swap(read->node);
    m.N_Node = read->N_Node;
    m.beam.swap(read->beam);
    m.N_Beam = read->N_Beam;
    m.old_node.swap(read->old_node);
    m.OnSaveOld = read->OnSaveOld;
    m.N_Size = m.N_Mat = 0;  // the upkeep builds them for this model
    m.N_X = m.N_Y = m.N_Z = 0;
    m.node_table_changed();
    forget_node_data();
    // The model as read is what the file holds: nothing is at stake yet.
    saved_fingerprint_ = model_fingerprint(m);
    if (m.N_Node == 0 && m.N_Beam == 0) {
        enter_empty_state();
        for (MenuItem i : {MenuItem::SetutenShiteiMenu, MenuItem::SaveFileMenu, MenuItem::HyoujiMenu})
            enable(i, false);
        view_.repaint();
        return;
    }
    // Members without their data (or nodes without members) are finished in
    // the hand-drawn editor, which keeps its node flags; so is a model whose
    // upkeep refused (its message was shown).
    const bool complete_model = m.N_Beam >= 1 && completeness_check(m) >= 0;
    if (complete_model) {
        // As after a drawing by hand: the editor's flags give way to the pick marks.
        clear_node_marks(m);
        ctx_.view.box.reset();  // fitted to this model, not widened from the one before
    }
    if (!complete_model || !model_ready(true, true)) {
        state_.PaintMode = Paint::kNothing;
        for (MenuItem i : {MenuItem::SetutenShiteiMenu, MenuItem::SaveFileMenu, MenuItem::HyoujiMenu,
                           MenuItem::ModelHozonMenu, MenuItem::JikuDataReadMenu})
            enable(i, false);
        enable(MenuItem::TegakiMenu, true);
        if (!complete_model) dialogs_.show_message(editing::kMsgTegakiUnfinished);
        view_.repaint();
    }
    saved_fingerprint_ = model_fingerprint(m);
}

void NewFormPresenter::ModelHozonMenuClick() { save_model(); }

void NewFormPresenter::HoneSaveMenuClick() {
    const std::string path = dialogs_.save_file_name(kHoneFilter, "ydu");
    if (path.empty()) return;
    view_.set_busy(true);
    const int rc = files::save_honegra(ctx_.store, path, dialogs_);
    view_.set_busy(false);
    if (rc < 0) dialogs_.show_message(kHoneSaveFailed);
}

void NewFormPresenter::VeltoSaveMenuClick() {
    const std::string path = dialogs_.save_file_name(kVeltoFilter, "bon");
    if (path.empty()) return;
    view_.set_busy(true);
    const int rc = files::save_honegumi(ctx_.store, path, dialogs_);
    view_.set_busy(false);
    if (rc < 0) dialogs_.show_message(kVeltoSaveFailed);
}

void NewFormPresenter::KaisekiMenuClick() {
    if (!window_available(Window::Velto)) return;
    model::spy("構造解析実施 cDirectory %s", ctx_.cDirectory.c_str());
    // The input, the solver's files and the results window are this job's
    // until the window closes; another job there is not waited for (the
    // window would hang), the user is told and may try again.
    const model::FolderLock lock(ctx_.cDirectory);
    if (!lock.may_proceed()) {
        dialogs_.show_message(model::kMsgFolderBusy);
        return;
    }
    // Results that were shown can be saved at once (not only after the
    // program is started again and "最後の解析結果" is chosen).
    if (analysis::KaisekiMenuClick(analysis_context(), dialogs_, analysis_host_) == 0)
        enable(MenuItem::KekkaHozonMenu, true);
    // Whatever the run gave, the drawing comes back in the standard view.
    ctx_.view.TAU = render::kStartTau;
    ctx_.view.FAI = render::kStartFai;
    state_.PaintMode = Paint::kModel;
    view_.repaint();
}

void NewFormPresenter::KekkaHozonMenuClick() {
    const model::FolderLock lock(ctx_.cDirectory);
    if (!lock.may_proceed()) {
        dialogs_.show_message(model::kMsgFolderBusy);
        return;
    }
    analysis::KekkaHozonMenuClick(analysis_context(), dialogs_, analysis_host_);
}

void NewFormPresenter::SaigoKaisekiMenuClick() {
    // The results the last run left in the directory, without running anything.
    if (!window_available(Window::Velto)) return;
    const model::FolderLock lock(ctx_.cDirectory);
    if (!lock.may_proceed()) {
        dialogs_.show_message(model::kMsgFolderBusy);
        return;
    }
    analysis::SaigoKaisekiMenuClick(analysis_host_);
    enable(MenuItem::KekkaHozonMenu, true);
    ctx_.view.TAU = render::kStartTau;
    ctx_.view.FAI = render::kStartFai;
    state_.PaintMode = Paint::kModel;
    view_.repaint();
}

void NewFormPresenter::ExitMenuClick() {
    if (!may_replace_model()) return;
    exit_confirmed_ = true;
    view_.show_node_search(false);
    model::spy_close();
    view_.close_window();
}

bool NewFormPresenter::FormCloseQuery() {
    return exit_confirmed_ || may_replace_model();
}

void NewFormPresenter::start_pick(bool kousoku) {
    state_.Pick = kousoku ? NodePick::kKousoku : NodePick::kKajyu;
    ken_.open();
    view_.show_node_search(true);
    KenNodeActive_ = 1;
    view_.set_timer_enabled(true);
}

void NewFormPresenter::KousokuSetutenMenuClick() { start_pick(true); }
void NewFormPresenter::KajyuSetutenMenuClick() { start_pick(false); }

void NewFormPresenter::SetutenDataMenuClick() {
    state_.Pick = NodePick::kSetuten;
    view_.show_node_search(false);
    KenNodeActive_ = 0;
    view_.set_timer_enabled(false);
    build_fix_load_lists(ctx_.store, state_, NodeDataValues{}, dialogs_);
    if (dialogs_.has_window(Window::SelNode))
        dialogs_.run_window(Window::SelNode);
    else
        dialogs_.show_message(kNotYetAvailable);
    if (finish_node_data(ctx_.store, state_)) {
        for (MenuItem m : {MenuItem::HoneSaveMenu, MenuItem::VeltoSaveMenu, MenuItem::KaisekiMenu,
                           MenuItem::KoteiStutenMenu, MenuItem::KajyuryouMenu})
            enable(m, true);
    }
    view_.repaint();
}

void NewFormPresenter::BeamParamMenuClick() {
    if (!window_available(Window::SelBeam)) return;
    dialogs_.run_window(Window::SelBeam);
}

void NewFormPresenter::toggle(int& flag, MenuItem item) {
    flag = flag ? 0 : 1;
    check(item, flag == 1);
    view_.repaint();
}

void NewFormPresenter::SetutenMeishouMenuClick() { toggle(ShowNodeName_, MenuItem::SetutenMeishouMenu); }
void NewFormPresenter::BuzaiBangouMenuClick() { toggle(ShowBeamNo_, MenuItem::BuzaiBangouMenu); }
void NewFormPresenter::KoteiStutenMenuClick() { toggle(ShowFix_, MenuItem::KoteiStutenMenu); }
void NewFormPresenter::KajyuryouMenuClick() { toggle(ShowLoad_, MenuItem::KajyuryouMenu); }

void NewFormPresenter::Help2Click() { dialogs_.show_help(); }
void NewFormPresenter::About1Click() { dialogs_.show_message(about_text()); }

void NewFormPresenter::FormMouseDown(MouseButton button, int x, int y) {
    if (button == MouseButton::Left) MouseButtons += 1;
    if (button == MouseButton::Right) MouseButtons += 2;
    DownX = x;
    DownY = y;
    if (MouseButtons == 1 && (state_.KousokuPick() || state_.KajyuPick())) {
        PickX = x;
        PickY = y;
    }
}

void NewFormPresenter::FormMouseUp(MouseButton, int, int) {
    model::ModelStore& m = ctx_.store;
    if (MouseButtons == 1 && (state_.KousokuPick() || state_.KajyuPick())) {
        const float X = render::crt_to_world_x(win_, PickX);
        const float Y = render::crt_to_world_y(win_, PickY);
        const int i = model::search_2dim_node(m, X, Y);
        if (i < 0) {
            dialogs_.show_message(kNoNodeFound);
        } else {
            int& flag = m.node[i].flag;
            if (state_.KousokuPick())
                flag = (flag == 0 || flag == 2) ? model::kPickSupport : 0;
            else
                flag = (flag == 0 || flag == 1) ? model::kPickLoad : 0;
        }
    }
    view_.repaint();
    MouseButtons = 0;
}

void NewFormPresenter::Timer1Timer() {
    if (KenNodeActive_ != 0) return;
    view_.show_node_search(false);
    view_.set_timer_enabled(false);
}

void NewFormPresenter::FormPaint(render::Canvas& canvas) {
    canvas.clear(render::kWhite);
    labels_thinned_ = false;
    if (state_.PaintMode == Paint::kNothing) return;
    win_.W = canvas.width();
    win_.H = canvas.height();
    paint_model(canvas);
    paint_labels(canvas);
}

void NewFormPresenter::paint_model(render::Canvas& canvas) {
    model::ModelStore& m = ctx_.store;
    render::get_new_world(win_, m, ctx_.view, render::BoxUpdate::kWiden);
    const int lo[3] = {ken_.XlevelMin, ken_.YlevelMin, ken_.ZlevelMin};
    const int hi[3] = {ken_.XlevelMax, ken_.YlevelMax, ken_.ZlevelMax};

    render::set_pen(canvas, render::kSolid, 1, render::kBlack);
    for (int b = 0; b < m.N_Beam; ++b) {
        const model::Beam& beam = m.beam[b];
        bool skip = false;
        for (int axis = 0; axis < 3 && !skip; ++axis) {
            const int li = model::code_level(beam.idi, axis);
            const int lj = model::code_level(beam.idj, axis);
            // Both ends on the same side outside the window in one direction.
            if ((li < lo[axis] && lj < lo[axis]) || (li > hi[axis] && lj > hi[axis])) skip = true;
        }
        if (skip) continue;
        render::draw_to(win_, canvas, beam.XS, beam.YS, render::kPenMove);
        render::draw_to(win_, canvas, beam.XL, beam.YL, render::kPenDraw);
    }

    drawn_nodes_ = 0;
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        bool inside = true;
        for (int axis = 0; axis < 3; ++axis)
            inside = inside && level_inside(model::code_level(n.id, axis), lo[axis], hi[axis]);
        if (!inside) continue;
        const render::Pixel p = render::world_to_crt(win_, n.X, n.Y);
        const int l = p.x - kSymbolHalf, t = p.y - kSymbolHalf;
        const int r = p.x + kSymbolHalf, btm = p.y + kSymbolHalf;
        render::set_pen(canvas, render::kSolid, 1, render::kBlack);
        if (n.flag == model::kPickSupport) {
            canvas.set_brush(render::kRed);
            canvas.rectangle(l, t, r, btm);
        } else {
            canvas.set_brush(n.flag == model::kPickLoad     ? render::kRed
                             : n.flag == model::kSearchMark ? render::kBlue
                                                            : render::kBlack);
            canvas.ellipse(l, t, r, btm);
        }
        ++drawn_nodes_;
    }
}

void NewFormPresenter::paint_labels(render::Canvas& canvas) {
    model::ModelStore& m = ctx_.store;
    // Heights follow the fitted World, so a zoom keeps the text at its size
    // on the screen while the points move apart.
    const double span = (win_.World.top - win_.World.bottom) / win_.zoom.factor;
    render::set_pen(canvas, render::kSolid, 1, render::kBlack);

    // Every label first, in the order they are drawn.
    struct Label {
        std::string text;
        int count;  // characters drawn; a node code is always drawn as nine
        double h, x, y;
        int rank;  // which is kept when two pile up: supports, loads, names, numbers
    };
    std::vector<Label> labels;
    char buf[96];
    if (ShowNodeName_ == 1) {
        const double h = span / 75.0;
        for (int i = 0; i < m.N_Node; ++i) {
            const model::Node& n = m.node[i];
            labels.push_back(
                {std::string(n.id, strnlen(n.id, sizeof n.id)), 9, h, n.X + 2 * h, n.Y, 2});
        }
    }
    const double h = span * 0.01;
    if (ShowBeamNo_ == 1) {
        for (int b = 0; b < m.N_Beam; ++b) {
            const model::Beam& beam = m.beam[b];
            const render::ProjPoint mid =
                render::iso_project(ctx_.view, (beam.xs + beam.xl) / 2.0f, (beam.ys + beam.yl) / 2.0f,
                                   (beam.zs + beam.zl) / 2.0f);
            std::snprintf(buf, sizeof buf, "%5d", beam.no);
            labels.push_back({buf, 5, h, mid.X, mid.Y, 3});
        }
    }
    auto node_of = [&m](int no) -> const model::Node* {
        return (no >= 1 && no <= m.N_Node) ? &m.node[no - 1] : nullptr;
    };
    if (ShowFix_ == 1) {
        for (int k = 0; k < m.N_Fix; ++k) {
            const model::Fix& f = m.fix[k];
            const model::Node* n = node_of(f.no);
            if (!n) continue;
            const int len =
                std::snprintf(buf, sizeof buf, "Fix %1d%1d%1d111", f.xfix, f.yfix, f.zfix);
            labels.push_back({buf, len, h, n->X + 2 * h, n->Y - 2 * h, 0});
        }
    }
    if (ShowLoad_ == 1) {
        for (int k = 0; k < m.N_Load; ++k) {
            const model::Load& ld = m.load[k];
            const model::Node* n = node_of(ld.no);
            if (!n) continue;
            const int len = std::snprintf(buf, sizeof buf, "Load x %8.1f y %5.1f z %8.1f", ld.px,
                                          ld.py, ld.pz);
            labels.push_back({buf, len, h, n->X + 2 * h, n->Y - 2 * h, 1});
        }
    }

    // Which are kept, the most important first; then drawn in their order.
    views::LabelThinning thin(canvas.width(), canvas.height());
    std::vector<char> keep(labels.size(), 0);
    for (int rank = 0; rank <= 3; ++rank)
        for (size_t i = 0; i < labels.size(); ++i) {
            const Label& l = labels[i];
            if (l.rank != rank) continue;
            const std::string_view ink = std::string_view(l.text).substr(0, l.count);
            keep[i] = thin.accept(views::stroke_label_box(win_, ink, l.h, l.x, l.y));
        }
    labels_thinned_ = thin.thinned();
    for (size_t i = 0; i < labels.size(); ++i) {
        if (!keep[i]) continue;
        const Label& l = labels[i];
        text_.stroke_text(win_, canvas, l.text, l.count, 0.0, 0.0, 0.0, l.h, l.x, l.y);
    }
}

}  // namespace tarvik::app
