// The drawings of the results window: the frame fitted into the window, the
// axial forces by sign or by line thickness, the displaced shape, the labels,
// and the choice of bar for the solid view.
#pragma once

#include <string>
#include <vector>

#include "analysis/result_tables.h"
#include "model/model_store.h"
#include "render/canvas.h"
#include "render/stroke_text.h"
#include "render/view_params.h"
#include "render/view_window.h"
#include "ui/texts.h"

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

// The automatic magnification of the displaced shape makes the largest
// displacement this share of the frame's largest extent: large enough to see
// on any frame, small enough to keep its shape readable.
inline constexpr double kAutoDispShare = 0.1;

// The magnification under which the node with the largest displacement
// (translations, cm) moves kAutoDispShare of the largest extent of the result
// nodes along X, Y or Z. 1 when nothing moves or the frame has no extent.
float auto_displacement_scale(const ResultTables& t);

// What the legend says about the displaced shape.
struct DispScale {
    float scale = 1.0f;  // the magnification in use
    bool automatic = false;
};

// One line of a drawing's legend: a sample of a line of that width and colour
// (none when width is 0), then the text.
struct LegendLine {
    int width;
    int colour;
    std::string text;
};
// The lines from the top left corner of the drawing area down, in the margin
// the fit leaves free.
void draw_legend_lines(render::Canvas& c, const std::vector<LegendLine>& lines);

// The legend of modes 3, 5 and 9 in the top left corner of the drawing area,
// in the margin the fit leaves free: what red, blue and black stand for, what
// the thickness means, the force unit and the largest force, the displacement
// scale in use. Other modes draw none.
void draw_legend(render::Canvas& c, int mode, const ResultTables& t, DispScale disp);

// The note that some labels were left out, at the bottom left.
void draw_thinned_note(render::Canvas& c);

// The labels that are switched on, in the window's current fit. Where they
// would pile up, the less important are left out (supports first, then
// loads, node names, member numbers) and the result is true: the drawing
// then says so (draw_thinned_note), and zooming in brings them back.
bool draw_result_labels(const render::ViewWindow& w, render::Canvas& c,
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
