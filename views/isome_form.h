// The window "アイソメ": the two angles of the parallel projection, by scroll
// bar or by one of four standard views. Every drawing window notices the new
// angles at its next timer tick.
#pragma once

#include <array>
#include <string>

#include "render/view_params.h"
#include "ui/texts.h"

namespace tarvik::views {

// The view windows are built on the render core and use its names as their own.
using namespace tarvik::render;

inline constexpr int kAngleMin = 0;  // degrees, both scroll bars
inline constexpr int kAngleMax = 90;
inline constexpr int kIsomeClientWidth = 260;
inline constexpr int kIsomeClientHeight = 200;
// Distance of the window from the top and right edge of the screen.
inline constexpr int kFormMargin = 64;

struct ViewPreset {
    const char* caption;
    int tau, fai;
};
inline constexpr int kIsomeItem = 0;
inline constexpr std::array<ViewPreset, 4> kViewPresets{{
    {"アイソメ図", 30, 30},
    {"正面図", 90, 0},
    {"側面図", 0, 0},
    {"平面図", 0, 90},
}};

class IsomeView {
  public:
    virtual ~IsomeView() = default;
    // Setting a position is not a user's change: it raises no event.
    virtual void set_tau_position(int position) = 0;
    virtual void set_fai_position(int position) = 0;
    virtual void set_tau_value(const std::string& text) = 0;  // TauValLabel
    virtual void set_fai_value(const std::string& text) = 0;  // FaiValLabel
    virtual void select_item(int index) = 0;                  // SelRadioGroup
    virtual void place(int left, int top) = 0;
    virtual void close_window() = 0;
};

class IsomePresenter {
  public:
    IsomePresenter(ViewParams& params, IsomeView& view) : p_(params), view_(view) {}

    // Placement from the screen width, bars and labels at the current angles,
    // and the standard view they match selected (none matching: アイソメ図).
    // Each opening does the same: the angles may have changed meanwhile.
    void FormCreate(int xScreen);
    // The window's timer: the controls follow angles changed elsewhere (a
    // standard view chosen in another window, an editor's reset to 30/30).
    void Tick();
    void TauScrollBarChange(int position);
    void FaiScrollBarChange(int position);
    void SelRadioGroupClick(int index);
    void Button2Click();

  private:
    void show_angles();

    ViewParams& p_;
    IsomeView& view_;
    float shown_tau_ = 0.0f, shown_fai_ = 0.0f;  // the angles the controls show
};

}  // namespace tarvik::views
