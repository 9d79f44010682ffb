#include "editing/qt/t_jiku_form.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "editing/qt/edit_windows.h"
#include "ui/qt/qt_text.h"

namespace tarvik::editing {

using ui::qs;

namespace {

// A menu of the window: its items in order, each forwarded to the presenter.
struct MenuEntry {
    const char* caption;
    void (JikuPresenter::*handler)();
};

QMenu* add_menu(QMenuBar* bar, const char* caption, std::initializer_list<MenuEntry> items,
                JikuPresenter& p, std::vector<QAction*>* made = nullptr) {
    QMenu* menu = bar->addMenu(qs(caption));
    for (const MenuEntry& e : items) {
        QAction* a = menu->addAction(qs(e.caption));
        QObject::connect(a, &QAction::triggered, menu, [&p, h = e.handler] { (p.*h)(); });
        if (made) made->push_back(a);
    }
    return menu;
}

}  // namespace

TJikuForm::TJikuForm(model::ModelStore& m, render::ViewParams& params,
                     const std::string& directory, QWidget* parent)
    : QDialog(parent),
      msg_(this),
      solids_(directory),
      export_dialogs_(this, directory),
      presenter_(m, params, solids_, *this, msg_),
      view_windows_(params, this) {
    const views::DrawingWindowBody body = views::make_drawing_window(
        this, kJikuCaption, [this](render::Canvas& c) { presenter_.FormPaint(c); },
        [this]() -> render::ViewWindow& { return presenter_.view_window(); });
    drawing_ = body.area;
    QMenuBar* bar = body.bar;

    std::vector<QAction*> file_items;
    add_menu(bar, "ファイル",
             {{"DXF保存", &JikuPresenter::DxfHozonMenuClick},
              {"ビューアデータ保存", &JikuPresenter::FaceHozonMenuClick},
              {"戻る", &JikuPresenter::ModoruMenuClick}},
             presenter_, &file_items);
    DxfHozonMenu = file_items[0];
    FaceHozonMenu = file_items[1];
    QMenu* show = add_menu(bar, "表示",
                           {{"節点付ワイヤモデル", &JikuPresenter::SetutenWireMenuClick},
                            {"節点なしワイヤモデル", &JikuPresenter::WireModelMenuClick},
                            {"軸モデル", &JikuPresenter::JikuModelMenuClick},
                            {"視点座標モデル", &JikuPresenter::ShitenZahyouMenuClick}},
                           presenter_);
    show->addSeparator();
    views::add_fit_action(show, body.zoom);
    add_menu(bar, "ヘルプ",
             {{"ヘルプ", &JikuPresenter::HelpClick}, {"バージョン情報", &JikuPresenter::About1Click}},
             presenter_);

    CheckTimer.setInterval(kCheckTimerMs);
    connect(&CheckTimer, &QTimer::timeout, this, [this] { presenter_.CheckTimerTimer(); });
    presenter_.FormCreate();
    CheckTimer.start();
}

TJikuForm::~TJikuForm() = default;

int TJikuForm::run() {
    setWindowState(windowState() | Qt::WindowMaximized);
    return exec();
}

void TJikuForm::set_menu_enabled(JikuMenu item, bool enabled) {
    (item == JikuMenu::DxfHozonMenu ? DxfHozonMenu : FaceHozonMenu)->setEnabled(enabled);
}

void TJikuForm::set_busy(bool busy) { ui::set_busy_cursor(busy); }
void TJikuForm::show_isome_form() { view_windows_.show_isome(); }
void TJikuForm::show_view_form() { view_windows_.show_view(); }
void TJikuForm::repaint() { drawing_->update(); }

void TJikuForm::show_help() {
    msg_.show_message("軸データ入力: 「表示」で図の種類を選び、「ファイル」の「戻る」で主画面に戻ります。");
}

void TJikuForm::close_window() {
    CheckTimer.stop();
    view_windows_.hide();
    accept();
}

void TJikuForm::closeEvent(QCloseEvent* e) {
    CheckTimer.stop();
    view_windows_.hide();
    QDialog::closeEvent(e);
}

std::string TJikuForm::save_file_name(std::string_view filter, std::string_view default_ext) {
    return export_dialogs_.save_file_name(filter, default_ext);
}

int TJikuForm::run_dxf_colour_window() { return export_dialogs_.run_dxf_colour_window(); }

void run_jiku_form(QWidget* parent, model::ModelStore& m, render::ViewParams& params,
                   const std::string& directory) {
    TJikuForm form(m, params, directory, parent);
    form.run();
}

}  // namespace tarvik::editing
