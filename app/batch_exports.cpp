#include "app/batch_exports.h"

#include <ostream>

#include "files/dxf_file.h"
#include "files/face_file.h"
#include "files/honegra.h"
#include "render/hidden_image_job.h"
#include "render/hidden_line.h"
#include "render/projection.h"
#include "render/solid.h"

namespace tarvik::app {

const char* const kExportUsage =
    "exports (after the upkeep, the supports and the loads):\n"
    "  --ydu FILE           write the frame graphic file\n"
    "  --viewer FILE        write the viewer face file of the member solids\n"
    "  --dxf FILE           write the hidden-line image as DXF (TEMP.DAT and the solid files\n"
    "                       are made in the current directory)\n"
    "  --dxf-eye RHO,THETA,PHI  eye of the DXF's image (default 4000,20,70)\n"
    "  --dxf-wire           the DXF of the perspective wire image, hidden lines kept\n"
    "  --dxf-colour CODE    colour of the DXF's lines: 1 cyan, 2 black (default), 3 green,\n"
    "                       4 yellow, 5 magenta, 6 blue\n";

namespace {

// "TRIO.DAT", the view files and "TEMP.DAT" in the current directory for the
// eye, as "Pers" makes them in a window of the batch's size.
int make_line_image(const model::ModelStore& m, const ExportOptions& o,
                    model::MessageService& msg) {
    render::ViewParams p;
    render::parse_eye(o.eye, p.Rho, p.Theta, p.Phi);
    render::SolidModel s;
    if (render::make_trio_file(s, m, msg) != 0) return -1;
    render::coeff(p);
    if (render::make_view(s, p.coeffs, p.X0, p.Y0, p.Z0, msg) != 0) return -1;
    render::ViewBounds b;
    if (render::calcu_view(s, b, msg) != 0) return -1;
    render::ViewWindow w;
    w.W = render::kJobWindowW;
    w.H = render::kJobWindowH;
    render::get_world(w, b.xmin, b.ymin, b.xmax, b.ymax);
    if (o.wire) return render::save_view(w, s, msg);
    return render::make_pers(w, nullptr, s, p, msg, render::HiddenLineMethod::kFast);
}

}  // namespace

int parse_export_option(const std::vector<std::string>& args, std::size_t& i, ExportOptions& o,
                        std::string& error) {
    const std::string& a = args[i];
    std::string* into = nullptr;
    if (a == "--ydu") into = &o.ydu;
    else if (a == "--viewer") into = &o.viewer;
    else if (a == "--dxf") into = &o.dxf;
    else if (a == "--dxf-eye") into = &o.eye;
    else if (a == "--dxf-colour") into = nullptr;
    else if (a == "--dxf-wire") {
        o.wire = true;
        return 1;
    } else {
        return 0;
    }
    if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return -1;
    }
    const std::string& v = args[++i];
    if (a == "--dxf-colour") {
        if (v.size() != 1 || v[0] < '1' || v[0] > '6') {
            error = "bad colour code '" + v + "' (1 to 6)";
            return -1;
        }
        o.colour = v[0] - '0';
        return 1;
    }
    double rho, theta, phi;
    if (a == "--dxf-eye" && !render::parse_eye(v, rho, theta, phi)) {
        error = "bad eye '" + v + "' (RHO,THETA,PHI, RHO above 0)";
        return -1;
    }
    *into = v;
    return 1;
}

int run_exports(const model::ModelStore& m, const ExportOptions& o, model::MessageService& msg,
                std::ostream& out) {
    if (!o.ydu.empty()) {
        if (files::save_honegra(m, o.ydu, msg) != 0) return -1;
        out << "frame graphic file " << o.ydu << "\n";
    }
    if (!o.viewer.empty()) {
        render::SolidModel s;
        if (render::make_trio_file(s, m, msg) != 0) return -1;
        if (files::save_face_file(s, o.viewer, msg) != 0) return -1;
        out << "viewer face file " << o.viewer << " vertices " << s.chouten.N_CHOUTEN()
            << " faces " << s.N_TRIO << "\n";
    }
    if (!o.dxf.empty()) {
        if (make_line_image(m, o, msg) != 0) return -1;
        if (files::make_dxf_file(render::kTempFileName, o.dxf, o.colour, msg) != 0) return -1;
        out << "dxf " << o.dxf << "\n";
    }
    return 0;
}

}  // namespace tarvik::app
