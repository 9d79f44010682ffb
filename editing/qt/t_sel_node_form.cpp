#include "editing/qt/t_sel_node_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

#include "editing/qt/edit_windows.h"
#include "editing/qt/t_node_forms.h"
#include "ui/qt/grids.h"
#include "ui/qt/qt_text.h"

namespace tarvik::editing {

using namespace ui;

namespace {

// A speed button with its label beside it.
QHBoxLayout* labelled(QToolButton* b, const char* label, QWidget* parent) {
    auto* row = new QHBoxLayout;
    add_labelled(row, b, label, parent);
    row->addStretch();
    return row;
}

}  // namespace

TSelNodeForm::TSelNodeForm(model::ModelStore& m, NodeEditExchange& x, QWidget* parent)
    : TGridWindow(kSelNodeCaption, parent),
      m_(m),
      x_(x),
      msg_(this),
      presenter_(m, x, *this, *this, msg_) {
    std::tie(ZenStringGrid, FixStringGrid, LoadStringGrid) = std::tuple_cat(grids_);
    std::tie(ZenEdit, FixEdit, LoadEdit) = std::tuple_cat(counts_);
    AddFixSpeedButton = speed_button(">>", this);
    AddLoadSpeedButton = speed_button(">>", this);
    DelFixSpeedButton = speed_button("×", this);
    ModFixSpeedButton = speed_button("M", this);
    DelLoadSpeedButton = speed_button("×", this);
    ModLoadSpeedButton = speed_button("M", this);
    KensakuEdit = new QLineEdit(this);
    KensakuEdit->setMaxLength(model::kCodeSize - 1);
    KensakuButton1 = new QPushButton(qs("検索"), this);

    // Left: all nodes. Middle: the add buttons. Right: supports above loads.
    auto* left = new QVBoxLayout;
    left->addLayout(captioned("全節点数", ZenEdit, this));
    left->addWidget(ZenStringGrid, 1);
    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(qs("ID検索"), this));
    search->addWidget(KensakuEdit);
    search->addWidget(KensakuButton1);
    left->addLayout(search);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addLayout(labelled(AddFixSpeedButton, "固定節点追加", this));
    middle->addStretch();
    middle->addLayout(labelled(AddLoadSpeedButton, "荷重節点追加", this));
    middle->addStretch();

    auto* right = new QVBoxLayout;
    right->addLayout(captioned("固定節点数", FixEdit, this));
    right->addWidget(FixStringGrid, 1);
    auto* fix_buttons = new QHBoxLayout;
    fix_buttons->addLayout(labelled(DelFixSpeedButton, "固定節点削除", this));
    fix_buttons->addLayout(labelled(ModFixSpeedButton, "固定節点変更", this));
    right->addLayout(fix_buttons);
    right->addLayout(captioned("荷重節点数", LoadEdit, this));
    right->addWidget(LoadStringGrid, 1);
    auto* load_buttons = new QHBoxLayout;
    load_buttons->addLayout(labelled(DelLoadSpeedButton, "荷重節点削除", this));
    load_buttons->addLayout(labelled(ModLoadSpeedButton, "荷重節点変更", this));
    right->addLayout(load_buttons);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 5);
    body->addLayout(middle, 0);
    body->addLayout(right, 5);
    set_body(body);

    resize(1000, 600);
    // Near the top of the screen, centred across it.
    place_on_screen(this, parent, kSelNodeTop);

    on_grid_rows(presenter_, {&SelNodePresenter::ZenStringGridSelectCell,
                              &SelNodePresenter::FixStringGridSelectCell,
                              &SelNodePresenter::LoadStringGridSelectCell});
    connect(AddFixSpeedButton, &QToolButton::clicked, this,
            [this] { presenter_.AddFixSpeedButtonClick(); });
    connect(AddLoadSpeedButton, &QToolButton::clicked, this,
            [this] { presenter_.AddLoadSpeedButtonClick(); });
    connect(DelFixSpeedButton, &QToolButton::clicked, this,
            [this] { presenter_.DelFixSpeedButtonClick(); });
    connect(ModFixSpeedButton, &QToolButton::clicked, this,
            [this] { presenter_.ModFixSpeedButtonClick(); });
    connect(DelLoadSpeedButton, &QToolButton::clicked, this,
            [this] { presenter_.DelLoadSpeedButtonClick(); });
    connect(ModLoadSpeedButton, &QToolButton::clicked, this,
            [this] { presenter_.ModLoadSpeedButtonClick(); });
    connect(KensakuEdit, &QLineEdit::textEdited, this, [this] { presenter_.KensakuEditChange(); });
    connect(KensakuEdit, &QLineEdit::returnPressed, this,
            [this] { presenter_.KensakuButton1Click(); });
    connect(KensakuButton1, &QPushButton::clicked, this,
            [this] { presenter_.KensakuButton1Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { presenter_.OKButtonClick(); });

    presenter_.FormCreate();
}

void TSelNodeForm::set_top_row(NodeGrid g, int record) {
    QTableWidget* t = grid(g);
    if (QTableWidgetItem* item = t->item(record, 0))
        t->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

std::string TSelNodeForm::kensaku_text() const {
    return KensakuEdit->text().toStdString();
}

void TSelNodeForm::set_kensaku_text(const std::string& text) {
    const int cursor = KensakuEdit->cursorPosition();
    KensakuEdit->setText(qs(text));
    KensakuEdit->setCursorPosition(cursor);
}

void TSelNodeForm::reject() {
    presenter_.OKButtonClick();
}

void TSelNodeForm::open_sel_fix() {
    TSelFixForm(m_, x_, this).run_modal();
}
void TSelNodeForm::open_sel_load() {
    TSelLoadForm(m_, x_, this).run_modal();
}
void TSelNodeForm::open_fix_edit(FixEditUse use) {
    TFixEditForm(m_, x_, use, this).run_modal();
}
void TSelNodeForm::open_load_edit() {
    TLoadEditForm(m_, x_, this).run_modal();
}
void TSelNodeForm::open_del_node() {
    TDelNodeForm(m_, x_, this).run_modal();
}

void run_sel_node_form(QWidget* parent, model::ModelStore& m, NodeEditExchange& x) {
    run_list_window<TSelNodeForm>(parent, m, x);
}

int run_node_form(QWidget* parent, model::ModelStore& m, NodeDataExchange& x) {
    return run_data_form<TNodeForm>(parent, m, x);
}

}  // namespace tarvik::editing
