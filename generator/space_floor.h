// The pieces of a space floor (a double-layer grid of square units) shared by
// the generation routines and by the unit fields of the axis data. Every
// place is computed with one formula wherever it occurs, so that members meet
// on bit-identical coordinates and share their nodes.
#pragma once

#include "generator/member_maker.h"

namespace tarvik::generator {

// One field: origin (x0, y0), bottom plane zb, top plane zt, unit width a,
// nx x ny units. All positions are offsets from the origin.
struct FloorGeom {
    double x0 = 0.0, y0 = 0.0;
    double zb = 0.0, zt = 0.0;
    double a = 0.0;
    int nx = 0, ny = 0;

    double W() const { return nx * a; }
    double D() const { return ny * a; }
    // Point k of the half-unit grid along a side: k x (a x 0.5).
    double half(int k) const { return k * (a * 0.5); }
    P3 at(double dx, double dy, double z) const { return {x0 + dx, y0 + dy, z}; }
};

// Bounds of the model box, widened by points.
struct Box3 {
    float X_MIN = 9999.9f, Y_MIN = 9999.9f, Z_MIN = 9999.9f;
    float X_MAX = -9999.9f, Y_MAX = -9999.9f, Z_MAX = -9999.9f;
    void widen(const P3& p);
};

// Posts from zb to zt at the corners (0, 0), (W, 0), (W, D), (0, D).
void floor_posts(MemberMaker& mk, const FloorGeom& g, int kind, float section);

// Half-unit frame pieces of the top and then the bottom plane.
void floor_waku(MemberMaker& mk, const FloorGeom& g, float section);

// Top chords along Y, along X, then the bottom chords on the inner unit lines.
void floor_genzai(MemberMaker& mk, const FloorGeom& g, float section);

// Four diagonals per unit from the top node down to the unit's corners.
void floor_shazai(MemberMaker& mk, const FloorGeom& g, float section);

// Trusses in the side faces y = 0, y = D, x = 0, x = W.
void floor_sujikai(MemberMaker& mk, const FloorGeom& g, float section);

}  // namespace tarvik::generator
