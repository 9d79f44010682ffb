#include "views/hidden_line.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>

#include "model/spy.h"
#include "views/draw.h"

namespace tarvik::views {
namespace {

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Normal of the plane through the eye and triangle edge j (Ej, Ej+1), and the
// side the third vertex lies on. Shared by the test and by the grid's choice
// of triangles that can never hide anything, so both see the same numbers.
void edge_plane(const HiddenTriangle& t, int j, Vec3& e, double& dV) {
    e = cross(t.E[j], t.E[(j + 1) % 3]);
    dV = dot(e, t.E[(j + 2) % 3]);
}

// True when the triangle clears every segment whatever its ends: it faces
// away from the eye (h < 0, or no plane), or it is seen edge-on.
bool never_hides(const HiddenTriangle& t, const HiddenTolerances& tol) {
    if (!(t.h >= 0.0)) return true;
    for (int j = 0; j < 3; ++j) {
        Vec3 e;
        double dV;
        edge_plane(t, j, e, dV);
        if (!(std::fabs(dV) > tol.eps)) return true;
    }
    return false;
}

// Hands out the triangles to test for a segment, in ascending order.
struct Job {
    Vec3 P, Q;
    int pos;  // first position in the candidate list still to test
};

// The common loop of both routines: the segments on the stack are tested
// against the candidates from their position on; the first triangle that
// hides anything decides, its pieces go on with the next candidate.
void run_segment(const std::vector<HiddenTriangle>& tris, const int* cand, int count, const Vec3& P,
                 const Vec3& Q, int pos, const HiddenTolerances& tol, std::vector<Job>& stack,
                 std::vector<TempLine>& out) {
    stack.clear();
    stack.push_back({P, Q, pos});
    while (!stack.empty()) {
        const Job j = stack.back();
        stack.pop_back();
        bool hidden = false;
        for (int i = j.pos; i < count; ++i) {
            const int k = cand ? cand[i] : i;
            SplitResult sr;
            const Verdict v = test_triangle(tris[k], j.P, j.Q, tol, sr);
            if (v == Verdict::kClear) continue;
            if (v == Verdict::kSplit) {
                // P-A is drawn before B-Q: it goes on the stack last.
                if (sr.keep_right) stack.push_back({sr.B, j.Q, i + 1});
                if (sr.keep_left) stack.push_back({j.P, sr.A, i + 1});
            }
            hidden = true;
            break;
        }
        if (!hidden) emit_visible(j.P, j.Q, out);
    }
}

// --- The grid of the fast routine ------------------------------------------

// Eye depth (cm) below which a point's projection is not trusted to bound
// anything: segments reaching nearer are tested against every triangle, and
// triangles reaching nearer are tested against every segment.
constexpr double kFastMinDepth = 1.0;
// A segment whose ends differ in depth by more than this factor is tested
// against every triangle (its pieces could leave the projected bounds).
constexpr double kMaxDepthRatio = 1000.0;
// Margins in projected units: a share of the image size that dwarfs every
// tolerance of the test, and the growth of a segment's pieces, which may reach
// 1e-5 of its length beyond its ends.
constexpr double kRelMargin = 1e-7;
constexpr double kPieceGrowth = 1e-4;
// A triangle whose margin would exceed this share of the image is tested
// against every segment rather than widened.
constexpr double kMaxMarginShare = 0.05;

class Grid {
  public:
    Grid(const std::vector<HiddenTriangle>& tris, const std::vector<VectRecord>& edges,
         const HiddenTolerances& tol);

    // Sorted indices of the triangles that can hide any part of P-Q.
    void candidates(const Vec3& P, const Vec3& Q, std::vector<int>& out);

  private:
    bool bounded_segment(const Vec3& P, const Vec3& Q) const;
    void add_cells(double xa, double xb, int cy, std::vector<int>& out);
    bool touches(int tri) const;

    std::vector<int> all_;        // every triangle that can hide anything, sorted
    std::vector<int> unbounded_;  // those of them tested against every segment
    double z_floor_ = kFastMinDepth;
    double scale_ = 1.0;  // size of the image, projected units
    double x0_ = 0.0, y0_ = 0.0, x1_ = 0.0, y1_ = 0.0, cell_ = 1.0;
    int nx_ = 0, ny_ = 0;
    std::vector<int> start_;  // cell c holds items_[start_[c] .. start_[c + 1])
    std::vector<int> items_;
    std::vector<uint32_t> stamp_;
    uint32_t now_ = 0;
    // Widened projected box of each triangle in the grid.
    struct Rect {
        double x0, y0, x1, y1;
    };
    std::vector<Rect> rect_;
    // The segment being asked about: ends, box and widening.
    double px_ = 0, py_ = 0, qx_ = 0, qy_ = 0, d_ = 0;
};

Grid::Grid(const std::vector<HiddenTriangle>& tris, const std::vector<VectRecord>& edges,
           const HiddenTolerances& tol)
    : stamp_(tris.size(), 0) {
    const int n = static_cast<int>(tris.size());
    for (int i = 0; i < n; ++i)
        if (!never_hides(tris[i], tol)) all_.push_back(i);

    // Depth floor and size of the scene.
    double zmin = HUGE_VAL, pmax = 0.0;
    auto look = [&](double x, double y, double z) {
        if (z >= kFastMinDepth) zmin = std::min(zmin, z);
        pmax = std::max(pmax, std::sqrt(x * x + y * y + z * z));
    };
    for (int i : all_)
        for (const Vec3& v : tris[i].E) look(v[0], v[1], v[2]);
    for (const VectRecord& e : edges) {
        look(e.xs, e.ys, e.zs);
        look(e.xl, e.yl, e.zl);
    }
    if (zmin == HUGE_VAL) {
        unbounded_ = all_;
        return;
    }
    z_floor_ = zmin;
    const double z_lo = zmin / 2.0;  // the pieces of a segment may reach a little nearer

    struct Box {
        double x0, y0, x1, y1;
        double margin;
        int tri;
    };
    std::vector<Box> boxes;
    boxes.reserve(all_.size());
    double ext = 0.0;
    for (int i : all_) {
        const HiddenTriangle& t = tris[i];
        if (!(t.E[0][2] >= zmin && t.E[1][2] >= zmin && t.E[2][2] >= zmin)) {
            unbounded_.push_back(i);
            continue;
        }
        double px[3], py[3];
        for (int k = 0; k < 3; ++k) {
            px[k] = t.E[k][0] / t.E[k][2];
            py[k] = t.E[k][1] / t.E[k][2];
            ext = std::max({ext, std::fabs(px[k]), std::fabs(py[k])});
        }
        // How far outside its projection the test may still find a segment
        // inside: each edge test allows |e.P| <= EPS (plus rounding), that is
        // a band of EPS / (z |e_xy|) beside the projected edge, which grows
        // at a sharp corner by 1 / sin(angle / 2).
        double band = 0.0;
        for (int j = 0; j < 3; ++j) {
            Vec3 e;
            double dV;
            edge_plane(t, j, e, dV);
            const double exy = std::hypot(e[0], e[1]);
            const double en = std::sqrt(dot(e, e));
            const double tol_e = tol.eps + 64.0 * DBL_EPSILON * en * pmax;
            band = std::max(band, tol_e / (z_lo * exy));
        }
        double sin_half = 1.0;
        for (int k = 0; k < 3; ++k) {
            const double ax = px[(k + 1) % 3] - px[k], ay = py[(k + 1) % 3] - py[k];
            const double bx = px[(k + 2) % 3] - px[k], by = py[(k + 2) % 3] - py[k];
            const double ang = std::atan2(std::fabs(ax * by - ay * bx), ax * bx + ay * by);
            sin_half = std::min(sin_half, std::sin(ang / 2.0));
        }
        const double margin = 4.0 * band / sin_half;
        if (!std::isfinite(margin) || margin > 1.0e30) {
            unbounded_.push_back(i);
            continue;
        }
        boxes.push_back({std::min({px[0], px[1], px[2]}) - margin,
                         std::min({py[0], py[1], py[2]}) - margin,
                         std::max({px[0], px[1], px[2]}) + margin,
                         std::max({py[0], py[1], py[2]}) + margin, margin, i});
    }
    for (const VectRecord& e : edges) {
        if (e.zs >= zmin) ext = std::max({ext, std::fabs(e.xs / e.zs), std::fabs(e.ys / e.zs)});
        if (e.zl >= zmin) ext = std::max({ext, std::fabs(e.xl / e.zl), std::fabs(e.yl / e.zl)});
    }
    scale_ = std::max(ext, 1e-300);
    const double abs_margin = kRelMargin * scale_;
    // Triangles whose band is a sizeable share of the image (seen almost
    // edge-on, or needle-thin) are cheaper to test everywhere.
    std::vector<Box> kept;
    kept.reserve(boxes.size());
    for (Box b : boxes) {
        if (b.margin <= kMaxMarginShare * scale_) {
            b.x0 -= abs_margin;
            b.y0 -= abs_margin;
            b.x1 += abs_margin;
            b.y1 += abs_margin;
            kept.push_back(b);
        } else {
            unbounded_.push_back(b.tri);
        }
    }
    std::sort(unbounded_.begin(), unbounded_.end());
    if (kept.empty()) return;

    // Cells about the size of a triangle, no more cells than twice the triangles.
    double gx0 = HUGE_VAL, gy0 = HUGE_VAL, gx1 = -HUGE_VAL, gy1 = -HUGE_VAL, mean = 0.0;
    for (const Box& b : kept) {
        gx0 = std::min(gx0, b.x0);
        gy0 = std::min(gy0, b.y0);
        gx1 = std::max(gx1, b.x1);
        gy1 = std::max(gy1, b.y1);
        mean += ((b.x1 - b.x0) + (b.y1 - b.y0)) / 2.0;
    }
    mean /= static_cast<double>(kept.size());
    const double W = gx1 - gx0, H = gy1 - gy0;
    cell_ = std::max({0.5 * mean, std::max(W, H) / 4096.0, 1e-300});
    const double max_cells = 4.0 * static_cast<double>(kept.size()) + 64.0;
    while ((std::floor(W / cell_) + 1.0) * (std::floor(H / cell_) + 1.0) > max_cells) cell_ *= 1.25;
    x0_ = gx0;
    y0_ = gy0;
    x1_ = gx1;
    y1_ = gy1;
    nx_ = static_cast<int>(std::floor(W / cell_)) + 1;
    ny_ = static_cast<int>(std::floor(H / cell_)) + 1;

    auto cx = [&](double x) {
        return std::clamp(static_cast<int>(std::floor((x - x0_) / cell_)), 0, nx_ - 1);
    };
    auto cy = [&](double y) {
        return std::clamp(static_cast<int>(std::floor((y - y0_) / cell_)), 0, ny_ - 1);
    };
    std::vector<int> count(static_cast<size_t>(nx_) * ny_ + 1, 0);
    for (const Box& b : kept)
        for (int y = cy(b.y0); y <= cy(b.y1); ++y)
            for (int x = cx(b.x0); x <= cx(b.x1); ++x) ++count[static_cast<size_t>(y) * nx_ + x];
    start_.assign(count.size(), 0);
    for (size_t c = 1; c < count.size(); ++c) start_[c] = start_[c - 1] + count[c - 1];
    items_.resize(static_cast<size_t>(start_.back()));
    std::vector<int> fill(start_.begin(), start_.end() - 1);
    rect_.assign(tris.size(), Rect{0, 0, 0, 0});
    for (const Box& b : kept) rect_[static_cast<size_t>(b.tri)] = {b.x0, b.y0, b.x1, b.y1};
    // Triangles in ascending order, so each cell's list is sorted.
    for (const Box& b : kept)
        for (int y = cy(b.y0); y <= cy(b.y1); ++y)
            for (int x = cx(b.x0); x <= cx(b.x1); ++x)
                items_[static_cast<size_t>(fill[static_cast<size_t>(y) * nx_ + x]++)] = b.tri;
}

bool Grid::bounded_segment(const Vec3& P, const Vec3& Q) const {
    if (nx_ == 0) return false;
    if (!(P[2] >= z_floor_ && Q[2] >= z_floor_)) return false;
    return std::max(P[2], Q[2]) <= kMaxDepthRatio * std::min(P[2], Q[2]);
}

void Grid::add_cells(double xa, double xb, int cy, std::vector<int>& out) {
    const int c0 = std::clamp(static_cast<int>(std::floor((xa - x0_) / cell_)), 0, nx_ - 1);
    const int c1 = std::clamp(static_cast<int>(std::floor((xb - x0_) / cell_)), 0, nx_ - 1);
    for (int x = c0; x <= c1; ++x) {
        const size_t c = static_cast<size_t>(cy) * nx_ + x;
        for (int i = start_[c]; i < start_[c + 1]; ++i) {
            const int t = items_[static_cast<size_t>(i)];
            if (stamp_[static_cast<size_t>(t)] == now_) continue;
            stamp_[static_cast<size_t>(t)] = now_;
            if (touches(t)) out.push_back(t);
        }
    }
}

// Whether the segment, widened by d, can meet the triangle's widened box: the
// boxes overlap and the box's corners do not all lie on one side of the
// segment's line.
bool Grid::touches(int tri) const {
    const Rect& r = rect_[static_cast<size_t>(tri)];
    const double x0 = r.x0 - d_, y0 = r.y0 - d_, x1 = r.x1 + d_, y1 = r.y1 + d_;
    if (std::max(px_, qx_) < x0 || std::min(px_, qx_) > x1 || std::max(py_, qy_) < y0 ||
        std::min(py_, qy_) > y1)
        return false;
    const double ux = qx_ - px_, uy = qy_ - py_;
    const double f[4] = {ux * (y0 - py_) - uy * (x0 - px_), ux * (y0 - py_) - uy * (x1 - px_),
                         ux * (y1 - py_) - uy * (x0 - px_), ux * (y1 - py_) - uy * (x1 - px_)};
    const bool above = f[0] > 0 && f[1] > 0 && f[2] > 0 && f[3] > 0;
    const bool below = f[0] < 0 && f[1] < 0 && f[2] < 0 && f[3] < 0;
    return !above && !below;
}

void Grid::candidates(const Vec3& P, const Vec3& Q, std::vector<int>& out) {
    out.clear();
    if (!bounded_segment(P, Q)) {
        out = all_;
        return;
    }
    if (++now_ == 0) {
        std::fill(stamp_.begin(), stamp_.end(), 0);
        now_ = 1;
    }
    const double px = P[0] / P[2], py = P[1] / P[2];
    const double qx = Q[0] / Q[2], qy = Q[1] / Q[2];
    const double len = std::hypot(qx - px, qy - py);
    const double ratio = std::max(P[2], Q[2]) / std::min(P[2], Q[2]);
    const double d = kPieceGrowth * len * ratio + kRelMargin * scale_;
    px_ = px;
    py_ = py;
    qx_ = qx;
    qy_ = qy;
    d_ = d;
    const double ylo = std::min(py, qy) - d, yhi = std::max(py, qy) + d;
    const bool outside =
        std::max(px, qx) + d < x0_ || std::min(px, qx) - d > x1_ || yhi < y0_ || ylo > y1_;
    if (!outside) {
        const int r0 = std::clamp(static_cast<int>(std::floor((ylo - y0_) / cell_)), 0, ny_ - 1);
        const int r1 = std::clamp(static_cast<int>(std::floor((yhi - y0_) / cell_)), 0, ny_ - 1);
        for (int r = r0; r <= r1; ++r) {
            // The stretch of the segment within this row, widened by d.
            const double b0 = y0_ + r * cell_ - d, b1 = y0_ + (r + 1) * cell_ + d;
            double xa, xb;
            if (std::fabs(qy - py) <= 1e-300 || r0 == r1) {
                xa = std::min(px, qx);
                xb = std::max(px, qx);
            } else {
                double t0 = (b0 - py) / (qy - py), t1 = (b1 - py) / (qy - py);
                if (t0 > t1) std::swap(t0, t1);
                t0 = std::clamp(t0, 0.0, 1.0);
                t1 = std::clamp(t1, 0.0, 1.0);
                const double xa0 = px + t0 * (qx - px), xb0 = px + t1 * (qx - px);
                xa = std::min(xa0, xb0);
                xb = std::max(xa0, xb0);
            }
            add_cells(xa - d, xb + d, r, out);
        }
    }
    out.insert(out.end(), unbounded_.begin(), unbounded_.end());
    std::sort(out.begin(), out.end());
    // An unbounded triangle is never in a cell, so there are no duplicates.
}

}  // namespace

HiddenTolerances tolerances_of(const ViewParams& p) {
    return {p.EPS, p.EPS_NEG, p.PARAM_LIMIT};
}

HiddenTriangle hidden_triangle(const ViewTriangle& t) {
    HiddenTriangle h;
    for (int k = 0; k < 3; ++k) h.E[k] = {t.eye[k][0], t.eye[k][1], t.eye[k][2]};
    h.n = {t.a, t.b, t.c};
    h.h = t.h;
    return h;
}

Verdict test_triangle(const HiddenTriangle& t, const Vec3& P, const Vec3& Q,
                      const HiddenTolerances& tol, SplitResult& split) {
    const double eps = tol.eps, neg = tol.eps_neg, lim = tol.limit;
    // A face turned away from the eye hides nothing.
    const double h = t.h;
    if (h < 0.0) return Verdict::kClear;
    // Neither end behind the plane: nothing to hide.
    const double thr = eps * h + eps;
    const double dP = dot(t.n, P), dQ = dot(t.n, Q);
    if (!(dP > h + thr) && !(dQ > h + thr)) return Verdict::kClear;
    // The plane through the eye and the segment leaves the triangle on one side.
    const Vec3 m = cross(P, Q);
    double s[3];
    int sum = 0;
    for (int i = 0; i < 3; ++i) {
        s[i] = dot(m, t.E[i]);
        sum += s[i] > eps ? 1 : (s[i] < neg ? -1 : 0);
    }
    if (std::abs(sum) >= 2) return Verdict::kClear;
    // Against each edge: which ends fall outside, and where the segment
    // crosses the edge's plane within the edge.
    double tmin = 1.0, tmax = 0.0;
    bool outP = false, outQ = false;
    for (int j = 0; j < 3; ++j) {
        Vec3 e;
        double dV;
        edge_plane(t, j, e, dV);
        const double pP = dot(e, P), pQ = dot(e, Q);
        if (std::fabs(dV) <= eps) return Verdict::kClear;  // seen edge-on
        bool fP, fQ;
        if (dV > eps) {
            fP = pP < neg;
            fQ = pQ < neg;
            if ((fP && pQ <= eps) || (fQ && pP <= eps)) return Verdict::kClear;
        } else {
            fP = pP > eps;
            fQ = pQ > eps;
            if ((fP && pQ >= neg) || (fQ && pP >= neg)) return Verdict::kClear;
        }
        outP = outP || fP;
        outQ = outQ || fQ;
        const double tt = std::fabs(pQ - pP) > eps ? -pP / (pQ - pP) : 10000000.0;
        const int jn = (j + 1) % 3;
        const double u = std::fabs(s[jn] - s[j]) > eps ? -s[j] / (s[jn] - s[j]) : 10000000.0;
        if (neg <= u && u <= lim && neg <= tt && tt <= lim) {
            tmin = std::min(tmin, tt);
            tmax = std::max(tmax, tt);
        }
    }
    if (!outP && !outQ) return Verdict::kHiddenWhole;
    const Vec3 d = {Q[0] - P[0], Q[1] - P[1], Q[2] - P[2]};
    const Vec3 A = {P[0] + tmin * d[0], P[1] + tmin * d[1], P[2] + tmin * d[2]};
    const Vec3 B = {P[0] + tmax * d[0], P[1] + tmax * d[1], P[2] + tmax * d[2]};
    // The covered stretch lies in front of the plane: not hidden.
    if (dot(t.n, A) < h - thr || dot(t.n, B) < h - thr) return Verdict::kClear;
    split.A = A;
    split.B = B;
    split.keep_left = outP || dP < h - thr;
    split.keep_right = outQ || dQ < h - thr;
    return Verdict::kSplit;
}

void emit_visible(const Vec3& P, const Vec3& Q, std::vector<TempLine>& out) {
    TempLine l;
    if (clip_project({P[0], P[1], P[2]}, {Q[0], Q[1], Q[2]}, l)) out.push_back(l);
}

void hidden_segment(const std::vector<HiddenTriangle>& tris, const Vec3& P, const Vec3& Q, int k,
                    const HiddenTolerances& tol, std::vector<TempLine>& out) {
    std::vector<Job> stack;
    run_segment(tris, nullptr, static_cast<int>(tris.size()), P, Q, k, tol, stack, out);
}

std::vector<TempLine> hidden_lines(const std::vector<HiddenTriangle>& tris,
                                   const std::vector<VectRecord>& edges,
                                   const HiddenTolerances& tol, HiddenLineMethod method) {
    std::vector<TempLine> out;
    std::vector<Job> stack;
    if (method == HiddenLineMethod::kPlain) {
        for (const VectRecord& e : edges)
            run_segment(tris, nullptr, static_cast<int>(tris.size()), {e.xs, e.ys, e.zs},
                        {e.xl, e.yl, e.zl}, 0, tol, stack, out);
        return out;
    }
    Grid grid(tris, edges, tol);
    std::vector<int> cand;
    for (const VectRecord& e : edges) {
        const Vec3 P{e.xs, e.ys, e.zs}, Q{e.xl, e.yl, e.zl};
        grid.candidates(P, Q, cand);
        run_segment(tris, cand.data(), static_cast<int>(cand.size()), P, Q, 0, tol, stack, out);
    }
    return out;
}

int make_pers(const ViewWindow& w, Canvas* c, const SolidModel& s, const ViewParams& p,
              model::MessageService& msg, HiddenLineMethod method, ImageBounds* bounds) {
    model::spy("Enter make_pers()");
    struct Closer {
        void operator()(std::FILE* f) const {
            if (f) std::fclose(f);
        }
    };
    using File = std::unique_ptr<std::FILE, Closer>;
    File vect(std::fopen(s.path(kVectFileName).c_str(), "rb"));
    if (!vect) {
        msg.show_message(kMsgVectOpen01);
        return -1;
    }
    File temp(std::fopen(s.path(kTempFileName).c_str(), "wb"));
    if (!temp) {
        msg.show_message(kMsgTempOpen01);
        return -1;
    }
    TempHeader head;
    head.world[0] = w.World.left;
    head.world[1] = w.World.bottom;
    head.world[2] = w.World.right;
    head.world[3] = w.World.top;
    head.crt[0] = w.Crt.left;
    head.crt[1] = w.Crt.top;
    head.crt[2] = w.Crt.right;
    head.crt[3] = w.Crt.bottom;
    const TempHeaderBytes hb = encode_temp_header(head);
    bool written = std::fwrite(hb.data(), 1, hb.size(), temp.get()) == hb.size();

    // The whole view file in one buffer.
    File view(std::fopen(s.path(kViewFileName).c_str(), "rb"));
    if (!view) {
        msg.show_message(kMsgViewOpen01);
        return -1;
    }
    std::fseek(view.get(), 0, SEEK_END);
    const long size = std::ftell(view.get());
    std::rewind(view.get());
    if (size < 0) {
        msg.show_message(kMsgReadError);
        return -1;
    }
    std::vector<unsigned char> lpTrio;
    try {
        lpTrio.assign(static_cast<size_t>(size), 0);
    } catch (const std::bad_alloc&) {
        msg.show_message(kMsgNoMemory);
        return -1;
    }
    const size_t got = std::fread(lpTrio.data(), 1, lpTrio.size(), view.get());
    view.reset();
    if (got < lpTrio.size()) {
        msg.show_message(kMsgReadError);
        return -1;
    }
    std::vector<HiddenTriangle> tris;
    tris.reserve(lpTrio.size() / kTrioRecordSize);
    TrioRecord r;
    for (size_t off = 0; off + kTrioRecordSize <= lpTrio.size(); off += kTrioRecordSize) {
        std::copy_n(lpTrio.begin() + static_cast<std::ptrdiff_t>(off), kTrioRecordSize, r.begin());
        tris.push_back(hidden_triangle(decode_view(r)));
    }
    std::vector<unsigned char>().swap(lpTrio);

    std::vector<VectRecord> edges;
    VectBytes vb;
    while (std::fread(vb.data(), 1, vb.size(), vect.get()) == vb.size())
        edges.push_back(decode_vect(vb));

    const std::vector<TempLine> lines = hidden_lines(tris, edges, tolerances_of(p), method);
    ImageBounds ib;
    if (c) set_pen(*c, kSolid, 1, kBlack);
    for (const TempLine& l : lines) {
        const double xs[2] = {l.xs, l.xl}, ys[2] = {l.ys, l.yl};
        for (int k = 0; k < 2; ++k) {
            if (ib.empty) {
                ib = {xs[k], ys[k], xs[k], ys[k], false};
            } else {
                ib.xmin = std::min(ib.xmin, xs[k]);
                ib.xmax = std::max(ib.xmax, xs[k]);
                ib.ymin = std::min(ib.ymin, ys[k]);
                ib.ymax = std::max(ib.ymax, ys[k]);
            }
        }
        if (c) {
            draw_to(w, *c, l.xs, l.ys, kPenMove);
            draw_to(w, *c, l.xl, l.yl, kPenDraw);
        }
        const TempLineBytes lb = encode_temp_line(l);
        written = written && std::fwrite(lb.data(), 1, lb.size(), temp.get()) == lb.size();
    }
    if (bounds) *bounds = ib;
    const bool closed = std::fclose(temp.release()) == 0;
    if (!written || !closed) {
        msg.show_message(kMsgTempWrite);
        return -1;
    }
    model::spy("make_pers %d edges %zu lines", static_cast<int>(edges.size()), lines.size());
    return 0;
}

}  // namespace tarvik::views
