// The list windows of the results on Qt: TKekkaForm (axial forces or
// displacements), TStressForm (member end forces) with TSakujyoForm, and the
// ID search TKensakuForm with its result list TFindForm. All behaviour is in
// the presenters.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <array>
#include <map>

#include "analysis/result_lists.h"

namespace tarvik::analysis {

// The level filter and count fields both list windows share.
class LevelFilterBox : public QWidget {
    Q_OBJECT
  public:
    explicit LevelFilterBox(bool with_scale, QWidget* parent = nullptr);
    QLineEdit* edit(ListField f) const;
    QLabel* label(ListField f) const;
    void set(ListField f, const QString& text);
    QString get(ListField f) const;
    QPushButton* LevelSpeedButton = nullptr;  // "検"

  private:
    std::map<ListField, QLineEdit*> edits_;
    std::map<ListField, QLabel*> labels_;
};

void fill_table(QTableWidget* table, const Grid& grid);

class TKekkaForm : public QDialog, public ListView {
    Q_OBJECT
  public:
    TKekkaForm(int kind, const ResultTables& t, const model::ModelStore& m, FoundTable& found,
               model::MessageService& msg, QWidget* parent = nullptr);
    void set_grid(const Grid& grid) override;
    void set_field(ListField f, const std::string& text) override;
    std::string field(ListField f) const override;
    void place(int left, int top) override;

    QTableWidget* StringGrid1 = nullptr;
    LevelFilterBox* filter = nullptr;
    QPushButton* HcopyButton = nullptr;
    KekkaPresenter& presenter() { return presenter_; }

  private:
    KekkaPresenter presenter_;
};

class TStressForm : public QDialog, public StressView {
    Q_OBJECT
  public:
    TStressForm(const ResultTables& t, const model::ModelStore& m, FoundTable& found,
                model::MessageService& msg, QWidget* parent = nullptr);
    void set_grid(const Grid& grid) override;
    void set_field(ListField f, const std::string& text) override;
    std::string field(ListField f) const override;
    void place(int left, int top) override;
    int run_sakujyo(const SakujyoRow& row) override;
    void run_show_stress() override;

    QTableWidget* StringGrid1 = nullptr;
    LevelFilterBox* filter = nullptr;
    QPushButton* SakujyoButton = nullptr;  // "削"
    QPushButton* ShowButton = nullptr;
    QPushButton* HcopyButton = nullptr;
    StressPresenter& presenter() { return presenter_; }

  private:
    FoundTable& found_;
    float TAU_ = 30.0f, FAI_ = 30.0f;
    StressPresenter presenter_;
};

// "特定項削除": 1 OK, 0 Cancel.
class TSakujyoForm : public QDialog {
    Q_OBJECT
  public:
    TSakujyoForm(const SakujyoRow& row, QWidget* parent = nullptr);
    int result = -1;
};

// "ID検索": closes once a member touches the code, or on "取消".
class TKensakuForm : public QDialog {
    Q_OBJECT
  public:
    TKensakuForm(const ResultTables& t, FoundTable& found, model::MessageService& msg,
                 QWidget* parent = nullptr);
    QLineEdit* IDEdit = nullptr;
    QPushButton* KensakuButton = nullptr;

  private:
    KensakuPresenter presenter_;
};

// "検索結果": the members the ID search found.
class TFindForm : public QDialog {
    Q_OBJECT
  public:
    TFindForm(const FoundTable& found, QWidget* parent = nullptr);
    QTableWidget* StringGrid1 = nullptr;
};

}  // namespace tarvik::analysis
