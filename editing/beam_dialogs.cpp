#include "editing/beam_dialogs.h"

#include "model/maintenance.h"
#include "model/spy.h"

namespace tarvik::editing {

void set_section(model::SizeEntry& e, float b, float d) {
    const double bw = b;
    const double h = d;
    e.haba = b;
    e.atumi = d;
    e.A = static_cast<float>(bw * h);
    e.Iy = static_cast<float>(bw * h * h * h / 12.0);
    e.Iz = static_cast<float>(h * bw * bw * bw / 12.0);
    e.J = static_cast<float>(model::torsion_beta(d / b) * h * bw * bw * bw);
}

// --- THenSizeForm --------------------------------------------------------

const DialogLayout& HenSizePresenter::Layout() {
    static const DialogLayout s{
        "巾・厚み変更",
        {{"サイズ番号", false}, {"巾(cm)", true}, {"厚み(cm)", true}, {"Cold Angle", true}}};
    return s;
}

bool HenSizePresenter::FormCreate() {
    if (x_.SelectSize < 0 || x_.SelectSize >= m_.N_Size) {
        msg_.show_message(kNoSizeRows);
        return not_found();
    }
    const model::SizeEntry& e = m_.size[x_.SelectSize];
    show(kSizeNo, kFieldNo, x_.SelectSize + 1);
    show(kHaba, kFieldLen, e.haba);
    show(kAtumi, kFieldLen, e.atumi);
    show(kAngle, kFieldLen, e.angle);
    return opened(e);
}

void HenSizePresenter::OKButtonClick() {
    if (!is_open()) return;
    float b = 0, d = 0, angle = 0;
    if (!read_float(kHaba, b) || !read_float(kAtumi, d) || !read_float(kAngle, angle)) return;
    if (b <= 0.0f) {
        msg_.show_message(kBadHaba);
        return;
    }
    if (d <= 0.0f) {
        msg_.show_message(kBadAtumi);
        return;
    }
    if (b == kept().haba && d == kept().atumi && angle == kept().angle) {
        answer(kResultCancel);
        return;
    }
    // Only the size table changes; the members keep their own width and depth.
    model::SizeEntry& e = m_.size[x_.SelectSize];
    set_section(e, b, d);
    e.angle = angle;
    model::spy("再計算した");
    answer(kResultOK);
}

void HenSizePresenter::restore(const model::SizeEntry& kept) {
    model::SizeEntry& e = m_.size[x_.SelectSize];
    e.haba = kept.haba;
    e.atumi = kept.atumi;
    e.angle = kept.angle;
}

// --- THenMatForm ---------------------------------------------------------

const DialogLayout& HenMatPresenter::Layout() {
    static const DialogLayout s{
        "物性値変更",
        {{"物性番号", false}, {"ヤング率", true}, {"ポアソン比", true}, {"質量密度", true}}};
    return s;
}

bool HenMatPresenter::FormCreate() {
    if (x_.SelectMat < 0 || x_.SelectMat >= m_.N_Mat) {
        msg_.show_message(kNoMatRows);
        return not_found();
    }
    const model::MaterialEntry& e = m_.mat[x_.SelectMat];
    show(kMatNo, kFieldNo, x_.SelectMat + 1);
    show(kYoung, kFieldSci, e.young);
    show(kPoisson, kFieldRatio, e.poisson);
    show(kMitudo, kFieldSci, e.mitudo);
    return opened(e);
}

void HenMatPresenter::OKButtonClick() {
    if (!is_open()) return;
    float young = 0, poisson = 0, mitudo = 0;
    if (!read_float(kYoung, young) || !read_float(kPoisson, poisson) ||
        !read_float(kMitudo, mitudo))
        return;
    if (young <= 0.0f) {
        msg_.show_message(kBadYoung);
        return;
    }
    if (poisson <= 0.0f) {
        msg_.show_message(kBadPoisson);
        return;
    }
    if (mitudo <= 0.0f) {
        msg_.show_message(kBadMitudo);
        return;
    }
    m_.mat[x_.SelectMat] = {young, poisson, mitudo};
    answer(kResultOK);
}

// --- member fields -------------------------------------------------------

std::vector<FieldLayout> beam_fields(bool section_editable) {
    // clang-format off
    return {{"軸番号", false},
            {"番地", false, "開始節点"}, {"名称", false, "開始節点"},
            {"番地", false, "終了節点"}, {"名称", false, "終了節点"},
            {"X", false, "開始座標"}, {"Y", false, "開始座標"}, {"Z", false, "開始座標"},
            {"X", false, "終了座標"}, {"Y", false, "終了座標"}, {"Z", false, "終了座標"},
            {"巾", section_editable, ""}, {"厚み", section_editable, ""}};
    // clang-format on
}

void show_beam_ends(FieldDialogView& view, const model::Beam& b) {
    view.set_field(kBeamNo, cformat(kFieldNo, b.no));
    view.set_field(kNoI, cformat(kFieldNo, b.noi));
    view.set_field(kIdI, b.idi);
    view.set_field(kNoJ, cformat(kFieldNo, b.noj));
    view.set_field(kIdJ, b.idj);
    const float c[6] = {b.xs, b.ys, b.zs, b.xl, b.yl, b.zl};
    for (int i = 0; i < 6; ++i) view.set_field(kXs + i, cformat(kFieldLen, c[i]));
}

// --- TShowBeamForm -------------------------------------------------------

const DialogLayout& ShowBeamPresenter::Layout() {
    static const DialogLayout s{"部材詳細", beam_fields(false), "Close", nullptr};
    return s;
}

bool ShowBeamPresenter::FormCreate() {
    if (x_.SelectBeam < 0 || x_.SelectBeam >= m_.N_Beam) {
        msg_.show_message(kNoBeamRows);
        return false;
    }
    const model::Beam& b = m_.beam[x_.SelectBeam];
    show_beam_ends(view_, b);
    show(kHaba, kFieldLen, b.haba);
    show(kAtumi, kFieldLen, b.atumi);
    return true;
}

}  // namespace tarvik::editing
