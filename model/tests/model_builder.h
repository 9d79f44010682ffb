// Small models built by hand for the tests of every library.
#pragma once

#include "model/maintenance.h"
#include "model/model_store.h"

namespace tarvik::testing {

// Appends a complete member between two points the way a generator does:
// end nodes through find_or_add_node, flag 2, no size or material yet.
inline int add_member(model::ModelStore& m, model::MessageService& msg, float xs, float ys,
                      float zs, float xl, float yl, float zl, float haba = 12.0f,
                      float atumi = 12.0f, int kind = 0) {
    const int noi = model::find_or_add_node(m, xs, ys, zs, msg);
    const int noj = model::find_or_add_node(m, xl, yl, zl, msg);
    if (noi < 0 || noj < 0) return -1;
    const model::Beam b =
        model::complete_member(noi, noj, {xs, ys, zs}, {xl, yl, zl}, haba, atumi, kind);
    return model::add_beam(m, b, msg);
}

// Table rows with their coordinates only, no lookup and no checks: for tests
// that want a member's ends apart from the nodes.
inline void add_bare_node(model::ModelStore& m, float x, float y, float z) {
    model::Node& n = m.node[m.N_Node++];
    n = {};
    n.no = m.N_Node, n.x = x, n.y = y, n.z = z;
}

inline void add_bare_member(model::ModelStore& m, float xs, float ys, float zs, float xl, float yl,
                            float zl) {
    model::Beam& b = m.beam[m.N_Beam++];
    b = {};
    b.no = m.N_Beam;
    b.xs = xs, b.ys = ys, b.zs = zs;
    b.xl = xl, b.yl = yl, b.zl = zl;
}

}  // namespace tarvik::testing
