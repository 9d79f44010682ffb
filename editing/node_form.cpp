#include "editing/node_form.h"

#include "model/spy.h"

namespace tarvik::editing {

namespace {

constexpr const char* kCoordFormat = " %8.1f";

}  // namespace

const DialogLayout& NodeFormPresenter::Layout() {
    static const DialogLayout s{"節点データ",
                                {{"番号", false}, {"X値", true}, {"Y値", true}, {"Z値", true}}};
    return s;
}

bool NodeFormPresenter::FormCreate() {
    if (!row_selected(m_.N_Node, x_.SelectNode, kNoNodeRows, kSelectNodeRow, msg_)) {
        x_.result = kResultCancel;
        return false;
    }
    const model::Node& n = m_.node[x_.SelectNode];
    x0_ = n.x;
    y0_ = n.y;
    z0_ = n.z;
    show(kNo, " %5d", n.no);
    show(kX, kCoordFormat, n.x == kUnplacedCoord ? x_.last_x : n.x);
    show(kY, kCoordFormat, n.y == kUnplacedCoord ? x_.last_y : n.y);
    show(kZ, kCoordFormat, n.z == kUnplacedCoord ? x_.last_z : n.z);
    open_ = true;
    return true;
}

void NodeFormPresenter::OKButtonClick() {
    if (!open_) return;
    float x = 0, y = 0, z = 0;
    if (!read_float(kX, x) || !read_float(kY, y) || !read_float(kZ, z)) return;
    model::Node& n = m_.node[x_.SelectNode];
    n.x = x;
    n.y = y;
    n.z = z;
    // Coordinates changed in place: the lookup by coordinates must forget the old ones.
    m_.node_table_changed();
    x_.last_x = x;
    x_.last_y = y;
    x_.last_z = z;
    model::spy("node %d at %8.1f %8.1f %8.1f", n.no, x, y, z);
    x_.result = kResultOK;
    view_.close_window();
}

void NodeFormPresenter::CancelButtonClick() {
    if (open_) {
        model::Node& n = m_.node[x_.SelectNode];
        n.x = x0_;
        n.y = y0_;
        n.z = z0_;
        m_.node_table_changed();
    }
    x_.result = kResultCancel;
    view_.close_window();
}

}  // namespace tarvik::editing
