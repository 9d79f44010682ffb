// The node search tool window and its confirmation window on Qt. All
// behaviour is in KenNodePresenter.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>
#include <array>

#include "editing/ken_node_form.h"
#include "editing/qt/level_range_fields.h"
#include "ui/qt/qt_messages.h"

namespace tarvik::editing {

// "確認": the question in its label, "Yes" and "No".
class TYesNoForm : public QDialog {
    Q_OBJECT
public:
    TYesNoForm(const QString& question, QWidget* parent = nullptr);
    QLabel* Label1 = nullptr;
};

// Asks the node search's questions in TYesNoForm.
class YesNoService : public ui::QtMessages {
public:
    using QtMessages::QtMessages;
    bool ask_yes_no(std::string_view question) override;
};

class TKenNodeForm : public QWidget, public KenNodeView, public QtLevelRange {
    Q_OBJECT
public:
    TKenNodeForm(model::ModelStore& m, KenNodeCore& core, render::ViewParams& params,
                 KenNodeHost& host, QWidget* parent = nullptr);

    void set_angles(int tau, int fai) override;
    void set_tau_label(const std::string& text) override;
    void set_fai_label(const std::string& text) override;
    void select_drawing(int index) override;

    QLineEdit* ZenNodeEdit;  // the range fields' total and count
    QLineEdit* KenNumEdit;
    QScrollBar* TauScrollBar = nullptr;
    QScrollBar* FaiScrollBar = nullptr;
    QLabel* TauValLabel = nullptr;
    QLabel* FaiLabel = nullptr;
    QButtonGroup* ZumenSelRadioGroup = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    YesNoService ask_;
    KenNodePresenter presenter_;
};

}  // namespace tarvik::editing
