// TShowStressForm: the end forces of the selected members drawn as a diagram
// beside each member, in a parallel projection of the window's own.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/result_draw.h"
#include "analysis/result_lists.h"
#include "render/canvas.h"
#include "render/view_window.h"
#include "ui/texts.h"

namespace tarvik::analysis {

// Shortest member length and largest end value start from these.
inline constexpr float kLengthStart = 99990.0f;
inline constexpr float kDiagramFitStart = 9999.9f;

// Force kinds of the drawing: axial p1/p2, shear xv1/xv2, yv1/yv2, xm1/xm2,
// moment ym1/ym2, torsion zm at both ends.
enum ForceKind : int {
    kAxial = 1,
    kShearX = 2,
    kShearY = 3,
    kMomentX = 4,
    kMoment = 5,
    kTorsion = 6
};
// The radio group "種別" offers three of them.
struct ShuItem {
    const char* caption;
    ForceKind kind;
};
inline constexpr std::array<ShuItem, 3> kShuItems{
    {{"軸力", kAxial}, {"せん断", kShearX}, {"モーメント", kMoment}}};

// Values at end 1 and end 2 of a member for a kind.
std::array<float, 2> end_values(const StressRecord& s, int kind);

// Member angles as the square bar takes them (degrees): elevation and azimuth.
void member_angles(float xs, float ys, float zs, float xl, float yl, float zl, double& kakudoY,
                   double& kakudoZ);

// The point at local (x, 0, z) of a member turned by its angles and moved to end I.
std::array<float, 3> member_point(const StressRecord& s, double x, double z);

// The legend of the diagram of a kind drawn at a scale (cm of drawing per unit).
std::vector<LegendLine> diagram_legend(int kind, float scale);

class ShowStressView {
  public:
    virtual ~ShowStressView() = default;
    virtual void set_scale_text(const std::string& text) = 0;  // "スケール"
    virtual void set_tau(int position, const std::string& label) = 0;
    virtual void set_fai(int position, const std::string& label) = 0;
    virtual void select_zumen(int index) = 0;
    virtual void select_shu(int index) = 0;
    virtual void repaint() = 0;
};

class ShowStressPresenter {
  public:
    ShowStressPresenter(const FoundTable& found, float TAU, float FAI, ShowStressView& view)
        : found_(found), TAU_(TAU), FAI_(FAI), view_(view) {}

    void FormShow();
    void ShuRadioGroupClick(int index);
    void ZumenRadioGroupClick(int index);
    void TauScrollBarChange(int position);
    void FaiScrollBarChange(int position);
    void FormPaint(render::Canvas& c);

    int kind() const { return kind_; }
    float scale() const { return scale_; }
    float TAU() const { return TAU_; }
    float FAI() const { return FAI_; }
    const render::ViewWindow& window() const { return win_; }
    render::ViewWindow& window() { return win_; }  // its zoom, for the mouse
    // Any kind, also those the radio group does not offer.
    void set_kind(int kind);

  private:
    void compute_scale();
    void show_angles();

    const FoundTable& found_;
    float TAU_, FAI_;
    ShowStressView& view_;
    int kind_ = kAxial;
    float scale_ = 0.0f;
    render::ViewWindow win_;
};

}  // namespace tarvik::analysis
