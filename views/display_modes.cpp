#include "views/display_modes.h"

#include "model/folder_lock.h"
#include "model/spy.h"
#include "render/draw.h"

namespace tarvik::views {

void paint_wire_model(DrawingContext& ctx, Canvas& c, bool markers) {
    get_new_world(ctx.win, ctx.model, ctx.params);
    set_pen(c, kSolid, 1, kBlack);
    for (int i = 0; i < ctx.model.N_Beam; ++i) {
        const model::Beam& b = ctx.model.beam[i];
        draw_to(ctx.win, c, b.XS, b.YS, kPenMove);
        draw_to(ctx.win, c, b.XL, b.YL, kPenDraw);
    }
    if (!markers) return;
    for (int i = 0; i < ctx.model.N_Node; ++i) {
        const model::Node& n = ctx.model.node[i];
        mark_node(ctx.win, c, n.X, n.Y, kMarkBlackDisc);
    }
}

int paint_member_boxes(DrawingContext& ctx, Canvas& c) {
    if (get_jiku_world(ctx.win, ctx.params, ctx.solids.directory, ctx.solids.N_TRIO, ctx.reader,
                       ctx.msg) != 0)
        return -1;
    return draw_member_boxes(ctx.win, c, ctx.params, ctx.solids, ctx.reader, ctx.msg);
}

int paint_perspective_wire(DrawingContext& ctx, Canvas& c) {
    coeff(ctx.params);
    if (make_view(ctx.solids, ctx.params.coeffs, ctx.params.X0, ctx.params.Y0, ctx.params.Z0,
                  ctx.msg) != 0)
        return -1;
    return draw_view(ctx.win, c, ctx.solids, ctx.msg);
}

int paint_hidden_image(DrawingContext& ctx, Canvas& c) {
    TempHeader h;
    std::vector<TempLine> lines;
    std::string why;
    if (!read_temp_file(ctx.solids.path(kTempFileName), h, lines, &why)) {
        ctx.msg.show_message(why.empty() ? std::string(kMsgTempOpen01) : why);
        ctx.params.TAU = 30.0f;
        ctx.params.FAI = 30.0f;
        ctx.win.mode = kModeMemberBox;
        return -1;
    }
    set_pen(c, kSolid, 1, kBlack);
    for (const TempLine& l : lines) {
        draw_to(ctx.win, c, l.xs, l.ys, kPenMove);
        draw_to(ctx.win, c, l.xl, l.yl, kPenDraw);
    }
    return 0;
}

void paint_display_mode(DrawingContext& ctx, Canvas& c) {
    c.clear(kWhite);
    switch (ctx.win.mode) {
        case kModeWire:
            paint_wire_model(ctx, c);
            break;
        case kModeMemberBox:
            paint_member_boxes(ctx, c);
            break;
        case kModePersWire:
            paint_perspective_wire(ctx, c);
            break;
        case kModeHidden:
            paint_hidden_image(ctx, c);
            break;
        default:
            break;
    }
}

PersRequestResult perspective_request(DrawingContext& ctx, Canvas* live, HiddenLineMethod method) {
    PersRequestResult r;
    if (ctx.params.PersRequest != 1) return r;
    r.handled = true;
    ctx.win.mode = kModeBlank;
    if (live) live->clear(kWhite);
    ctx.params.PersRequest = 0;

    // The view files and the image are written in the working folder: not
    // while another job uses it.
    const model::FolderLock lock(ctx.solids.directory);
    if (!lock.may_proceed()) {
        ctx.msg.show_message(model::kMsgFolderBusy);
        ctx.win.mode = kModeMemberBox;
        return r;
    }
    coeff(ctx.params);
    bool failed = make_view(ctx.solids, ctx.params.coeffs, ctx.params.X0, ctx.params.Y0,
                            ctx.params.Z0, ctx.msg) != 0;
    ViewBounds b;
    if (!failed) failed = calcu_view(ctx.solids, b, ctx.msg) != 0;
    if (!failed) {
        get_world(ctx.win, b.xmin, b.ymin, b.xmax, b.ymax);
        if (save_view(ctx.win, ctx.solids, ctx.msg) != 0) {
            ctx.msg.show_message(kMsgUnableSaveView);
            failed = true;
        }
        if (make_pers(ctx.win, live, ctx.solids, ctx.params, ctx.msg, method) != 0) {
            ctx.msg.show_message(kMsgUnableMakePers);
            failed = true;
        }
    }
    r.ok = !failed;
    ctx.win.mode = failed ? kModeMemberBox : kModeHidden;
    return r;
}

TickResult drawing_window_tick(DrawingContext& ctx, Canvas* live, HiddenLineMethod method) {
    TickResult t;
    t.repaint = check_view_change(ctx.win, ctx.params).repaint();
    t.pers = perspective_request(ctx, live, method);
    t.repaint = t.repaint || t.pers.handled;
    return t;
}


}  // namespace tarvik::views
