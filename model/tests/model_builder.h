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
    model::Beam b{};
    b.noi = noi;
    b.noj = noj;
    b.xs = xs;
    b.ys = ys;
    b.zs = zs;
    b.xl = xl;
    b.yl = yl;
    b.zl = zl;
    b.size = -1;
    b.mat = -1;
    b.haba = haba;
    b.atumi = atumi;
    b.kind = kind;
    b.flag = model::kBeamComplete;
    return model::add_beam(m, b, msg);
}

}  // namespace tarvik::testing
