#include "editing/node_dialogs.h"

#include "model/spy.h"

namespace tarvik::editing {

int clamp_row(int row, int count) {
    if (count <= 0 || row < 0) return 0;
    return row < count ? row : count - 1;
}

bool row_selected(int count, int row, const char* no_rows, const char* select_row,
                  model::MessageService& msg) {
    if (count <= 0) {
        msg.show_message(no_rows);
        return false;
    }
    if (row < 0 || row >= count) {
        msg.show_message(select_row);
        return false;
    }
    return true;
}

// --- the kinds of record -------------------------------------------------

const RecordKind kSupportRecord{
    &model::ModelStore::N_Fix,
    kNoFixRows,
    kSelectFixRow,
    &NodeEditExchange::SelectNodeFix,
    &NodeEditExchange::N_SelectFix,
    true,
    "%d",
    [](const model::ModelStore& m, int i) -> const char* { return m.fix[i].id; },
    [](const model::ModelStore& m, int i) { return static_cast<int>(m.fix[i].no); },
    [](const model::ModelStore& m, int i) {
        const model::Fix& f = m.fix[i];
        return Values3{static_cast<float>(f.xfix), static_cast<float>(f.yfix),
                       static_cast<float>(f.zfix)};
    },
    [](model::ModelStore& m, int i, const Values3& v) {
        model::Fix& f = m.fix[i];
        f.xfix = static_cast<int>(v[0]);
        f.yfix = static_cast<int>(v[1]);
        f.zfix = static_cast<int>(v[2]);
    },
    [](const NodeEditExchange& x) {
        const PendingFix& p = x.pending_fix;
        return Values3{static_cast<float>(p.xfix), static_cast<float>(p.yfix),
                       static_cast<float>(p.zfix)};
    },
    [](NodeEditExchange& x, const Values3& v) {
        x.pending_fix = {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2])};
    }};

const RecordKind kLoadRecord{
    &model::ModelStore::N_Load,
    kNoLoadRows,
    kSelectLoadRow,
    &NodeEditExchange::SelectNodeLoad,
    &NodeEditExchange::N_SelectLoad,
    false,
    "%8.1f",
    [](const model::ModelStore& m, int i) -> const char* { return m.load[i].id; },
    [](const model::ModelStore& m, int i) { return static_cast<int>(m.load[i].no); },
    [](const model::ModelStore& m, int i) {
        const model::Load& l = m.load[i];
        return Values3{l.px, l.py, l.pz};
    },
    [](model::ModelStore& m, int i, const Values3& v) {
        model::Load& l = m.load[i];
        l.px = v[0];
        l.py = v[1];
        l.pz = v[2];
    },
    [](const NodeEditExchange& x) {
        return Values3{x.pending_load.px, x.pending_load.py, x.pending_load.pz};
    },
    [](NodeEditExchange& x, const Values3& v) { x.pending_load = {v[0], v[1], v[2]}; }};

// --- the value fields ------------------------------------------------------

void RecordDialog::show_values(int first, const Values3& v) {
    for (int k = 0; k < 3; ++k) {
        const float value = v[static_cast<size_t>(k)];
        if (kind_.integer)
            show(first + k, kind_.format, static_cast<int>(value));
        else
            show(first + k, kind_.format, value);
    }
}

bool RecordDialog::read_values(int first, Values3& v) {
    for (int k = 0; k < 3; ++k) {
        float& value = v[static_cast<size_t>(k)];
        if (!kind_.integer) {
            if (!read_float(first + k, value)) return false;
            continue;
        }
        int i = 0;
        if (!read_int(first + k, i)) return false;
        value = static_cast<float>(fixity(i));
    }
    return true;
}

// --- adding: TSelFixForm, TSelLoadForm -----------------------------------

bool RecordAddPresenter::FormCreate() {
    const int row = x_.*kind_.node_row;
    if (!row_selected(m_.N_Node, row, kNoNodeRows, kSelectNodeRow, msg_)) {
        x_.add_result = kResultCancel;
        return false;
    }
    const model::Node& n = m_.node[row];
    saved_ = kind_.pending(x_);
    show(kNodeNoField, kFieldNo, n.no);
    show(kCodeField, n.id);
    show_values(kFirstValue, saved_);
    return true;
}

void RecordAddPresenter::OKButtonClick() {
    Values3 v{};
    if (!read_values(kFirstValue, v)) return;
    kind_.set_pending(x_, v);
    x_.add_result = kResultOK;
    view_.close_window();
}

void RecordAddPresenter::CancelButtonClick() {
    kind_.set_pending(x_, saved_);
    x_.add_result = kResultCancel;
    view_.close_window();
}

// --- editing: TFixEditForm, TLoadEditForm, TDelNodeForm ------------------

bool RecordEditPresenter::selected() {
    return row_selected(m_.*kind_.count, x_.*kind_.row, kind_.no_rows, kind_.select_row, msg_);
}

bool RecordEditPresenter::FormCreate() {
    if (!selected()) {
        x_.edit_result = kResultCancel;
        return false;
    }
    const int row = x_.*kind_.row;
    show(kRowNoField, kFieldNo, row + 1);
    show(kCodeField, kind_.code(m_, row));
    show(kNodeNoField, kFieldNo, kind_.node_no(m_, row));
    show_values(kFirstValue, kind_.values(m_, row));
    // Only a change edits the values; a removal shows them.
    for (int k = 0; k < 3; ++k) view_.set_editable(kFirstValue + k, use_ == FixEditUse::Change);
    if (message_ != nullptr) view_.set_message(message_);
    return true;
}

void RecordEditPresenter::OKButtonClick() {
    if (use_ == FixEditUse::Delete) {
        x_.edit_result = kResultOK;
        view_.close_window();
        return;
    }
    if (!selected()) return;
    Values3 v{};
    if (!read_values(kFirstValue, v)) return;
    kind_.set_values(m_, x_.*kind_.row, v);
    x_.edit_result = changed_result_;
    view_.close_window();
}

void RecordEditPresenter::CancelButtonClick() {
    x_.edit_result = kResultCancel;
    view_.close_window();
}

void LoadEditPresenter::DouButtonClick() {
    Values3 v{};
    if (!read_values(kFirstValue, v)) return;
    for (int i = 0; i < m_.N_Load; ++i) kind_.set_values(m_, i, v);
    model::spy("all loads %8.1f %8.1f %8.1f", v[0], v[1], v[2]);
    x_.edit_result = kResultOK;
    view_.close_window();
}

// --- layouts ---------------------------------------------------------------

const DialogLayout& SelFixPresenter::Layout() {
    static const DialogLayout s{"固定節点選択",
                                {{"節点番号", false},
                                 {"節点コード", false},
                                 {"X方向固定", true},
                                 {"Y方向固定", true},
                                 {"Z方向固定", true}}};
    return s;
}

const DialogLayout& SelLoadPresenter::Layout() {
    static const DialogLayout s{"荷重節点データ",
                                {{"No", false},
                                 {"節点コード", false},
                                 {"X方向荷重", true},
                                 {"Y方向荷重", true},
                                 {"Z方向荷重", true}}};
    return s;
}

const DialogLayout& FixEditPresenter::Layout() {
    static const DialogLayout s{
        "固定節点編集",
        {{"No", false}, {"節点コード", false}, {"節点番号", false}, {"X方向固定", true},
         {"Y方向固定", true}, {"Z方向固定", true}},
        "OK", "Cancel", nullptr, nullptr, true};
    return s;
}

const DialogLayout& LoadEditPresenter::Layout() {
    static const DialogLayout s{
        "荷重節点編集",
        {{"No", false}, {"節点コード", false}, {"節点番号", false}, {"X荷重", true},
         {"Y荷重", true}, {"Z荷重", true}},
        "OK", "Cancel", kDouCaption, kDouLabel};
    return s;
}

const DialogLayout& DelNodePresenter::Layout() {
    static const DialogLayout s{
        "節点荷重中止",
        {{"No", false}, {"節点コード", false}, {"節点番号", false}, {"X荷重", false},
         {"Y荷重", false}, {"Z荷重", false}},
        "OK", "Cancel", nullptr, nullptr, true};
    return s;
}

}  // namespace tarvik::editing
