#include "files/honegumi.h"

#include "files/replace_file.h"
#include "files/text_format.h"
#include "model/spy.h"

namespace tarvik::files {
namespace {

void levels(std::string& out, int count, const std::array<float, model::kMaxLevel>& values) {
    appendf(out, " %5d\r\n", count);
    for (int k = 0; k < count && k < model::kMaxLevel; ++k) appendf(out, " %12.5e\r\n", values[k]);
}

}  // namespace

std::string format_honegumi(const model::ModelStore& m) {
    std::string out;
    out.reserve(static_cast<size_t>(m.N_Node) * 50 + static_cast<size_t>(m.N_Beam) * 60 + 4096);
    levels(out, m.N_X, m.Xval);
    levels(out, m.N_Y, m.Yval);
    levels(out, m.N_Z, m.Zval);

    appendf(out, " %5d %5d\r\n", m.N_Node, m.N_Beam);
    // The rotation of the section about the member axis is always written 0.0.
    for (int i = 0; i < m.N_Beam; ++i) {
        const model::Beam& b = m.beam[i];
        appendf(out, " %5d %5d %5d %5d %5d %10.1f %9s %9s\r\n", b.no, b.noi, b.noj, b.size, b.mat,
                0.0, b.idi, b.idj);
    }

    // The second moments come before the area.
    appendf(out, " %5d\r\n", m.N_Size);
    for (int k = 0; k < m.N_Size; ++k) {
        const model::SizeEntry& s = m.size[k];
        appendf(out, " %5d %9.3e %9.3e %9.3e %9.3e\r\n", k + 1, s.Iy, s.Iz, s.A, s.J);
    }

    appendf(out, " %5d\r\n", m.N_Mat);
    for (int k = 0; k < m.N_Mat; ++k) {
        const model::MaterialEntry& e = m.mat[k];
        appendf(out, " %5d %9.3e %9.3e %9.3e\r\n", k + 1, e.young, e.poisson, e.mitudo);
    }

    appendf(out, " %5d\r\n", m.N_Node);
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        appendf(out, " %5d %9.1f %9.1f %9.1f %9s\r\n", n.no, n.x, n.y, n.z, n.id);
    }

    // Rotations of every support are fixed: the model has no rotation codes.
    appendf(out, " %5d\r\n", m.N_Fix);
    for (int k = 0; k < m.N_Fix; ++k) {
        const model::Fix& f = m.fix[k];
        appendf(out, " %5d,%1d%1d%1d111\r\n", f.no, f.xfix, f.yfix, f.zfix);
    }

    // Nodal moments are not part of the model: always 0.0.
    appendf(out, " %5d\r\n", m.N_Load);
    for (int k = 0; k < m.N_Load; ++k) {
        const model::Load& l = m.load[k];
        appendf(out, " %9s,%5d,%10.1f,%10.1f,%10.1f,%10.1f,%10.1f,%10.1f\r\n", l.id, l.no, l.px,
                l.py, l.pz, 0.0, 0.0, 0.0);
    }
    return out;
}

int save_honegumi(const model::ModelStore& m, const std::string& file_name,
                  model::MessageService& msg) {
    model::spy("Enter save_honegumi() name %s", file_name.c_str());
    return save_file(file_name, format_honegumi(m), kBonOpenError, kBonWriteError, msg);
}

}  // namespace tarvik::files
