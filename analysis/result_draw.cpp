#include "analysis/result_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "model/spy.h"
#include "render/draw.h"
#include "render/projection.h"
#include "views/label_thinning.h"

namespace tarvik::analysis {
namespace {

constexpr double kPi = 3.14159265358979;

void line(const render::ViewWindow& w, render::Canvas& c, render::ProjPoint a, render::ProjPoint b) {
    render::draw_to(w, c, a.X, a.Y, render::kPenMove);
    render::draw_to(w, c, b.X, b.Y, render::kPenDraw);
}

}  // namespace

render::ViewParams angles_of(float TAU, float FAI) {
    render::ViewParams p;
    p.TAU = TAU;
    p.FAI = FAI;
    return p;
}

void FitBounds::widen(float X, float Y) {
    if (X < xmin) xmin = X;
    if (X > xmax) xmax = X;
    if (Y < ymin) ymin = Y;
    if (Y > ymax) ymax = Y;
}

void fit_bounds(render::ViewWindow& w, FitBounds b, int W, int H) {
    w.W = W;
    w.H = H;
    // A window smaller than its margins keeps at least half of itself.
    const int mx = std::min(kFitMargin, W / 4), my = std::min(kFitMargin, H / 4);
    const int vx1 = mx, vy1 = my, vx2 = std::max(W - mx, vx1 + 1), vy2 = std::max(H - my, vy1 + 1);
    w.Crt = {vx1, vy1, vx2, vy2};

    // Nothing to fit (the bounds are still at their start values, crossed):
    // the World of a point at the origin.
    if (b.xmin > b.xmax || b.ymin > b.ymax) b.xmin = b.xmax = b.ymin = b.ymax = 0.0f;
    // A frame that projects to a point still gets a World of some size.
    float dx = std::fabs(b.xmax - b.xmin), dy = std::fabs(b.ymax - b.ymin);
    if (dx < render::kMinWorldSpan && dy < render::kMinWorldSpan) {
        const float cx = (b.xmin + b.xmax) / 2, cy = (b.ymin + b.ymax) / 2;
        b.xmin = cx - render::kMinWorldSpan / 2;
        b.xmax = cx + render::kMinWorldSpan / 2;
        b.ymin = cy - render::kMinWorldSpan / 2;
        b.ymax = cy + render::kMinWorldSpan / 2;
        dx = dy = render::kMinWorldSpan;
    }
    const float ratio_crt = static_cast<float>(vx2 - vx1) / static_cast<float>(vy2 - vy1);
    if (dy > 0.0f && dx / dy <= ratio_crt) {
        model::spy("ratio %7.3f 縦長", dx / dy);
        const float half = (b.ymax - b.ymin) * ratio_crt * 0.5f;
        const float cx = (b.xmin + b.xmax) / 2;
        w.World = {cx - half, b.ymin, cx + half, b.ymax};
    } else {
        model::spy("ratio %7.3f 横長", dy > 0.0f ? dx / dy : 0.0f);
        const float half = (b.xmax - b.xmin) / (2 * ratio_crt);
        const float cy = (b.ymin + b.ymax) / 2;
        w.World = {b.xmin, cy - half, b.xmax, cy + half};
    }
}

void fit_result_world(render::ViewWindow& w, const render::ViewParams& angles, const ResultTables& t,
                      int W, int H) {
    FitBounds b(kFitStart);
    for (int k = 0; k < t.N_Stress; ++k) {
        const StressRecord& s = t.stress[k];
        const render::ProjPoint p = render::iso_project(angles, s.xi, s.yi, s.zi);
        const render::ProjPoint q = render::iso_project(angles, s.xj, s.yj, s.zj);
        b.widen(p.X, p.Y);
        b.widen(q.X, q.Y);
    }
    fit_bounds(w, b, W, H);
}

MemberPen axial_pen(int mode, const StressRecord& s) {
    // A zero force is drawn as compression.
    const int colour = s.force > 0.0f ? render::kRed : render::kBlue;
    if (mode == kModeThickness) {
        const int width = static_cast<int>(0.1f * s.percent);
        if (width < 1) return {1, render::kBlack};
        return {width, colour};
    }
    return {1, colour};
}

void draw_axial(render::ViewWindow& w, render::Canvas& c, const render::ViewParams& angles,
                const ResultTables& t, int mode) {
    fit_result_world(w, angles, t, c.width(), c.height());
    for (int k = 0; k < t.N_Stress; ++k) {
        const StressRecord& s = t.stress[k];
        const MemberPen pen = axial_pen(mode, s);
        render::set_pen(c, render::kSolid, pen.width, pen.colour);
        line(w, c, render::iso_project(angles, s.xi, s.yi, s.zi),
             render::iso_project(angles, s.xj, s.yj, s.zj));
    }
    render::set_pen(c, render::kSolid, 1, render::kBlack);
}

void draw_displaced(render::ViewWindow& w, render::Canvas& c, const render::ViewParams& angles,
                    const ResultTables& t) {
    fit_result_world(w, angles, t, c.width(), c.height());
    render::set_pen(c, render::kSolid, 1, render::kBlack);
    for (int k = 0; k < t.N_Stress; ++k) {
        const StressRecord& s = t.stress[k];
        line(w, c, render::iso_project(angles, s.xi, s.yi, s.zi),
             render::iso_project(angles, s.xj, s.yj, s.zj));
    }
    render::set_pen(c, render::kSolid, 1, render::kRed);
    for (int k = 0; k < t.N_NewBeam; ++k) {
        const DisplacedBeam& b = t.new_beam[k];
        line(w, c, render::iso_project(angles, b.xs, b.ys, b.zs),
             render::iso_project(angles, b.xl, b.yl, b.zl));
    }
    render::set_pen(c, render::kSolid, 1, render::kBlack);
}

bool draw_result_labels(const render::ViewWindow& w, render::Canvas& c,
                        const render::ViewParams& angles, const ResultTables& t,
                        const model::ModelStore& m, const LabelToggles& on,
                        render::StrokeText& text) {
    // Text keeps its size on the screen under the zoom.
    const double span = (w.World.top - w.World.bottom) / w.zoom.factor;
    // Every label that is switched on, in drawing order; rank 0 is kept first.
    struct Label {
        std::string text;
        double h, x, y;
        int rank;
    };
    std::vector<Label> labels;
    char buf[96];
    if (on.node_names == 1) {
        const double h = span / 75.0;
        for (int i = 0; i < t.N_Setuten; ++i) {
            const ResultNode& r = t.setuten[i];
            const render::ProjPoint p = render::iso_project(angles, r.x, r.y, r.z);
            labels.push_back({std::string(r.pname, kCompareLength), h, p.X + 2 * h, p.Y, 2});
        }
    }
    const double h = span * 0.01;
    if (on.member_numbers == 1) {
        for (int k = 0; k < t.N_Stress; ++k) {
            const StressRecord& s = t.stress[k];
            const render::ProjPoint p = render::iso_project(
                angles, (s.xi + s.xj) / 2.0f, (s.yi + s.yj) / 2.0f, (s.zi + s.zj) / 2.0f);
            std::snprintf(buf, sizeof buf, "%5d", s.no);
            labels.push_back({std::string(buf, 5), h, p.X, p.Y, 3});
        }
    }
    // Supports and loads sit at the result node of their node number (the node
    // table is in number order); a number outside the table draws nothing.
    auto node_at = [&t](int no) -> const ResultNode* {
        return (no >= 1 && no <= t.N_Setuten) ? &t.setuten[no - 1] : nullptr;
    };
    auto at_node = [&](const ResultNode* r, int len, int rank) {
        const render::ProjPoint p = render::iso_project(angles, r->x, r->y, r->z);
        labels.push_back({std::string(buf, len), h, p.X + 2 * h, p.Y - 2 * h, rank});
    };
    if (on.supports == 1) {
        for (int k = 0; k < m.N_Fix; ++k) {
            const model::Fix& f = m.fix[k];
            const ResultNode* r = node_at(f.no);
            if (!r) continue;
            at_node(r, std::snprintf(buf, sizeof buf, "Fix %1d%1d%1d111", f.xfix, f.yfix, f.zfix),
                    0);
        }
    }
    if (on.loads == 1) {
        for (int k = 0; k < m.N_Load; ++k) {
            const model::Load& ld = m.load[k];
            const ResultNode* r = node_at(ld.no);
            if (!r) continue;
            at_node(r,
                    std::snprintf(buf, sizeof buf, "Load x %8.1f y %5.1f z %8.1f", ld.px, ld.py,
                                  ld.pz),
                    1);
        }
    }

    views::LabelThinning thin(c.width(), c.height());
    std::vector<char> keep(labels.size(), 0);
    for (int rank = 0; rank <= 3; ++rank)
        for (size_t i = 0; i < labels.size(); ++i)
            if (labels[i].rank == rank)
                keep[i] = thin.accept(
                    views::stroke_label_box(w, labels[i].text, labels[i].h, labels[i].x, labels[i].y));
    render::set_pen(c, render::kSolid, 1, render::kBlack);
    for (size_t i = 0; i < labels.size(); ++i) {
        if (!keep[i]) continue;
        const Label& l = labels[i];
        text.stroke_text(w, c, l.text.data(), static_cast<int>(l.text.size()), 0.0, 0.0, 0.0, l.h,
                         l.x, l.y);
    }
    return thin.thinned();
}

void draw_thinned_note(render::Canvas& c) {
    render::set_pen(c, render::kSolid, 1, render::kBlack);
    c.text(8, c.height() - 8, views::kLabelsThinned);
}

float auto_displacement_scale(const ResultTables& t) {
    double largest = 0.0;
    for (int k = 0; k < t.N_Disp; ++k) largest = std::max(largest, double(t.disp[k].disp_abs));
    double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    for (int i = 0; i < t.N_Setuten; ++i) {
        const ResultNode& r = t.setuten[i];
        const double v[3] = {r.x, r.y, r.z};
        for (int a = 0; a < 3; ++a) {
            if (i == 0 || v[a] < lo[a]) lo[a] = v[a];
            if (i == 0 || v[a] > hi[a]) hi[a] = v[a];
        }
    }
    const double extent = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
    if (largest <= 0.0 || extent <= 0.0) return 1.0f;
    return static_cast<float>(kAutoDispShare * extent / largest);
}

namespace {

constexpr int kLegendLeft = 8;
constexpr int kLegendTop = 18;   // baseline of the first line, pixels
constexpr int kLegendLine = 18;  // from one baseline to the next
constexpr int kSwatch = 28;      // length of a colour sample

std::string printf_text(const char* format, double v) {
    char buf[160];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

}  // namespace

void draw_legend_lines(render::Canvas& c, const std::vector<LegendLine>& lines) {
    for (size_t row = 0; row < lines.size(); ++row) {
        const LegendLine& l = lines[row];
        const int y = kLegendTop + static_cast<int>(row) * kLegendLine;
        // The sample is a filled bar, so that it is not taken for a member.
        if (l.width > 0) {
            const int top = y - 5 - l.width / 2;
            c.set_brush(l.colour);
            c.fill_rect(kLegendLeft, top, kLegendLeft + kSwatch, top + l.width);
            c.set_brush(render::kWhite);
        }
        render::set_pen(c, render::kSolid, 1, render::kBlack);
        c.text(kLegendLeft + kSwatch + 8, y, l.text);
    }
}

void draw_legend(render::Canvas& c, int mode, const ResultTables& t, DispScale disp) {
    const std::string unit = kForceUnit;
    const double largest = t.N_Stress > 0 ? std::fabs(t.stress[0].force) : 0.0;
    const std::string force_line =
        "軸力の単位 " + unit + " (最大の大きさ " + printf_text("%.1f", largest) + " " + unit + ")";
    std::vector<LegendLine> lines;
    switch (mode) {
        case kModeSign:
            lines = {{1, render::kRed, "赤: 引張 (軸力 > 0)"},
                     {1, render::kBlue, "青: 圧縮 (軸力 ≦ 0)"},
                     {0, render::kBlack, force_line}};
            break;
        case kModeThickness:
            lines = {{3, render::kRed, "赤: 引張 (軸力 > 0)"},
                     {3, render::kBlue, "青: 圧縮 (軸力 ≦ 0)"},
                     {1, render::kBlack,
                      "線の太さ: 最大軸力に対する割合、10%ごとに1 (最大10)。黒の細線は10%未満"},
                     {0, render::kBlack, force_line}};
            break;
        case kModeDisplaced: {
            char scale[160];
            if (disp.automatic)
                std::snprintf(scale, sizeof scale, "自動 ×%.4g: 最大変位が模型の大きさの1/%.0f",
                              double(disp.scale), 1.0 / kAutoDispShare);
            else
                std::snprintf(scale, sizeof scale, "×%g", double(disp.scale));
            lines = {{1, render::kBlack, "黒: 変形前"},
                     {1, render::kRed, std::string("赤: 変形後 (変位 ") + scale + ")"}};
            if (t.N_Disp > 0)
                lines.push_back({0, render::kBlack,
                                 "最大変位 " + printf_text("%.3f", t.disp[0].disp_abs) +
                                     " cm (節点 " + std::string(t.disp[0].name) + ")"});
            break;
        }
        default:
            return;
    }
    draw_legend_lines(c, lines);
}

SolidBar solid_bar_for(const StressRecord& s) {
    if (s.force <= 0.0f) {
        return {SolidBar::kSquare, s.percent > 1.0f ? std::sqrt(s.percent) : 1.0f};
    }
    if (s.percent > 1.0f) return {SolidBar::kRound, static_cast<float>(std::sqrt(s.percent / kPi))};
    return {SolidBar::kSquare, static_cast<float>(std::sqrt(1.0 / kPi))};
}

}  // namespace tarvik::analysis
