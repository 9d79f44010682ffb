// The window "アイソメ" on Qt. All behaviour is in IsomePresenter.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <array>

#include "views/isome_form.h"

namespace tarvik::views {

class TIsomeForm : public QDialog, public IsomeView {
    Q_OBJECT
  public:
    // xScreen: width of the main window at start-up, for the placement.
    TIsomeForm(ViewParams& params, int xScreen, QWidget* parent = nullptr);

    void set_tau_position(int position) override;
    void set_fai_position(int position) override;
    void set_tau_value(const std::string& text) override;
    void set_fai_value(const std::string& text) override;
    void select_item(int index) override;
    void place(int left, int top) override;
    void close_window() override;
    IsomePresenter& presenter() { return presenter_; }

    // For tests and the owner.
    QScrollBar* TauScrollBar = nullptr;
    QScrollBar* FaiScrollBar = nullptr;
    QLabel* TauValLabel = nullptr;
    QLabel* FaiValLabel = nullptr;
    QButtonGroup* SelRadioGroup = nullptr;

  protected:
    // Opens beside the owner's drawing with the angles in use.
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    IsomePresenter presenter_;
    int xScreen_;
    QTimer tick_;
};

}  // namespace tarvik::views
