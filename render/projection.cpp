#include "render/projection.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "model/spy.h"
#include "render/solid.h"
#include "render/trio_file.h"

namespace tarvik::render {
namespace {

// The parallel projection converts degrees with this value of pi; the
// perspective routines use the exact one.
constexpr double kIsoPi = 3.14159;

// Pixels beyond this distance from the origin are clamped before they are
// truncated to int: a point near the eye's plane would otherwise overflow.
constexpr double kPixelLimit = 1.0e6;

// Running bounds of projected points.
struct Bounds {
    float xmin = kBoundStart, ymin = kBoundStart;
    float xmax = -kBoundStart, ymax = -kBoundStart;

    void widen(ProjPoint q) {
        if (q.X < xmin) xmin = q.X;
        if (q.X > xmax) xmax = q.X;
        if (q.Y < ymin) ymin = q.Y;
        if (q.Y > ymax) ymax = q.Y;
    }
};

void trace_world(const ViewWindow& w) {
    model::spy("World %8.1f %8.1f %8.1f %8.1f", w.World.left, w.World.bottom, w.World.right,
               w.World.top);
    model::spy("Crt %5d %5d %5d %5d", w.Crt.left, w.Crt.top, w.Crt.right, w.Crt.bottom);
}

// Square World around the bounds: the larger span governs, the other axis is
// centred. Bounds that never widened (no points) or a single point give a
// small square around the point so that it is drawn in the middle.
void square_world(ViewWindow& w, Bounds b) {
    if (b.xmin > b.xmax || b.ymin > b.ymax) b = Bounds{0.0f, 0.0f, 0.0f, 0.0f};
    const float dx = std::fabs(b.xmax - b.xmin);
    const float dy = std::fabs(b.ymax - b.ymin);
    if (dx == 0.0f && dy == 0.0f) {
        const float h = kMinWorldSpan / 2.0f;
        w.World = {b.xmin - h, b.ymin - h, b.xmin + h, b.ymin + h};
        return;
    }
    if (dx <= dy) {
        w.World.bottom = b.ymin;
        w.World.top = b.ymax;
        w.World.left = (b.xmin + b.xmax) / 2.0f - dy / 2.0f;
        w.World.right = (b.xmin + b.xmax) / 2.0f + dy / 2.0f;
    } else {
        w.World.left = b.xmin;
        w.World.right = b.xmax;
        w.World.bottom = (b.ymin + b.ymax) / 2.0f - dx / 2.0f;
        w.World.top = (b.ymin + b.ymax) / 2.0f + dx / 2.0f;
    }
}

// Square Crt centred across the window with a 16-pixel margin; its side is
// governed by the height.
void square_crt(ViewWindow& w) {
    const int w2 = w.W / 2;
    const int h2 = w.H / 2;
    w.Crt = {w2 - h2 + 16, 16, w2 + h2 - 16, w.H - 16};
}

double crt_middle_x(const CrtRect& c) {
    return (static_cast<double>(c.left) + c.right) / 2.0;
}

double crt_middle_y(const CrtRect& c) {
    return (static_cast<double>(c.top) + c.bottom) / 2.0;
}

// A pixel back to the World along one axis, through the zoom: the axis runs
// from the Crt edge c0 (World w0) to the Crt edge c1 (World w1). A Crt of no
// size on the axis gives w0.
float crt_axis_to_world(const ViewZoom& z, int p, double middle, double pan, int c0, int c1,
                        float w0, float w1) {
    const int span = c1 - c0;
    if (span == 0) return w0;
    const double f = z.fitted() ? p : middle + (p - pan - middle) / z.factor;
    return static_cast<float>((static_cast<double>(w1) - w0) * (f - c0) / span + w0);
}

int to_pixel(double v, int fallback) {
    if (!std::isfinite(v)) return fallback;
    if (v > kPixelLimit) return static_cast<int>(kPixelLimit);
    if (v < -kPixelLimit) return static_cast<int>(-kPixelLimit);
    return static_cast<int>(v);  // truncation toward zero
}

}  // namespace

void fit_square_world(ViewWindow& w, float xmin, float ymin, float xmax, float ymax) {
    square_world(w, Bounds{xmin, ymin, xmax, ymax});
}

ProjPoint iso_project(const ViewParams& p, float x, float y, float z) {
    const double t = p.TAU * (1.0 / 180.0) * kIsoPi;
    const double f = p.FAI * (1.0 / 180.0) * kIsoPi;
    const double X = y * std::cos(t) - x * std::sin(t);
    const double Y =
        z * std::cos(f) - std::sin(t) * (std::sin(f) * y) - std::cos(t) * (std::sin(f) * x);
    return {static_cast<float>(X), static_cast<float>(Y)};
}

void get_new_world(ViewWindow& w, model::ModelStore& m, ViewParams& p, BoxUpdate box) {
    Bounds b;
    if (box == BoxUpdate::kWiden) p.box.reset();
    for (int i = 0; i < m.N_Node; ++i) {
        model::Node& n = m.node[i];
        const ProjPoint q = iso_project(p, n.x, n.y, n.z);
        n.X = q.X;
        n.Y = q.Y;
        b.widen(q);
        if (box == BoxUpdate::kWiden) p.box.widen(n.x, n.y, n.z);
    }
    // Member ends are the node points again; they need not widen the bounds.
    for (int i = 0; i < m.N_Beam; ++i) {
        model::Beam& e = m.beam[i];
        const ProjPoint s = iso_project(p, e.xs, e.ys, e.zs);
        const ProjPoint l = iso_project(p, e.xl, e.yl, e.zl);
        e.XS = s.X;
        e.YS = s.Y;
        e.XL = l.X;
        e.YL = l.Y;
    }
    square_world(w, b);
    square_crt(w);
    trace_world(w);
}

int get_jiku_world(ViewWindow& w, ViewParams& p, const std::string& directory, int n_trio,
                   TrioReader reader, model::MessageService& msg) {
    const std::string path = directory.empty() ? kTrioFileName : directory + "/" + kTrioFileName;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        switch (reader) {
            case TrioReader::kTegaki:
                msg.show_message(kTrioOpenErrorTegaki);
                break;
            case TrioReader::kJikuire:
                msg.show_message(kTrioOpenErrorJikuire);
                break;
            case TrioReader::kGenerator:
                msg.show_message(kTrioOpenErrorGenerator);
                break;
        }
        return -1;
    }
    // The whole file first: a record that cannot be drawn refuses it before
    // the box or the window change.
    std::vector<TrioTriangle> tris;
    int read = 0;
    TrioRecord r;
    for (; read < n_trio; ++read) {
        if (!in.read(reinterpret_cast<char*>(r.data()), static_cast<std::streamsize>(r.size())))
            break;
        if (!trio_record_ok(r.data())) {
            msg.show_message(bad_record_message(path, read + 1LL));
            return -1;
        }
        tris.push_back(decode_trio(r));
    }
    p.box.reset();
    Bounds b;
    for (const TrioTriangle& t : tris) {
        for (const auto& v : t.v) {
            p.box.widen(v[0], v[1], v[2]);
            b.widen(iso_project(p, v[0], v[1], v[2]));
        }
    }
    if (read < n_trio) model::spy("TRIO_FILE %d of %d triangles", read, n_trio);
    square_world(w, b);
    square_crt(w);
    trace_world(w);
    return 0;
}

void get_world(ViewWindow& w, float xmin, float ymin, float xmax, float ymax) {
    w.Crt = {0, 0, w.W, w.H};
    const double dx = std::fabs(static_cast<double>(xmax) - xmin);
    const double dy = std::fabs(static_cast<double>(ymax) - ymin);
    const int crt_w = w.Crt.right - w.Crt.left;
    const int crt_h = w.Crt.bottom - w.Crt.top;
    if (crt_w <= 0 || crt_h <= 0) {
        // No drawing area: nothing will be seen; keep a World of some size.
        w.World = {xmin, ymin, xmin + std::max(static_cast<float>(dx), kMinWorldSpan),
                   ymin + std::max(static_cast<float>(dy), kMinWorldSpan)};
        trace_world(w);
        return;
    }
    const double r = static_cast<double>(crt_h) / crt_w;
    if (dx == 0.0 && dy == 0.0) {
        // A single point: in the middle of the window.
        const double hw = kMinWorldSpan / 2.0;
        const double hh = hw * r;
        w.World = {static_cast<float>(xmin - hw), static_cast<float>(ymin - hh),
                   static_cast<float>(xmin + hw), static_cast<float>(ymin + hh)};
    } else if (dy < r * dx) {
        // The data is wider than the window (dy/dx < r without dividing by dx).
        w.World = {static_cast<float>(xmin - 0.1 * dx), static_cast<float>(ymin - 0.1 * dx * r),
                   static_cast<float>(xmin + 1.1 * dx), static_cast<float>(ymin + 1.1 * dx * r)};
    } else {
        w.World = {static_cast<float>(xmin - 0.1 * dy / r), static_cast<float>(ymin - 0.1 * dy),
                   static_cast<float>(xmin + 1.1 * dy / r), static_cast<float>(ymin + 1.1 * dy)};
    }
    trace_world(w);
}

Pixel world_to_crt(const ViewWindow& w, double X, double Y) {
    const CrtRect& c = w.Crt;
    const WorldRect& r = w.World;
    const int cx = c.left + (c.right - c.left) / 2;
    const int cy = c.top + (c.bottom - c.top) / 2;
    const double ww = static_cast<double>(r.right) - r.left;
    const double wh = static_cast<double>(r.top) - r.bottom;
    // A World of no size has no scale; its one point is the middle of Crt.
    double px = ww == 0.0 ? cx : c.left + (X - r.left) * (c.right - c.left) / ww;
    double py = wh == 0.0 ? cy : c.top + (r.top - Y) * (c.bottom - c.top) / wh;
    // The fitted drawing keeps its own arithmetic, so that its pixels are
    // exactly those of the fit.
    if (!w.zoom.fitted()) {
        px = crt_middle_x(c) + w.zoom.factor * (px - crt_middle_x(c)) + w.zoom.pan_x;
        py = crt_middle_y(c) + w.zoom.factor * (py - crt_middle_y(c)) + w.zoom.pan_y;
    }
    return {to_pixel(px, cx), to_pixel(py, cy)};
}

float crt_to_world_x(const ViewWindow& w, int px) {
    return crt_axis_to_world(w.zoom, px, crt_middle_x(w.Crt), w.zoom.pan_x, w.Crt.left, w.Crt.right,
                             w.World.left, w.World.right);
}

// Pixel y grows downward, World Y upward: the Crt bottom is the World bottom.
float crt_to_world_y(const ViewWindow& w, int py) {
    return crt_axis_to_world(w.zoom, py, crt_middle_y(w.Crt), w.zoom.pan_y, w.Crt.bottom, w.Crt.top,
                             w.World.bottom, w.World.top);
}

void zoom_view(ViewWindow& w, int px, int py, double factor) {
    if (!(factor > 0.0) || !std::isfinite(factor)) return;
    ViewZoom& z = w.zoom;
    const double to = std::clamp(z.factor * factor, kMinZoom, kMaxZoom);
    const double f = to / z.factor;
    // The pixel's offset from the zoomed middle of Crt grows by f; the pan
    // takes up the difference so that the pixel shows the same point.
    const double ox = px - crt_middle_x(w.Crt);
    const double oy = py - crt_middle_y(w.Crt);
    z.pan_x = ox - f * (ox - z.pan_x);
    z.pan_y = oy - f * (oy - z.pan_y);
    z.factor = to;
    // Back at the fit within rounding: the fit itself, with its exact pixels.
    if (std::fabs(z.factor - 1.0) < 1e-9 && std::fabs(z.pan_x) < 1e-6 && std::fabs(z.pan_y) < 1e-6)
        z = ViewZoom{};
}

void pan_view(ViewWindow& w, int dx, int dy) {
    w.zoom.pan_x += dx;
    w.zoom.pan_y += dy;
}

void fit_view(ViewWindow& w) {
    w.zoom = ViewZoom{};
}

PerspectiveCoeffs coeff(double Rho, double Theta, double Phi) {
    const double deg = std::atan(1.0) / 45.0;
    const double th = Theta * deg;
    const double ph = Phi * deg;
    PerspectiveCoeffs v;
    v.v11 = -std::sin(th);
    v.v21 = std::cos(th);
    v.v12 = -std::cos(ph) * std::cos(th);
    v.v22 = -std::cos(ph) * std::sin(th);
    v.v32 = std::sin(ph);
    v.v13 = -std::sin(ph) * std::cos(th);
    v.v23 = -std::sin(ph) * std::sin(th);
    v.v33 = -std::cos(ph);
    v.v43 = Rho;
    model::spy("v11 %f v12 %f v13 %f", v.v11, v.v12, v.v13);
    model::spy("v21 %f v22 %f v23 %f", v.v21, v.v22, v.v23);
    model::spy("v32 %f v33 %f v43 %f", v.v32, v.v33, v.v43);
    return v;
}

void coeff(ViewParams& p) {
    p.coeffs = coeff(p.Rho, p.Theta, p.Phi);
}

EyePoint eye_coords(const PerspectiveCoeffs& v, double dx, double dy, double dz) {
    return {v.v11 * dx + v.v21 * dy, v.v12 * dx + v.v22 * dy + v.v32 * dz,
            v.v13 * dx + v.v23 * dy + v.v33 * dz + v.v43};
}

bool project_eye(const EyePoint& e, double& X, double& Y) {
    if (!(std::fabs(e.ze) > kMinEyeDepth)) return false;  // also refuses NaN
    X = e.xe / e.ze;
    Y = e.ye / e.ze;
    return true;
}

ViewChange check_view_change(ViewWindow& w, const ViewParams& p) {
    ViewChange c;
    if (w.TAU != p.TAU || w.FAI != p.FAI) {
        w.TAU = p.TAU;
        w.FAI = p.FAI;
        c.angles = true;
    }
    if (w.Rho != p.Rho || w.Theta != p.Theta || w.Phi != p.Phi) {
        w.Rho = p.Rho;
        w.Theta = p.Theta;
        w.Phi = p.Phi;
        c.eye = true;
    }
    return c;
}

}  // namespace tarvik::render
