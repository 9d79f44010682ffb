#include "editing/ken_node_form.h"

#include "model/maintenance.h"
#include "ui/fields.h"
#include "views/isome_form.h"

namespace tarvik::editing {

namespace {

std::string fmt(const char* format, int v) {
    return ui::cformat(format, v);
}

// The standard drawing the angles match; anything else is the isometric one.
int drawing_of(float tau, float fai) {
    for (int i = 0; i < static_cast<int>(views::kViewPresets.size()); ++i)
        if (tau == views::kViewPresets[i].tau && fai == views::kViewPresets[i].fai) return i;
    return views::kIsomeItem;
}

}  // namespace

void show_level_max(LevelRangeView& view, const model::ModelStore& m) {
    view.set_level_max(fmt(" %5d", m.N_X - 1), fmt(" %5d", m.N_Y - 1), fmt(" %5d", m.N_Z - 1));
}

void KenNodePresenter::show_angles() {
    const int tau = static_cast<int>(p_.TAU), fai = static_cast<int>(p_.FAI);
    view_.set_angles(tau, fai);
    view_.set_tau_label(fmt("%d", tau));
    view_.set_fai_label(fmt("%d", fai));
    view_.select_drawing(drawing_of(p_.TAU, p_.FAI));
}

void KenNodePresenter::FormShow() {
    core_.open();
    view_.set_range_texts({fmt("X%02d", 0), fmt("X%02d", m_.N_X - 1), fmt("Y%02d", 0),
                           fmt("Y%02d", m_.N_Y - 1), fmt("Z%02d", 0), fmt("Z%02d", m_.N_Z - 1)});
    show_level_max(view_, m_);
    show_angles();
    view_.set_total(fmt("%d", m_.N_Node));
    view_.set_count(fmt("%d", core_.last_count()));
}

void KenNodePresenter::KenSpeedButtonClick() {
    const LevelTexts t = view_.range_texts();
    // A text that is not a level code would silently stand for level 0.
    if (const std::string bad = model::check_level_texts(t, m_); !bad.empty()) {
        view_.set_count("");
        ask_.show_message(bad);
        return;
    }
    const int n = core_.KenSpeedButtonClick(t);
    view_.set_count(fmt("%d", n));
    host_.repaint_main();
}

void KenNodePresenter::RangeEditChange() {
    // The count belongs to the ranges it was made for.
    view_.set_count("");
}

void KenNodePresenter::ZenSentakuSpeedButtonClick() {
    const PickMode mode = host_.pick_mode();
    if (mode == PickMode::kNone) {
        core_.ZenSentakuSpeedButtonClick(mode, ask_);
        host_.repaint_main();
        return;
    }
    core_.mark_inside();
    host_.repaint_main();
    host_.node_search_finished();
    const bool yes =
        ask_.ask_yes_no(mode == PickMode::kKousoku ? kAskKousoku : kAskKajyu);
    core_.apply_answer(mode, yes);
    host_.repaint_main();
}

void KenNodePresenter::CloseButtonClick() {
    host_.node_search_finished();
    core_.CloseButtonClick();
    host_.repaint_main();
}

void KenNodePresenter::TauScrollBarChange(int position) {
    p_.TAU = static_cast<float>(position);
    view_.set_tau_label(fmt("%d", position));
    host_.repaint_main();
}

void KenNodePresenter::FaiScrollBarChange(int position) {
    p_.FAI = static_cast<float>(position);
    view_.set_fai_label(fmt("%d", position));
    host_.repaint_main();
}

void KenNodePresenter::ZumenSelRadioGroupClick(int index) {
    if (index < 0 || index >= static_cast<int>(views::kViewPresets.size())) return;
    p_.TAU = static_cast<float>(views::kViewPresets[index].tau);
    p_.FAI = static_cast<float>(views::kViewPresets[index].fai);
    show_angles();
    host_.repaint_main();
}

}  // namespace tarvik::editing
