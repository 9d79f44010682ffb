#include "files/honegra.h"

#include "files/replace_file.h"
#include "files/text_format.h"
#include "model/spy.h"

namespace tarvik::files {
namespace {

// A section header: the name in double quotes. No count: a reader finds the
// end of a section at the next header.
void header(std::string& out, const char* name) {
    appendf(out, "%c%s%c%c%c", '"', name, '"', '\r', '\n');
}

}  // namespace

std::string format_honegra(const model::ModelStore& m) {
    std::string out;
    out.reserve(static_cast<size_t>(m.N_Node) * 40 + static_cast<size_t>(m.N_Beam) * 50 + 1024);

    header(out, "NODE");
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        appendf(out, " %5d,%9.1f,%9.1f,%9.1f\r\n", i + 1, n.x, n.y, n.z);
    }

    // Rotations are always fixed: the model has no rotation codes.
    header(out, "FIX");
    for (int k = 0; k < m.N_Fix; ++k) {
        const model::Fix& f = m.fix[k];
        appendf(out, " %5d,%1d%1d%1d111\r\n", f.no, f.xfix, f.yfix, f.zfix);
    }

    // The rotation of the section about the member axis is always 0.0.
    header(out, "BEAM");
    for (int i = 0; i < m.N_Beam; ++i) {
        const model::Beam& b = m.beam[i];
        appendf(out, " %5d,%5d,%5d,%5d,%5d, %12.5e\r\n", i + 1, b.noi, b.noj, b.size, b.mat, 0.0);
    }

    // The area comes first here, then the two second moments and the torsion
    // constant; the two trailing fields are not used by the model.
    header(out, "SHAPE");
    for (int k = 0; k < m.N_Size; ++k) {
        const model::SizeEntry& s = m.size[k];
        appendf(out, " %5d,%9.3e,%9.3e,%9.3e,%9.3e,%9.3e,%9.3e\r\n", k + 1, s.A, s.Iy, s.Iz, s.J,
                0.0, 0.0);
    }

    // Young's modulus, a zero, Poisson's ratio, density.
    header(out, "MAT");
    for (int k = 0; k < m.N_Mat; ++k) {
        const model::MaterialEntry& e = m.mat[k];
        appendf(out, " %5d,%9.3e,%9.3e,%9.3e,%9.3e\r\n", k + 1, e.young, 0.0, e.poisson, e.mitudo);
    }

    // Nodal moments are not part of the model: always 0.0.
    header(out, "NLOAD");
    for (int k = 0; k < m.N_Load; ++k) {
        const model::Load& l = m.load[k];
        appendf(out, " %5d,%8.1f,%8.1f,%8.1f,%8.1f,%8.1f,%8.1f\r\n", l.no, l.px, l.py, l.pz, 0.0,
                0.0, 0.0);
    }
    return out;
}

int save_honegra(const model::ModelStore& m, const std::string& file_name,
                 model::MessageService& msg) {
    model::spy("Enter save_honegra() name %s", file_name.c_str());
    return save_file(file_name, format_honegra(m), kGraOpenError, kGraWriteError, msg);
}

}  // namespace tarvik::files
