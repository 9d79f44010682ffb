#include "editing/node_form.h"

#include "model/spy.h"

namespace tarvik::editing {

namespace {

void place(model::ModelStore& m, model::Node& n, float x, float y, float z) {
    n.x = x, n.y = y, n.z = z;
    // Coordinates changed in place: the lookup by coordinates must forget the old ones.
    m.node_table_changed();
}

}  // namespace

const DialogLayout& NodeFormPresenter::Layout() {
    static const DialogLayout s{"節点データ",
                                {{"番号", false}, {"X値", true}, {"Y値", true}, {"Z値", true}}};
    return s;
}

bool NodeFormPresenter::FormCreate() {
    if (!row_selected(m_.N_Node, x_.SelectNode, kNoNodeRows, kSelectNodeRow, msg_))
        return not_found();
    const model::Node& n = m_.node[x_.SelectNode];
    show(kNo, kFieldNo, n.no);
    show(kX, kFieldLen, n.x == kUnplacedCoord ? x_.last_x : n.x);
    show(kY, kFieldLen, n.y == kUnplacedCoord ? x_.last_y : n.y);
    show(kZ, kFieldLen, n.z == kUnplacedCoord ? x_.last_z : n.z);
    return opened(n);
}

void NodeFormPresenter::OKButtonClick() {
    if (!is_open()) return;
    float x = 0, y = 0, z = 0;
    if (!read_float(kX, x) || !read_float(kY, y) || !read_float(kZ, z)) return;
    model::Node& n = m_.node[x_.SelectNode];
    place(m_, n, x, y, z);
    x_.last_x = x, x_.last_y = y, x_.last_z = z;
    model::spy("node %d at %8.1f %8.1f %8.1f", n.no, x, y, z);
    answer(kResultOK);
}

void NodeFormPresenter::restore(const model::Node& kept) {
    place(m_, m_.node[x_.SelectNode], kept.x, kept.y, kept.z);
}

}  // namespace tarvik::editing
