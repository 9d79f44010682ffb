// The drawings of the results window: the frame fitted into the window, the
// axial forces by sign or by line thickness, the displaced shape, the labels,
// and the choice of bar for the solid view.
#pragma once

#include "analysis/result_tables.h"
#include "model/model_store.h"
#include "render/canvas.h"
#include "render/stroke_text.h"
#include "render/view_params.h"
#include "render/view_window.h"

namespace tarvik::analysis {

// Display modes of the results window.
inline constexpr int kModeNone = 0;
inline constexpr int kModeSign = 3;       // axial force by sign
inline constexpr int kModeThickness = 5;  // axial force by thickness and sign
inline constexpr int kModeSolid = 6;      // the solid view
inline constexpr int kModeHidden = 7;     // the solid view after hidden-line removal
inline constexpr int kModeDisplaced = 9;  // displaced shape

// Running bounds of the fit start from these values.
inline constexpr float kFitStart = 999.9f;
inline constexpr int kFitMargin = 100;  // pixels on every side

// Which labels are drawn over any mode.
struct LabelToggles {
    int node_names = 0, member_numbers = 0, supports = 0, loads = 0;
};

// The projection of the window: its own two angles.
render::ViewParams angles_of(float TAU, float FAI);

// Extremes of projected points, from given start values: a point lowers a
// minimum only when it is smaller and raises a maximum only when it is greater.
struct FitBounds {
    float xmin, ymin, xmax, ymax;
    explicit FitBounds(float start) : xmin(start), ymin(start), xmax(-start), ymax(-start) {}
    void widen(float X, float Y);
};

// World and Crt of a W x H drawing area for the bounds: Crt the area less a
// margin of 100 pixels, World around the bounds with the same scale on both axes.
void fit_bounds(render::ViewWindow& w, FitBounds b, int W, int H);

// Fits the window to both ends of every member (the undisplaced frame) in a
// W x H drawing area: World from the projected extremes, Crt the area less a
// margin of 100 pixels, the same scale on both axes.
void fit_result_world(render::ViewWindow& w, const render::ViewParams& angles, const ResultTables& t,
                      int W, int H);

// Pen of a member in modes 3 and 5.
struct MemberPen {
    int width, colour;
};
MemberPen axial_pen(int mode, const StressRecord& s);

// Mode 3 or 5: every member from end I to end J, largest share first.
void draw_axial(render::ViewWindow& w, render::Canvas& c, const render::ViewParams& angles,
                const ResultTables& t, int mode);

// Mode 9: the frame in black, then the displaced members in red.
void draw_displaced(render::ViewWindow& w, render::Canvas& c, const render::ViewParams& angles,
                    const ResultTables& t);

// The labels that are switched on, in the window's current fit.
void draw_result_labels(const render::ViewWindow& w, render::Canvas& c,
                        const render::ViewParams& angles, const ResultTables& t,
                        const model::ModelStore& m, const LabelToggles& on,
                        render::StrokeText& text);

// The bar of a member in the solid view: compression members are square bars
// with the cross-section area of their share; tension members round bars
// (made as hexagonal bars) of that area.
struct SolidBar {
    enum Kind { kSquare, kRound } kind;
    float size;  // side of the square bar, radius of the round bar (cm)
};
SolidBar solid_bar_for(const StressRecord& s);

}  // namespace tarvik::analysis
