// The five small dialogs of the node selection window: adding a support
// (固定節点選択) or a load (荷重節点データ) to the selected node, and
// removing or changing the selected support (固定節点編集) or load
// (荷重節点編集, 節点荷重中止). They talk with the window through
// NodeEditExchange; none of them changes a table count. The support and load
// dialogs are one presenter each for adding and for editing a record; what
// tells a support from a load is a RecordKind.
#pragma once

#include <array>

#include "editing/field_dialog.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::editing {

// A support being added starts vertical-fixed, a load as a downward 1000 kgf.
struct PendingFix {
    int xfix = 0, yfix = 0, zfix = 1;
};
struct PendingLoad {
    float px = 0.0f, py = 0.0f, pz = -1000.0f;
};

// What the node selection window and its dialogs share. The owner keeps one
// for the whole run, so the selections persist between openings.
struct NodeEditExchange {
    int SelectNodeFix = 0;   // 0-based node row, the copy the support dialogs read
    int SelectNodeLoad = 0;  // the same row, the copy the load dialogs read
    int N_SelectFix = 0;     // 0-based support row
    int N_SelectLoad = 0;    // 0-based load row
    PendingFix pending_fix;
    PendingLoad pending_load;
    int add_result = kResultNone;   // TSelFixForm, TSelLoadForm
    int edit_result = kResultNone;  // TFixEditForm, TLoadEditForm, TDelNodeForm
};

// Any non-zero fixity entered means fixed.
inline int fixity(int v) {
    return v != 0 ? 1 : 0;
}

// Keeps a kept selection inside its table: the last row when the table
// shrank below it, 0 when the table is empty.
int clamp_row(int row, int count);

// True when row is one of a table's count records; otherwise says why not:
// no_rows for an empty table, select_row for a row outside it.
bool row_selected(int count, int row, const char* no_rows, const char* select_row,
                  model::MessageService& msg);

// The three values of a support (fixities) or a load (forces, kgf).
using Values3 = std::array<float, 3>;

// What tells the support dialogs from the load dialogs: the table, the
// selections they read, and how the three values are shown, read and kept.
struct RecordKind {
    int model::ModelStore::*count;     // N_Fix, N_Load
    const char* no_rows;               // the table is empty
    const char* select_row;            // no record of it is selected
    int NodeEditExchange::*node_row;   // SelectNodeFix, SelectNodeLoad
    int NodeEditExchange::*row;        // N_SelectFix, N_SelectLoad
    bool integer;                      // integers, any non-zero kept as 1 (fixities)
    const char* format;                // of the values in the fields
    // Record i's code and node number, and its values.
    const char* (*code)(const model::ModelStore& m, int i);
    int (*node_no)(const model::ModelStore& m, int i);
    Values3 (*values)(const model::ModelStore& m, int i);
    void (*set_values)(model::ModelStore& m, int i, const Values3& v);
    // The record being added.
    Values3 (*pending)(const NodeEditExchange& x);
    void (*set_pending)(NodeEditExchange& x, const Values3& v);
};
extern const RecordKind kSupportRecord;
extern const RecordKind kLoadRecord;

// What the support and load dialogs share: the record's kind, the store and
// the exchange, and the three value fields.
class RecordDialog : public FieldDialog {
  protected:
    RecordDialog(const RecordKind& kind, const DialogLayout& layout, model::ModelStore& m,
                 NodeEditExchange& x, FieldDialogView& view, model::MessageService& msg)
        : FieldDialog(layout, view, msg), kind_(kind), m_(m), x_(x) {}

    // The values in the three fields from first on, in the kind's format.
    void show_values(int first, const Values3& v);
    // Reads them all before anything is kept; integers are kept as fixities.
    bool read_values(int first, Values3& v);

    const RecordKind& kind_;
    model::ModelStore& m_;
    NodeEditExchange& x_;
};

// The values of a record to add to the selected node, into the pending
// record: TSelFixForm, TSelLoadForm.
class RecordAddPresenter : public RecordDialog {
  public:
    RecordAddPresenter(const RecordKind& kind, const DialogLayout& layout, model::ModelStore& m,
                       NodeEditExchange& x, FieldDialogView& view, model::MessageService& msg)
        : RecordDialog(kind, layout, m, x, view, msg) {}

    // False (result 0, and a message) when the selected node does not exist;
    // the dialog is then not shown.
    bool FormCreate();
    void OKButtonClick();
    void CancelButtonClick();

  private:
    static constexpr int kNodeNoField = 0, kCodeField = 1, kFirstValue = 2;

    Values3 saved_{};
};

enum class FixEditUse { Delete, Change };

// The selected record of a table: in delete use it only confirms (result 1),
// in change use it stores the values (result changed_result):
// TFixEditForm, TLoadEditForm, TDelNodeForm.
class RecordEditPresenter : public RecordDialog {
  public:
    RecordEditPresenter(const RecordKind& kind, FixEditUse use, int changed_result,
                        const char* message, const DialogLayout& layout, model::ModelStore& m,
                        NodeEditExchange& x, FieldDialogView& view, model::MessageService& msg)
        : RecordDialog(kind, layout, m, x, view, msg),
          use_(use),
          changed_result_(changed_result),
          message_(message) {}

    // False (result 0, and a message) when the selected record does not exist.
    bool FormCreate();
    void OKButtonClick();
    void CancelButtonClick();

  protected:
    static constexpr int kRowNoField = 0, kCodeField = 1, kNodeNoField = 2, kFirstValue = 3;

    bool selected();

    FixEditUse use_;
    int changed_result_;
    const char* message_;  // under the fields; nullptr: none
};

// TSelFixForm "固定節点選択": the fixities of a support to add.
class SelFixPresenter : public RecordAddPresenter {
  public:
    enum Field { kNodeNo, kCode, kXfix, kYfix, kZfix };
    static const DialogLayout& Layout();

    SelFixPresenter(model::ModelStore& m, NodeEditExchange& x, FieldDialogView& view,
                    model::MessageService& msg)
        : RecordAddPresenter(kSupportRecord, Layout(), m, x, view, msg) {}
};

// TSelLoadForm "荷重節点データ": the forces of a load to add.
class SelLoadPresenter : public RecordAddPresenter {
  public:
    enum Field { kNodeNo, kCode, kPx, kPy, kPz };
    static const DialogLayout& Layout();

    SelLoadPresenter(model::ModelStore& m, NodeEditExchange& x, FieldDialogView& view,
                     model::MessageService& msg)
        : RecordAddPresenter(kLoadRecord, Layout(), m, x, view, msg) {}
};

// TFixEditForm "固定節点編集" for the selected support; a change is result 2.
class FixEditPresenter : public RecordEditPresenter {
  public:
    enum Field { kRowNo, kCode, kNodeNo, kXfix, kYfix, kZfix };
    static const DialogLayout& Layout();

    FixEditPresenter(model::ModelStore& m, NodeEditExchange& x, FixEditUse use,
                     FieldDialogView& view, model::MessageService& msg)
        : RecordEditPresenter(kSupportRecord, use, kResultAll,
                              use == FixEditUse::Change ? kFixChangeMessage : kFixDeleteMessage,
                              Layout(), m, x, view, msg) {}
};

// TLoadEditForm "荷重節点編集": the forces of the selected load, or with "同"
// of every load.
class LoadEditPresenter : public RecordEditPresenter {
  public:
    enum Field { kRowNo, kCode, kNodeNo, kPx, kPy, kPz };
    static const DialogLayout& Layout();

    LoadEditPresenter(model::ModelStore& m, NodeEditExchange& x, FieldDialogView& view,
                      model::MessageService& msg)
        : RecordEditPresenter(kLoadRecord, FixEditUse::Change, kResultOK, nullptr, Layout(), m,
                              x, view, msg) {}

    void DouButtonClick();
};

// TDelNodeForm "節点荷重中止": confirms the removal of the selected load.
class DelNodePresenter : public RecordEditPresenter {
  public:
    enum Field { kRowNo, kCode, kNodeNo, kPx, kPy, kPz };
    static const DialogLayout& Layout();

    DelNodePresenter(model::ModelStore& m, NodeEditExchange& x, FieldDialogView& view,
                     model::MessageService& msg)
        : RecordEditPresenter(kLoadRecord, FixEditUse::Delete, kResultOK, kDelLoadMessage,
                              Layout(), m, x, view, msg) {}
};

}  // namespace tarvik::editing
