#include "views/label_thinning.h"

#include <algorithm>
#include <cmath>

#include "render/projection.h"

namespace tarvik::views {
namespace {

// Share of the smaller of two boxes one may cover of the other: the margins
// of two labels may touch; more than that no longer reads.
constexpr double kMaxCover = 0.05;

long long overlap_area(const LabelBox& a, const LabelBox& b) {
    const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return (w > 0 && h > 0) ? w * h : 0;
}

long long area(const LabelBox& b) {
    return static_cast<long long>(b.right - b.left) * (b.bottom - b.top);
}

// Floor division for the grid, also left of and above the area.
int cell_of(int v, int cell) {
    return v >= 0 ? v / cell : -((-v + cell - 1) / cell);
}

}  // namespace

LabelBox stroke_label_box(const render::ViewWindow& w, std::string_view text, double h, double x,
                          double y) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    // The stroke font puts character i at (i - 1) cells from the start, one
    // cell (12 font units) being the height. The box takes half a cell more
    // on every side: labels closer than that read as one mass among the
    // members and node marks.
    const double a = std::fabs(h);
    const render::Pixel p1 =
        render::world_to_crt(w, x + (static_cast<double>(first) - 1.5) * a, y + 1.5 * a);
    const render::Pixel p2 =
        render::world_to_crt(w, x + (static_cast<double>(last) + 0.5) * a, y - 0.5 * a);
    LabelBox b{std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::max(p1.x, p2.x),
               std::max(p1.y, p2.y)};
    // A text too small to see still takes a pixel.
    if (b.right == b.left) ++b.right;
    if (b.bottom == b.top) ++b.bottom;
    return b;
}

bool LabelThinning::accept(const LabelBox& b) {
    if (b.empty()) return true;
    if (b.right <= 0 || b.bottom <= 0 || b.left >= w_ || b.top >= h_) return false;
    // Only the part on the drawing area counts, and only its cells.
    const LabelBox c{std::max(b.left, 0), std::max(b.top, 0), std::min(b.right, w_),
                     std::min(b.bottom, h_)};
    const int cx0 = cell_of(c.left, kCell), cx1 = cell_of(c.right - 1, kCell);
    const int cy0 = cell_of(c.top, kCell), cy1 = cell_of(c.bottom - 1, kCell);
    for (int cy = cy0; cy <= cy1; ++cy)
        for (int cx = cx0; cx <= cx1; ++cx) {
            const auto it = cells_.find(key(cx, cy));
            if (it == cells_.end()) continue;
            for (int i : it->second) {
                const LabelBox& o = boxes_[i];
                const double smaller = static_cast<double>(std::min(area(o), area(c)));
                if (overlap_area(o, c) > kMaxCover * smaller) {
                    thinned_ = true;
                    return false;
                }
            }
        }
    const int index = static_cast<int>(boxes_.size());
    boxes_.push_back(c);
    for (int cy = cy0; cy <= cy1; ++cy)
        for (int cx = cx0; cx <= cx1; ++cx) cells_[key(cx, cy)].push_back(index);
    return true;
}

}  // namespace tarvik::views
