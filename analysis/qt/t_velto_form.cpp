#include "analysis/qt/t_velto_form.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QVBoxLayout>

#include "analysis/qt/t_kekka_form.h"
#include "analysis/qt/t_show_stress_form.h"
#include "analysis/solid_results.h"
#include "files/qt/t_dxf_color_form.h"
#include "ui/qt/qt_text.h"
#include "views/qt/t_isome_form.h"
#include "views/qt/t_view_form.h"
#include "views/qt/zoom_pan.h"

namespace tarvik::analysis {

using ui::qs;
using ui::qt_filter;
TVeltoForm::TVeltoForm(model::ModelStore& m, render::ViewParams& params,
                       const std::string& cDirectory, render::StrokeText& text, int xScreen,
                       QWidget* parent, SolidResults* solid)
    : QDialog(parent),
      messages_(this),
      own_solid_(solid ? nullptr : std::make_unique<ViewSolidResults>(m, cDirectory)),
      params_(params),
      xScreen_(xScreen),
      dir_(cDirectory),
      presenter_(m, params, cDirectory, *this, messages_, text, solid ? solid : own_solid_.get()) {
    setWindowTitle(qs(kVeltoCaption));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    menu_ = new QMenuBar(this);
    v->setMenuBar(menu_);
    Image1 = new DrawingArea([this](render::Canvas& c) { presenter_.FormPaint(c); }, this);
    v->addWidget(Image1, 1);
    views::ZoomPanInput* zoom = views::attach_zoom_pan(
        Image1, [this]() -> render::ViewWindow& { return presenter_.window(); });

    auto add = [this](QMenu* menu, VeltoMenu item, void (VeltoPresenter::*event)()) {
        QAction* a = menu->addAction(qs(velto_menu_caption(item)));
        actions_[item] = a;
        connect(a, &QAction::triggered, this, [this, event] { (presenter_.*event)(); });
        return a;
    };
    QMenu* file = menu_->addMenu(qs("ファイル"));
    add(file, VeltoMenu::SaveDxfMenu, &VeltoPresenter::SaveDxfMenuClick);
    add(file, VeltoMenu::KekkaSaveMenu, &VeltoPresenter::KekkaSaveMenuClick);
    add(file, VeltoMenu::OwariExit, &VeltoPresenter::OwariExitClick);
    QMenu* kekka = menu_->addMenu(qs("結果表示"));
    QMenu* jiku = kekka->addMenu(qs("軸力"));
    add(jiku, VeltoMenu::JikuListMenu, &VeltoPresenter::JikuListMenuClick);
    add(jiku, VeltoMenu::JikuIroMenu, &VeltoPresenter::JikuIroMenuClick);
    add(jiku, VeltoMenu::KakumaruMenu, &VeltoPresenter::KakumaruMenuClick);
    QMenu* setuten = kekka->addMenu(qs("節点変位"));
    add(setuten, VeltoMenu::SetutenListMenu, &VeltoPresenter::SetutenListMenuClick);
    add(setuten, VeltoMenu::Scale1Menu, &VeltoPresenter::Scale1MenuClick);
    add(setuten, VeltoMenu::Scale5Menu, &VeltoPresenter::Scale5MenuClick);
    add(setuten, VeltoMenu::Scale10Menu, &VeltoPresenter::Scale10MenuClick);
    add(setuten, VeltoMenu::ScaleAutoMenu, &VeltoPresenter::ScaleAutoMenuClick);
    QMenu* stress = kekka->addMenu(qs("ストレス"));
    add(stress, VeltoMenu::StressMenu, &VeltoPresenter::StressMenuClick);
    add(menu_->addMenu(qs("検索")), VeltoMenu::MaxPowerMenu, &VeltoPresenter::MaxPowerMenuClick);
    add(menu_->addMenu(qs("視点")), VeltoMenu::N1, &VeltoPresenter::N1Click);
    QMenu* hyoji = menu_->addMenu(qs("表示"));
    for (auto [item, event] :
         {std::pair{VeltoMenu::SetutenMeishouMenu, &VeltoPresenter::SetutenMeishouMenuClick},
          std::pair{VeltoMenu::BuzaiBangouMenu, &VeltoPresenter::BuzaiBangouMenuClick},
          std::pair{VeltoMenu::KoteiSetutenMenu, &VeltoPresenter::KoteiSetutenMenuClick},
          std::pair{VeltoMenu::KajyuSetutenMenu, &VeltoPresenter::KajyuSetutenMenuClick}})
        add(hyoji, item, event)->setCheckable(true);
    hyoji->addSeparator();
    views::add_fit_action(hyoji, zoom);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kVeltoTimerMs);
    connect(Timer1, &QTimer::timeout, this, [this] { presenter_.Timer1Timer(); });

    resize(900, 680);
    presenter_.FormCreate(Image1->width(), Image1->height());
}

TVeltoForm::~TVeltoForm() = default;

void TVeltoForm::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    presenter_.FormResize(Image1->width(), Image1->height());
}

void TVeltoForm::repaint() {
    Image1->update();
}

void TVeltoForm::set_busy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TVeltoForm::set_menu_enabled(VeltoMenu item, bool enabled) {
    if (auto it = actions_.find(item); it != actions_.end()) it->second->setEnabled(enabled);
}

void TVeltoForm::set_menu_checked(VeltoMenu item, bool checked) {
    if (auto it = actions_.find(item); it != actions_.end()) it->second->setChecked(checked);
}

void TVeltoForm::run_list_window(int kind) {
    TKekkaForm f(kind, presenter_.tables(), presenter_.store(), presenter_.found(), messages_,
                 this);
    f.exec();
}

void TVeltoForm::run_stress_window() {
    TStressForm f(presenter_.tables(), presenter_.store(), presenter_.found(), messages_, this);
    f.exec();
}

void TVeltoForm::run_kensaku_window() {
    TKensakuForm f(presenter_.tables(), presenter_.found(), messages_, this);
    f.exec();
}

void TVeltoForm::run_find_window() {
    TFindForm f(presenter_.found(), this);
    f.exec();
}

void TVeltoForm::run_isome_window() {
    views::TIsomeForm f(params_, xScreen_, this);
    f.exec();
}

void TVeltoForm::show_view_window(bool visible) {
    if (!visible) {
        view_form_.reset();
        return;
    }
    if (!view_form_) view_form_ = std::make_unique<views::TViewForm>(params_, xScreen_, this);
    view_form_->show();
}

void TVeltoForm::set_timer(bool running) {
    if (running)
        Timer1->start();
    else
        Timer1->stop();
}

std::string TVeltoForm::save_file_name(std::string_view filter, std::string_view default_ext) {
    QFileDialog d(this, QString(), QString::fromStdString(dir_), qt_filter(filter));
    d.setAcceptMode(QFileDialog::AcceptSave);
    if (!default_ext.empty())
        d.setDefaultSuffix(
            QString::fromUtf8(default_ext.data(), static_cast<int>(default_ext.size())));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().front().toStdString();
}

int TVeltoForm::run_dxf_colour_window() {
    files::TDxfColorForm form(this);
    return form.run();
}

void TVeltoForm::close_window() {
    accept();
}

void run_velto_form(QWidget* parent, model::ModelStore& m, render::ViewParams& params,
                    const std::string& cDirectory, render::StrokeText& text, int xScreen) {
    TVeltoForm f(m, params, cDirectory, text, xScreen, parent);
    f.exec();
}

}  // namespace tarvik::analysis
