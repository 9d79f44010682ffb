#include "views/view_preview.h"

#include <array>
#include <cmath>

#include "model/spy.h"
#include "render/draw.h"
#include "render/projection.h"
#include "render/stroke_text.h"

namespace tarvik::views {
namespace {

constexpr double kScreenDist = 1.0;
constexpr float kPreviewBound = 99999.9f;
constexpr CrtRect kPreviewCrt{20, 20, 100, 100};

struct Projected {
    double X = 0.0, Y = 0.0;
    bool ok = false;
};

Projected project(const PerspectiveCoeffs& v, double x, double y, double z) {
    Projected p;
    p.ok = project_eye(eye_coords(v, x, y, z), p.X, p.Y);
    p.X *= kScreenDist;
    p.Y *= kScreenDist;
    return p;
}

void line(const ViewWindow& w, Canvas& c, const Projected& a, const Projected& b) {
    draw_to(w, c, a.X, a.Y, kPenMove);
    draw_to(w, c, b.X, b.Y, kPenDraw);
}

}  // namespace

ViewWindow make_cuve(Canvas& c, const ModelBox& box, double Rho, double Theta, double Phi) {
    ViewWindow w;
    w.W = kPreviewSize;
    w.H = kPreviewSize;
    c.clear(kWhite);
    const PerspectiveCoeffs v = coeff(Rho, Theta, Phi);

    // Corners: bottom rectangle (Z_MIN) 0..3, top rectangle (Z_MAX) 4..7.
    const float xs[4] = {box.X_MIN, box.X_MAX, box.X_MAX, box.X_MIN};
    const float ys[4] = {box.Y_MIN, box.Y_MIN, box.Y_MAX, box.Y_MAX};
    std::array<std::array<float, 3>, 8> corner;
    for (int i = 0; i < 4; ++i) {
        corner[i] = {xs[i], ys[i], box.Z_MIN};
        corner[i + 4] = {xs[i], ys[i], box.Z_MAX};
    }
    std::array<Projected, 8> q;
    bool ok = true;
    for (int i = 0; i < 8; ++i) {
        q[i] = project(v, corner[i][0], corner[i][1], corner[i][2]);
        ok = ok && q[i].ok;
    }
    const Projected origin = project(v, 0.0, 0.0, 0.0);
    ok = ok && origin.ok;
    if (!ok) {
        model::spy("make_cuve: a point lies in the eye plane");
        return w;
    }

    float x_min = kPreviewBound, y_min = kPreviewBound;
    float x_max = -kPreviewBound, y_max = -kPreviewBound;
    int right_most = 0;
    auto widen = [&](const Projected& p) {
        x_min = std::fmin(x_min, static_cast<float>(p.X));
        x_max = std::fmax(x_max, static_cast<float>(p.X));
        y_min = std::fmin(y_min, static_cast<float>(p.Y));
        y_max = std::fmax(y_max, static_cast<float>(p.Y));
    };
    for (int i = 0; i < 8; ++i) {
        widen(q[i]);
        if (q[i].X > q[right_most].X) right_most = i;
    }
    widen(origin);

    const auto& k = corner[right_most];
    const Projected ax = project(v, k[0], 0.0, 0.0);
    const Projected ay = project(v, 0.0, k[1], 0.0);
    const Projected az = project(v, 0.0, 0.0, k[2]);
    if (!ax.ok || !ay.ok || !az.ok) {
        model::spy("make_cuve: a point lies in the eye plane");
        return w;
    }

    model::spy(std::fabs(x_max - x_min) > std::fabs(y_max - y_min) ? "横長" : "縦長");
    fit_square_world(w, x_min, y_min, x_max, y_max);
    w.Crt = kPreviewCrt;

    set_pen(c, kSolid, 1, kBlack);
    for (int i = 0; i < 4; ++i) {
        line(w, c, q[i], q[(i + 1) % 4]);          // bottom
        line(w, c, q[i + 4], q[(i + 1) % 4 + 4]);  // top
        line(w, c, q[i], q[i + 4]);                // vertical
    }
    set_pen(c, kSolid, 1, kRed);
    line(w, c, origin, ax);
    set_pen(c, kSolid, 1, kBlue);
    line(w, c, origin, ay);
    set_pen(c, kSolid, 1, kGreen);
    line(w, c, origin, az);
    return w;
}

namespace {

// The sketch is laid out in pixels with y upward.
struct P {
    double x, y;
};
constexpr P kObj{40, 40};
constexpr P kAxisX{8, 14};
constexpr P kAxisY{118, 40};
constexpr P kAxisZ{40, 114};
constexpr double kFootX = 0.35, kFootY = 0.7;  // the eye's foot point on the ground
constexpr double kEyeHeight = 60.0;
constexpr double kLabelHeight = 8.0;

void seg(const ViewWindow& w, Canvas& c, P a, P b) {
    draw_to(w, c, a.x, a.y, kPenMove);
    draw_to(w, c, b.x, b.y, kPenDraw);
}

// Arc around the viewed point from direction a to direction b (radians).
void arc(const ViewWindow& w, Canvas& c, double r, double a, double b) {
    constexpr int kSteps = 8;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = a + (b - a) * i / kSteps;
        draw_to(w, c, kObj.x + r * std::cos(t), kObj.y + r * std::sin(t),
                i == 0 ? kPenMove : kPenDraw);
    }
}

void disc(const ViewWindow& w, Canvas& c, P p, int fill) {
    const Pixel q = world_to_crt(w, p.x, p.y);
    set_pen(c, kSolid, 1, kBlack);
    c.set_brush(fill);
    c.ellipse(q.x - 4, q.y - 4, q.x + 4, q.y + 4);
}

double direction(P from, P to) {
    return std::atan2(to.y - from.y, to.x - from.x);
}

}  // namespace

void draw_view_picture(Canvas& c) {
    ViewWindow w;
    w.W = kPictureWidth;
    w.H = kPictureHeight;
    w.World = {0.0f, 0.0f, static_cast<float>(kPictureWidth), static_cast<float>(kPictureHeight)};
    w.Crt = {0, 0, kPictureWidth, kPictureHeight};
    StrokeText text(StrokeFont::builtin());
    // The stroke text starts one cell before its point; start labels a cell on.
    auto label = [&](double x, double y, const char* s) {
        text.stroke_text(w, c, s, static_cast<int>(std::char_traits<char>::length(s)), 0.0, 0.0,
                         0.0, kLabelHeight, x + kLabelHeight, y);
    };

    c.clear(kWhite);
    const P foot{kObj.x + kFootX * (kAxisX.x - kObj.x) + kFootY * (kAxisY.x - kObj.x),
                 kObj.y + kFootX * (kAxisX.y - kObj.y) + kFootY * (kAxisY.y - kObj.y)};
    const P eye{foot.x, foot.y + kEyeHeight};

    set_pen(c, kSolid, 1, kRed);
    seg(w, c, kObj, kAxisX);
    label(kAxisX.x + 4, kAxisX.y - 10, "X");
    set_pen(c, kSolid, 1, kBlue);
    seg(w, c, kObj, kAxisY);
    label(kAxisY.x - 10, kAxisY.y - 12, "Y");
    set_pen(c, kSolid, 1, kGreen);
    seg(w, c, kObj, kAxisZ);
    label(kAxisZ.x + 4, kAxisZ.y - 6, "Z");

    // The eye's foot point and the drop from the eye to it.
    set_pen(c, kDotted, 1, kGrey);
    seg(w, c, kObj, foot);
    seg(w, c, foot, eye);
    set_pen(c, kSolid, 1, kBlack);
    seg(w, c, kObj, eye);
    label((kObj.x + eye.x) / 2 + 2, (kObj.y + eye.y) / 2 - 10, "Rho");

    // phi from the vertical to the line of sight, theta in the ground plane
    // from the X axis to the foot point.
    set_pen(c, kSolid, 1, kBlack);
    arc(w, c, 22.0, direction(kObj, kAxisZ), direction(kObj, eye));
    label(kObj.x + 2, kObj.y + 33, "phi");
    arc(w, c, 16.0, direction(kObj, kAxisX), direction(kObj, foot));
    label(kObj.x - 6, kObj.y - 26, "theta");

    disc(w, c, kObj, kYellow);
    label(kObj.x - 36, kObj.y + 2, "Obj.");
    disc(w, c, eye, kBlue);
    label(eye.x - 30, eye.y + 2, "Eye");
}

}  // namespace tarvik::views
