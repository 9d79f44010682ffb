// Equation numbering, the skyline profile, assembly and the solution of the
// symmetric system by Gauss elimination in the skyline store.
#include <cmath>
#include <string>

#include "fortran_format.h"
#include "solver.h"

namespace veltosol {

namespace {

// Top row of column j of the profile.
inline int top_row(const Solver& s, int j) {
    return j - static_cast<int>(s.MAXA[j] - s.MAXA[j - 1]) + 1;
}

// Sum of a[k] * b[k] for k in [0, n), four partial sums so that the loop
// pipelines and vectorises.
inline double dot(const double* a, const double* b, int n) {
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    int k = 0;
    for (; k + 4 <= n; k += 4) {
        s0 += a[k] * b[k];
        s1 += a[k + 1] * b[k + 1];
        s2 += a[k + 2] * b[k + 2];
        s3 += a[k + 3] * b[k + 3];
    }
    for (; k < n; ++k) s0 += a[k] * b[k];
    return (s0 + s1) + (s2 + s3);
}

}  // namespace

void number_equations(Solver& s) {
    const int ndof = 6 * s.NOD;
    for (int g = 1; g <= ndof; ++g) s.ID[g] = g;
    for (int k = 0; k < 6; ++k)
        for (int n : s.restraint[k]) s.ID[6 * (n - 1) + k + 1] = 0;
    s.NEQ = 0;
    for (int g = 1; g <= ndof; ++g) {
        if (s.ID[g] == 0) continue;
        ++s.NEQ;
        s.ID[g] = s.NEQ;
        s.reverse[s.NEQ] = g;
    }
}

std::int64_t profile_terms(Solver& s) {
    for (int j = 1; j <= s.NEQ; ++j) s.height[j] = 0;
    for (int e = 1; e <= s.NEL; ++e) {
        const Member& m = s.member[e];
        int eq[12];
        for (int k = 0; k < 6; ++k) {
            eq[k] = s.ID[6 * (m.iin - 1) + k + 1];
            eq[6 + k] = s.ID[6 * (m.jout - 1) + k + 1];
        }
        int low = 0;
        for (int q : eq)
            if (q != 0 && (low == 0 || q < low)) low = q;
        for (int p : eq)
            if (p != 0 && s.height[p] < p - low) s.height[p] = p - low;
    }
    std::int64_t sum = 0;
    s.MAXA[0] = 0;
    for (int j = 1; j <= s.NEQ; ++j) {
        sum += s.height[j] + 1;
        s.MAXA[j] = sum;
    }
    return sum;
}

void MHIGHT(Solver& s) {
    const std::int64_t sum = profile_terms(s);
    if (sum > kMaxStore)
        capacity_exceeded("stiffness store", kMaxStore,
                          "the skyline needs " + std::to_string(sum) + " terms");
}

void ASSEM(Solver& s, FileSet* files) {
    const std::int64_t dim = s.MAXA[s.NEQ];
    double* store = s.store.get();
    for (std::int64_t p = 1; p <= dim; ++p) store[p] = 0.0;

    static const std::string member_trace =
        free_line({"ENTER ELMAT"}) + free_line({"ENTER TRANS"}) + free_line({"PASS DECTM"}) +
        free_line({"ENTER MXMLT N ND", 12, 20}) + free_line({"PASS MXMLT"}) +
        free_line({"ENTER MXMLT N ND", 12, 20}) + free_line({"PASS MXMLT"}) +
        free_line({"PASS ELMAT"});
    Mat12 K;
    for (int e = 1; e <= s.NEL; ++e) {
        if (files) files->trace(member_trace);
        ELMAT(s, e, ElmatOption::kGlobalAxes, K);
        const Member& m = s.member[e];
        int eq[12];
        for (int k = 0; k < 6; ++k) {
            eq[k] = s.ID[6 * (m.iin - 1) + k + 1];
            eq[6 + k] = s.ID[6 * (m.jout - 1) + k + 1];
        }
        for (int a = 0; a < 12; ++a) {
            int p = eq[a];
            if (p == 0) continue;
            for (int b = 0; b < 12; ++b) {
                int q = eq[b];
                if (q == 0 || p > q) continue;
                store[s.MAXA[q] - (q - p)] += K[12 * a + b];
            }
        }
    }

    // Near-zero diagonals: note the owning node, set the diagonal to 1.
    s.singular.clear();
    for (int j = 1; j <= s.NEQ; ++j) {
        double& diag = store[s.MAXA[j]];
        if (std::fabs(diag) <= 1.0e-10) {
            if (static_cast<int>(s.singular.size()) >= kMaxSingular)
                capacity_exceeded("singular equation", kMaxSingular);
            int g = s.reverse[j];
            s.singular.push_back(static_cast<int>((g - 0.5) / 6.0) + 1);
            diag = 1.0;
        }
    }
    if (files) {
        static const Format list10("(10I5)");
        std::string text;
        list10.write(text, {static_cast<int>(s.singular.size())});
        if (!s.singular.empty()) {
            std::vector<FmtValue> v(s.singular.begin(), s.singular.end());
            list10.write(text, v.data(), v.size());
        }
        files->sta.write(text);
    }
}

// A pivot that keeps no more than this share of its diagonal before the
// elimination has lost it to rounding: the matrix is singular (the frame is a
// mechanism) and a solution would be rounding noise divided by the remnant,
// displacements of 1e13 cm and more. The remnants of mechanisms are a few
// dozen unit roundoffs (2.2e-16): 2e-15 to 7e-15 for frames without supports
// or with free translations. Every frame of the tests and benchmarks keeps
// more than 6e-5 of each diagonal; a member 1e6 times stiffer than the one
// holding it leaves 2.5e-9, 1e8 times stiffer 2.5e-11. Below the threshold
// fewer than five of the sixteen digits would be left in any case.
constexpr double kPivotRemnant = 1e-11;

// The store holds, column by column, the upper triangle of K. Elimination runs
// column by column; each finished column is kept divided by the pivots
// (U(k,j) / U(k,k)) next to its undivided pivot on the diagonal, which is the
// same elimination with one division per term instead of one per update.
void SKSOLV(Solver& s) {
    const int neq = s.NEQ;
    double* store = s.store.get();
    s.instability_at = 0;
    // Pivots found lost (zero or a rounding remnant of their diagonal) and not
    // yet met by a later column.
    std::vector<int> zero_pivots;

    // Store position of U(i,j) is at(j) + i.
    auto at = [&](int j) { return s.MAXA[j - 1] + 1 - top_row(s, j); };

    for (int j = 1; j <= neq; ++j) {
        const int tj = top_row(s, j);
        const std::int64_t aj = at(j);

        // A lost pivot k stops the elimination at the first row i of this column
        // whose update would divide by it.
        if (!zero_pivots.empty() && zero_pivots.back() >= tj) {
            for (int i = std::max(tj, 2); i <= j; ++i) {
                const int lo = std::max(top_row(s, i), tj);
                for (int k : zero_pivots)
                    if (k >= lo && k <= i - 1) {
                        s.instability_at = k;
                        return;
                    }
            }
        }

        // Reduce the rows above the diagonal, top down.
        for (int i = tj + 1; i < j; ++i) {
            const int lo = std::max(top_row(s, i), tj);
            if (lo < i) store[aj + i] -= dot(store + at(i) + lo, store + aj + lo, i - lo);
        }
        // Divide by the pivots and reduce the diagonal.
        double diag = store[aj + j];
        const double orig_diag = diag;
        for (int i = tj; i < j; ++i) {
            const double g = store[aj + i];
            const double l = g / store[s.MAXA[i]];
            store[aj + i] = l;
            diag -= l * g;
        }
        store[aj + j] = diag;
        if (std::fabs(diag) <= kPivotRemnant * std::fabs(orig_diag)) zero_pivots.push_back(j);
    }
    // A lost pivot that no later column met would divide the solution by it.
    if (!zero_pivots.empty()) {
        s.instability_at = zero_pivots.front();
        return;
    }

    double* r = s.R.data();
    // Forward reduction with the unit lower factor, then the pivots.
    for (int i = 2; i <= neq; ++i) {
        const int ti = top_row(s, i);
        if (ti < i) r[i] -= dot(store + at(i) + ti, r + ti, i - ti);
    }
    for (int i = 1; i <= neq; ++i) r[i] /= store[s.MAXA[i]];
    // Back substitution, column by column from the last.
    for (int j = neq; j >= 2; --j) {
        const int tj = top_row(s, j);
        const double* a = store + at(j);
        const double x = r[j];
        for (int k = tj; k < j; ++k) r[k] -= a[k] * x;
    }
}

}  // namespace veltosol
