#include "editing/ident_form.h"

#include <algorithm>

#include "editing/ken_node.h"
#include "model/maintenance.h"
#include "model/spy.h"
#include "render/draw.h"
#include "ui/fields.h"

namespace tarvik::editing {

namespace {

constexpr float kSelectTau = 30.0f;  // degrees, the preview's view angles
constexpr float kSelectFai = 30.0f;

// Whether a range text names its own axis ("X.." in an X field).
bool names_axis(const std::string& text, char axis) {
    return !text.empty() && text.front() == axis;
}

}  // namespace

std::string ident_full_message() {
    return "検索データ数が上限 " + std::to_string(kMaxIdent) + " を超えるため選択できません";
}

void IdentPresenter::FormShow() {
    model::save_level_name(m_, msg_);
    show_level_max(view_, m_);
    view_.set_total(ui::cformat("%d", m_.N_Beam));
    view_.set_count(ui::cformat("%d", static_cast<int>(list_.size())));
    const std::string zero = ui::cformat(kShiftFormat, 0.0);
    view_.set_shift_texts({zero, zero, zero});
    clear_selection();
}

void IdentPresenter::clear_selection() {
    list_.clear();
    preview_.clear();
    xmin_ = ymin_ = kIdentBoundStart;
    xmax_ = ymax_ = -kIdentBoundStart;
    view_.repaint_preview();
}

bool IdentPresenter::read_shift(files::JikuShift& shift) {
    const std::array<std::string, 3> t = view_.shift_texts();
    float* v[3] = {&shift.dx, &shift.dy, &shift.dz};
    for (int i = 0; i < 3; ++i) {
        if (ui::parse_float(t[i], *v[i])) continue;
        msg_.show_message(ui::not_a_number_message(kShiftCaptions[i], t[i], false));
        return false;
    }
    return true;
}

void IdentPresenter::LevelSpeedButtonClick() {
    files::JikuShift shift;
    if (!read_shift(shift)) return;
    const LevelTexts t = view_.range_texts();
    if (const std::string bad = model::check_level_texts(t, m_); !bad.empty()) {
        msg_.show_message(bad);
        return;
    }
    using model::parse_level_text;
    const int Xmin = parse_level_text(t[0], 0), Xmax = parse_level_text(t[1], m_.N_X - 1);
    const int Ymin = parse_level_text(t[2], 0), Ymax = parse_level_text(t[3], m_.N_Y - 1);
    const int Zmin = parse_level_text(t[4], 0), Zmax = parse_level_text(t[5], m_.N_Z - 1);
    static constexpr char kAxis[6] = {'X', 'X', 'Y', 'Y', 'Z', 'Z'};
    bool any = false;
    for (int i = 0; i < 6; ++i) any = any || names_axis(t[i], kAxis[i]);
    if (!any) return;

    p_.TAU = kSelectTau;
    p_.FAI = kSelectFai;
    clear_selection();
    // Level positions of both ends on one axis, smaller first.
    const auto span = [](const model::Beam& b, int axis) {
        const int i = model::code_level(b.idi, axis), j = model::code_level(b.idj, axis);
        return std::pair{std::min(i, j), std::max(i, j)};
    };
    for (int k = 0; k < m_.N_Beam; ++k) {
        const model::Beam& b = m_.beam[k];
        const auto [lox, hix] = span(b, 0);
        const auto [loy, hiy] = span(b, 1);
        const auto [loz, hiz] = span(b, 2);
        if (!(Xmin <= lox && hix <= Xmax && Ymin <= loy && hiy <= Ymax && Zmin <= loz &&
              hiz <= Zmax))
            continue;
        if (static_cast<int>(list_.size()) == kMaxIdent) {
            clear_selection();
            view_.set_count(ui::cformat("%d", 0));
            msg_.show_message(ident_full_message());
            return;
        }
        const files::JikuMember s{b.xs + shift.dx, b.ys + shift.dy, b.zs + shift.dz,
                                  b.xl + shift.dx, b.yl + shift.dy, b.zl + shift.dz,
                                  b.haba,          b.atumi};
        list_.push_back(s);
        const render::ProjPoint ps = render::iso_project(p_, s.xs, s.ys, s.zs);
        const render::ProjPoint pl = render::iso_project(p_, s.xl, s.yl, s.zl);
        preview_.push_back({ps, pl});
        for (const render::ProjPoint& q : {ps, pl}) {
            xmin_ = std::min(xmin_, q.X);
            ymin_ = std::min(ymin_, q.Y);
            xmax_ = std::max(xmax_, q.X);
            ymax_ = std::max(ymax_, q.Y);
        }
    }
    model::spy("ident n_select %5d", static_cast<int>(list_.size()));
    view_.repaint_preview();
    view_.set_count(ui::cformat("%d", static_cast<int>(list_.size())));
}

void IdentPresenter::Image1Paint(render::Canvas& c) const {
    c.clear(render::kWhite);
    if (preview_.empty()) return;
    render::ViewWindow w;
    w.W = c.width();
    w.H = c.height();
    render::get_world(w, xmin_, ymin_, xmax_, ymax_);
    render::set_pen(c, render::kSolid, 1, render::kBlack);
    for (const auto& seg : preview_) {
        render::draw_to(w, c, seg[0].X, seg[0].Y, render::kPenMove);
        render::draw_to(w, c, seg[1].X, seg[1].Y, render::kPenDraw);
    }
}

void IdentPresenter::OkButtonClick() {
    const std::string path = view_.save_file_name(files::kJikuSaveFilter, "jik");
    if (path.empty()) return;
    files::save_jiku_members(list_, path, msg_);
}

}  // namespace tarvik::editing
