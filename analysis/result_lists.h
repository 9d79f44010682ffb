// The result tables as lists: the axial force and displacement list window
// TKekkaForm, the member end force window TStressForm with its level filter and
// row deletion (TSakujyoForm), saving the axial force table, and the ID search
// TKensakuForm with its result list TFindForm.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/result_tables.h"
#include "model/text_code.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::analysis {

inline constexpr int kKekkaLeft = 64, kKekkaTop = 64;

// List kinds of TKekkaForm.
inline constexpr int kListAxial = 1;
inline constexpr int kListDisp = 2;

// A grid: the header row first, then the data rows.
using Grid = std::vector<std::vector<std::string>>;

// Members picked by a level filter, an ID search or left after deletions,
// in the order of the member force table.
struct FoundTable {
    std::vector<StressRecord> rows;  // at most kMaxStress
    std::string KensakuID;           // the searched code (nine characters count)
    int OnKensaku = -1;              // 1 when the user asked for a search
};

// Six level range texts: X min, X max, Y min, Y max, Z min, Z max.
using RangeTexts = std::array<std::string, 6>;

struct LevelRange {
    std::array<int, 3> lo{}, hi{};  // per axis, bounds included
};

// The range of the six texts; false when none begins with its axis letter (the
// filter is off). An empty text is the lowest or the highest level.
bool parse_level_range(const RangeTexts& texts, const model::ModelStore& m, LevelRange& r);
// The message for the first text (upper-cased) that is not a level code of
// its axis; empty when every text is one or empty.
std::string level_range_problem(const RangeTexts& texts, const model::ModelStore& m);
bool member_in_range(const char* iname, const char* jname, const LevelRange& r);
bool node_in_range(const char* code, const LevelRange& r);

// Grids of the lists; a row number counts from 1 in table order.
std::vector<std::string> axial_header();
std::vector<std::string> axial_row(int number, const StressRecord& s);
std::vector<std::string> disp_header();
std::vector<std::string> disp_row(int number, const DispRecord& d);
std::vector<std::string> stress_header();
std::vector<std::string> stress_row(int number, const StressRecord& s);
std::vector<std::string> find_header();
std::vector<std::string> find_row(int number, const StressRecord& s);

// The fields of a list window with a level filter.
enum class ListField {
    XMin,
    XMax,
    YMin,
    YMax,
    ZMin,
    ZMax,  // range texts
    XMaxLabel,
    YMaxLabel,
    ZMaxLabel,   // "X軸最大値" ...
    SouNum,      // "データ総数"
    KensakuNum,  // "検索データ数"
    Scale,       // "変位スケール" (list window only)
};

class ListView {
  public:
    virtual ~ListView() = default;
    virtual void set_grid(const Grid& grid) = 0;
    virtual void set_field(ListField f, const std::string& text) = 0;
    virtual std::string field(ListField f) const = 0;
    virtual void place(int left, int top) = 0;
};

// What "検" makes of the level range fields of a list window.
enum class RangeRead {
    kRefused,   // a text that is not a level code: a message was shown
    kEveryRow,  // no range given: the found count cleared, every row to be shown
    kRange,     // the range to filter by
};
RangeRead read_search_range(ListView& view, const model::ModelStore& m, model::MessageService& msg,
                            LevelRange& r);

// What the result lists with a level filter share: the tables listed, the
// rows found, the window and its grid.
template <class View>
class LevelListPresenter {
  public:
    LevelListPresenter(const ResultTables& t, const model::ModelStore& m, FoundTable& found,
                       View& view, model::MessageService& msg)
        : t_(t), m_(m), found_(found), view_(view), msg_(msg) {}

    const Grid& grid() const { return grid_; }

  protected:
    RangeRead read_search_range(LevelRange& r) {
        return analysis::read_search_range(view_, m_, msg_, r);
    }

    const ResultTables& t_;
    const model::ModelStore& m_;
    FoundTable& found_;
    View& view_;
    model::MessageService& msg_;
    Grid grid_;
};

// TKekkaForm: axial forces (kind 1) or displacements (kind 2).
class KekkaPresenter : public LevelListPresenter<ListView> {
  public:
    KekkaPresenter(int kind, const ResultTables& t, const model::ModelStore& m, FoundTable& found,
                   ListView& view, model::MessageService& msg)
        : LevelListPresenter(t, m, found, view, msg), kind_(kind) {}

    void FormShow();
    // "検": a range text that is not a level code is refused with a message,
    // the grid left as it is.
    void LevelSpeedButtonClick();
    int kind() const { return kind_; }

  private:
    void fill_all();

    int kind_;
};

// The values TSakujyoForm shows for the row to delete.
struct SakujyoRow {
    std::string No, no;
    std::array<std::string, 2> jiku, sendan, moment;
};
SakujyoRow sakujyo_row(int number, const StressRecord& s);

class StressView : public ListView {
  public:
    // TSakujyoForm, modal: 1 OK, 0 Cancel.
    virtual int run_sakujyo(const SakujyoRow& row) = 0;
    // TShowStressForm, modal, on the found table.
    virtual void run_show_stress() = 0;
};

// TStressForm: member end forces with the level filter and deletion.
class StressPresenter : public LevelListPresenter<StressView> {
  public:
    using LevelListPresenter::LevelListPresenter;

    void FormShow();
    void LevelSpeedButtonClick();  // "検"
    void GridSelectCell(int row);  // grid row, 0 the header
    void SakujyoButtonClick();     // "削"
    void ShowButtonClick();        // the member force diagram
    int selected() const { return selected_; }

  private:
    void fill_from_found();

    int selected_ = -1;
    bool filtered_ = false;  // the grid shows the found table
};

// "計算結果の保存": the axial force table as text (Shift-JIS). 0; -1 after a
// message (nothing written).
int save_stress_table(const std::string& path, const ResultTables& t, model::MessageService& msg);
// The same text, as it is written.
std::string format_stress_table(const std::string& path, const ResultTables& t);

// TKensakuForm: "検索" closes with the found flag 1 when a member touches the
// code; "取消" with 0.
class KensakuPresenter {
  public:
    KensakuPresenter(const ResultTables& t, FoundTable& found, model::MessageService& msg)
        : t_(t), found_(found), msg_(msg) {}
    // True when the window closes.
    bool KensakuButtonClick(const std::string& id);
    bool Button1Click();

  private:
    const ResultTables& t_;
    FoundTable& found_;
    model::MessageService& msg_;
};

// Copies every member with an end on found.KensakuID into the found table.
void collect_found(const ResultTables& t, FoundTable& found);

// TFindForm's grid.
Grid find_grid(const FoundTable& found);

// The saved tables are Shift-JIS like every file the program writes.
using model::to_cp932;

}  // namespace tarvik::analysis
