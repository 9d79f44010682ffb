#include "profile.h"

#include <exception>
#include <memory>

#include "solver.h"

namespace veltosol {

std::int64_t skyline_terms(const FrameShape& frame) noexcept {
    const int nel = static_cast<int>(frame.members.size());
    const int nfix = static_cast<int>(frame.supports.size());
    if (frame.nodes < 1 || frame.nodes > kMaxNodes || nel > kMaxMembers || nfix > kMaxSupports)
        return -1;
    for (const auto& m : frame.members)
        if (m[0] < 1 || m[0] > frame.nodes || m[1] < 1 || m[1] > frame.nodes || m[0] == m[1])
            return -1;
    for (const auto& f : frame.supports)
        if (f.first < 1 || f.first > frame.nodes) return -1;
    try {
        auto s = std::make_unique<Solver>();
        s->NOD = frame.nodes;
        s->NEL = nel;
        for (int e = 1; e <= nel; ++e) {
            s->member[e].iin = frame.members[e - 1][0];
            s->member[e].jout = frame.members[e - 1][1];
        }
        // As INPUT does: renumber, then the members and supports by the new numbers.
        const int bound = SETUP(*s);
        check_connected(*s);
        OPTNUM(*s, bound);
        for (int e = 1; e <= nel; ++e) {
            s->member[e].iin = s->NEWNO[s->member[e].iin];
            s->member[e].jout = s->NEWNO[s->member[e].jout];
        }
        for (int k = 0; k < 6; ++k) {
            s->restraint[k].clear();
            for (const auto& f : frame.supports)
                if (f.second[k]) s->restraint[k].push_back(s->NEWNO[f.first]);
        }
        number_equations(*s);
        return profile_terms(*s);
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace veltosol
