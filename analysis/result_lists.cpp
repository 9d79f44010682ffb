#include "analysis/result_lists.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>

#include "files/replace_file.h"
#include "model/maintenance.h"
#include "model/spy.h"
#include "model/text_code.h"

namespace tarvik::analysis {
namespace {

std::string fmt(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string fmt(const char* format, ...) {
    char buf[256];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    return buf;
}

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void show_level_limits(ListView& v, const model::ModelStore& m) {
    v.set_field(ListField::XMaxLabel, fmt(" %5d", m.N_X - 1));
    v.set_field(ListField::YMaxLabel, fmt(" %5d", m.N_Y - 1));
    v.set_field(ListField::ZMaxLabel, fmt(" %5d", m.N_Z - 1));
}

RangeTexts range_texts(const ListView& v) {
    return {v.field(ListField::XMin), v.field(ListField::XMax), v.field(ListField::YMin),
            v.field(ListField::YMax), v.field(ListField::ZMin), v.field(ListField::ZMax)};
}

// Data rows after the filtered ones stay in the grid, blank.
void blank_rest(Grid& g, size_t rows, size_t columns) {
    while (g.size() < rows + 1) g.emplace_back(columns);
}

}  // namespace

bool parse_level_range(const RangeTexts& texts, const model::ModelStore& m, LevelRange& r) {
    const int top[3] = {m.N_X - 1, m.N_Y - 1, m.N_Z - 1};
    const char letter[3] = {'X', 'Y', 'Z'};
    bool active = false;
    for (int a = 0; a < 3; ++a) {
        const std::string lo = upper(texts[2 * a]), hi = upper(texts[2 * a + 1]);
        r.lo[a] = model::parse_level_text(lo, 0);
        r.hi[a] = model::parse_level_text(hi, top[a]);
        if ((!lo.empty() && lo[0] == letter[a]) || (!hi.empty() && hi[0] == letter[a]))
            active = true;
    }
    return active;
}

std::string level_range_problem(const RangeTexts& texts, const model::ModelStore& m) {
    RangeTexts up;
    for (int i = 0; i < 6; ++i) up[i] = upper(texts[i]);
    return model::check_level_texts(up, m);
}

bool member_in_range(const char* iname, const char* jname, const LevelRange& r) {
    for (int a = 0; a < 3; ++a) {
        const int li = model::code_level(iname, a), lj = model::code_level(jname, a);
        if (std::min(li, lj) < r.lo[a] || std::max(li, lj) > r.hi[a]) return false;
    }
    return true;
}

bool node_in_range(const char* code, const LevelRange& r) {
    for (int a = 0; a < 3; ++a) {
        const int l = model::code_level(code, a);
        if (l < r.lo[a] || l > r.hi[a]) return false;
    }
    return true;
}

std::vector<std::string> axial_header() {
    return {"No", "部材番号", "入口節点", "節点ID", "出口節点", "節点ID", "軸力", "%"};
}
std::vector<std::string> axial_row(int number, const StressRecord& s) {
    return {fmt("%5d", number),    fmt("%d", s.no), fmt("%5d", s.old_noi), s.iname,
            fmt("%5d", s.old_noj), s.jname,         fmt("%9.1f", s.force), fmt("%9.1f", s.percent)};
}
std::vector<std::string> disp_header() {
    return {"番号", "節点番号", "節点名", "X変位cm", "Y変位cm", "Z変位cm", "変位長さ"};
}
std::vector<std::string> disp_row(int number, const DispRecord& d) {
    return {fmt("%5d", number),      fmt("%5d", d.old_no),   d.name,
            fmt("%8.3f", d.disp_x),  fmt("%8.3f", d.disp_y), fmt("%8.3f", d.disp_z),
            fmt("%8.3f", d.disp_abs)};
}
std::vector<std::string> stress_header() {
    return {"No",        "部材番号",  "軸力1",       "軸力2",
            "せん断力1", "せん断力2", "モーメント1", "モーメント2"};
}
std::vector<std::string> stress_row(int number, const StressRecord& s) {
    return {fmt("%5d", number),   fmt("%d", s.no),      fmt("%10.3e", s.p1),  fmt("%10.3e", s.p2),
            fmt("%10.3e", s.xv1), fmt("%10.3e", s.xv2), fmt("%10.3e", s.ym1), fmt("%10.3e", s.ym2)};
}
std::vector<std::string> find_header() {
    return {"No", "部材番号", "入口節点", "節点ID", "出口節点", "節点ID", "軸力", "%"};
}
std::vector<std::string> find_row(int number, const StressRecord& s) {
    return axial_row(number, s);
}

void KekkaPresenter::fill_all() {
    grid_.clear();
    if (kind_ == kListAxial) {
        grid_.push_back(axial_header());
        for (int k = 0; k < t_.N_Stress; ++k) grid_.push_back(axial_row(k + 1, t_.stress[k]));
    } else {
        grid_.push_back(disp_header());
        for (int k = 0; k < t_.N_Disp; ++k) grid_.push_back(disp_row(k + 1, t_.disp[k]));
    }
    view_.set_grid(grid_);
}

RangeRead read_search_range(ListView& view, const model::ModelStore& m, model::MessageService& msg,
                            LevelRange& r) {
    if (const std::string bad = level_range_problem(range_texts(view), m); !bad.empty()) {
        msg.show_message(bad);
        return RangeRead::kRefused;
    }
    if (!parse_level_range(range_texts(view), m, r)) {
        view.set_field(ListField::KensakuNum, "");
        return RangeRead::kEveryRow;
    }
    return RangeRead::kRange;
}

void KekkaPresenter::FormShow() {
    view_.place(kKekkaLeft, kKekkaTop);
    show_level_limits(view_, m_);
    view_.set_field(ListField::SouNum, fmt("%d", kind_ == kListAxial ? t_.N_Stress : t_.N_Disp));
    fill_all();
    view_.set_field(ListField::Scale, "1.0");
}

void KekkaPresenter::LevelSpeedButtonClick() {
    LevelRange r;
    const RangeRead got = read_search_range(r);
    if (got == RangeRead::kEveryRow) fill_all();
    if (got != RangeRead::kRange) return;
    grid_.clear();
    int n = 0;
    if (kind_ == kListAxial) {
        grid_.push_back(axial_header());
        found_.rows.clear();
        for (int k = 0; k < t_.N_Stress; ++k) {
            const StressRecord& s = t_.stress[k];
            if (!member_in_range(s.iname, s.jname, r)) continue;
            grid_.push_back(axial_row(++n, s));
            found_.rows.push_back(s);
        }
        model::spy("Nken_Stress %5d", n);
        blank_rest(grid_, t_.N_Stress, 8);
    } else {
        grid_.push_back(disp_header());
        for (int k = 0; k < t_.N_Disp; ++k)
            if (node_in_range(t_.disp[k].name, r)) grid_.push_back(disp_row(++n, t_.disp[k]));
        blank_rest(grid_, t_.N_Disp, 7);
    }
    view_.set_grid(grid_);
    view_.set_field(ListField::KensakuNum, fmt("%d", n));
}

SakujyoRow sakujyo_row(int number, const StressRecord& s) {
    SakujyoRow r;
    r.No = fmt("%5d", number);
    r.no = fmt("%d", s.no);
    r.jiku = {fmt("%10.3e", s.p1), fmt("%10.3e", s.p2)};
    r.sendan = {fmt("%10.3e", s.xv1), fmt("%10.3e", s.xv2)};
    r.moment = {fmt("%10.3e", s.ym1), fmt("%10.3e", s.ym2)};
    return r;
}

void StressPresenter::FormShow() {
    show_level_limits(view_, m_);
    view_.set_field(ListField::SouNum, fmt("%d", t_.N_Stress));
    grid_.clear();
    grid_.push_back(stress_header());
    for (int k = 0; k < t_.N_Stress; ++k) grid_.push_back(stress_row(k + 1, t_.stress[k]));
    view_.set_grid(grid_);
    filtered_ = false;
    selected_ = -1;
}

void StressPresenter::fill_from_found() {
    grid_.clear();
    grid_.push_back(stress_header());
    for (size_t k = 0; k < found_.rows.size(); ++k)
        grid_.push_back(stress_row(static_cast<int>(k) + 1, found_.rows[k]));
    blank_rest(grid_, t_.N_Stress, 8);
    view_.set_grid(grid_);
}

void StressPresenter::LevelSpeedButtonClick() {
    LevelRange r;
    const RangeRead got = read_search_range(r);
    if (got == RangeRead::kEveryRow) FormShow();
    if (got != RangeRead::kRange) return;
    found_.rows.clear();
    for (int k = 0; k < t_.N_Stress; ++k)
        if (member_in_range(t_.stress[k].iname, t_.stress[k].jname, r))
            found_.rows.push_back(t_.stress[k]);
    model::spy("Nken_Stress %5d", static_cast<int>(found_.rows.size()));
    filtered_ = true;
    selected_ = -1;
    fill_from_found();
    view_.set_field(ListField::KensakuNum, fmt("%d", static_cast<int>(found_.rows.size())));
}

void StressPresenter::GridSelectCell(int row) {
    selected_ = row >= 1 ? row - 1 : -1;
}

void StressPresenter::SakujyoButtonClick() {
    if (selected_ < 0) return;
    // Deleting from the unfiltered list works on a selection of every member.
    if (!filtered_) {
        found_.rows.assign(t_.stress.begin(), t_.stress.begin() + t_.N_Stress);
        filtered_ = true;
    }
    if (selected_ >= static_cast<int>(found_.rows.size())) return;
    const StressRecord& s = found_.rows[selected_];
    if (view_.run_sakujyo(sakujyo_row(selected_ + 1, s)) != 1) return;
    const int no = s.no;
    found_.rows.erase(std::remove_if(found_.rows.begin(), found_.rows.end(),
                                     [no](const StressRecord& r) { return r.no == no; }),
                      found_.rows.end());
    selected_ = -1;
    fill_from_found();
    view_.set_field(ListField::KensakuNum, fmt("%d", static_cast<int>(found_.rows.size())));
}

void StressPresenter::ShowButtonClick() {
    if (!filtered_ || found_.rows.empty()) {
        msg_.show_message(kMsgOnlySearched);
        return;
    }
    view_.run_show_stress();
}

std::string format_stress_table(const std::string& path, const ResultTables& t) {
    std::string text = fmt("%s %5d\r\n", path.c_str(), t.N_Stress);
    text += " No    部材　Ｉ節点　節点名  J節点  節点名    軸力       最大値％\r\n";
    for (int i = 0; i < t.N_Stress; ++i) {
        const StressRecord& s = t.stress[i];
        text += fmt(" %5d %5d %5d %s %5d %s %12.5e %10.1f\r\n", i + 1, s.no, s.old_noi, s.iname,
                    s.old_noj, s.jname, s.force, s.percent);
    }
    return model::to_cp932(text);
}

int save_stress_table(const std::string& path, const ResultTables& t, model::MessageService& msg) {
    if (t.N_Stress == 0) {
        msg.show_message(kMsgNoData);
        return -1;
    }
    model::spy("Save Data File Name %s", path.c_str());
    return files::save_file(path, format_stress_table(path, t), kMsgWriteFailed, kMsgWriteFailed,
                            msg);
}

bool KensakuPresenter::KensakuButtonClick(const std::string& id) {
    char code[kNameSize];
    set_name(code, id);
    for (int k = 0; k < t_.N_Stress; ++k) {
        if (same_code(t_.stress[k].iname, code) || same_code(t_.stress[k].jname, code)) {
            found_.KensakuID = std::string(code).substr(0, kCompareLength);
            found_.OnKensaku = 1;
            return true;
        }
    }
    msg_.show_message(kMsgIdNotFound);
    return false;
}

bool KensakuPresenter::Button1Click() {
    found_.OnKensaku = 0;
    return true;
}

void collect_found(const ResultTables& t, FoundTable& found) {
    found.rows.clear();
    char code[kNameSize];
    set_name(code, found.KensakuID);
    for (int k = 0; k < t.N_Stress; ++k)
        if (same_code(t.stress[k].iname, code) || same_code(t.stress[k].jname, code))
            found.rows.push_back(t.stress[k]);
}

Grid find_grid(const FoundTable& found) {
    Grid g;
    g.push_back(find_header());
    for (size_t k = 0; k < found.rows.size(); ++k)
        g.push_back(find_row(static_cast<int>(k) + 1, found.rows[k]));
    return g;
}

}  // namespace tarvik::analysis
