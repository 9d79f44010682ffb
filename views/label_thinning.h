// Labels that would pile up into an unreadable mass: a drawing offers each
// label's box in the order of importance and draws only those accepted. A
// label is left out when it would cover most of one already accepted; the
// drawing then says that some were left out, and zooming in, which spreads
// the points while the text keeps its size on the screen, brings them back.
#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "render/view_window.h"
#include "ui/texts.h"

namespace tarvik::views {

// A label's box, pixels of the drawing area (right and bottom exclusive).
struct LabelBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

// The box of a stroke text of height h (World units) starting at (x, y) in
// window w: one character cell of h per character, from the first to the
// last one that is not a space, with a margin of half a cell. Empty for a
// text of spaces.
LabelBox stroke_label_box(const render::ViewWindow& w, std::string_view text, double h, double x,
                          double y);

class LabelThinning {
  public:
    // The drawing area, pixels: labels wholly outside it are neither drawn
    // nor in anyone's way.
    LabelThinning(int width, int height) : w_(width), h_(height) {}

    // True when the label is to be drawn: it is on the drawing area and
    // covers no accepted label by more than a small share of the smaller box.
    bool accept(const LabelBox& b);
    // Some label on the drawing area was left out.
    bool thinned() const { return thinned_; }

  private:
    // Accepted boxes are kept in buckets of a coarse screen grid, so that a
    // label is compared only with its neighbours.
    static constexpr int kCell = 32;  // pixels
    static long long key(int cx, int cy) {
        return (static_cast<long long>(cx) << 32) ^ (cy & 0xffffffffLL);
    }

    int w_, h_;
    bool thinned_ = false;
    std::vector<LabelBox> boxes_;
    std::unordered_map<long long, std::vector<int>> cells_;
};

}  // namespace tarvik::views
