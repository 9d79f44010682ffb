#include "generator/space_floor.h"

#include <algorithm>

#include "model/spy.h"

namespace tarvik::generator {

void Box3::widen(const P3& p) {
    const float x = static_cast<float>(p.x);
    const float y = static_cast<float>(p.y);
    const float z = static_cast<float>(p.z);
    X_MIN = std::min(X_MIN, x);
    Y_MIN = std::min(Y_MIN, y);
    Z_MIN = std::min(Z_MIN, z);
    X_MAX = std::max(X_MAX, x);
    Y_MAX = std::max(Y_MAX, y);
    Z_MAX = std::max(Z_MAX, z);
}

void floor_posts(MemberMaker& mk, const FloorGeom& g, int kind, float section) {
    const double W = g.W();
    const double D = g.D();
    const double corners[4][2] = {{0.0, 0.0}, {W, 0.0}, {W, D}, {0.0, D}};
    for (const auto& c : corners)
        mk.add(g.at(c[0], c[1], g.zb), g.at(c[0], c[1], g.zt), kind, section);
}

namespace {

// The four sides of one plane, each cut into half-unit pieces from its lower
// coordinate to its higher one.
void waku_plane(MemberMaker& mk, const FloorGeom& g, double z, const char* label_x,
                const char* label_y, float section) {
    model::spy("%s", label_x);
    for (const double y : {0.0, g.D()})
        for (int k = 0; k < 2 * g.nx; ++k)
            mk.add(g.at(g.half(k), y, z), g.at(g.half(k + 1), y, z), kKindFrame, section);
    model::spy("%s", label_y);
    for (const double x : {0.0, g.W()})
        for (int k = 0; k < 2 * g.ny; ++k)
            mk.add(g.at(x, g.half(k), z), g.at(x, g.half(k + 1), z), kKindFrame, section);
}

}  // namespace

void floor_waku(MemberMaker& mk, const FloorGeom& g, float section) {
    waku_plane(mk, g, g.zt, "枠材X軸に平行", "枠材Y軸に平行", section);
    waku_plane(mk, g, g.zb, "下枠材X軸に平行", "下枠材Y軸に平行", section);
}

void floor_genzai(MemberMaker& mk, const FloorGeom& g, float section) {
    const double a = g.a;
    const double W = g.W();
    const double D = g.D();
    const double zt = g.zt;
    const double zb = g.zb;

    // Top layer: lines through the unit centres, ending on the top frame's
    // half-unit nodes at the edges.
    model::spy("Y軸に平行な上弦材");
    for (int i = 0; i < g.nx; ++i) {
        const double x = (i + 0.5) * a;
        mk.add(g.at(x, 0.0, zt), g.at(x, a * 0.5, zt), kKindChord, section);
        for (int j = 0; j <= g.ny - 2; ++j)
            mk.add(g.at(x, (j + 0.5) * a, zt), g.at(x, (j + 1.5) * a, zt), kKindChord, section);
        mk.add(g.at(x, (g.ny - 0.5) * a, zt), g.at(x, D, zt), kKindChord, section);
    }
    model::spy("X軸に平行な上弦材");
    for (int j = 0; j < g.ny; ++j) {
        const double y = (j + 0.5) * a;
        mk.add(g.at(0.0, y, zt), g.at(a * 0.5, y, zt), kKindChord, section);
        for (int i = 0; i <= g.nx - 2; ++i)
            mk.add(g.at((i + 0.5) * a, y, zt), g.at((i + 1.5) * a, y, zt), kKindChord, section);
        mk.add(g.at((g.nx - 0.5) * a, y, zt), g.at(W, y, zt), kKindChord, section);
    }

    // Bottom layer: the inner unit lines, one unit a piece.
    model::spy("Y軸に平行な上弦材");
    for (int i = 1; i <= g.nx - 1; ++i) {
        const double x = i * a;
        for (int j = 0; j < g.ny; ++j)
            mk.add(g.at(x, j * a, zb), g.at(x, (j + 1) * a, zb), kKindChord, section);
    }
    for (int j = 1; j <= g.ny - 1; ++j) {
        const double y = j * a;
        for (int i = 0; i < g.nx; ++i)
            mk.add(g.at(i * a, y, zb), g.at((i + 1) * a, y, zb), kKindChord, section);
    }
}

void floor_shazai(MemberMaker& mk, const FloorGeom& g, float section) {
    const double a = g.a;
    for (int i = 0; i < g.nx; ++i) {
        for (int j = 0; j < g.ny; ++j) {
            const P3 top = g.at((i + 0.5) * a, (j + 0.5) * a, g.zt);
            mk.add(top, g.at(i * a, j * a, g.zb), kKindDiagonal, section);
            mk.add(top, g.at((i + 1) * a, j * a, g.zb), kKindDiagonal, section);
            mk.add(top, g.at((i + 1) * a, (j + 1) * a, g.zb), kKindDiagonal, section);
            mk.add(top, g.at(i * a, (j + 1) * a, g.zb), kKindDiagonal, section);
        }
    }
}

namespace {

// Point k of a side face: on the half-unit grid along the side, at zb for
// even k and at zt for odd k (the vertical uses both heights).
struct SideFace {
    bool along_x;  // the side runs along X
    double fixed;  // y of a side along X, x of a side along Y
    int n;         // units along the side

    P3 point(const FloorGeom& g, int k, double z) const {
        return along_x ? g.at(g.half(k), fixed, z) : g.at(fixed, g.half(k), z);
    }
    double level(const FloorGeom& g, int k) const { return k % 2 == 0 ? g.zb : g.zt; }
};

}  // namespace

void floor_sujikai(MemberMaker& mk, const FloorGeom& g, float section) {
    const SideFace faces[4] = {
        {true, 0.0, g.nx}, {true, g.D(), g.nx}, {false, 0.0, g.ny}, {false, g.W(), g.ny}};
    for (const SideFace& f : faces) {
        for (int k = 1; k <= 2 * f.n - 1; ++k)
            mk.add(f.point(g, k, g.zt), f.point(g, k, g.zb), kKindBrace, section);
        for (int k = 0; k <= 2 * f.n - 1; ++k)
            mk.add(f.point(g, k, f.level(g, k)), f.point(g, k + 1, f.level(g, k + 1)), kKindBrace,
                   section);
    }
}

}  // namespace tarvik::generator
