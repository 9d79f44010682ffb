// The window "視点": the eye of the perspective view. The scroll bars change
// only the window's own values and its preview; "OK" and "Pers" hand them to
// every drawing window, "Pers" also asks for the hidden-line image.
#pragma once

#include <array>
#include <string>

#include "render/canvas.h"
#include "render/view_params.h"
#include "ui/texts.h"

namespace tarvik::views {

// The view windows are built on the render core and use its names as their own.
using namespace tarvik::render;

inline constexpr int kViewClientWidth = 302;
inline constexpr int kViewClientHeight = 341;
inline constexpr int kViewFormTop = 64;
inline constexpr int kViewFormMargin = 64;  // from the right edge of the screen

// A scroll bar with its three labels: minimum, current value (the middle
// label, rewritten at run time), maximum. Small and large steps are 1.
struct EyeScroll {
    const char* name;
    int min, max;
    const char* min_text;
    const char* design_text;  // middle label before the window fills it
    const char* max_text;
};
enum EyeBar : int { kRhoBar = 0, kThetaBar = 1, kPhiBar = 2 };
inline constexpr std::array<EyeScroll, 3> kEyeScrolls{{
    {"Rho", 1000, 20000, "1000", "10000", "20000"},
    {"Theta", -180, 180, "-180", "20", "180"},
    {"Phi", 0, 180, "0", "70", "180"},
}};

class ViewFormView {
  public:
    virtual ~ViewFormView() = default;
    // Setting a position is not a user's scroll: it raises no event.
    virtual void set_position(EyeBar bar, int position) = 0;
    virtual int position(EyeBar bar) const = 0;
    // The middle label of a bar (Label11, Label12, Label13).
    virtual void set_value_label(EyeBar bar, const std::string& text) = 0;
    // Asks for the preview to be painted again (Image2Paint).
    virtual void redraw_preview() = 0;
    virtual void place(int left, int top) = 0;
    virtual void close_window() = 0;
};

class ViewFormPresenter {
  public:
    ViewFormPresenter(ViewParams& params, ViewFormView& view) : p_(params), view_(view) {}

    // Placement from the screen width; bars, labels and the window's values
    // from the shared ones; the preview drawn.
    void FormCreate(int xScreen);
    void FormShow();
    void RhoScrollBarScroll(int position);
    void ThetaScrollBarScroll(int position);
    void PhiScrollBarScroll(int position);
    void OKButtonClick();
    void CancelButtonClick();
    void DefautrButtonClick();
    void PersButtonClick();
    // Paints the preview (121 x 121) from the window's own values.
    void Image2Paint(Canvas& c) const;

    // The window's own values, as the preview shows them.
    double Rho() const { return rho_; }
    double Theta() const { return theta_; }
    double Phi() const { return phi_; }

  private:
    void scrolled(EyeBar bar, int position, double& copy);
    void take_positions();
    void show_copies();

    ViewParams& p_;
    ViewFormView& view_;
    double rho_ = kStartRho, theta_ = kStartTheta, phi_ = kStartPhi;
};

}  // namespace tarvik::views
