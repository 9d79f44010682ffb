#include "editing/qt/t_tegaki_form.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "editing/qt/edit_windows.h"
#include "ui/qt/qt_messages.h"
#include "ui/qt/qt_text.h"
#include "views/qt/qt_canvas.h"
#include "views/qt/t_isome_form.h"
#include "views/qt/t_view_form.h"
#include "views/qt/zoom_pan.h"

namespace tarvik::editing {

using ui::qs;

// The drawing area. The picture is kept in an image: the presenter draws
// the whole of it on a repaint, and draws on it as it stands for markers
// and the rubber band. An image is drawn by the raster engine on every
// platform, so the inverting pen works there and a line drawn twice is gone
// to the last pixel.
class TegakiPicture : public QWidget {
  public:
    TegakiPicture(TegakiPresenter& p, int width, int height, QWidget* parent)
        : QWidget(parent), p_(p) {
        // Device pixels of the screen, drawn in the presenter's pixels.
        const qreal dpr = parent->devicePixelRatioF();
        image_ = QImage(qRound(width * dpr), qRound(height * dpr), QImage::Format_RGB32);
        image_.setDevicePixelRatio(dpr);
        setFixedSize(width, height);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);  // the rubber band follows without a button
    }

    void invalidate() {
        dirty_ = true;
        update();
    }
    void draw_now(const std::function<void(render::Canvas&)>& draw) {
        if (dirty_) render();
        {
            QPainter painter(&image_);
            views::QtCanvas canvas(&painter, width(), height());
            draw(canvas);
        }
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (dirty_) render();
        QPainter(this).drawImage(0, 0, image_);
    }
    void mousePressEvent(QMouseEvent* e) override {
        p_.FormMouseDown(button(e), pos(e).x(), pos(e).y());
    }
    void mouseMoveEvent(QMouseEvent* e) override { p_.FormMouseMove(pos(e).x(), pos(e).y()); }
    void mouseReleaseEvent(QMouseEvent* e) override {
        p_.FormMouseUp(button(e), pos(e).x(), pos(e).y());
    }

  private:
    static QPoint pos(const QMouseEvent* e) { return e->position().toPoint(); }
    static TegakiButton button(const QMouseEvent* e) {
        switch (e->button()) {
            case Qt::LeftButton:
                return TegakiButton::Left;
            case Qt::RightButton:
                return TegakiButton::Right;
            default:
                return TegakiButton::Other;
        }
    }
    void render() {
        dirty_ = false;
        QPainter painter(&image_);
        views::QtCanvas canvas(&painter, width(), height());
        p_.FormPaint(canvas);
    }

    TegakiPresenter& p_;
    QImage image_;
    bool dirty_ = true;
};

TTegakiForm::TTegakiForm(model::ModelStore& m, render::ViewParams& params,
                         const std::string& directory, QWidget* parent)
    : QDialog(parent),
      m_(m),
      params_(params),
      dir_(directory),
      msg_(this),
      solids_(directory),
      export_dialogs_(this, directory),
      presenter_({m, params, solids_}, *this, msg_) {
    setWindowTitle(qs(kTegakiCaption));
    move(kTegakiLeft, kTegakiTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);

    using P = TegakiPresenter;
    auto add = [this](QMenu* menu, const char* caption, void (P::*event)()) {
        QAction* a = menu->addAction(qs(caption));
        connect(a, &QAction::triggered, this, [this, event] { (presenter_.*event)(); });
        commands_[caption] = a;
        return a;
    };
    auto item = [&](QMenu* menu, TegakiMenu id, void (P::*event)()) {
        actions_[id] = add(menu, tegaki_menu_caption(id), event);
    };
    QMenu* file = bar->addMenu(qs("ファイル"));
    item(file, TegakiMenu::ShinkiMenu, &P::ShinkiMenuClick);
    item(file, TegakiMenu::ReadTegakiMenu, &P::ReadTegakiMenuClick);
    item(file, TegakiMenu::SaveTegakiMenu, &P::SaveTegakiMenuClick);
    item(file, TegakiMenu::DxfHozonMenu, &P::DxfHozonMenuClick);
    item(file, TegakiMenu::FaceSaveMenu, &P::FaceSaveMenuClick);
    file->addSeparator();
    item(file, TegakiMenu::ModoriMenu, &P::ModoriMenuClick);
    QMenu* edit = bar->addMenu(qs("編集"));
    item(edit, TegakiMenu::BuzaiShiteiMenu, &P::BuzaiShiteiMenuClick);
    item(edit, TegakiMenu::BuzaiSakujyoMenu, &P::BuzaiSakujyoMenuClick);
    item(edit, TegakiMenu::SetutenDataMenu, &P::SetutenDataMenuClick);
    item(edit, TegakiMenu::BuzaiDataMenu, &P::BuzaiDataMenuClick);
    QMenu* show = bar->addMenu(qs(tegaki_menu_caption(TegakiMenu::Show1)));
    actions_[TegakiMenu::Show1] = show->menuAction();
    add(show, "ワイヤモデル", &P::WireModelMenuClick);
    add(show, "軸モデル", &P::JikuModelMenuClick);
    add(show, "視点座標モデル", &P::ShitenZahyouMenuClick);
    add(show, "手書に戻す", &P::TegakiModoriMenuClick);
    show_menu_ = show;
    QMenu* help = bar->addMenu(qs("ヘルプ"));
    add(help, "ヘルプ", &P::HelpMenuClick);
    add(help, "バージョン情報", &P::AboutMenuClick);

    // The drawing area fills the window below its menu bar.
    picture_ =
        new TegakiPicture(presenter_, kTegakiWidth, kTegakiHeight - bar->sizeHint().height(), this);
    layout->addWidget(picture_);
    presenter_.FormCreate(picture_->width(), picture_->height());
    // Zoom and pan as in every drawing window; the picture is redrawn into
    // its image, as the inverting pen draws on that.
    views::ZoomPanInput* zoom = views::attach_zoom_pan(
        picture_, [this]() -> render::ViewWindow& { return presenter_.view_window(); });
    zoom->on_change([this] { picture_->invalidate(); });
    show_menu_->addSeparator();
    views::add_fit_action(show_menu_, zoom);

    timer_.setInterval(kTegakiTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] { presenter_.onTick(); });
    timer_.start();
}

TTegakiForm::~TTegakiForm() = default;

QWidget* TTegakiForm::drawing() const {
    return picture_;
}

void TTegakiForm::set_menu_enabled(TegakiMenu item, bool enabled) {
    actions_.at(item)->setEnabled(enabled);
}

void TTegakiForm::repaint() {
    picture_->invalidate();
}

void TTegakiForm::draw_now(const std::function<void(render::Canvas&)>& draw) {
    picture_->draw_now(draw);
}

void TTegakiForm::set_busy(bool busy) {
    ui::set_busy_cursor(busy);
}

std::string TTegakiForm::open_file_name(std::string_view filter) {
    return QFileDialog::getOpenFileName(this, QString(), qs(dir_), ui::qt_filter(filter))
        .toStdString();
}

std::string TTegakiForm::save_file_name(std::string_view filter, std::string_view default_ext) {
    return export_dialogs_.save_file_name(filter, default_ext);
}

int TTegakiForm::run_dxf_colour_window() {
    return export_dialogs_.run_dxf_colour_window();
}

void TTegakiForm::show_isome_window() {
    if (!isome_) isome_ = new views::TIsomeForm(params_, width(), this);
    isome_->show();
    isome_->raise();
}

void TTegakiForm::show_view_window() {
    if (!view_form_) view_form_ = new views::TViewForm(params_, width(), this);
    view_form_->show();
    view_form_->raise();
}

int TTegakiForm::run_node_form(NodeDataExchange& x) {
    return editing::run_node_form(this, m_, x);
}

int TTegakiForm::run_beam_form(BeamDataExchange& x) {
    return editing::run_beam_form(this, m_, x);
}

void TTegakiForm::show_help() {
    msg_.show_message(
        "手書データ: "
        "「部材指定」で始点と終点をクリックして部材を描き、「節点データ」で節点をクリックして"
        "座標を、「部材データ」で部材を横切るようにドラッグして断面を入力します。"
        "すべてそろうと「表示」と保存が使えます。「戻る」で主画面に戻ります。");
}

void TTegakiForm::finish() {
    timer_.stop();
    if (isome_) isome_->hide();
    if (view_form_) view_form_->hide();
}

void TTegakiForm::close_window() {
    finish();
    accept();
}

void TTegakiForm::reject() {
    presenter_.ModoriMenuClick();
}

void run_tegaki_form(QWidget* parent, model::ModelStore& m, render::ViewParams& params,
                     const std::string& directory) {
    TTegakiForm form(m, params, directory, parent);
    form.exec();
}

}  // namespace tarvik::editing
