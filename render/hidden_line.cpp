// The hidden-line test of one segment against one triangle, the plain
// routine that tests each edge against every triangle, and the choice between
// the plain and the fast routine.
#include "render/hidden_line.h"

#include <cmath>
#include <cstdlib>

#include "render/draw.h"
#include "render/hidden_line_parts.h"

namespace tarvik::render {
namespace detail {

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


void run_segment(std::span<const HiddenTriangle> tris, const int* cand, int count, const Vec3& P,
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

}  // namespace detail

using detail::cross;
using detail::dot;
using detail::edge_plane;

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
    const Vec3 d = {Q[0] - P[0], Q[1] - P[1], Q[2] - P[2]};
    if (!outP && !outQ)
        return detail::inside_verdict(P, d, h, dP, dQ, dP < h - thr, dQ < h - thr, split);
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
    std::vector<detail::Job> stack;
    detail::run_segment(tris, nullptr, static_cast<int>(tris.size()), P, Q, k, tol, stack, out);
}

std::vector<TempLine> hidden_lines(const std::vector<HiddenTriangle>& tris,
                                   const std::vector<VectRecord>& edges,
                                   const HiddenTolerances& tol, HiddenLineMethod method,
                                   unsigned workers) {
    return detail::hidden_lines_of(tris, edges, tol, method, workers);
}

namespace detail {

std::vector<TempLine> hidden_lines_of(std::span<const HiddenTriangle> tris,
                                      std::span<const VectRecord> edges,
                                      const HiddenTolerances& tol, HiddenLineMethod method,
                                      unsigned workers) {
    std::vector<TempLine> out;
    if (method == HiddenLineMethod::kPlain) {
        std::vector<detail::Job> stack;
        for (const VectRecord& e : edges)
            detail::run_segment(tris, nullptr, static_cast<int>(tris.size()), {e.xs, e.ys, e.zs},
                                {e.xl, e.yl, e.zl}, 0, tol, stack, out);
        return out;
    }
    detail::fast_hidden_lines(tris, edges, tol, workers == 0 ? hidden_line_workers() : workers,
                              out);
    return out;
}

}  // namespace detail
}  // namespace tarvik::render
