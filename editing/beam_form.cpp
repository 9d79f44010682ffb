#include "editing/beam_form.h"

#include "model/spy.h"

namespace tarvik::editing {

const DialogLayout& BeamFormPresenter::Layout() {
    static const DialogLayout s{"軸データ", beam_fields(true),   "OK",
                                "Cancel",   kAllSectionsCaption, nullptr,
                                false,      kBeamFormLeft,       kBeamFormTop};
    return s;
}

bool BeamFormPresenter::FormCreate() {
    if (x_.SelectBeam < 0 || x_.SelectBeam >= m_.N_Beam) {
        msg_.show_message(kNoBeamRows);
        return not_found();
    }
    const model::Beam& b = m_.beam[x_.SelectBeam];
    show_beam_ends(view_, b);
    show(kHaba, " %8.1f", b.haba);
    show(kAtumi, " %8.1f", b.atumi);
    return opened(b);
}

// A width or depth of zero or less would make a section without area; it is
// refused like in the size table's own dialog.
bool BeamFormPresenter::store_section() {
    if (!is_open()) return false;
    float b = 0, d = 0;
    if (!read_float(kHaba, b) || !read_float(kAtumi, d)) return false;
    if (b <= 0.0f) {
        msg_.show_message(kBadHaba);
        return false;
    }
    if (d <= 0.0f) {
        msg_.show_message(kBadAtumi);
        return false;
    }
    model::Beam& beam = m_.beam[x_.SelectBeam];
    beam.haba = b;
    beam.atumi = d;
    model::spy("beam %d haba %8.1f atumi %8.1f", beam.no, b, d);
    return true;
}

void BeamFormPresenter::OKButtonClick() {
    if (store_section()) answer(kResultOK);
}

void BeamFormPresenter::ZenDataButtonClick() {
    if (store_section()) answer(kResultAll);
}

void BeamFormPresenter::restore(const model::Beam& kept) {
    model::Beam& beam = m_.beam[x_.SelectBeam];
    beam.haba = kept.haba, beam.atumi = kept.atumi;
}

}  // namespace tarvik::editing
