#include "editing/node_dialogs.h"

#include "model/spy.h"

namespace tarvik::editing {

namespace {

constexpr const char* kNoFormat = " %5d";
constexpr const char* kFixFormat = "%d";
constexpr const char* kForceFormat = "%8.1f";

bool node_row_ok(const model::ModelStore& m, int i, model::MessageService& msg) {
    if (m.N_Node <= 0) {
        msg.show_message(kNoNodeRows);
        return false;
    }
    if (i < 0 || i >= m.N_Node) {
        msg.show_message(kSelectNodeRow);
        return false;
    }
    return true;
}

bool fix_row_ok(const model::ModelStore& m, int i, model::MessageService& msg) {
    if (m.N_Fix <= 0) {
        msg.show_message(kNoFixRows);
        return false;
    }
    if (i < 0 || i >= m.N_Fix) {
        msg.show_message(kSelectFixRow);
        return false;
    }
    return true;
}

bool load_row_ok(const model::ModelStore& m, int i, model::MessageService& msg) {
    if (m.N_Load <= 0) {
        msg.show_message(kNoLoadRows);
        return false;
    }
    if (i < 0 || i >= m.N_Load) {
        msg.show_message(kSelectLoadRow);
        return false;
    }
    return true;
}

}  // namespace

// --- TSelFixForm ---------------------------------------------------------

const DialogLayout& SelFixPresenter::Layout() {
    static const DialogLayout s{"固定節点選択",
                                {{"節点番号", false},
                                 {"節点コード", false},
                                 {"X方向固定", true},
                                 {"Y方向固定", true},
                                 {"Z方向固定", true}}};
    return s;
}

bool SelFixPresenter::FormCreate() {
    if (!node_row_ok(m_, x_.SelectNodeFix, msg_)) {
        x_.add_result = kResultCancel;
        return false;
    }
    const model::Node& n = m_.node[x_.SelectNodeFix];
    saved_ = x_.pending_fix;
    show(kNodeNo, kNoFormat, n.no);
    show(kCode, n.id);
    show(kXfix, kFixFormat, x_.pending_fix.xfix);
    show(kYfix, kFixFormat, x_.pending_fix.yfix);
    show(kZfix, kFixFormat, x_.pending_fix.zfix);
    return true;
}

void SelFixPresenter::OKButtonClick() {
    int fx = 0, fy = 0, fz = 0;
    if (!read_int(kXfix, fx) || !read_int(kYfix, fy) || !read_int(kZfix, fz)) return;
    x_.pending_fix = {fixity(fx), fixity(fy), fixity(fz)};
    x_.add_result = kResultOK;
    view_.close_window();
}

void SelFixPresenter::CancelButtonClick() {
    x_.pending_fix = saved_;
    x_.add_result = kResultCancel;
    view_.close_window();
}

// --- TSelLoadForm --------------------------------------------------------

const DialogLayout& SelLoadPresenter::Layout() {
    static const DialogLayout s{"荷重節点データ",
                                {{"No", false},
                                 {"節点コード", false},
                                 {"X方向荷重", true},
                                 {"Y方向荷重", true},
                                 {"Z方向荷重", true}}};
    return s;
}

bool SelLoadPresenter::FormCreate() {
    if (!node_row_ok(m_, x_.SelectNodeLoad, msg_)) {
        x_.add_result = kResultCancel;
        return false;
    }
    const model::Node& n = m_.node[x_.SelectNodeLoad];
    saved_ = x_.pending_load;
    show(kNodeNo, kNoFormat, n.no);
    show(kCode, n.id);
    show(kPx, kForceFormat, x_.pending_load.px);
    show(kPy, kForceFormat, x_.pending_load.py);
    show(kPz, kForceFormat, x_.pending_load.pz);
    return true;
}

void SelLoadPresenter::OKButtonClick() {
    float px = 0, py = 0, pz = 0;
    if (!read_float(kPx, px) || !read_float(kPy, py) || !read_float(kPz, pz)) return;
    x_.pending_load = {px, py, pz};
    x_.add_result = kResultOK;
    view_.close_window();
}

void SelLoadPresenter::CancelButtonClick() {
    x_.pending_load = saved_;
    x_.add_result = kResultCancel;
    view_.close_window();
}

// --- TFixEditForm --------------------------------------------------------

const DialogLayout& FixEditPresenter::Layout() {
    static const DialogLayout s{"固定節点編集",
                                {{"No", false},
                                 {"節点コード", false},
                                 {"節点番号", false},
                                 {"X方向固定", true},
                                 {"Y方向固定", true},
                                 {"Z方向固定", true}},
                                "OK",
                                "Cancel",
                                nullptr,
                                nullptr,
                                true};
    return s;
}

bool FixEditPresenter::FormCreate() {
    if (!fix_row_ok(m_, x_.N_SelectFix, msg_)) {
        x_.edit_result = kResultCancel;
        return false;
    }
    const model::Fix& f = m_.fix[x_.N_SelectFix];
    show(kRowNo, kNoFormat, x_.N_SelectFix + 1);
    show(kCode, f.id);
    show(kNodeNo, kNoFormat, f.no);
    show(kXfix, kFixFormat, f.xfix);
    show(kYfix, kFixFormat, f.yfix);
    show(kZfix, kFixFormat, f.zfix);
    const bool change = use_ == FixEditUse::Change;
    for (int i : {kXfix, kYfix, kZfix}) view_.set_editable(i, change);
    view_.set_message(change ? kFixChangeMessage : kFixDeleteMessage);
    return true;
}

void FixEditPresenter::OKButtonClick() {
    if (use_ == FixEditUse::Delete) {
        x_.edit_result = kResultOK;
        view_.close_window();
        return;
    }
    if (!fix_row_ok(m_, x_.N_SelectFix, msg_)) return;
    int fx = 0, fy = 0, fz = 0;
    if (!read_int(kXfix, fx) || !read_int(kYfix, fy) || !read_int(kZfix, fz)) return;
    model::Fix& f = m_.fix[x_.N_SelectFix];
    f.xfix = fixity(fx);
    f.yfix = fixity(fy);
    f.zfix = fixity(fz);
    x_.edit_result = kResultAll;
    view_.close_window();
}

void FixEditPresenter::CancelButtonClick() {
    x_.edit_result = kResultCancel;
    view_.close_window();
}

// --- TLoadEditForm -------------------------------------------------------

const DialogLayout& LoadEditPresenter::Layout() {
    static const DialogLayout s{"荷重節点編集",
                                {{"No", false},
                                 {"節点コード", false},
                                 {"節点番号", false},
                                 {"X荷重", true},
                                 {"Y荷重", true},
                                 {"Z荷重", true}},
                                "OK",
                                "Cancel",
                                kDouCaption,
                                kDouLabel};
    return s;
}

bool LoadEditPresenter::FormCreate() {
    if (!load_row_ok(m_, x_.N_SelectLoad, msg_)) {
        x_.edit_result = kResultCancel;
        return false;
    }
    const model::Load& l = m_.load[x_.N_SelectLoad];
    show(kRowNo, kNoFormat, x_.N_SelectLoad + 1);
    show(kCode, l.id);
    show(kNodeNo, kNoFormat, l.no);
    show(kPx, kForceFormat, l.px);
    show(kPy, kForceFormat, l.py);
    show(kPz, kForceFormat, l.pz);
    return true;
}

bool LoadEditPresenter::read_forces(float& px, float& py, float& pz) {
    return read_float(kPx, px) && read_float(kPy, py) && read_float(kPz, pz);
}

void LoadEditPresenter::OKButtonClick() {
    if (!load_row_ok(m_, x_.N_SelectLoad, msg_)) return;
    float px = 0, py = 0, pz = 0;
    if (!read_forces(px, py, pz)) return;
    model::Load& l = m_.load[x_.N_SelectLoad];
    l.px = px;
    l.py = py;
    l.pz = pz;
    x_.edit_result = kResultOK;
    view_.close_window();
}

void LoadEditPresenter::DouButtonClick() {
    float px = 0, py = 0, pz = 0;
    if (!read_forces(px, py, pz)) return;
    for (int i = 0; i < m_.N_Load; ++i) {
        m_.load[i].px = px;
        m_.load[i].py = py;
        m_.load[i].pz = pz;
    }
    model::spy("all loads %8.1f %8.1f %8.1f", px, py, pz);
    x_.edit_result = kResultOK;
    view_.close_window();
}

void LoadEditPresenter::CancelButtonClick() {
    x_.edit_result = kResultCancel;
    view_.close_window();
}

// --- TDelNodeForm --------------------------------------------------------

const DialogLayout& DelNodePresenter::Layout() {
    static const DialogLayout s{"節点荷重中止",
                                {{"No", false},
                                 {"節点コード", false},
                                 {"節点番号", false},
                                 {"X荷重", false},
                                 {"Y荷重", false},
                                 {"Z荷重", false}},
                                "OK",
                                "Cancel",
                                nullptr,
                                nullptr,
                                true};
    return s;
}

bool DelNodePresenter::FormCreate() {
    if (!load_row_ok(m_, x_.N_SelectLoad, msg_)) {
        x_.edit_result = kResultCancel;
        return false;
    }
    const model::Load& l = m_.load[x_.N_SelectLoad];
    show(kRowNo, kNoFormat, x_.N_SelectLoad + 1);
    show(kCode, l.id);
    show(kNodeNo, kNoFormat, l.no);
    show(kPx, kForceFormat, l.px);
    show(kPy, kForceFormat, l.py);
    show(kPz, kForceFormat, l.pz);
    view_.set_message(kDelLoadMessage);
    return true;
}

void DelNodePresenter::OKButtonClick() {
    x_.edit_result = kResultOK;
    view_.close_window();
}

void DelNodePresenter::CancelButtonClick() {
    x_.edit_result = kResultCancel;
    view_.close_window();
}

}  // namespace tarvik::editing
