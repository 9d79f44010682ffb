// Parallel and perspective projection, fitting projected points into a
// window, and the mapping between World and Crt.
#pragma once

#include <string>
#include <string_view>

#include "model/message_service.h"
#include "model/model_store.h"
#include "render/view_params.h"
#include "render/view_window.h"
#include "ui/texts.h"

namespace tarvik::render {

// Smallest World span (projected model units) a fit makes. A model whose
// projection is a single point would otherwise give a World of zero size;
// with this span the point lands in the middle of Crt.
inline constexpr float kMinWorldSpan = 1.0f;

// A perspective point whose depth is at most this (cm) lies in the eye's
// plane and has no image.
inline constexpr double kMinEyeDepth = 1e-9;

struct ProjPoint {
    float X, Y;
};

struct Pixel {
    int x, y;
};

// Parallel projection with TAU and FAI (degrees, converted with 3.14159).
ProjPoint iso_project(const ViewParams& p, float x, float y, float z);

// Which windows widen the model box while they project the nodes: only the
// main window does.
enum class BoxUpdate { kKeep, kWiden };

// Square World around the bounds of projected points (the larger span
// governs, the other axis is centred). Bounds with nothing in them, or a
// single point, give a square of kMinWorldSpan around the point.
void fit_square_world(ViewWindow& w, float xmin, float ymin, float xmax, float ymax);

// Projects every node into its X, Y and both ends of every member into XS, YS,
// XL, YL; fits a square World to the nodes and the centred square Crt to the
// window's W, H. With kWiden the model box is rebuilt from the nodes.
void get_new_world(ViewWindow& w, model::ModelStore& m, ViewParams& p,
                   BoxUpdate box = BoxUpdate::kKeep);

// Which window reads the triangle file: decides the message of a failed open.
enum class TrioReader { kTegaki, kJikuire, kGenerator };

// Reads up to n_trio triangles of "TRIO.DAT" in directory, rebuilds the model
// box from their vertices and fits World and Crt to their projections as
// get_new_world does. 0; -1 when the file cannot be opened or holds a record
// that cannot be drawn (message shown, World, Crt and box unchanged). A file
// with fewer records ends the read early.
int get_jiku_world(ViewWindow& w, ViewParams& p, const std::string& directory, int n_trio,
                   TrioReader reader, model::MessageService& msg);

// Fits World to a rectangle of projected coordinates with Crt the whole
// drawing area: same scale on both axes, the data anchored at the left and
// bottom with a tenth of the governing span as margin.
void get_world(ViewWindow& w, float xmin, float ymin, float xmax, float ymax);

// World to pixels, truncated toward zero, with the window's zoom laid over
// the fit. Points far outside the window are clamped to a range a painter
// can take.
Pixel world_to_crt(const ViewWindow& w, double X, double Y);
// The inverses, through the zoom: the World point shown at a pixel.
float crt_to_world_x(const ViewWindow& w, int px);
float crt_to_world_y(const ViewWindow& w, int py);

// Limits of the zoom factor: far enough out to see a model beside its
// labels, far enough in to tell apart nodes a few millimetres apart on a
// house of twenty metres.
inline constexpr double kMinZoom = 0.125;
inline constexpr double kMaxZoom = 256.0;

// Zooms by factor (above 1 in, below 1 out; the total kept within the
// limits) so that the World point under the pixel (px, py) stays there.
void zoom_view(ViewWindow& w, int px, int py, double factor);
// Moves the drawing by (dx, dy) pixels.
void pan_view(ViewWindow& w, int dx, int dy);
// Back to the fitted drawing: no zoom, no pan.
void fit_view(ViewWindow& w);

// The perspective coefficient set of the eye at distance Rho, angles Theta,
// Phi (degrees, exact conversion).
PerspectiveCoeffs coeff(double Rho, double Theta, double Phi);
// The process-wide set: p.coeffs = coeff(p.Rho, p.Theta, p.Phi).
void coeff(ViewParams& p);

struct EyePoint {
    double xe, ye, ze;
};
EyePoint eye_coords(const PerspectiveCoeffs& v, double dx, double dy, double dz);

// Screen point (screen distance 1) of an eye point; false when the point lies
// in the eye's plane (ze near 0) and has none.
bool project_eye(const EyePoint& e, double& X, double& Y);

// What a timer tick found changed since the window last drew.
struct ViewChange {
    bool angles = false;  // TAU or FAI
    bool eye = false;     // Rho, Theta or Phi
    bool repaint() const { return angles || eye; }
};

// The drawing windows' periodic check: takes over changed parameters into the
// window's copies and tells whether to repaint.
ViewChange check_view_change(ViewWindow& w, const ViewParams& p);

}  // namespace tarvik::render
