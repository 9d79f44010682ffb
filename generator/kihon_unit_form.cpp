#include "generator/kihon_unit_form.h"

namespace tarvik::generator {

void KihonUnitPresenter::FormCreate() {
    d_ = default_basic_data();
    d_.N_Kihon = -1;
    view_.set_menu_enabled(UnitMenu::JikuSave, false);
    view_.set_menu_enabled(UnitMenu::DxfSave, false);
    view_.set_menu_enabled(UnitMenu::FaceSave, false);
    view_.open_kihon_form(d_);
    if (d_.N_Kihon == 1) {
        state_ = kDisplayWireNodes;
        // Told once, before the window shows the house: every paint of the
        // plan generates it again.
        if (roof_left_out(d_)) msg_.show_message(kOutNoRoofOn3);
    }
}

void KihonUnitPresenter::FormPaint() {
    if (d_.N_Kihon != 1) {
        view_.close_window();
        return;
    }
    switch (state_) {
        case kDisplayWireNodes: {
            view_.set_busy(true);
            Generator g(m_, d_, msg_, out_);
            last_generation_ = g.generate(solids_);
            view_.set_busy(false);
            view_.show_plan(true);
            break;
        }
        case kDisplayWire:
            view_.show_plan(false);
            break;
        case kDisplayAxis:
            view_.show_wire();
            break;
        case kDisplayViewpoint:
            view_.show_solid();
            break;
        default:
            break;
    }
}

void KihonUnitPresenter::enter_state(int state) {
    state_ = state;
    view_.repaint();
}

void KihonUnitPresenter::WireNodeMenuClick() {
    view_.set_view_angles(kResetTau, kResetFai);
    view_.show_angle_window();
    enter_state(kDisplayWireNodes);
}

void KihonUnitPresenter::WireMenuClick() {
    view_.set_view_angles(kResetTau, kResetFai);
    view_.show_angle_window();
    enter_state(kDisplayWire);
}

void KihonUnitPresenter::JikuModelMenuClick() {
    view_.set_view_angles(kResetTau, kResetFai);
    view_.show_angle_window();
    view_.set_menu_enabled(UnitMenu::JikuSave, true);
    view_.set_menu_enabled(UnitMenu::FaceSave, true);
    enter_state(kDisplayAxis);
}

void KihonUnitPresenter::ShitenMenuClick() {
    enter_state(kDisplayViewpoint);
}

void KihonUnitPresenter::ModoruMenuClick() {
    view_.close_window();
}

void KihonUnitPresenter::FormClose() {
    view_.set_view_angles(kResetTau, kResetFai);
}

void KihonUnitPresenter::HelpMenuClick() {
    view_.show_help(kHelpTopic);
}

void KihonUnitPresenter::ZenDataHenkanMenuClick() {
    ZahyouIdouExchange x{shift_, editing::kResultNone};
    view_.open_zahyou_idou(x);
    if (x.result != editing::kResultOK) return;
    shift_ = x.shift;
    const std::string path = view_.save_file_name(files::kJikuSaveFilter, "jik");
    if (path.empty()) return;
    files::save_jiku_file(m_, path, shift_, msg_);
}

void KihonUnitPresenter::DxfSaveMenuClick() {
    if (solid_model_)
        files::dxf_save_command(view_, msg_, solid_model_->path(render::kTempFileName));
}

void KihonUnitPresenter::FaceSaveMenuClick() {
    if (solid_model_) files::face_save_command(view_, msg_, *solid_model_);
}

void KihonUnitPresenter::PersRequestDone() {
    view_.set_menu_enabled(UnitMenu::DxfSave, true);
}

}  // namespace tarvik::generator
