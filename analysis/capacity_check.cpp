#include "analysis/capacity_check.h"

#include "solver/profile.h"

namespace tarvik::analysis {

std::vector<CapacityExcess> capacity_check(const model::ModelStore& m) {
    std::vector<CapacityExcess> out;
    auto limit = [&out](const char* what, long long count, long long cap) {
        if (count > cap) out.push_back({what, count, cap});
    };
    limit("節点数", m.N_Node, veltosol::kMaxNodes);
    limit("部材数", m.N_Beam, veltosol::kMaxMembers);
    limit("断面の種類", m.N_Size, veltosol::kMaxSections);
    limit("材料の種類", m.N_Mat, veltosol::kMaxMaterials);
    limit("支点数", m.N_Fix, veltosol::kMaxSupports);
    limit("荷重節点数", m.N_Load, veltosol::kMaxLoads);
    limit("X方向の階の数", m.N_X, veltosol::kMaxLevels);
    limit("Y方向の階の数", m.N_Y, veltosol::kMaxLevels);
    limit("Z方向の階の数", m.N_Z, veltosol::kMaxLevels);
    if (!out.empty() || m.N_Node == 0) return out;

    // The store, as the solver input gives the frame to the solver.
    veltosol::FrameShape f;
    f.nodes = m.N_Node;
    f.members.reserve(static_cast<size_t>(m.N_Beam));
    for (int k = 0; k < m.N_Beam; ++k) f.members.push_back({m.beam[k].noi, m.beam[k].noj});
    for (int k = 0; k < m.N_Fix; ++k) {
        const model::Fix& x = m.fix[k];
        // Rotations of a support are always fixed in the solver input.
        f.supports.push_back({x.no, {x.xfix != 0, x.yfix != 0, x.zfix != 0, true, true, true}});
    }
    limit("剛性マトリクスの記憶域 (項数)", veltosol::skyline_terms(f), veltosol::kMaxStore);
    return out;
}

std::string capacity_message(const std::vector<CapacityExcess>& excess) {
    std::string s;
    for (const CapacityExcess& e : excess) {
        s += s.empty() ? "解析できる上限を超えています: " : "\n";
        s += e.what + " " + std::to_string(e.count) + " (上限 " + std::to_string(e.limit) + ")";
    }
    if (!s.empty()) s += "\nこのままでは構造解析を実施できません";
    return s;
}

}  // namespace tarvik::analysis
