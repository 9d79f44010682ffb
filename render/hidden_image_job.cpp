#include "render/hidden_image_job.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <ostream>

#include "render/projection.h"
#include "render/solid.h"
#include "render/trio_file.h"

namespace tarvik::render {

bool parse_eye(const std::string& text, double& rho, double& theta, double& phi) {
    double v[3];
    const char* p = text.c_str();
    for (int k = 0; k < 3; ++k) {
        char* end = nullptr;
        v[k] = std::strtod(p, &end);
        if (end == p || !std::isfinite(v[k])) return false;
        if (*end != (k < 2 ? ',' : '\0')) return false;
        p = end + 1;
    }
    if (!(v[0] > 0.0)) return false;
    rho = v[0];
    theta = v[1];
    phi = v[2];
    return true;
}

int hidden_image_job(const model::ModelStore& m, const std::string& directory,
                     const std::string& eye, bool plain, model::MessageService& msg,
                     std::ostream& out) {
    ViewParams p;
    if (!parse_eye(eye, p.Rho, p.Theta, p.Phi)) {
        msg.show_message("bad eye '" + eye + "' (RHO,THETA,PHI)");
        return -1;
    }
    SolidModel s(directory);
    if (make_trio_file(s, m, msg) != 0) return -1;
    coeff(p);
    if (make_view(s, p.coeffs, p.X0, p.Y0, p.Z0, msg) != 0) return -1;
    ViewBounds b;
    if (calcu_view(s, b, msg) != 0) return -1;
    ViewWindow w;
    w.W = kJobWindowW;
    w.H = kJobWindowH;
    get_world(w, b.xmin, b.ymin, b.xmax, b.ymax);
    const auto start = std::chrono::steady_clock::now();
    const int r = make_pers(w, nullptr, s, p, msg,
                            plain ? HiddenLineMethod::kPlain : HiddenLineMethod::kFast);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (r != 0) return -1;
    TempHeader h;
    std::vector<TempLine> lines;
    read_temp_file(s.path(kTempFileName), h, lines);
    out << "hidden-line triangles " << s.N_TRIO << "\n"
        << "hidden-line edges " << s.N_VECT << "\n"
        << "hidden-line lines " << lines.size() << "\n"
        << "hidden-line " << (plain ? "plain" : "fast") << " " << std::fixed << std::setprecision(3)
        << took.count() << " sec\n";
    out.unsetf(std::ios::floatfield);
    return 0;
}

int build_hidden_image(SolidModel& s, const model::ModelStore& m, ViewParams& p, ViewWindow& w,
                       model::MessageService& msg, HiddenLineMethod method, ImageBounds* bounds) {
    if (make_trio_file(s, m, msg) != 0) return -1;
    coeff(p);
    if (make_view(s, p.coeffs, p.X0, p.Y0, p.Z0, msg) != 0) return -1;
    ViewBounds b;
    if (calcu_view(s, b, msg) != 0) return -1;
    get_world(w, b.xmin, b.ymin, b.xmax, b.ymax);
    return make_pers(w, nullptr, s, p, msg, method, bounds);
}

}  // namespace tarvik::render
