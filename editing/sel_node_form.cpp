#include "editing/sel_node_form.h"

#include <cstring>

#include "model/maintenance.h"
#include "model/spy.h"

namespace tarvik::editing {

namespace {

constexpr int kCodeCompare = 9;  // characters of "X%02dY%02dZ%02d"

std::string upper_ascii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace

GridRows node_rows(const model::ModelStore& m) {
    GridRows rows{{"No", "ID", "X(cm)", "Y(cm)", "Z(cm)"}};
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        rows.push_back({cformat(kCellNo, i + 1), n.id, cformat(kCellLen, n.x),
                        cformat(kCellLen, n.y), cformat(kCellLen, n.z)});
    }
    return rows;
}

GridRows fix_rows(const model::ModelStore& m) {
    GridRows rows{{"No", "ID", "Node", "Xmov", "Ymov", "Zmov"}};
    for (int i = 0; i < m.N_Fix; ++i) {
        const model::Fix& f = m.fix[i];
        rows.push_back({cformat(kCellNo, i + 1), f.id, cformat(kCellNo, f.no),
                        cformat(kCellNo, f.xfix), cformat(kCellNo, f.yfix),
                        cformat(kCellNo, f.zfix)});
    }
    return rows;
}

GridRows load_rows(const model::ModelStore& m) {
    GridRows rows{{"No", "ID", "Node", "Xkgf", "Ykgf", "Zkgf"}};
    for (int i = 0; i < m.N_Load; ++i) {
        const model::Load& l = m.load[i];
        rows.push_back({cformat(kCellNo, i + 1), l.id, cformat(kCellNo, l.no),
                        cformat(kCellLen, l.px), cformat(kCellLen, l.py), cformat(kCellLen, l.pz)});
    }
    return rows;
}

void SelNodePresenter::refresh(NodeGrid grid) {
    switch (grid) {
        case NodeGrid::Zen:
            x_.SelectNodeFix = clamp_row(x_.SelectNodeFix, m_.N_Node);
            x_.SelectNodeLoad = x_.SelectNodeFix;
            view_.set_grid(grid, node_rows(m_));
            view_.set_count(grid, cformat(kCellCount, m_.N_Node));
            if (m_.N_Node > 0) view_.select_row(grid, x_.SelectNodeFix);
            break;
        case NodeGrid::Fix:
            x_.N_SelectFix = clamp_row(x_.N_SelectFix, m_.N_Fix);
            view_.set_grid(grid, fix_rows(m_));
            view_.set_count(grid, cformat(kCellCount, m_.N_Fix));
            if (m_.N_Fix > 0) view_.select_row(grid, x_.N_SelectFix);
            break;
        case NodeGrid::Load:
            x_.N_SelectLoad = clamp_row(x_.N_SelectLoad, m_.N_Load);
            view_.set_grid(grid, load_rows(m_));
            view_.set_count(grid, cformat(kCellCount, m_.N_Load));
            if (m_.N_Load > 0) view_.select_row(grid, x_.N_SelectLoad);
            break;
    }
}

void SelNodePresenter::FormCreate() {
    model::spy("Enter TSelNodeForm N_Node %d N_Fix %d N_Load %d", m_.N_Node, m_.N_Fix, m_.N_Load);
    refresh(NodeGrid::Zen);
    refresh(NodeGrid::Fix);
    refresh(NodeGrid::Load);
}

void SelNodePresenter::ZenStringGridSelectCell(int record) {
    if (record < 0 || record >= m_.N_Node) return;
    x_.SelectNodeFix = record;
    x_.SelectNodeLoad = record;
}

void SelNodePresenter::FixStringGridSelectCell(int record) {
    if (record >= 0 && record < m_.N_Fix) x_.N_SelectFix = record;
}

void SelNodePresenter::LoadStringGridSelectCell(int record) {
    if (record >= 0 && record < m_.N_Load) x_.N_SelectLoad = record;
}

bool SelNodePresenter::node_selected(int row) {
    return row_selected(m_.N_Node, row, kNoNodeRows, kSelectNodeRow, msg_);
}

bool SelNodePresenter::selected(const RecordKind& kind) {
    return row_selected(m_.*kind.count, x_.*kind.row, kind.no_rows, kind.select_row, msg_);
}

// The node's flag tells the main window how to draw it: 1 support, 2 load, 0 plain.
void SelNodePresenter::set_node_flag(int no, int flag) {
    for (int i = 0; i < m_.N_Node; ++i) {
        if (m_.node[i].no == no) {
            m_.node[i].flag = flag;
            return;
        }
    }
}

void SelNodePresenter::AddFixSpeedButtonClick() {
    if (!node_selected(x_.SelectNodeFix)) return;
    if (m_.N_Fix >= model::kMaxFix) {
        msg_.show_message(model::table_full_message(model::kFixTable, model::kMaxFix));
        return;
    }
    x_.pending_fix = PendingFix{};
    x_.add_result = kResultNone;
    dialogs_.open_sel_fix();
    if (x_.add_result != kResultOK || !node_selected(x_.SelectNodeFix)) return;
    model::Node& n = m_.node[x_.SelectNodeFix];
    model::Fix f{};
    model::set_code(f.id, n.id);
    f.no = n.no;
    f.xfix = fixity(x_.pending_fix.xfix);
    f.yfix = fixity(x_.pending_fix.yfix);
    f.zfix = fixity(x_.pending_fix.zfix);
    if (model::add_fix(m_, f, msg_) < 0) return;
    n.flag = model::kPickSupport;
    model::spy("add fix node %d N_Fix %d", n.no, m_.N_Fix);
    refresh(NodeGrid::Fix);
}

void SelNodePresenter::AddLoadSpeedButtonClick() {
    if (!node_selected(x_.SelectNodeLoad)) return;
    if (m_.N_Load >= model::kMaxLoad) {
        msg_.show_message(model::table_full_message(model::kLoadTable, model::kMaxLoad));
        return;
    }
    x_.pending_load = PendingLoad{};
    x_.add_result = kResultNone;
    dialogs_.open_sel_load();
    if (x_.add_result != kResultOK || !node_selected(x_.SelectNodeLoad)) return;
    model::Node& n = m_.node[x_.SelectNodeLoad];
    model::Load l{};
    model::set_code(l.id, n.id);
    l.no = n.no;
    l.px = x_.pending_load.px;
    l.py = x_.pending_load.py;
    l.pz = x_.pending_load.pz;
    if (model::add_load(m_, l, msg_) < 0) return;
    n.flag = model::kPickLoad;
    model::spy("add load node %d N_Load %d", n.no, m_.N_Load);
    refresh(NodeGrid::Load);
}

void SelNodePresenter::DelFixSpeedButtonClick() {
    if (!selected(kSupportRecord)) return;
    x_.edit_result = kResultNone;
    dialogs_.open_fix_edit(FixEditUse::Delete);
    if (x_.edit_result != kResultOK || !selected(kSupportRecord)) return;
    const int k = x_.N_SelectFix;
    set_node_flag(m_.fix[k].no, 0);
    // Close the gap; the other supports keep their order.
    for (int i = k; i + 1 < m_.N_Fix; ++i) m_.fix[i] = m_.fix[i + 1];
    m_.N_Fix -= 1;
    refresh(NodeGrid::Fix);
}

void SelNodePresenter::ModFixSpeedButtonClick() {
    if (!selected(kSupportRecord)) return;
    x_.edit_result = kResultNone;
    dialogs_.open_fix_edit(FixEditUse::Change);
    if (x_.edit_result == kResultAll) refresh(NodeGrid::Fix);
}

void SelNodePresenter::DelLoadSpeedButtonClick() {
    if (!selected(kLoadRecord)) return;
    x_.edit_result = kResultNone;
    dialogs_.open_del_node();
    if (x_.edit_result != kResultOK || !selected(kLoadRecord)) return;
    const int k = x_.N_SelectLoad;
    // The node is drawn plain from now on, even when it keeps a support.
    set_node_flag(m_.load[k].no, 0);
    for (int i = k; i + 1 < m_.N_Load; ++i) m_.load[i] = m_.load[i + 1];
    m_.N_Load -= 1;
    refresh(NodeGrid::Load);
}

void SelNodePresenter::ModLoadSpeedButtonClick() {
    if (!selected(kLoadRecord)) return;
    x_.edit_result = kResultNone;
    dialogs_.open_load_edit();
    if (x_.edit_result == kResultOK) refresh(NodeGrid::Load);
}

void SelNodePresenter::KensakuEditChange() {
    const std::string text = view_.kensaku_text();
    const std::string up = upper_ascii(text);
    if (up != text) view_.set_kensaku_text(up);
}

void SelNodePresenter::KensakuButton1Click() {
    const std::string text = upper_ascii(view_.kensaku_text());
    // The node code pattern X..Y..Z..: letters at the 1st, 4th and 7th place.
    if (text.size() < 7 || text[0] != 'X' || text[3] != 'Y' || text[6] != 'Z') {
        msg_.show_message(kBadIdCode);
        return;
    }
    for (int i = 0; i < m_.N_Node; ++i) {
        if (std::strncmp(text.c_str(), m_.node[i].id, kCodeCompare) == 0) {
            view_.set_top_row(NodeGrid::Zen, i);
            return;
        }
    }
    msg_.show_message(kSearchFailed);
}

void SelNodePresenter::OKButtonClick() {
    view_.close_window();
}

}  // namespace tarvik::editing
