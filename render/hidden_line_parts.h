// What the parts of the hidden-line image share among themselves and with
// nothing else: the vector helpers of the test, the segment loop both routines
// run, the fast routine's entry and the runner that shares work among threads.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include "render/hidden_line.h"

namespace tarvik::render::detail {

inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

inline double dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Normal of the plane through the eye and triangle edge j (Ej, Ej+1), and the
// side the third vertex lies on. Shared by the test and by the grid's choice
// of triangles that can never hide anything, so both see the same numbers.
inline void edge_plane(const HiddenTriangle& t, int j, Vec3& e, double& dV) {
    e = cross(t.E[j], t.E[(j + 1) % 3]);
    dV = dot(e, t.E[(j + 2) % 3]);
}


// The verdict when both ends of P-Q (P + d = Q) project inside the triangle,
// whose plane n.X = h the ends meet at dP = n.P and dQ = n.Q: with neither in
// front of the plane the segment is gone; with one in front it passes through
// the face, and only its part behind the plane is hidden: the piece in front,
// up to where it meets the plane, is tested further.
inline Verdict inside_verdict(const Vec3& P, const Vec3& d, double h, double dP, double dQ,
                              bool frontP, bool frontQ, SplitResult& split) {
    if (!frontP && !frontQ) return Verdict::kHiddenWhole;
    const double t = (h - dP) / (dQ - dP);  // dQ - dP is beyond the depth step
    const Vec3 X = {P[0] + t * d[0], P[1] + t * d[1], P[2] + t * d[2]};
    split.A = X;
    split.B = X;
    split.keep_left = frontP;
    split.keep_right = frontQ;
    return Verdict::kSplit;
}

// True when the triangle clears every segment whatever its ends: it faces
// away from the eye (h < 0, or no plane), or it is seen edge-on.
bool never_hides(const HiddenTriangle& t, const HiddenTolerances& tol);

// Hands out the triangles to test for a segment, in ascending order.
struct Job {
    Vec3 P, Q;
    int pos;  // first position in the candidate list still to test
};

// The common loop of both routines: the segments on the stack are tested
// against the candidates (all triangles when cand is null) from their
// position on; the first triangle that hides anything decides, its pieces go
// on with the next candidate.
void run_segment(std::span<const HiddenTriangle> tris, const int* cand, int count, const Vec3& P,
                 const Vec3& Q, int pos, const HiddenTolerances& tol, std::vector<Job>& stack,
                 std::vector<TempLine>& out);

// hidden_lines on any run of triangles and edges (those the file reader
// puts in place, say).
std::vector<TempLine> hidden_lines_of(std::span<const HiddenTriangle> tris,
                                      std::span<const VectRecord> edges,
                                      const HiddenTolerances& tol, HiddenLineMethod method,
                                      unsigned workers);

// The fast routine: the triangle index over the projection, run on threads.
void fast_hidden_lines(std::span<const HiddenTriangle> tris,
                       std::span<const VectRecord> edges, const HiddenTolerances& tol,
                       unsigned threads, std::vector<TempLine>& out);

// Runs the items [first, last) of a share and appends their lines to out.
using RangeRun = std::function<void(size_t first, size_t last, std::vector<TempLine>& out)>;

// Runs n items in order: with threads > 1 (and more than min_run items) they
// are handed out among that many workers in runs that shrink with the items
// left, down to min_run (or what is left), each worker with the RangeRun that
// make_worker gives it (its own working space), and the lines of the runs are
// joined in item order, so out is the same whatever the number of threads.
// A failure in a worker stops the others at their next run and is thrown here
// once all have ended.
void run_in_runs(size_t n, unsigned threads, size_t min_run,
                 const std::function<RangeRun()>& make_worker, std::vector<TempLine>& out);

// Runs fn(first, last, part) on the parts [first, last) of [0, n), one part
// per worker, at most threads of them and none shorter than min_part; part 0
// runs on the calling thread. Parts share no data but what fn gives each by
// its number. A failure in any part is thrown here once all have ended.
using PartRun = std::function<void(size_t first, size_t last, unsigned part)>;
unsigned split_parts(size_t n, unsigned threads, size_t min_part);
void run_parts(size_t n, unsigned threads, size_t min_part, const PartRun& fn);

}  // namespace tarvik::render::detail
