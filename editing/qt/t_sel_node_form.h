// The node selection window "節点選択" on Qt. All behaviour is in
// SelNodePresenter; the small dialogs are opened from here.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "editing/qt/t_grid_window.h"
#include "editing/sel_node_form.h"
#include "ui/qt/qt_messages.h"

namespace tarvik::editing {

class TSelNodeForm : public TGridWindow<SelNodeView, NodeGrid>, public SelNodeDialogs {
    Q_OBJECT
  public:
    TSelNodeForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent = nullptr);

    void set_top_row(NodeGrid grid, int record) override;
    std::string kensaku_text() const override;
    void set_kensaku_text(const std::string& text) override;

    void open_sel_fix() override;
    void open_sel_load() override;
    void open_fix_edit(FixEditUse use) override;
    void open_load_edit() override;
    void open_del_node() override;

    QTableWidget* ZenStringGrid = nullptr;
    QTableWidget* FixStringGrid = nullptr;
    QTableWidget* LoadStringGrid = nullptr;
    QLineEdit* ZenEdit = nullptr;
    QLineEdit* FixEdit = nullptr;
    QLineEdit* LoadEdit = nullptr;
    QToolButton* AddFixSpeedButton = nullptr;
    QToolButton* AddLoadSpeedButton = nullptr;
    QToolButton* DelFixSpeedButton = nullptr;
    QToolButton* ModFixSpeedButton = nullptr;
    QToolButton* DelLoadSpeedButton = nullptr;
    QToolButton* ModLoadSpeedButton = nullptr;
    QLineEdit* KensakuEdit = nullptr;
    QPushButton* KensakuButton1 = nullptr;

  protected:
    void reject() override;  // the close box: as OK

  private:
    model::ModelStore& m_;
    NodeEditExchange& x_;
    ui::QtMessages msg_;
    SelNodePresenter presenter_;
};

}  // namespace tarvik::editing
