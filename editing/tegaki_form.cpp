#include "editing/tegaki_form.h"

#include "files/tegaki.h"
#include "model/maintenance.h"
#include "model/spy.h"
#include "render/draw.h"
#include "render/projection.h"

namespace tarvik::editing {

using render::Canvas;

const char* tegaki_menu_caption(TegakiMenu item) {
    switch (item) {
        case TegakiMenu::ShinkiMenu:
            return "新規データ";
        case TegakiMenu::ReadTegakiMenu:
            return "手書データ読込";
        case TegakiMenu::SaveTegakiMenu:
            return "手書データ保存";
        case TegakiMenu::DxfHozonMenu:
            return "DXF保存";
        case TegakiMenu::FaceSaveMenu:
            return "ビューアデータ保存";
        case TegakiMenu::ModoriMenu:
            return "戻る";
        case TegakiMenu::BuzaiShiteiMenu:
            return "部材指定";
        case TegakiMenu::BuzaiSakujyoMenu:
            return "部材削除";
        case TegakiMenu::SetutenDataMenu:
            return "節点データ";
        case TegakiMenu::BuzaiDataMenu:
            return "部材データ";
        case TegakiMenu::Show1:
            return "表示";
    }
    return "";
}

TegakiPresenter::TegakiPresenter(TegakiContext ctx, TegakiView& view, model::MessageService& msg)
    : m_(ctx.model),
      params_(ctx.params),
      solids_(ctx.solids),
      view_(view),
      msg_(msg),
      ctx_{win_, params_, solids_, m_, msg_, render::TrioReader::kTegaki} {}

void TegakiPresenter::enable(TegakiMenu item, bool on) {
    enabled_[item] = on;
    view_.set_menu_enabled(item, on);
}

bool TegakiPresenter::enabled(TegakiMenu item) const {
    const auto it = enabled_.find(item);
    return it != enabled_.end() && it->second;
}

void TegakiPresenter::plan_world() {
    win_.World = {0.0f, 0.0f, static_cast<float>(win_.W), static_cast<float>(win_.H)};
    win_.Crt = {0, 0, win_.W, win_.H};
}

float TegakiPresenter::plan_x(int px) const {
    return render::crt_to_world_x(win_, px);
}

float TegakiPresenter::plan_y(int py) const {
    return render::crt_to_world_y(win_, py);
}

void TegakiPresenter::FormCreate(int W, int H) {
    win_.W = W;
    win_.H = H;
    plan_world();
    using T = TegakiMenu;
    for (T item :
         {T::ShinkiMenu, T::ReadTegakiMenu, T::DxfHozonMenu, T::ModoriMenu, T::BuzaiShiteiMenu})
        enable(item, true);
    for (T item : {T::SaveTegakiMenu, T::FaceSaveMenu, T::BuzaiSakujyoMenu, T::SetutenDataMenu,
                   T::BuzaiDataMenu, T::Show1})
        enable(item, false);
    set_mode(Mode::Draw);
    win_.mode = kTegakiPlan;
    saved_ = 0;
    params_.PersRequest = 0;
}

void TegakiPresenter::set_mode(Mode mode) {
    erase_band();  // drawn in the pen of the mode it belongs to
    OnBuzaiShitei_ = mode == Mode::Draw ? 1 : 0;
    OnBuzaiSakujyo_ = mode == Mode::Delete ? 1 : 0;
    OnSetutenData_ = mode == Mode::NodeData ? 1 : 0;
    OnBuzaiData_ = mode == Mode::BeamData ? 1 : 0;
}

// ------------------------------------------------------------------ painting

void TegakiPresenter::FormPaint(Canvas& c) {
    if (win_.mode != kTegakiPlan) {
        views::paint_display_mode(ctx_, c);
        return;
    }
    c.clear(render::kWhite);
    for (int k = 0; k < m_.N_Beam; ++k) {
        const model::Beam& b = m_.beam[k];
        render::set_pen(c, render::kSolid, 1,
                        b.flag == model::kBeamComplete ? render::kRed : render::kBlack);
        render::draw_to(win_, c, b.XS, b.YS, render::kPenMove);
        render::draw_to(win_, c, b.XL, b.YL, render::kPenDraw);
    }
    // In the plan the marker of a node is its flag.
    for (int i = 0; i < m_.N_Node; ++i)
        render::mark_node(win_, c, m_.node[i].X, m_.node[i].Y, m_.node[i].flag);
    // A band on the screen stays there when the picture is made again, so
    // that the next move inverts it away.
    if (band_drawn_) draw_band(c, band_x_, band_y_);
}

void TegakiPresenter::mark(double X, double Y, int kind) {
    view_.draw_now([&](Canvas& c) { render::mark_node(win_, c, X, Y, kind); });
}

// The guide line from the down point, inverting what it crosses: dashed
// while picking a member, solid while drawing one.
void TegakiPresenter::draw_band(Canvas& c, int x, int y) const {
    c.set_invert(true);
    c.set_pen(OnBuzaiShitei_ == 2 ? render::kSolid : render::kDashed, 1, render::kBlack);
    c.move_to(down_x_, down_y_);
    c.line_to(x, y);
    c.set_invert(false);
}

void TegakiPresenter::erase_band() {
    if (!band_drawn_) return;
    view_.draw_now([&](Canvas& c) { draw_band(c, band_x_, band_y_); });
    band_drawn_ = false;
}

bool TegakiPresenter::rubber_band_follows() const {
    const bool picking = OnBuzaiSakujyo_ == 1 || OnBuzaiData_ == 1;
    return (iMouse_ == 1 && picking) || OnBuzaiShitei_ == 2;
}

void TegakiPresenter::onTick() {
    const bool builds = params_.PersRequest == 1;
    if (builds) view_.set_busy(true);
    const views::TickResult t = views::drawing_window_tick(ctx_, nullptr);
    if (builds) view_.set_busy(false);
    if (t.repaint) view_.repaint();
}

// --------------------------------------------------------------------- mouse

void TegakiPresenter::FormMouseDown(TegakiButton b, int x, int y) {
    if (b == TegakiButton::Left) iMouse_ += 1;
    if (b == TegakiButton::Right) iMouse_ += 2;
    band_drawn_ = false;
    down_x_ = x;
    down_y_ = y;
}

void TegakiPresenter::FormMouseMove(int x, int y) {
    if (!rubber_band_follows()) return;
    // Drawing the previous line again inverts it away.
    view_.draw_now([&](Canvas& c) {
        if (band_drawn_) draw_band(c, band_x_, band_y_);
        draw_band(c, x, y);
    });
    band_drawn_ = true;
    band_x_ = x;
    band_y_ = y;
}

void TegakiPresenter::FormMouseUp(TegakiButton, int x, int y) {
    model::spy("Enter MouseUp() iMouse %5d OnBuzaiShitei %5d", iMouse_, OnBuzaiShitei_);
    up_x_ = x;
    up_y_ = y;
    if (iMouse_ == 1) {
        if (OnBuzaiSakujyo_ == 1 || OnBuzaiData_ == 1) {
            erase_band();
            pick_member();  // repaints itself
        } else {
            if (OnBuzaiShitei_ == 1)
                start_member();
            else if (OnBuzaiShitei_ == 2)
                end_member();
            else if (OnSetutenData_ == 1)
                node_data();
            model::check_all_node_beam(m_);
            view_.repaint();
        }
    }
    iMouse_ = 0;
}

// Every change of the model from this window: the data are no longer as
// saved, and while the plan is shown its saved copy (which the views, the
// return to the plan and the file writer rely on) follows the drawing.
void TegakiPresenter::changed() {
    saved_ = 0;
    if (win_.mode == kTegakiPlan) model::save_old_node(m_);
}

bool TegakiPresenter::rebuild_trio() {
    view_.set_busy(true);
    const int rc = render::make_trio_file(solids_, m_, msg_);
    view_.set_busy(false);
    return rc == 0;
}

void TegakiPresenter::pick_member() {
    float cx = 0, cy = 0;
    const int k = model::search_cross_beam(m_, plan_x(down_x_), plan_y(down_y_), plan_x(up_x_),
                                           plan_y(up_y_), cx, cy);
    if (k < 0) {
        msg_.show_message(kMsgNoBeamCrossed);
        view_.repaint();
        return;
    }
    if (OnBuzaiSakujyo_ == 1) {
        model::del_beam(m_, k);
        model::save_old_node(m_);
        saved_ = 0;
    } else {
        beam_x_.SelectBeam = k;
        beam_x_.result = kResultNone;
        const int result = view_.run_beam_form(beam_x_);
        if (result == kResultOK) {
            m_.beam[k].flag = model::kBeamComplete;
            changed();
            if (model::check_all_beam(m_) == 1) {
                rebuild_trio();
                enable(TegakiMenu::Show1, true);
                enable(TegakiMenu::SaveTegakiMenu, true);
            }
        } else if (result == kResultAll) {
            model::set_all_sections(m_, m_.beam[k].haba, m_.beam[k].atumi);
            changed();
            enable(TegakiMenu::Show1, true);
        }
    }
    model::check_all_node_beam(m_);
    view_.repaint();
}

int TegakiPresenter::node_for_click(float X, float Y, bool& is_new) {
    const int i = model::search_2dim_node(m_, X, Y);
    is_new = i < 0;
    if (!is_new) return i;
    // A click that would need a node beyond the table changes nothing.
    if (m_.N_Node >= model::kMaxNode) {
        msg_.show_message(model::table_full_message(model::kNodeTable, model::kMaxNode));
        return -1;
    }
    model::Node& n = m_.node[m_.N_Node];
    n = model::Node{};
    n.no = m_.N_Node + 1;
    n.x = n.y = n.z = kUnplacedCoord;
    n.X = X;
    n.Y = Y;
    n.flag = model::kNodeNew;
    return m_.N_Node;
}

// A member end on an existing node: a known node gives the end its model
// coordinates (red disc); a new one is now touched (black disc).
void TegakiPresenter::meet_node(model::Node& n, float& x, float& y, float& z) {
    if (n.flag == model::kNodeKnown) {
        mark(n.X, n.Y, render::kMarkRedDisc);
        x = n.x;
        y = n.y;
        z = n.z;
    } else {
        mark(n.X, n.Y, render::kMarkBlackDisc);
        if (n.flag == model::kNodeNew) n.flag = model::kNodeTouched;
    }
}

// First click of a member: its start node, found or new.
void TegakiPresenter::start_member() {
    erase_band();
    if (m_.N_Beam >= model::kMaxBeam) {
        msg_.show_message(model::table_full_message(model::kBeamTable, model::kMaxBeam));
        return;
    }
    const float X = plan_x(down_x_), Y = plan_y(down_y_);
    bool is_new = false;
    const int i = node_for_click(X, Y, is_new);
    if (i < 0) return;
    start_x_ = down_x_;
    start_y_ = down_y_;

    model::Beam& b = m_.beam[m_.N_Beam];
    b = model::Beam{};
    b.flag = 0;
    model::Node& n = m_.node[i];
    b.noi = n.no;
    b.XS = n.X;
    b.YS = n.Y;
    if (is_new) {
        enable(TegakiMenu::BuzaiDataMenu, false);
        m_.N_Node += 1;
        mark(X, Y, render::kMarkDoubleSquare);
    } else {
        meet_node(n, b.xs, b.ys, b.zs);
    }
    OnBuzaiShitei_ = 2;
    changed();
}

// Second click: the end node, found or new, and the member is counted. A
// refused click keeps waiting for the end, the guide line again from the
// start.
void TegakiPresenter::end_member() {
    const float X = plan_x(down_x_), Y = plan_y(down_y_);
    model::Beam& b = m_.beam[m_.N_Beam];
    const int found = model::search_2dim_node(m_, X, Y);
    bool is_new = false;
    int i = -1;
    if (found >= 0 && m_.node[found].no == b.noi)
        msg_.show_message(kMsgSameNode);
    else
        i = node_for_click(X, Y, is_new);
    if (i < 0) {
        down_x_ = start_x_;
        down_y_ = start_y_;
        return;
    }

    mark(X, Y, render::kMarkEndSquare);
    b.no = m_.N_Beam + 1;
    b.idi[0] = '\0';
    b.idj[0] = '\0';
    b.size = -1;
    b.mat = -1;
    b.haba = m_.default_haba;
    b.atumi = m_.default_atumi;
    model::Node& n = m_.node[i];
    b.noj = n.no;
    b.XL = n.X;
    b.YL = n.Y;
    if (is_new) {
        m_.N_Node += 1;
        enable(TegakiMenu::BuzaiDataMenu, false);
        enable(TegakiMenu::Show1, false);
    } else {
        meet_node(n, b.xl, b.yl, b.zl);
    }
    b.flag = 1;
    m_.N_Beam += 1;
    using T = TegakiMenu;
    for (T item : {T::BuzaiShiteiMenu, T::BuzaiSakujyoMenu, T::SetutenDataMenu, T::SaveTegakiMenu})
        enable(item, true);
    OnBuzaiShitei_ = 1;
    changed();
}

void TegakiPresenter::node_data() {
    const int i = model::search_2dim_node(m_, plan_x(down_x_), plan_y(down_y_));
    if (i < 0) {
        msg_.show_message(kMsgNoNodeNear);
        return;
    }
    mark(m_.node[i].X, m_.node[i].Y, render::kMarkBlueDisc);
    node_x_.SelectNode = i;
    node_x_.result = kResultNone;
    if (view_.run_node_form(node_x_) != kResultOK) return;
    m_.node[i].flag = model::kNodeKnown;
    model::update_node_in_beams(m_, i);
    changed();
    if (model::name_nodes_by_box(m_) == 1) enable(TegakiMenu::BuzaiDataMenu, true);
}

// --------------------------------------------------------------------- menus

// A member whose start was placed in tables that are gone starts again.
void TegakiPresenter::drop_pending_member() {
    if (OnBuzaiShitei_ == 2) OnBuzaiShitei_ = 1;
    band_drawn_ = false;
}

void TegakiPresenter::ShinkiMenuClick() {
    m_.N_Node = 0;
    m_.N_Beam = 0;
    m_.node_table_changed();
    drop_pending_member();
    view_.repaint();
}

void TegakiPresenter::ReadTegakiMenuClick() {
    const std::string name = view_.open_file_name(kTegakiOpenFilter);
    if (name.empty()) return;
    if (files::load_tegaki_data(m_, name, msg_) != 0) return;
    drop_pending_member();
    // The plan is drawn in plan units whatever the view showed before.
    plan_world();
    using T = TegakiMenu;
    if (model::name_nodes_by_box(m_) == 1) enable(T::BuzaiDataMenu, true);
    if (model::check_all_beam(m_) == 1) {
        if (!rebuild_trio()) {
            msg_.show_message(kMsgTrioFailedTegaki);
            return;
        }
        for (T item : {T::FaceSaveMenu, T::BuzaiSakujyoMenu, T::SetutenDataMenu, T::BuzaiDataMenu,
                       T::Show1, T::SaveTegakiMenu})
            enable(item, true);
    } else if (m_.N_Beam > 0) {
        enable(T::BuzaiSakujyoMenu, true);
        enable(T::SetutenDataMenu, true);
    }
    params_.TAU = render::kStartTau;
    params_.FAI = render::kStartFai;
    params_.PersRequest = 0;
    win_.mode = kTegakiPlan;
    view_.repaint();
}

// The save dialog and the writer; true when the file was written.
bool TegakiPresenter::save_to_file() {
    const std::string name = view_.save_file_name(kTegakiSaveFilter, kTegakiExt);
    if (name.empty()) return false;
    if (files::save_tegaki_data(m_, name, msg_) != 0) return false;
    saved_ = 1;
    return true;
}

void TegakiPresenter::SaveTegakiMenuClick() {
    if (win_.mode == kTegakiPlan) model::save_old_node(m_);
    save_to_file();
}

void TegakiPresenter::DxfHozonMenuClick() {
    files::dxf_save_command(view_, msg_, solids_.path(render::kTempFileName), files::kDxfDoneWide);
}

void TegakiPresenter::FaceSaveMenuClick() {
    files::face_save_command(view_, msg_, solids_);
}

bool TegakiPresenter::FormCloseQuery() {
    if (closing_) return true;
    if (m_.N_Node > 0 && m_.N_Beam > 0 && saved_ == 0 && msg_.ask_yes_no(kAskSaveTegaki)) {
        // A save that was asked for and failed keeps the window and the
        // drawing; a cancelled dialog closes as without saving.
        const std::string name = view_.save_file_name(kTegakiSaveFilter, kTegakiExt);
        if (!name.empty()) {
            if (win_.mode == kTegakiPlan) model::save_old_node(m_);
            if (files::save_tegaki_data(m_, name, msg_) != 0) return false;
            saved_ = 1;
        }
    }
    params_.TAU = render::kStartTau;
    params_.FAI = render::kStartFai;
    // The drawing leaves with its plan, as the editor opened again shows it.
    if (win_.mode != kTegakiPlan) model::load_old_node(m_);
    closing_ = true;
    return true;
}

void TegakiPresenter::ModoriMenuClick() {
    if (FormCloseQuery()) view_.close_window();
}

void TegakiPresenter::BuzaiShiteiMenuClick() {
    set_mode(Mode::Draw);
}

void TegakiPresenter::BuzaiSakujyoMenuClick() {
    set_mode(Mode::Delete);
}

void TegakiPresenter::SetutenDataMenuClick() {
    set_mode(Mode::NodeData);
}

void TegakiPresenter::BuzaiDataMenuClick() {
    set_mode(Mode::BeamData);
}

void TegakiPresenter::WireModelMenuClick() {
    params_.TAU = render::kStartTau;
    params_.FAI = render::kStartFai;
    view_.show_isome_window();
    params_.PersRequest = 0;
    win_.mode = views::kModeWire;
    view_.repaint();
}

void TegakiPresenter::JikuModelMenuClick() {
    params_.TAU = render::kStartTau;
    params_.FAI = render::kStartFai;
    rebuild_trio();
    render::get_jiku_world(win_, params_, solids_.directory, solids_.N_TRIO,
                           render::TrioReader::kTegaki, msg_);
    view_.show_isome_window();
    params_.PersRequest = 0;
    win_.mode = views::kModeMemberBox;
    view_.repaint();
}

void TegakiPresenter::ShitenZahyouMenuClick() {
    rebuild_trio();
    render::get_jiku_world(win_, params_, solids_.directory, solids_.N_TRIO,
                           render::TrioReader::kTegaki, msg_);
    params_.PersRequest = 0;
    win_.mode = views::kModePersWire;
    view_.repaint();
    view_.show_view_window();
}

void TegakiPresenter::TegakiModoriMenuClick() {
    plan_world();
    set_mode(Mode::Draw);
    model::load_old_node(m_);
    params_.PersRequest = 0;
    win_.mode = kTegakiPlan;
    view_.repaint();
}

void TegakiPresenter::HelpMenuClick() {
    view_.show_help();
}

}  // namespace tarvik::editing
