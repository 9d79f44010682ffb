// Label thinning over a zoomed drawing, the placement of tool windows and the
// angle controls that follow the angles in use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/projection.h"
#include "views/isome_form.h"
#include "views/label_thinning.h"
#include "views/tool_place.h"

namespace tarvik::views {
namespace {

// --- label thinning ---------------------------------------------------------

// A window 640 x 480 whose World is 1000 units square, fitted as the main
// window does (a square Crt with 16-pixel margins).
ViewWindow plan_window() {
    ViewWindow w;
    w.W = 640;
    w.H = 480;
    fit_square_world(w, 0, 0, 1000, 1000);
    w.Crt = {96, 16, 544, 464};
    return w;
}

// Node-name labels of an n x n grid of points spaced d apart, offered in
// order; returns how many were accepted.
int place_grid(const ViewWindow& w, LabelThinning& t, int n, double d) {
    const double h = (w.World.top - w.World.bottom) / 75.0 / w.zoom.factor;
    int accepted = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            accepted += t.accept(stroke_label_box(w, "X01Y02Z03", h, i * d + 2 * h, j * d));
    return accepted;
}

TEST(LabelThinning, ASparseDrawingKeepsEveryLabel) {
    const ViewWindow w = plan_window();
    LabelThinning t(w.W, w.H);
    // Five points across: names are far narrower than the spacing.
    EXPECT_EQ(place_grid(w, t, 5, 250.0), 25);
    EXPECT_FALSE(t.thinned());
}

TEST(LabelThinning, ADenseDrawingThinsAndZoomingInBringsThemBack) {
    ViewWindow w = plan_window();
    LabelThinning dense(w.W, w.H);
    const int n = 60;
    const double d = 1000.0 / (n - 1);
    const int kept = place_grid(w, dense, n, d);
    EXPECT_TRUE(dense.thinned());
    EXPECT_LT(kept, n * n / 4);
    EXPECT_GT(kept, 20);  // thinned, not emptied

    // Zoomed in 16 times at the middle: the labels on the area keep their
    // size while the points spread; every one still on the area is drawn.
    zoom_view(w, 320, 240, 16.0);
    LabelThinning zoomed(w.W, w.H);
    const int shown = place_grid(w, zoomed, n, d);
    EXPECT_FALSE(zoomed.thinned());
    EXPECT_GT(shown, 4);
    EXPECT_LT(shown, n * n);  // the rest lie off the area and are not drawn
}

TEST(LabelThinning, BoxesFollowTheInkAndTheZoom) {
    ViewWindow w = plan_window();
    const double h = 1000.0 / 75.0;
    const LabelBox name = stroke_label_box(w, "X00Y00Z00", h, 500, 500);
    const LabelBox number = stroke_label_box(w, "   12", h, 500, 500);
    EXPECT_TRUE(stroke_label_box(w, "     ", h, 500, 500).empty());
    // Nine cells and a margin of half a cell.
    EXPECT_NEAR(name.bottom - name.top, 2 * h * 448 / 1000, 1);
    EXPECT_NEAR(name.right - name.left, 10 * h * 448 / 1000, 2);
    EXPECT_LT(number.right - number.left, (name.right - name.left) / 2);  // two digits of ink
    zoom_view(w, 0, 0, 4.0);
    const LabelBox big = stroke_label_box(w, "X00Y00Z00", h, 500, 500);
    EXPECT_NEAR(big.right - big.left, 4 * (name.right - name.left), 8);
}

TEST(LabelThinning, OverlapBelowTheLimitIsKept) {
    LabelThinning t(300, 200);
    EXPECT_TRUE(t.accept({10, 10, 110, 20}));
    EXPECT_TRUE(t.accept({105, 10, 205, 20}));  // corners touching: still read apart
    EXPECT_FALSE(t.accept({40, 12, 140, 22}));  // most of it over the first ones
    EXPECT_TRUE(t.thinned());
    LabelThinning off(200, 200);
    EXPECT_FALSE(off.accept({300, 10, 400, 20}));  // off the area: not drawn, not thinned
    EXPECT_FALSE(off.thinned());
}

// --- tool window placement -----------------------------------------------------

TEST(PlaceToolWindow, AtTheOffsetsFromTheDrawingKeptOnTheScreen) {
    const ScreenRect screen{0, 0, 1280, 1024};
    struct Case {
        ScreenRect drawing;
        int dx, dy, w, h;
        ScreenPoint want;
    };
    const Case cases[] = {
        // A maximised main window: the drawing below the menu bar.
        {{0, 52, 1280, 972}, 32, 32, 300, 330, {32, 84}},
        // The right-hand rule of "視点" taken from the drawing's width.
        {{100, 130, 800, 600}, 800 - 302 - 64, 64, 302, 341, {534, 194}},
        // A drawing near the right and bottom edges: moved back onto the screen.
        {{1100, 900, 400, 300}, 32, 32, 300, 330, {980, 694}},
        // Left of and above the screen.
        {{-500, -300, 400, 300}, 32, 32, 300, 330, {0, 0}},
        // Larger than the screen: the top-left corner stays on it.
        {{0, 0, 800, 600}, 10, 10, 2000, 2000, {0, 0}},
    };
    for (const Case& c : cases) {
        const ScreenPoint p = place_tool_window(c.drawing, c.dx, c.dy, c.w, c.h, screen);
        EXPECT_EQ(p.x, c.want.x);
        EXPECT_EQ(p.y, c.want.y);
    }
    // A screen that does not start at the origin (a second monitor).
    const ScreenPoint p =
        place_tool_window({1300, 40, 800, 600}, 900, 32, 260, 200, {1280, 0, 1024, 768});
    EXPECT_EQ(p.x, 1280 + 1024 - 260);
    EXPECT_EQ(p.y, 72);
}

// --- angle controls follow the angles in use ---------------------------------

struct Controls : IsomeView {
    int tau = -1, fai = -1, item = -1;
    std::string tau_text, fai_text;
    void set_tau_position(int p) override { tau = p; }
    void set_fai_position(int p) override { fai = p; }
    void set_tau_value(const std::string& t) override { tau_text = t; }
    void set_fai_value(const std::string& t) override { fai_text = t; }
    void select_item(int i) override { item = i; }
    void place(int, int) override {}
    void close_window() override {}
};

TEST(IsomeAngles, ControlsShowTheAnglesInUseAtEachOpeningAndTick) {
    ViewParams p;
    Controls v;
    IsomePresenter f(p, v);
    f.FormCreate(1024);
    f.SelRadioGroupClick(1);  // 正面図: 90 / 0
    EXPECT_EQ(v.tau, 90);
    // Another window (an editor's reset) goes back to 30 / 30 while this one
    // is open: the next tick shows it.
    p.TAU = 30.0f;
    p.FAI = 30.0f;
    f.Tick();
    EXPECT_EQ(v.tau, 30);
    EXPECT_EQ(v.fai, 30);
    EXPECT_EQ(v.tau_text, "30");
    EXPECT_EQ(v.item, kIsomeItem);
    // A tick with nothing changed leaves the user's controls alone.
    v.tau = -7;
    f.Tick();
    EXPECT_EQ(v.tau, -7);
    // Opening again (the window hidden and shown) starts from the angles in use.
    p.TAU = 0.0f;
    p.FAI = 90.0f;
    f.FormCreate(1024);
    EXPECT_EQ(v.tau, 0);
    EXPECT_EQ(v.fai, 90);
    EXPECT_EQ(v.item, 3);  // 平面図
    EXPECT_EQ(v.fai_text, "90");
}

}  // namespace
}  // namespace tarvik::views
