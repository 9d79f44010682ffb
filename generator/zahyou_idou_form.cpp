#include "generator/zahyou_idou_form.h"

namespace tarvik::generator {

const ui::DialogLayout& ZahyouIdouPresenter::Layout() {
    static const ui::DialogLayout s{
        "座標移動", {{"X軸移動量(cm)", true}, {"Y軸移動量(cm)", true}, {"Z軸移動量(cm)", true}}};
    return s;
}

bool ZahyouIdouPresenter::FormCreate() {
    show(kX, editing::kFieldLen, x_.shift.dx);
    show(kY, editing::kFieldLen, x_.shift.dy);
    show(kZ, editing::kFieldLen, x_.shift.dz);
    return true;
}

void ZahyouIdouPresenter::OKButtonClick() {
    files::JikuShift s;
    if (!read_float(kX, s.dx) || !read_float(kY, s.dy) || !read_float(kZ, s.dz)) return;
    x_.shift = s;
    x_.result = editing::kResultOK;
    view_.close_window();
}

void ZahyouIdouPresenter::CancelButtonClick() {
    x_.result = editing::kResultCancel;
    view_.close_window();
}

}  // namespace tarvik::generator
