#include "editing/jiku_form.h"

#include "model/spy.h"

namespace tarvik::editing {

namespace {

constexpr float kResetAngle = 30.0f;  // degrees, TAU and FAI of every wire view

}  // namespace

void JikuPresenter::reset_angles() {
    p_.TAU = kResetAngle;
    p_.FAI = kResetAngle;
}

void JikuPresenter::FormCreate() {
    model::spy("Enter TJikuForm FormCreate()");
    reset_angles();
    // The window starts with the parameters it is shown with: the first tick
    // finds nothing changed.
    win_.TAU = p_.TAU;
    win_.FAI = p_.FAI;
    win_.Rho = p_.Rho;
    win_.Theta = p_.Theta;
    win_.Phi = p_.Phi;
    win_.mode = kJikuWireNodes;
    view_.show_isome_form();
    view_.set_menu_enabled(JikuMenu::FaceHozonMenu, false);
}

void JikuPresenter::FormPaint(render::Canvas& c) {
    win_.W = c.width();
    win_.H = c.height();
    if (win_.mode == kJikuWireNodes || win_.mode == kJikuWire) {
        c.clear(render::kWhite);
        views::paint_wire_model(ctx_, c, win_.mode == kJikuWireNodes);
        return;
    }
    views::paint_display_mode(ctx_, c);
}

void JikuPresenter::CheckTimerTimer(render::Canvas* live) {
    if (views::drawing_window_tick(ctx_, live).repaint) view_.repaint();
    view_.set_menu_enabled(JikuMenu::DxfHozonMenu, true);
}

void JikuPresenter::enter_mode(int mode) {
    p_.PersRequest = 0;
    win_.mode = mode;
    view_.repaint();
}

void JikuPresenter::show_wire(int mode) {
    view_.set_busy(true);
    reset_angles();
    view_.show_isome_form();
    enter_mode(mode);
    view_.set_busy(false);
}

void JikuPresenter::SetutenWireMenuClick() { show_wire(kJikuWireNodes); }
void JikuPresenter::WireModelMenuClick() { show_wire(kJikuWire); }

bool JikuPresenter::rebuild_trio() {
    return render::make_trio_file(solids_, m_, msg_) == 0;
}

void JikuPresenter::JikuModelMenuClick() {
    view_.set_busy(true);
    reset_angles();
    if (!rebuild_trio()) {
        view_.set_busy(false);
        msg_.show_message(kJikuireFailed);
        return;
    }
    view_.set_menu_enabled(JikuMenu::FaceHozonMenu, true);
    render::get_jiku_world(win_, p_, solids_.directory, solids_.N_TRIO, ctx_.reader, msg_);
    view_.show_isome_form();
    enter_mode(kJikuMemberBox);
    view_.set_busy(false);
}

void JikuPresenter::ShitenZahyouMenuClick() {
    view_.set_busy(true);
    // Without the triangle file there is nothing to look at in perspective;
    // its writer has said why.
    if (!rebuild_trio()) {
        view_.set_busy(false);
        return;
    }
    render::get_jiku_world(win_, p_, solids_.directory, solids_.N_TRIO, ctx_.reader, msg_);
    enter_mode(kJikuPersWire);
    view_.set_busy(false);
    view_.show_view_form();
}

void JikuPresenter::ModoruMenuClick() {
    reset_angles();
    view_.close_window();
}

void JikuPresenter::DxfHozonMenuClick() {
    files::dxf_save_command(view_, msg_, solids_.path(render::kTempFileName), files::kDxfDoneWide);
}

void JikuPresenter::FaceHozonMenuClick() {
    files::face_save_command(view_, msg_, solids_);
}

}  // namespace tarvik::editing
