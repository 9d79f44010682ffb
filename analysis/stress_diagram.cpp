#include "analysis/stress_diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/result_draw.h"
#include "render/draw.h"
#include "views/isome_form.h"
#include "render/projection.h"

namespace tarvik::analysis {
namespace {

constexpr double kDegToRad = 3.14159 / 180.0;  // as the square bar turns its corners
constexpr double kRadToDeg = 180.0 / 3.14159265358979;

float member_length(const StressRecord& s) {
    const float dx = s.xj - s.xi, dy = s.yj - s.yi, dz = s.zj - s.zi;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

std::array<float, 2> end_values(const StressRecord& s, int kind) {
    switch (kind) {
        case kAxial:
            return {s.p1, s.p2};
        case kShearX:
            return {s.xv1, s.xv2};
        case kShearY:
            return {s.yv1, s.yv2};
        case kMomentX:
            return {s.xm1, s.xm2};
        case kMoment:
            return {s.ym1, s.ym2};
        case kTorsion:
            return {s.zm, s.zm};
        default:
            return {0.0f, 0.0f};
    }
}

void member_angles(float xs, float ys, float zs, float xl, float yl, float zl, double& kakudoY,
                   double& kakudoZ) {
    const double dx = xl - xs, dy = yl - ys, dz = zl - zs;
    const double L = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double Lh = std::sqrt(dx * dx + dy * dy);
    if (Lh == 0.0 && dz != 0.0) {
        kakudoY = dz > 0.0 ? 90.0 : -90.0;
        kakudoZ = 0.0;
        return;
    }
    kakudoY = (L == Lh || L == 0.0) ? 0.0 : std::acos(Lh / L) * kRadToDeg;
    if (kakudoY != 0.0 && zl <= zs) kakudoY = -kakudoY;
    kakudoZ = std::atan2(dy, dx) * kRadToDeg;
}

std::array<float, 3> member_point(const StressRecord& s, double x, double z) {
    double ky = 0.0, kz = 0.0;
    member_angles(s.xi, s.yi, s.zi, s.xj, s.yj, s.zj, ky, kz);
    const double cy = std::cos(ky * kDegToRad), sy = std::sin(ky * kDegToRad);
    const double cz = std::cos(kz * kDegToRad), sz = std::sin(kz * kDegToRad);
    // About the y axis by the elevation, then about the z axis by the azimuth.
    const double x1 = x * cy - z * sy, z1 = x * sy + z * cy;
    const double x2 = x1 * cz, y2 = x1 * sz;
    return {static_cast<float>(x2 + s.xi), static_cast<float>(y2 + s.yi),
            static_cast<float>(z1 + s.zi)};
}

void ShowStressPresenter::show_angles() {
    const int tau = static_cast<int>(TAU_), fai = static_cast<int>(FAI_);
    view_.set_tau(tau, std::to_string(tau));
    view_.set_fai(fai, std::to_string(fai));
}

void ShowStressPresenter::FormShow() {
    show_angles();
    int item = views::kIsomeItem;
    for (size_t k = 0; k < views::kViewPresets.size(); ++k)
        if (views::kViewPresets[k].tau == TAU_ && views::kViewPresets[k].fai == FAI_)
            item = static_cast<int>(k);
    view_.select_zumen(item);
    view_.select_shu(0);
    set_kind(kAxial);
}

void ShowStressPresenter::set_kind(int kind) {
    kind_ = kind;
    compute_scale();
    view_.repaint();
}

void ShowStressPresenter::compute_scale() {
    float shortest = kLengthStart, largest = 0.0f;
    for (const StressRecord& s : found_.rows) {
        shortest = std::min(shortest, member_length(s));
        const auto v = end_values(s, kind_);
        largest = std::max({largest, std::fabs(v[0]), std::fabs(v[1])});
    }
    // Without any force the diagram lies on the members.
    scale_ = largest > 0.0f ? shortest / largest : 0.0f;
    char buf[32];
    std::snprintf(buf, sizeof buf, " %7.3f", scale_);
    view_.set_scale_text(buf);
}

void ShowStressPresenter::ShuRadioGroupClick(int index) {
    if (index < 0 || index >= static_cast<int>(kShuItems.size())) return;
    set_kind(kShuItems[index].kind);
}

void ShowStressPresenter::ZumenRadioGroupClick(int index) {
    if (index < 0 || index >= static_cast<int>(views::kViewPresets.size())) return;
    TAU_ = static_cast<float>(views::kViewPresets[index].tau);
    FAI_ = static_cast<float>(views::kViewPresets[index].fai);
    show_angles();
    view_.repaint();
}

void ShowStressPresenter::TauScrollBarChange(int position) {
    TAU_ = static_cast<float>(position);
    show_angles();
    view_.repaint();
}

void ShowStressPresenter::FaiScrollBarChange(int position) {
    FAI_ = static_cast<float>(position);
    show_angles();
    view_.repaint();
}

void ShowStressPresenter::FormPaint(render::Canvas& c) {
    c.clear(render::kWhite);
    const render::ViewParams angles = angles_of(TAU_, FAI_);
    struct Projected {
        render::ProjPoint i, j, p3, p4;
    };
    std::vector<Projected> pts;
    pts.reserve(found_.rows.size());
    FitBounds b(kDiagramFitStart);
    for (const StressRecord& s : found_.rows) {
        const auto v = end_values(s, kind_);
        const float L = member_length(s);
        const auto p3 = member_point(s, 0.0, v[0] * scale_);
        const auto p4 = member_point(s, L, v[1] * scale_);
        Projected p{render::iso_project(angles, s.xi, s.yi, s.zi),
                    render::iso_project(angles, s.xj, s.yj, s.zj),
                    render::iso_project(angles, p3[0], p3[1], p3[2]),
                    render::iso_project(angles, p4[0], p4[1], p4[2])};
        for (const render::ProjPoint& q : {p.i, p.j, p.p3, p.p4}) b.widen(q.X, q.Y);
        pts.push_back(p);
    }
    fit_bounds(win_, b, c.width(), c.height());
    auto line = [&](render::ProjPoint a, render::ProjPoint e) {
        render::draw_to(win_, c, a.X, a.Y, render::kPenMove);
        render::draw_to(win_, c, e.X, e.Y, render::kPenDraw);
    };
    for (const Projected& p : pts) {
        render::set_pen(c, render::kSolid, 2, render::kBlack);
        line(p.i, p.j);
        render::set_pen(c, render::kDotted, 1, render::kBlack);
        line(p.i, p.p3);
        line(p.p3, p.p4);
        line(p.p4, p.j);
    }
    render::set_pen(c, render::kSolid, 1, render::kBlack);
    draw_legend_lines(c, diagram_legend(kind_, scale_));
}

std::vector<LegendLine> diagram_legend(int kind, float scale) {
    const char* name = "軸力";
    bool moment = false;
    switch (kind) {
        case kShearX:
        case kShearY:
            name = "せん断力";
            break;
        case kMomentX:
        case kMoment:
            name = "モーメント";
            moment = true;
            break;
        case kTorsion:
            name = "ねじりモーメント";
            moment = true;
            break;
        default:
            break;
    }
    const std::string unit = std::string(kForceUnit) + (moment ? "·cm" : "");
    char buf[200];
    std::snprintf(buf, sizeof buf,
                  "点線: %s図。部材からの距離 = 値 × %.4g cm/%s (最大の値が最短の部材の長さ)", name,
                  double(scale), unit.c_str());
    return {{2, render::kBlack, "太い実線: 部材"},
            {0, render::kBlack, buf},  // a bar would not look dotted
            {0, render::kBlack, std::string(name) + "の単位 " + unit}};
}

}  // namespace tarvik::analysis
