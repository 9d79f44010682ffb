// The hidden-line image: every drawn edge of the member solids, in eye
// coordinates, is tested against the triangles of the view file; what no
// triangle hides becomes a line of "TEMP.DAT".
//
// Two routines give the same lines in the same order: the plain one tests a
// segment against every later triangle; the fast one, which the program uses,
// asks a uniform grid over the projected triangles (kept in small groups of
// neighbours) which of them can touch the segment at all, drops those a cheap
// look shows to be cleared for it and its pieces, and runs the very same test
// on the rest, in the same order. Edges do not depend on one another, so the
// fast one shares them among the processors and joins their lines in order.
#pragma once

#include <array>
#include <vector>

#include "model/message_service.h"
#include "render/canvas.h"
#include "render/solid.h"
#include "render/trio_file.h"
#include "render/view_params.h"
#include "render/view_window.h"
#include "ui/texts.h"

namespace tarvik::render {

enum class HiddenLineMethod { kFast, kPlain };

// Tolerances of the test: EPS, its negative and the upper parameter limit.
struct HiddenTolerances {
    double eps = kEps;
    double eps_neg = kEpsNeg;
    double limit = kParamLimit;
};
HiddenTolerances tolerances_of(const ViewParams& p);

using Vec3 = std::array<double, 3>;

// A triangle as the test needs it: eye vertices and its plane.
struct HiddenTriangle {
    Vec3 E[3];
    Vec3 n;    // unit normal (a, b, c)
    double h;  // plane constant
};
HiddenTriangle hidden_triangle(const ViewTriangle& t);

// Outcome of one segment against one triangle.
enum class Verdict {
    kClear,        // the triangle hides nothing of it
    kHiddenWhole,  // both ends project inside and lie behind: the segment is gone
    kSplit,        // the stretch A-B is hidden; the pieces P-A and B-Q may remain
};
struct SplitResult {
    Vec3 A, B;
    bool keep_left = false;   // P-A is tested further
    bool keep_right = false;  // B-Q is tested further
};
Verdict test_triangle(const HiddenTriangle& t, const Vec3& P, const Vec3& Q,
                      const HiddenTolerances& tol, SplitResult& split);

// Appends the visible line of P-Q (cut to the near depth, projected) to out.
void emit_visible(const Vec3& P, const Vec3& Q, std::vector<TempLine>& out);

// The plain recursive test of P-Q against triangles k ... end, appending what
// stays visible to out in drawing order. (The recursion runs on a stack of its
// own: depth is not bounded by the call stack.)
void hidden_segment(const std::vector<HiddenTriangle>& tris, const Vec3& P, const Vec3& Q, int k,
                    const HiddenTolerances& tol, std::vector<TempLine>& out);

// Workers the fast routine uses by default: the machine's processors, at most
// kMaxHiddenLineWorkers.
inline constexpr int kMaxHiddenLineWorkers = 8;
unsigned hidden_line_workers();

// The visible lines of all edges, in order, by either routine. The fast one
// shares the edges among workers threads (0: hidden_line_workers()); the
// lines are the same whatever their number.
std::vector<TempLine> hidden_lines(const std::vector<HiddenTriangle>& tris,
                                   const std::vector<VectRecord>& edges,
                                   const HiddenTolerances& tol, HiddenLineMethod method,
                                   unsigned workers = 0);

// Bounds of the projected image of the last make_pers.
struct ImageBounds {
    double xmin = 0.0, ymin = 0.0, xmax = 0.0, ymax = 0.0;
    bool empty = true;
};

// "TEMP.DAT" with the visible parts of every edge of "VECT.DAT" against the
// triangles of "VIEW.DAT", header from the window; each line is drawn on c
// (when given) as well. workers as for hidden_lines. 0 or -1 (message shown).
int make_pers(const ViewWindow& w, Canvas* c, const SolidModel& s, const ViewParams& p,
              model::MessageService& msg, HiddenLineMethod method = HiddenLineMethod::kFast,
              ImageBounds* bounds = nullptr, unsigned workers = 0);

}  // namespace tarvik::render
