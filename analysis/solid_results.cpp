#include "analysis/solid_results.h"

#include "analysis/result_draw.h"
#include "model/spy.h"
#include "views/display_modes.h"

namespace tarvik::analysis {

bool ViewSolidResults::build(const ResultTables& t, model::MessageService& msg) {
    if (render::begin_trio_file(solids_, msg) != 0) return false;
    render::ModelBox box;
    box.reset();
    for (int k = 0; k < t.N_Stress; ++k) {
        const StressRecord& s = t.stress[k];
        box.widen(s.xi, s.yi, s.zi);
        box.widen(s.xj, s.yj, s.zj);
        const SolidBar bar = solid_bar_for(s);
        // Compression as square bars, tension as round bars of the same area.
        if (bar.kind == SolidBar::kSquare)
            render::make_kakuzai3(solids_, s.xi, s.yi, s.zi, s.xj, s.yj, s.zj, bar.size, bar.size,
                                 msg);
        else
            render::make_enchu2(solids_, s.xi, s.yi, s.zi, s.xj, s.yj, s.zj, bar.size, msg);
    }
    model::spy("X_MIN %8.1f Y_MIN %8.1f Z_MIN %8.1f X_MAX %8.1f Y_MAX %8.1f Z_MAX %8.1f", box.X_MIN,
               box.Y_MIN, box.Z_MIN, box.X_MAX, box.Y_MAX, box.Z_MAX);
    return render::end_trio_file(solids_, msg) == 0;
}

void ViewSolidResults::paint(int mode, render::ViewWindow& w, render::Canvas& c, render::ViewParams& p,
                             model::MessageService& msg) {
    views::DrawingContext ctx{w, p, solids_, m_, msg, render::TrioReader::kGenerator};
    c.clear(render::kWhite);
    if (mode == kModeSolid)
        views::paint_perspective_wire(ctx, c);
    else if (mode == kModeHidden)
        views::paint_hidden_image(ctx, c);
}

bool ViewSolidResults::hidden_lines(render::ViewWindow& w, render::ViewParams& p, int W, int H,
                                    model::MessageService& msg) {
    w.W = W;
    w.H = H;
    views::DrawingContext ctx{w, p, solids_, m_, msg, render::TrioReader::kGenerator};
    p.PersRequest = 1;
    const views::PersRequestResult r = views::perspective_request(ctx, nullptr);
    return r.handled && r.ok;
}

}  // namespace tarvik::analysis
