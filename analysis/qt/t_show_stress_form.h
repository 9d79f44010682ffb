// The member force diagram "ストレス" on Qt. All behaviour is in
// ShowStressPresenter.
#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include "analysis/stress_diagram.h"

namespace tarvik::analysis {

class DrawingArea;

class TShowStressForm : public QDialog, public ShowStressView {
    Q_OBJECT
  public:
    TShowStressForm(const FoundTable& found, float TAU, float FAI, QWidget* parent = nullptr);
    void set_scale_text(const std::string& text) override;
    void set_tau(int position, const std::string& label) override;
    void set_fai(int position, const std::string& label) override;
    void select_zumen(int index) override;
    void select_shu(int index) override;
    void repaint() override;

    QButtonGroup* ShuRadioGroup = nullptr;
    QButtonGroup* ZumenRadioGroup = nullptr;
    QScrollBar* TauScrollBar = nullptr;
    QScrollBar* FaiScrollBar = nullptr;
    QLabel* TauValLabel = nullptr;
    QLabel* FaiValLabel = nullptr;
    QLineEdit* ScaleEdit = nullptr;
    QWidget* Image1 = nullptr;
    ShowStressPresenter& presenter() { return presenter_; }

  private:
    ShowStressPresenter presenter_;
};

// A widget that paints itself through a canvas callback and reports resizes.
class DrawingArea : public QWidget {
    Q_OBJECT
  public:
    using Paint = std::function<void(render::Canvas&)>;
    DrawingArea(Paint paint, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    Paint paint_;
};

}  // namespace tarvik::analysis
