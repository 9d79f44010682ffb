// The node selection window TSelNodeForm "節点選択": every node, support and
// load of the model in three grids, and the buttons that add, change and
// remove supports and loads through the small dialogs of node_dialogs.h.
#pragma once

#include <string>

#include "editing/field_dialog.h"
#include "editing/node_dialogs.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::editing {

inline constexpr int kSelNodeTop = 64;

enum class NodeGrid { Zen, Fix, Load };

class SelNodeView {
  public:
    virtual ~SelNodeView() = default;
    // Row 0 of rows is the heading row.
    virtual void set_grid(NodeGrid grid, const GridRows& rows) = 0;
    // ZenEdit, FixEdit, LoadEdit.
    virtual void set_count(NodeGrid grid, const std::string& text) = 0;
    // Shows a record's row as selected, raising no selection event.
    virtual void select_row(NodeGrid grid, int record) = 0;
    // Scrolls so that a record's row is the top row; the selection stays.
    virtual void set_top_row(NodeGrid grid, int record) = 0;
    virtual std::string kensaku_text() const = 0;  // KensakuEdit
    virtual void set_kensaku_text(const std::string& text) = 0;
    virtual void close_window() = 0;
};

// Opens the small dialogs modally; each returns when its dialog has closed.
class SelNodeDialogs {
  public:
    virtual ~SelNodeDialogs() = default;
    virtual void open_sel_fix() = 0;                 // TSelFixForm
    virtual void open_sel_load() = 0;                // TSelLoadForm
    virtual void open_fix_edit(FixEditUse use) = 0;  // TFixEditForm
    virtual void open_load_edit() = 0;               // TLoadEditForm
    virtual void open_del_node() = 0;                // TDelNodeForm
};

// The grids' text, for the window and for tests.
GridRows node_rows(const model::ModelStore& m);
GridRows fix_rows(const model::ModelStore& m);
GridRows load_rows(const model::ModelStore& m);

class SelNodePresenter {
  public:
    SelNodePresenter(model::ModelStore& m, NodeEditExchange& x, SelNodeView& view,
                     SelNodeDialogs& dialogs, model::MessageService& msg)
        : m_(m), x_(x), view_(view), dialogs_(dialogs), msg_(msg) {}

    // Fills the grids and counts from the model and shows the kept selections.
    void FormCreate();

    // Row selections, by 0-based record index.
    void ZenStringGridSelectCell(int record);
    void FixStringGridSelectCell(int record);
    void LoadStringGridSelectCell(int record);

    void AddFixSpeedButtonClick();
    void AddLoadSpeedButtonClick();
    void DelFixSpeedButtonClick();
    void ModFixSpeedButtonClick();
    void DelLoadSpeedButtonClick();
    void ModLoadSpeedButtonClick();
    // The edit shows what is typed in upper case.
    void KensakuEditChange();
    void KensakuButton1Click();
    void OKButtonClick();

  private:
    void refresh(NodeGrid grid);
    bool node_selected(int row);
    bool selected(const RecordKind& kind);
    void set_node_flag(int no, int flag);

    model::ModelStore& m_;
    NodeEditExchange& x_;
    SelNodeView& view_;
    SelNodeDialogs& dialogs_;
    model::MessageService& msg_;
};

}  // namespace tarvik::editing
