#include "views/isome_form.h"

#include <algorithm>

#include "model/spy.h"

namespace tarvik::views {

void IsomePresenter::FormCreate(int xScreen) {
    const int top = kFormMargin;
    const int left = std::max(0, xScreen - kIsomeClientWidth - kFormMargin);
    model::spy("xScreen %7.1f Top %5d Left %5d", static_cast<double>(xScreen), top, left);
    view_.place(left, top);
    show_angles();
}

void IsomePresenter::show_angles() {
    shown_tau_ = p_.TAU;
    shown_fai_ = p_.FAI;
    const int tau = static_cast<int>(p_.TAU);
    const int fai = static_cast<int>(p_.FAI);
    view_.set_tau_position(tau);
    view_.set_fai_position(fai);
    view_.set_tau_value(std::to_string(tau));
    view_.set_fai_value(std::to_string(fai));
    int item = kIsomeItem;
    for (int i = 1; i < static_cast<int>(kViewPresets.size()); ++i)
        if (p_.TAU == static_cast<float>(kViewPresets[i].tau) &&
            p_.FAI == static_cast<float>(kViewPresets[i].fai))
            item = i;
    view_.select_item(item);
}

void IsomePresenter::Tick() {
    if (p_.TAU != shown_tau_ || p_.FAI != shown_fai_) show_angles();
}

void IsomePresenter::TauScrollBarChange(int position) {
    p_.TAU = static_cast<float>(position);
    shown_tau_ = p_.TAU;
    view_.set_tau_value(std::to_string(position));
}

void IsomePresenter::FaiScrollBarChange(int position) {
    p_.FAI = static_cast<float>(position);
    shown_fai_ = p_.FAI;
    view_.set_fai_value(std::to_string(position));
}

void IsomePresenter::SelRadioGroupClick(int index) {
    if (index < 0 || index >= static_cast<int>(kViewPresets.size())) return;
    const ViewPreset& v = kViewPresets[index];
    view_.set_tau_position(v.tau);
    view_.set_fai_position(v.fai);
    TauScrollBarChange(v.tau);
    FaiScrollBarChange(v.fai);
}

void IsomePresenter::Button2Click() {
    view_.close_window();
}

}  // namespace tarvik::views
