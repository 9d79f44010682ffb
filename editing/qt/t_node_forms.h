// The small dialogs of the node selection window and the node data dialog,
// on Qt. All behaviour is in their presenters.
#pragma once

#include "editing/node_dialogs.h"
#include "editing/node_form.h"
#include "ui/qt/field_form.h"

namespace tarvik::editing {

using ui::TFieldDialog;

class TSelFixForm : public TFieldDialog {
  public:
    TSelFixForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent = nullptr);

  private:
    SelFixPresenter presenter_;
};

class TSelLoadForm : public TFieldDialog {
  public:
    TSelLoadForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent = nullptr);

  private:
    SelLoadPresenter presenter_;
};

class TFixEditForm : public TFieldDialog {
  public:
    TFixEditForm(model::ModelStore& m, NodeEditExchange& x, FixEditUse use,
                 QWidget* parent = nullptr);

  private:
    FixEditPresenter presenter_;
};

class TLoadEditForm : public TFieldDialog {
  public:
    TLoadEditForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent = nullptr);

  private:
    LoadEditPresenter presenter_;
};

class TDelNodeForm : public TFieldDialog {
  public:
    TDelNodeForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent = nullptr);

  private:
    DelNodePresenter presenter_;
};

class TNodeForm : public TFieldDialog {
  public:
    TNodeForm(model::ModelStore& m, NodeDataExchange& x, QWidget* parent = nullptr);

  private:
    NodeFormPresenter presenter_;
};

}  // namespace tarvik::editing
