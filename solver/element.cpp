// Member geometry, local stiffness and the local/global transformation.
#include <cmath>

#include "solver.h"

namespace veltosol {

namespace {

constexpr double kPi = 3.141592653589793;

// Local degrees of freedom, 0-based: translations along x, y, z and rotations
// about x, y, z of end 1, then the same for end 2.
enum Dof { UX1, UY1, UZ1, RX1, RY1, RZ1, UX2, UY2, UZ2, RX2, RY2, RZ2 };

}  // namespace

void DRCCOS(Solver& s) {
    for (int e = 1; e <= s.NEL; ++e) {
        Member& m = s.member[e];
        const NodeRec& a = s.node[m.iin];
        const NodeRec& b = s.node[m.jout];
        double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
        double L = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (!(L > 0.0) || !std::isfinite(L))
            bad_model("member " + std::to_string(e) + " has zero or undefined length");
        m.length = L;
        double cx = dx / L, cy = dy / L, cz = dz / L;
        double alpha = kPi * m.angle / 180.0;
        double ca = std::cos(alpha), sa = std::sin(alpha);
        double* d = m.dcos.data();
        if (std::fabs(dx) >= 1.0e-10 || std::fabs(dz) >= 1.0e-10) {
            // r is perpendicular to the member and to global Y; t = ZB x r.
            double q = std::sqrt(cx * cx + cz * cz);
            double r[3] = {cz / q, 0.0, -cx / q};
            double t[3] = {-cx * cy / q, q, -cy * cz / q};
            for (int k = 0; k < 3; ++k) {
                d[k] = ca * r[k] + sa * t[k];
                d[3 + k] = ca * t[k] - sa * r[k];
            }
        } else {
            // Member parallel to global Y.
            d[0] = sa;
            d[1] = 0.0;
            d[2] = cy * ca;
            d[3] = ca;
            d[4] = 0.0;
            d[5] = -cy * sa;
        }
        d[6] = cx;
        d[7] = cy;
        d[8] = cz;
    }
}

void ELMAT(const Solver& s, int e, ElmatOption option, Mat12& K) {
    K.fill(0.0);
    const Member& m = s.member[e];
    const Material& mat = s.material[m.mte];
    const Section& sec = s.section[m.mte];
    const double E = mat.young;
    const double G = E / (2.0 * (1.0 + mat.poisson));
    const double L = m.length;
    const double L2 = L * L, L3 = L2 * L;
    auto set = [&K](int r, int c, double v) { K[12 * r + c] = v; };

    // A pair of end values that resist alike: k on each, -k between them.
    auto pair = [&set](int a1, int a2, double k) {
        set(a1, a1, k);
        set(a2, a2, k);
        set(a1, a2, -k);
    };
    // Bending with deflection u and end rotations r; sign +1 when u couples
    // with r positively.
    auto bending = [&](int u1, int u2, int r1, int r2, double I, double sign) {
        const double b12 = 12.0 * E * I / L3, b6 = 6.0 * E * I / L2;
        const double b4 = 4.0 * E * I / L, b2 = 2.0 * E * I / L;
        pair(u1, u2, b12);
        set(u1, r1, sign * b6);
        set(u1, r2, sign * b6);
        set(r1, u2, -sign * b6);
        set(u2, r2, -sign * b6);
        set(r1, r1, b4);
        set(r2, r2, b4);
        set(r1, r2, b2);
    };
    // Deflection along local x (Ixx) couples ux with ry; along local y (Iyy)
    // uy with rx, negatively.
    bending(UX1, UX2, RY1, RY2, sec.ixx, 1.0);
    bending(UY1, UY2, RX1, RX2, sec.iyy, -1.0);
    // Axial and torsion.
    pair(UZ1, UZ2, E * sec.area / L);
    pair(RZ1, RZ2, G * sec.stk / L);

    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < r; ++c) K[12 * r + c] = K[12 * c + r];

    if (option == ElmatOption::kGlobalAxes) TRANS(s, e, K);
}

void DECTM(const Solver& s, int e, Mat12& T) {
    T.fill(0.0);
    const double* d = s.member[e].dcos.data();
    for (int b = 0; b < 4; ++b)
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) T[12 * (3 * b + r) + 3 * b + c] = d[3 * r + c];
}

void MXMLT(const Mat12& A, const Mat12& B, Mat12& C, MxmltFlag flag) {
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) {
            double sum = 0.0;
            if (flag == MxmltFlag::kTransposeA)
                for (int k = 0; k < 12; ++k) sum += A[12 * k + i] * B[12 * k + j];
            else
                for (int k = 0; k < 12; ++k) sum += A[12 * i + k] * B[12 * k + j];
            C[12 * i + j] = sum;
        }
}

void TRANS(const Solver& s, int e, Mat12& K) {
    Mat12 T, W;
    DECTM(s, e, T);
    MXMLT(T, K, W, MxmltFlag::kTransposeA);  // W = T' K
    MXMLT(W, T, K, MxmltFlag::kPlain);       // K = W T
}

void EDISP(const Solver& s, int e, const double* D, Vec12& u, EdispOption option) {
    const Member& m = s.member[e];
    double g[12];
    for (int k = 0; k < 6; ++k) {
        g[k] = D[6 * (m.iin - 1) + 1 + k];
        g[6 + k] = D[6 * (m.jout - 1) + 1 + k];
    }
    const double* d = m.dcos.data();
    for (int b = 0; b < 4; ++b)
        for (int r = 0; r < 3; ++r) {
            double sum = 0.0;
            for (int c = 0; c < 3; ++c)
                sum += (option == EdispOption::kToMemberAxes ? d[3 * r + c] : d[3 * c + r]) * g[3 * b + c];
            u[3 * b + r] = sum;
        }
}

}  // namespace veltosol
