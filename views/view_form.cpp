#include "views/view_form.h"

#include <algorithm>

#include "model/spy.h"
#include "views/view_preview.h"

namespace tarvik::views {
namespace {

std::string text_of(int v) {
    return std::to_string(v);
}

}  // namespace

void ViewFormPresenter::FormCreate(int xScreen) {
    const int top = kViewFormTop;
    // On a narrow screen the window keeps to the screen rather than the rule.
    const int left = std::max(0, xScreen - kViewClientWidth - kViewFormMargin);
    model::spy("Top %5d Left %5d", top, left);
    view_.place(left, top);
    rho_ = p_.Rho;
    theta_ = p_.Theta;
    phi_ = p_.Phi;
    view_.set_position(kRhoBar, static_cast<int>(p_.Rho));
    view_.set_position(kThetaBar, static_cast<int>(p_.Theta));
    view_.set_position(kPhiBar, static_cast<int>(p_.Phi));
    view_.set_value_label(kRhoBar, text_of(static_cast<int>(p_.Rho)));
    view_.set_value_label(kThetaBar, text_of(static_cast<int>(p_.Theta)));
    view_.set_value_label(kPhiBar, text_of(static_cast<int>(p_.Phi)));
    view_.redraw_preview();
}

void ViewFormPresenter::FormShow() {
    view_.redraw_preview();
}

void ViewFormPresenter::scrolled(EyeBar bar, int position, double& copy) {
    view_.set_value_label(bar, text_of(position));
    copy = position;
    view_.redraw_preview();
}

void ViewFormPresenter::RhoScrollBarScroll(int position) {
    scrolled(kRhoBar, position, rho_);
}

void ViewFormPresenter::ThetaScrollBarScroll(int position) {
    scrolled(kThetaBar, position, theta_);
}

void ViewFormPresenter::PhiScrollBarScroll(int position) {
    scrolled(kPhiBar, position, phi_);
}

// The shared values from the bars.
void ViewFormPresenter::take_positions() {
    p_.Rho = view_.position(kRhoBar);
    p_.Theta = view_.position(kThetaBar);
    p_.Phi = view_.position(kPhiBar);
}

// The window's values from the shared ones, into the labels and the preview.
void ViewFormPresenter::show_copies() {
    view_.set_value_label(kRhoBar, text_of(static_cast<int>(p_.Rho)));
    view_.set_value_label(kThetaBar, text_of(static_cast<int>(p_.Theta)));
    view_.set_value_label(kPhiBar, text_of(static_cast<int>(p_.Phi)));
    rho_ = p_.Rho;
    theta_ = p_.Theta;
    phi_ = p_.Phi;
    view_.redraw_preview();
}

void ViewFormPresenter::OKButtonClick() {
    take_positions();
    show_copies();
}

void ViewFormPresenter::CancelButtonClick() {
    view_.close_window();
}

void ViewFormPresenter::DefautrButtonClick() {
    p_.Rho = kStartRho;
    p_.Theta = kStartTheta;
    p_.Phi = kStartPhi;
    view_.set_position(kRhoBar, static_cast<int>(kStartRho));
    view_.set_position(kThetaBar, static_cast<int>(kStartTheta));
    view_.set_position(kPhiBar, static_cast<int>(kStartPhi));
    show_copies();
}

void ViewFormPresenter::PersButtonClick() {
    take_positions();
    p_.PersRequest = 1;
    view_.close_window();
}

void ViewFormPresenter::Image2Paint(Canvas& c) const {
    make_cuve(c, p_.box, rho_, theta_, phi_);
}

}  // namespace tarvik::views
