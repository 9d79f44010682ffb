#include "generator/qt/t_kihon_forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editing/qt/t_ident_form.h"
#include "editing/qt/t_record_form.h"
#include "render/draw.h"
#include "render/projection.h"
#include "ui/qt/qt_text.h"
#include "views/qt/canvas_widget.h"

namespace tarvik::generator {

using ui::qs;

// ---------------------------------------------------------------- roof data

TYaneForm::TYaneForm(BasicData& d, QWidget* parent)
    : QDialog(parent), msg_(this), presenter_(d, *this, msg_) {
    setWindowTitle(qs(kYaneCaption));
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < kYaneFieldCount; ++i) {
        const auto f = static_cast<YaneField>(i);
        grid->addWidget(new QLabel(qs(yane_field_caption(f)), this), i, 0);
        fields[i] = new QLineEdit(this);
        fields[i]->setMinimumWidth(90);
        grid->addWidget(fields[i], i, 1);
    }
    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    grid->addWidget(ok, kYaneFieldCount, 0);
    grid->addWidget(cancel, kYaneFieldCount, 1);
    connect(ok, &QPushButton::clicked, this, [this] { presenter_.OKButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, [this] { presenter_.CancelButtonClick(); });
    presenter_.FormShow();
}

std::string TYaneForm::field_text(YaneField f) const {
    return fields[static_cast<int>(f)]->text().trimmed().toStdString();
}

void TYaneForm::set_field_text(YaneField f, const std::string& text) {
    fields[static_cast<int>(f)]->setText(qs(text));
}

void TYaneForm::close_window(int result) { done(result); }

// ---------------------------------------------------------------- basic data

TKihonForm::TKihonForm(BasicData& d, model::ModelStore& m, QWidget* parent)
    : QDialog(parent), msg_(this), presenter_(d, m, *this, msg_) {
    setWindowTitle(qs(kKihonCaption));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(qs(kKihonUnitNote), this));
    auto* grid = new QGridLayout;
    for (int i = 0; i < kKihonFieldCount; ++i) {
        const auto f = static_cast<KihonField>(i);
        const int row = i % 8, col = (i / 8) * 2;
        grid->addWidget(new QLabel(qs(field_caption(f)), this), row, col);
        fields[i] = new QLineEdit(this);
        fields[i]->setMinimumWidth(80);
        grid->addWidget(fields[i], row, col + 1);
    }
    outer->addLayout(grid);

    auto radio_group = [this, outer](const char* caption, const auto& items) {
        auto* box = new QGroupBox(qs(caption), this);
        auto* lay = new QHBoxLayout(box);
        auto* group = new QButtonGroup(this);
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            auto* b = new QRadioButton(qs(items[i]), box);
            lay->addWidget(b);
            group->addButton(b, i);
        }
        outer->addWidget(box);
        return group;
    };
    SumiRadioGroup = radio_group(kSumiGroupCaption, kSumiItems);
    SouRadioGroup = radio_group(kSouGroupCaption, kSouItems);
    YaneRadioGroup = radio_group(kYaneGroupCaption, kYaneItems);

    auto* buttons = new QHBoxLayout;
    auto* check = new QPushButton(qs(kCheckButtonCaption), this);
    buttons->addWidget(check);
    buttons->addWidget(new QLabel(qs(kCheckLabelCaption), this));
    buttons->addStretch();
    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);

    connect(SumiRadioGroup, &QButtonGroup::idClicked, this,
            [this](int id) { presenter_.SumiRadioGroupClick(id); });
    connect(SouRadioGroup, &QButtonGroup::idClicked, this,
            [this](int id) { presenter_.SouRadioGroupClick(id); });
    connect(YaneRadioGroup, &QButtonGroup::idClicked, this,
            [this](int id) { presenter_.YaneRadioGroupClick(id); });
    connect(check, &QPushButton::clicked, this, [this] { presenter_.CheckButtonClick(); });
    connect(ok, &QPushButton::clicked, this, [this] { presenter_.OKButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, [this] { presenter_.CancelButtonClick(); });
}

void TKihonForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    presenter_.FormShow();
}

QButtonGroup* TKihonForm::group(KihonGroup g) const {
    switch (g) {
        case KihonGroup::Sumi: return SumiRadioGroup;
        case KihonGroup::Sou: return SouRadioGroup;
        case KihonGroup::Yane: break;
    }
    return YaneRadioGroup;
}

std::string TKihonForm::field_text(KihonField f) const {
    return fields[static_cast<int>(f)]->text().trimmed().toStdString();
}

void TKihonForm::set_field_text(KihonField f, const std::string& text) {
    fields[static_cast<int>(f)]->setText(qs(text));
}

void TKihonForm::set_field_enabled(KihonField f, bool enabled) {
    fields[static_cast<int>(f)]->setEnabled(enabled);
}

void TKihonForm::select_item(KihonGroup g, int item) {
    QButtonGroup* bg = group(g);
    const QSignalBlocker quiet(bg);
    if (item < 0) {
        // No item: uncheck every button of the group.
        bg->setExclusive(false);
        for (QAbstractButton* b : bg->buttons()) b->setChecked(false);
        bg->setExclusive(true);
    } else if (QAbstractButton* b = bg->button(item)) {
        b->setChecked(true);
    }
}

void TKihonForm::set_busy(bool busy) { ui::set_busy_cursor(busy); }

int TKihonForm::open_yane_form(BasicData& d) {
    TYaneForm form(d, this);
    form.exec();
    return form.result_value();
}

void TKihonForm::close_window(int result) { done(result); }

// ---------------------------------------------------------------- unit window

TKihonUnitForm::TKihonUnitForm(model::ModelStore& m, render::ViewParams& params,
                               const std::string& directory, QWidget* parent)
    : QDialog(parent),
      m_(m),
      params_(params),
      msg_(this),
      solids_(directory),
      bar_solids_(solids_, msg_),
      presenter_(m, d_, *this, msg_, &bar_solids_),
      ctx_{win_, params_, solids_, m_, msg_, render::TrioReader::kGenerator},
      export_dialogs_(this, directory),
      directory_(directory) {
    presenter_.set_solid_model(&solids_);
    const views::DrawingWindowBody body =
        views::make_drawing_window(this, kUnitCaptionEnd, [this](render::Canvas& c) { paint(c); },
                                   [this]() -> render::ViewWindow& { return win_; });
    drawing_ = body.area;
    QMenuBar* bar = body.bar;

    QMenu* file = bar->addMenu(qs("ファイル"));
    QMenu* jiku = file->addMenu(qs("軸データ保存"));
    connect(jiku->addAction(qs("全データ変換")), &QAction::triggered, this,
            [this] { presenter_.ZenDataHenkanMenuClick(); });
    connect(jiku->addAction(qs("検索データ変換")), &QAction::triggered, this,
            [this] { presenter_.KensakuDataHenkanMenuClick(); });
    exports_[0] = jiku->menuAction();
    exports_[1] = file->addAction(qs("DXF保存"));
    exports_[2] = file->addAction(qs("ビューアデータ保存"));
    connect(exports_[1], &QAction::triggered, this, [this] { presenter_.DxfSaveMenuClick(); });
    connect(exports_[2], &QAction::triggered, this, [this] { presenter_.FaceSaveMenuClick(); });
    file->addSeparator();
    connect(file->addAction(qs("戻る")), &QAction::triggered, this,
            [this] { presenter_.ModoruMenuClick(); });

    QMenu* show = bar->addMenu(qs("表示"));
    connect(show->addAction(qs("節点付ワイヤモデル")), &QAction::triggered, this,
            [this] { presenter_.WireNodeMenuClick(); });
    connect(show->addAction(qs("節点なしワイヤモデル")), &QAction::triggered, this,
            [this] { presenter_.WireMenuClick(); });
    connect(show->addAction(qs("軸モデル")), &QAction::triggered, this,
            [this] { presenter_.JikuModelMenuClick(); });
    connect(show->addAction(qs("視点座標モデル")), &QAction::triggered, this,
            [this] { presenter_.ShitenMenuClick(); });
    show->addSeparator();
    views::add_fit_action(show, body.zoom);

    QMenu* help = bar->addMenu(qs("ヘルプ"));
    connect(help->addAction(qs("ヘルプ")), &QAction::triggered, this,
            [this] { presenter_.HelpMenuClick(); });
    connect(help->addAction(qs("バージョン情報")), &QAction::triggered, this,
            [this] { presenter_.VersionMenuClick(); });


    // Angles changed in the angle windows redraw this window at the next tick;
    // "Pers" in the viewpoint window asks for the hidden-line image.
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] {
        const views::TickResult t = views::drawing_window_tick(ctx_, nullptr);
        if (t.pers.handled) presenter_.PersRequestDone();
        if (t.repaint || t.pers.handled) drawing_->update();
    });
}

TKihonUnitForm::~TKihonUnitForm() = default;

int TKihonUnitForm::run() {
    presenter_.FormCreate();
    if (d_.N_Kihon != 1) return 0;
    timer_.start();
    return exec();
}

void TKihonUnitForm::open_kihon_form(BasicData& d) {
    TKihonForm form(d, m_, this);
    form.exec();
}

void TKihonUnitForm::set_menu_enabled(UnitMenu item, bool enabled) {
    exports_[static_cast<int>(item)]->setEnabled(enabled);
}

void TKihonUnitForm::set_busy(bool busy) { ui::set_busy_cursor(busy); }

void TKihonUnitForm::set_view_angles(float tau, float fai) {
    params_.TAU = tau;
    params_.FAI = fai;
}

void TKihonUnitForm::show_angle_window() { view_windows_.show_isome(); }

void TKihonUnitForm::show_plan(bool with_nodes) {
    mode_ = 1;
    with_nodes_ = with_nodes;
}

void TKihonUnitForm::show_wire() { mode_ = 3; }

void TKihonUnitForm::show_solid() {
    mode_ = 4;
    // The viewpoint window opens once each time this display is chosen.
    if (!view_form_shown_) {
        view_form_shown_ = true;
        view_windows_.show_view();
    }
}

void TKihonUnitForm::repaint() { drawing_->update(); }

std::string TKihonUnitForm::save_file_name(std::string_view filter, std::string_view default_ext) {
    return export_dialogs_.save_file_name(filter, default_ext);
}

int TKihonUnitForm::run_dxf_colour_window() { return export_dialogs_.run_dxf_colour_window(); }

void TKihonUnitForm::show_help(int) {
    msg_.show_message("基本ユニット: 「表示」で図の種類を選び、「ファイル」の「戻る」で主画面に戻ります。");
}

void TKihonUnitForm::close_window() {
    if (closing_) return;
    closing_ = true;
    timer_.stop();
    view_windows_.hide();
    presenter_.FormClose();
    done(d_.N_Kihon == 1 ? QDialog::Accepted : QDialog::Rejected);
}

void TKihonUnitForm::open_zahyou_idou(ZahyouIdouExchange& x) {
    editing::TRecordForm<ZahyouIdouPresenter> form(x, this);
    form.run_modal();
}

void TKihonUnitForm::open_ident_form() {
    editing::TIdentForm form(m_, params_, directory_, this);
    form.exec();
}

void TKihonUnitForm::closeEvent(QCloseEvent* e) {
    if (!closing_) {
        closing_ = true;
        timer_.stop();
        view_windows_.hide();
        presenter_.FormClose();
    }
    QDialog::closeEvent(e);
}

void TKihonUnitForm::paint(render::Canvas& c) {
    c.clear(render::kWhite);
    const int before = mode_;
    mode_ = 0;
    // The generation of state 1 also writes the member solids of the views.
    const bool generates = presenter_.display_state() == kDisplayWireNodes;
    if (generates) render::begin_trio_file(solids_, msg_);
    presenter_.FormPaint();
    if (generates) render::end_trio_file(solids_, msg_);
    if (mode_ == 0) return;
    win_.W = c.width();
    win_.H = c.height();
    if (mode_ != 4) view_form_shown_ = false;
    if (mode_ == 3) {
        win_.mode = views::kModeMemberBox;
        views::paint_display_mode(ctx_, c);
        return;
    }
    if (mode_ == 4) {
        // The perspective wire image, or the hidden-line image once "Pers"
        // has made one (the tick sets the window's mode).
        if (before != 4 || (win_.mode != views::kModeHidden && win_.mode != views::kModeBlank &&
                            win_.mode != views::kModeMemberBox))
            win_.mode = views::kModePersWire;
        views::paint_display_mode(ctx_, c);
        return;
    }
    render::get_new_world(win_, m_, params_);
    win_.TAU = params_.TAU;
    win_.FAI = params_.FAI;
    render::set_pen(c, render::kSolid, 1, render::kBlack);
    for (int b = 0; b < m_.N_Beam; ++b) {
        const model::Beam& beam = m_.beam[b];
        render::draw_to(win_, c, beam.XS, beam.YS, render::kPenMove);
        render::draw_to(win_, c, beam.XL, beam.YL, render::kPenDraw);
    }
    if (mode_ == 1 && with_nodes_)
        for (int i = 0; i < m_.N_Node; ++i)
            render::mark_node(win_, c, m_.node[i].X, m_.node[i].Y, render::kMarkDoubleSquare);
}

void run_kihon_unit_form(QWidget* parent, model::ModelStore& m, render::ViewParams& params,
                         const std::string& directory) {
    TKihonUnitForm form(m, params, directory, parent);
    form.run();
}

}  // namespace tarvik::generator
