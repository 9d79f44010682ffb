#include "analysis/qt/t_kekka_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/qt/print.h"
#include "analysis/qt/t_show_stress_form.h"
#include "ui/qt/grids.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/qt_messages.h"

namespace tarvik::analysis {

using ui::qs;
namespace {


// A result list: the shared grid without headings, in a fixed-width font so
// that the columns of the lines stay aligned.
QTableWidget* result_grid(QWidget* parent) {
    QTableWidget* t = ui::make_grid(parent);
    t->horizontalHeader()->hide();
    t->setFont(QFont(QStringLiteral("Monospace"), 9));
    return t;
}

}  // namespace

LevelFilterBox::LevelFilterBox(bool with_scale, QWidget* parent) : QWidget(parent) {
    auto* g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    const struct {
        ListField min, max, top;
        const char *min_cap, *max_cap, *top_cap;
    } axes[3] = {
        {ListField::XMin, ListField::XMax, ListField::XMaxLabel, "X最小", "X最大", "X軸最大値"},
        {ListField::YMin, ListField::YMax, ListField::YMaxLabel, "Y最小", "Y最大", "Y軸最大値"},
        {ListField::ZMin, ListField::ZMax, ListField::ZMaxLabel, "Z最小", "Z最大", "Z軸最大値"}};
    for (int a = 0; a < 3; ++a) {
        g->addWidget(new QLabel(qs(axes[a].min_cap), this), a, 0);
        edits_[axes[a].min] = new QLineEdit(this);
        g->addWidget(edits_[axes[a].min], a, 1);
        g->addWidget(new QLabel(qs(axes[a].max_cap), this), a, 2);
        edits_[axes[a].max] = new QLineEdit(this);
        g->addWidget(edits_[axes[a].max], a, 3);
        g->addWidget(new QLabel(qs(axes[a].top_cap), this), a, 4);
        labels_[axes[a].top] = new QLabel(this);
        g->addWidget(labels_[axes[a].top], a, 5);
    }
    for (auto& [f, e] : edits_) e->setMaxLength(3);
    g->addWidget(new QLabel(qs("データ総数"), this), 0, 6);
    edits_[ListField::SouNum] = new QLineEdit(this);
    g->addWidget(edits_[ListField::SouNum], 0, 7);
    g->addWidget(new QLabel(qs("検索データ数"), this), 1, 6);
    edits_[ListField::KensakuNum] = new QLineEdit(this);
    g->addWidget(edits_[ListField::KensakuNum], 1, 7);
    edits_[ListField::SouNum]->setReadOnly(true);
    edits_[ListField::KensakuNum]->setReadOnly(true);
    if (with_scale) {
        g->addWidget(new QLabel(qs("変位スケール"), this), 2, 6);
        edits_[ListField::Scale] = new QLineEdit(this);
        g->addWidget(edits_[ListField::Scale], 2, 7);
    }
    LevelSpeedButton = new QPushButton(qs("検"), this);
    g->addWidget(LevelSpeedButton, 0, 8);
}

QLineEdit* LevelFilterBox::edit(ListField f) const {
    auto it = edits_.find(f);
    return it == edits_.end() ? nullptr : it->second;
}
QLabel* LevelFilterBox::label(ListField f) const {
    auto it = labels_.find(f);
    return it == labels_.end() ? nullptr : it->second;
}
void LevelFilterBox::set(ListField f, const QString& text) {
    if (QLineEdit* e = edit(f)) e->setText(text);
    if (QLabel* l = label(f)) l->setText(text);
}
QString LevelFilterBox::get(ListField f) const {
    if (QLineEdit* e = edit(f)) return e->text().trimmed().toUpper();
    if (QLabel* l = label(f)) return l->text();
    return {};
}

void fill_table(QTableWidget* table, const Grid& grid) {
    size_t columns = 0;
    for (const auto& row : grid) columns = std::max(columns, row.size());
    table->clearContents();
    table->setRowCount(static_cast<int>(grid.size()));
    table->setColumnCount(static_cast<int>(columns));
    for (size_t r = 0; r < grid.size(); ++r)
        for (size_t c = 0; c < grid[r].size(); ++c) {
            auto* item = new QTableWidgetItem(qs(grid[r][c]));
            if (r == 0) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
                item->setBackground(QColor(0xE0, 0xE0, 0xE0));
            }
            table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    table->resizeColumnsToContents();
}

TKekkaForm::TKekkaForm(int kind, const ResultTables& t, const model::ModelStore& m,
                       FoundTable& found, model::MessageService& msg, QWidget* parent)
    : QDialog(parent), presenter_(kind, t, m, found, *this, msg) {
    setWindowTitle(qs(kKekkaCaption));
    auto* v = new QVBoxLayout(this);
    filter = new LevelFilterBox(true, this);
    v->addWidget(filter);
    StringGrid1 = result_grid(this);
    v->addWidget(StringGrid1, 1);
    auto* buttons = new QHBoxLayout;
    HcopyButton = new QPushButton(QStringLiteral("Hcopy"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    buttons->addWidget(HcopyButton);
    buttons->addStretch();
    buttons->addWidget(close);
    v->addLayout(buttons);
    resize(760, 520);

    presenter_.FormShow();
    connect(filter->LevelSpeedButton, &QPushButton::clicked, this,
            [this] { presenter_.LevelSpeedButtonClick(); });
    connect(HcopyButton, &QPushButton::clicked, this,
            [this] { print_grid(this, windowTitle(), presenter_.grid()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TKekkaForm::set_grid(const Grid& grid) {
    fill_table(StringGrid1, grid);
}
void TKekkaForm::set_field(ListField f, const std::string& text) {
    filter->set(f, qs(text));
}
std::string TKekkaForm::field(ListField f) const {
    return filter->get(f).toStdString();
}
void TKekkaForm::place(int left, int top) {
    move(left, top);
}

TStressForm::TStressForm(const ResultTables& t, const model::ModelStore& m, FoundTable& found,
                         model::MessageService& msg, QWidget* parent)
    : QDialog(parent), found_(found), presenter_(t, m, found, *this, msg) {
    setWindowTitle(qs(kStressCaption));
    auto* v = new QVBoxLayout(this);
    filter = new LevelFilterBox(false, this);
    v->addWidget(filter);
    StringGrid1 = result_grid(this);
    v->addWidget(StringGrid1, 1);
    auto* buttons = new QHBoxLayout;
    SakujyoButton = new QPushButton(qs("削"), this);
    SakujyoButton->setToolTip(qs(kSakujyoButtonHint));
    buttons->addWidget(SakujyoButton);
    buttons->addWidget(new QLabel(qs(kSakujyoButtonHint), this));
    ShowButton = new QPushButton(qs("ストレス図"), this);
    buttons->addWidget(ShowButton);
    HcopyButton = new QPushButton(QStringLiteral("Hcopy"), this);
    buttons->addWidget(HcopyButton);
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    buttons->addWidget(close);
    v->addLayout(buttons);
    resize(820, 520);

    presenter_.FormShow();
    connect(filter->LevelSpeedButton, &QPushButton::clicked, this,
            [this] { presenter_.LevelSpeedButtonClick(); });
    connect(StringGrid1, &QTableWidget::cellClicked, this,
            [this](int row, int) { presenter_.GridSelectCell(row); });
    connect(SakujyoButton, &QPushButton::clicked, this,
            [this] { presenter_.SakujyoButtonClick(); });
    connect(ShowButton, &QPushButton::clicked, this, [this] { presenter_.ShowButtonClick(); });
    connect(HcopyButton, &QPushButton::clicked, this,
            [this] { print_grid(this, windowTitle(), presenter_.grid()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TStressForm::set_grid(const Grid& grid) {
    fill_table(StringGrid1, grid);
}
void TStressForm::set_field(ListField f, const std::string& text) {
    filter->set(f, qs(text));
}
std::string TStressForm::field(ListField f) const {
    return filter->get(f).toStdString();
}
void TStressForm::place(int left, int top) {
    move(left, top);
}

int TStressForm::run_sakujyo(const SakujyoRow& row) {
    TSakujyoForm d(row, this);
    d.exec();
    return d.result;
}

void TStressForm::run_show_stress() {
    TShowStressForm f(found_, TAU_, FAI_, this);
    f.exec();
}

TSakujyoForm::TSakujyoForm(const SakujyoRow& row, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(kSakujyoCaption));
    auto* g = new QGridLayout(this);
    auto field = [this](const std::string& text) {
        auto* e = new QLineEdit(qs(text), this);
        e->setReadOnly(true);
        return e;
    };
    g->addWidget(new QLabel(QStringLiteral("No"), this), 0, 0);
    g->addWidget(field(row.No), 0, 1);
    g->addWidget(new QLabel(qs("部材番号"), this), 0, 2);
    g->addWidget(field(row.no), 0, 3);
    const struct {
        const char* caption;
        const std::array<std::string, 2>& v;
    } pairs[3] = {{"軸力", row.jiku}, {"せん断力", row.sendan}, {"モーメント", row.moment}};
    for (int k = 0; k < 3; ++k) {
        g->addWidget(new QLabel(qs(pairs[k].caption), this), k + 1, 0);
        g->addWidget(field(pairs[k].v[0]), k + 1, 1);
        g->addWidget(field(pairs[k].v[1]), k + 1, 3);
    }
    g->addWidget(new QLabel(qs(kSakujyoText), this), 4, 0, 1, 4);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    g->addWidget(ok, 5, 1);
    g->addWidget(cancel, 5, 3);
    connect(ok, &QPushButton::clicked, this, [this] {
        result = 1;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        result = 0;
        reject();
    });
}

TKensakuForm::TKensakuForm(const ResultTables& t, FoundTable& found, model::MessageService& msg,
                           QWidget* parent)
    : QDialog(parent), presenter_(t, found, msg) {
    setWindowTitle(qs(kKensakuCaption));
    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("ID"), this), 0, 0);
    IDEdit = new QLineEdit(this);
    g->addWidget(IDEdit, 0, 1, 1, 2);
    KensakuButton = new QPushButton(qs("検索"), this);
    auto* cancel = new QPushButton(qs("取消"), this);
    g->addWidget(KensakuButton, 1, 1);
    g->addWidget(cancel, 1, 2);
    connect(KensakuButton, &QPushButton::clicked, this, [this] {
        if (presenter_.KensakuButtonClick(IDEdit->text().trimmed().toStdString())) accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (presenter_.Button1Click()) reject();
    });
}

TFindForm::TFindForm(const FoundTable& found, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(kFindCaption));
    auto* v = new QVBoxLayout(this);
    StringGrid1 = result_grid(this);
    v->addWidget(StringGrid1, 1);
    auto* buttons = new QHBoxLayout;
    auto* hcopy = new QPushButton(QStringLiteral("Hcopy"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    buttons->addWidget(hcopy);
    buttons->addStretch();
    buttons->addWidget(close);
    v->addLayout(buttons);
    const Grid grid = find_grid(found);
    fill_table(StringGrid1, grid);
    resize(680, 360);
    connect(hcopy, &QPushButton::clicked, this,
            [this, grid] { print_grid(this, windowTitle(), grid); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tarvik::analysis
