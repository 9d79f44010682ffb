#include "generator/member_maker.h"

#include "model/maintenance.h"
#include "model/spy.h"

namespace tarvik::generator {

int MemberMaker::node(const P3& p) {
    if (failed_) return -1;
    const int no = model::find_or_add_node(m_, static_cast<float>(p.x), static_cast<float>(p.y),
                                           static_cast<float>(p.z), msg_);
    if (no < 0) failed_ = true;
    return no;
}

void MemberMaker::add(const P3& p, const P3& q, int kind, float haba, float atumi) {
    const int noi = node(p);
    const int noj = node(q);
    if (failed_) return;
    const std::array<float, 3> s{static_cast<float>(p.x), static_cast<float>(p.y),
                                 static_cast<float>(p.z)};
    const std::array<float, 3> e{static_cast<float>(q.x), static_cast<float>(q.y),
                                 static_cast<float>(q.z)};
    if (noi == noj) {
        model::spy("zero length member not made noi %5d xs %7.1f ys %7.1f zs %7.1f", noi, s[0],
                   s[1], s[2]);
        return;
    }
    const model::Beam b = model::complete_member(noi, noj, s, e, haba, atumi, kind);
    model::spy(
        "N_BEAM %5d no %5d noi %5d noj %5d xs %7.1f ys %7.1f zs %7.1f xl %7.1f yl %7.1f zl %7.1f "
        "haba %7.1f atumi %7.1f",
        m_.N_Beam, m_.N_Beam + 1, noi, noj, b.xs, b.ys, b.zs, b.xl, b.yl, b.zl, b.haba, b.atumi);
    if (model::add_beam(m_, b, msg_) < 0) failed_ = true;
}

}  // namespace tarvik::generator
