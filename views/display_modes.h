// The drawings every drawing window shows (the generator's unit window, the
// hand-drawn editor, the axis data window, the results window) and the
// perspective request of their timer, shared by all of them. A window hands
// its own World/Crt and mode together with the run's shared parts.
#pragma once

#include "model/message_service.h"
#include "model/model_store.h"
#include "render/canvas.h"
#include "render/hidden_line.h"
#include "render/projection.h"
#include "render/solid.h"
#include "render/view_params.h"
#include "render/view_window.h"
#include "ui/texts.h"

namespace tarvik::views {

// The view windows are built on the render core and use its names as their own.
using namespace tarvik::render;

// Display modes of these drawings (a window with other numbers maps them).
inline constexpr int kModeBlank = 0;      // blank during a perspective build
inline constexpr int kModeWire = 2;       // members as lines, nodes as discs
inline constexpr int kModeMemberBox = 3;  // the member-box model
inline constexpr int kModePersWire = 4;   // perspective wire image
inline constexpr int kModeHidden = 5;     // hidden-line image

// What a drawing window hands to the shared drawings.
struct DrawingContext {
    ViewWindow& win;             // the window's own rectangles and mode
    ViewParams& params;          // the run's view parameters
    SolidModel& solids;          // the run's solid files
    model::ModelStore& model;    // the one model
    model::MessageService& msg;  // message boxes
    TrioReader reader;           // which window: picks the triangle file messages
};

// Wire model: get_new_world, every member black from (XS, YS) to (XL, YL),
// then (when markers) every node as a black disc at (X, Y).
void paint_wire_model(DrawingContext& ctx, Canvas& c, bool markers = true);

// Member-box model: get_jiku_world, then every marked triangle edge. 0 or -1.
int paint_member_boxes(DrawingContext& ctx, Canvas& c);

// Perspective wire image: coeff(Rho, Theta, Phi), make_view(X0, Y0, Z0) and
// draw_view. 0 or -1.
int paint_perspective_wire(DrawingContext& ctx, Canvas& c);

// Hidden-line image from "TEMP.DAT" with the window's World and Crt, black.
// When the file cannot be read: "Error: Unable to open TEMP_FILE01", TAU =
// FAI = 30, the window falls back to the member-box mode, nothing is drawn,
// -1.
int paint_hidden_image(DrawingContext& ctx, Canvas& c);

// A whole paint: white background, then the drawing of ctx.win.mode (2 to 5;
// any other mode stays blank).
void paint_display_mode(DrawingContext& ctx, Canvas& c);

struct PersRequestResult {
    bool handled = false;  // a request was pending and has been served
    bool ok = false;       // the hidden-line image was built (mode 5)
    // The window enables its DXF save command and repaints when handled.
};

// The third check of a drawing window's tick. When the perspective request
// is 1: mode 0 and a blank area (live, when given), request 0; coeff,
// make_view, calcu_view, get_world; save_view ("Unable save_view" on
// failure); make_pers ("Unable make_pers" on failure), drawing on live as it
// goes; mode 5 when both worked, else 3. When the view file cannot be built,
// the image steps are not run and the mode is 3.
PersRequestResult perspective_request(DrawingContext& ctx, Canvas* live,
                                      HiddenLineMethod method = HiddenLineMethod::kFast);

// The whole tick of a drawing window: the change detection of the view
// parameters, then the perspective request. True when the window should
// repaint.
struct TickResult {
    bool repaint = false;
    PersRequestResult pers;
};
TickResult drawing_window_tick(DrawingContext& ctx, Canvas* live,
                               HiddenLineMethod method = HiddenLineMethod::kFast);

}  // namespace tarvik::views
