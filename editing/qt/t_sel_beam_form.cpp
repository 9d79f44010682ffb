#include "editing/qt/t_sel_beam_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

#include "editing/qt/edit_windows.h"
#include "editing/qt/t_beam_forms.h"
#include "ui/qt/grids.h"
#include "ui/qt/qt_text.h"

namespace tarvik::editing {

using namespace ui;

TSelBeamForm::TSelBeamForm(model::ModelStore& m, BeamEditExchange& x, QWidget* parent)
    : TGridWindow(kSelBeamCaption, parent),
      m_(m),
      x_(x),
      msg_(this),
      presenter_(m, x, *this, *this, msg_) {
    std::tie(ZenStringGrid, SizeStringGrid, MatStringGrid) = std::tuple_cat(grids_);
    std::tie(ZenBeamEdit, SizeEdit, MatEdit) = std::tuple_cat(counts_);
    HabahenSpeedButton = speed_button("変", this);
    MathenSpeedButton = speed_button("物", this);
    ShousaiSpeedButton = speed_button("詳", this);

    // Left: the members; right: sections above materials.
    auto* left = new QVBoxLayout;
    QHBoxLayout* zen_head = captioned("全部材数", ZenBeamEdit, this);
    add_labelled(zen_head, ShousaiSpeedButton, "詳細データ", this);
    left->addLayout(zen_head);
    left->addWidget(ZenStringGrid, 1);

    auto* right = new QVBoxLayout;
    QHBoxLayout* size_head = captioned("形状データ数", SizeEdit, this);
    add_labelled(size_head, HabahenSpeedButton, "巾・厚変更", this);
    right->addLayout(size_head);
    right->addWidget(SizeStringGrid, 1);
    QHBoxLayout* mat_head = captioned("物性データ数", MatEdit, this);
    add_labelled(mat_head, MathenSpeedButton, "物性値変更", this);
    right->addLayout(mat_head);
    right->addWidget(MatStringGrid, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 2);
    body->addLayout(right, 3);
    set_body(body);

    resize(1100, 600);
    place_on_screen(this, parent, -1);

    on_grid_rows(presenter_, {&SelBeamPresenter::ZenStringGridSelectCell,
                              &SelBeamPresenter::SizeStringGridSelectCell,
                              &SelBeamPresenter::MatStringGridSelectCell});
    connect(HabahenSpeedButton, &QToolButton::clicked, this,
            [this] { presenter_.HabahenSpeedButtonClick(); });
    connect(MathenSpeedButton, &QToolButton::clicked, this,
            [this] { presenter_.MathenSpeedButtonClick(); });
    connect(ShousaiSpeedButton, &QToolButton::clicked, this,
            [this] { presenter_.ShousaiSpeedButtonClick(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { presenter_.OKButtonClick(); });

    presenter_.FormCreate();
}

void TSelBeamForm::reject() {
    presenter_.OKButtonClick();
}

void TSelBeamForm::open_hen_size() {
    THenSizeForm(m_, x_, this).run_modal();
}
void TSelBeamForm::open_hen_mat() {
    THenMatForm(m_, x_, this).run_modal();
}
void TSelBeamForm::open_show_beam() {
    TShowBeamForm(m_, x_, this).run_modal();
}

void run_sel_beam_form(QWidget* parent, model::ModelStore& m, BeamEditExchange& x) {
    run_list_window<TSelBeamForm>(parent, m, x);
}

int run_beam_form(QWidget* parent, model::ModelStore& m, BeamDataExchange& x) {
    return run_data_form<TBeamForm>(parent, m, x);
}

}  // namespace tarvik::editing
