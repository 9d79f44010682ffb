#include "app/qt/t_new_form.h"

#include <QApplication>
#include <QFontMetrics>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "editing/qt/t_ken_node_form.h"
#include "ui/qt/qt_text.h"
#include "views/label_thinning.h"
#include "views/qt/qt_canvas.h"
#include "views/qt/zoom_pan.h"

namespace tarvik::app {

using ui::qs;

// The client area: paints through the presenter and passes the mouse on.
class ModelView : public QWidget {
public:
    ModelView(NewFormPresenter& p, QWidget* parent) : QWidget(parent), p_(p) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, false);
        views::QtCanvas canvas(&painter, width(), height());
        p_.FormPaint(canvas);
        if (p_.labels_thinned()) paint_note(painter);
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        p_.FormResize(width(), height());
    }
    void mousePressEvent(QMouseEvent* e) override {
        p_.FormMouseDown(button_of(e), e->position().toPoint().x(), e->position().toPoint().y());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        p_.FormMouseUp(button_of(e), e->position().toPoint().x(), e->position().toPoint().y());
    }

private:
    // One line at the bottom left, on white, over the drawing.
    void paint_note(QPainter& painter) {
        const QString note = qs(views::kLabelsThinned);
        const QFontMetrics fm(font());
        const QRect box(6, height() - fm.height() - 10, fm.horizontalAdvance(note) + 12,
                        fm.height() + 6);
        painter.fillRect(box, Qt::white);
        painter.setPen(QColor(0x80, 0, 0));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.drawText(box, Qt::AlignCenter, note);
    }
    static MouseButton button_of(QMouseEvent* e) {
        switch (e->button()) {
            case Qt::LeftButton: return MouseButton::Left;
            case Qt::RightButton: return MouseButton::Right;
            default: return MouseButton::Middle;
        }
    }
    NewFormPresenter& p_;
};

TNewForm::TNewForm(AppContext& ctx, render::StrokeText& text, QWidget* parent)
    : QMainWindow(parent), dialogs_(this, ctx, text), presenter_(ctx, *this, dialogs_, text) {
    setWindowTitle("Tarvik");
    resize(639, 480);
    QFont f(qs("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    f.setStyleHint(QFont::SansSerif);
    setFont(f);

    view_ = new ModelView(presenter_, this);
    QPalette pal = view_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    view_->setPalette(pal);
    setCentralWidget(view_);
    zoom_ = views::attach_zoom_pan(view_, [this]() -> render::ViewWindow& {
        return presenter_.view_window();
    });
    build_menus();

    Timer1.setInterval(500);
    connect(&Timer1, &QTimer::timeout, this, [this] { presenter_.Timer1Timer(); });

    ken_form_ = new editing::TKenNodeForm(ctx.store, presenter_.ken_node(), ctx.view, presenter_, this);
    ken_form_->hide();

    presenter_.FormCreate(width(), height());
}

TNewForm::~TNewForm() = default;

void TNewForm::build_menus() {
    auto add = [this](QMenu* menu, MenuItem item, void (NewFormPresenter::*handler)()) {
        QAction* a = menu->addAction(qs(menu_caption(item)));
        actions_[static_cast<int>(item)] = a;
        connect(a, &QAction::triggered, this, [this, handler] { (presenter_.*handler)(); });
        return a;
    };
    auto submenu = [this](QMenu* parent, MenuItem item) {
        QMenu* m = parent ? parent->addMenu(qs(menu_caption(item)))
                          : menuBar()->addMenu(qs(menu_caption(item)));
        actions_[static_cast<int>(item)] = m->menuAction();
        return m;
    };
    using P = NewFormPresenter;
    QMenu* file = menuBar()->addMenu(qs("ファイル"));
    add(file, MenuItem::KihonMenu, &P::KihonMenuClick);
    add(file, MenuItem::TegakiMenu, &P::TegakiMenuClick);
    add(file, MenuItem::JikuDataReadMenu, &P::JikuDataReadMenuClick);
    add(file, MenuItem::ModelHirakuMenu, &P::ModelHirakuMenuClick)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    add(file, MenuItem::ModelHozonMenu, &P::ModelHozonMenuClick)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QMenu* save = submenu(file, MenuItem::SaveFileMenu);
    add(save, MenuItem::HoneSaveMenu, &P::HoneSaveMenuClick);
    add(save, MenuItem::VeltoSaveMenu, &P::VeltoSaveMenuClick);
    file->addSeparator();
    add(file, MenuItem::KaisekiMenu, &P::KaisekiMenuClick);
    add(file, MenuItem::KekkaHozonMenu, &P::KekkaHozonMenuClick);
    add(file, MenuItem::SaigoKaisekiMenu, &P::SaigoKaisekiMenuClick);
    file->addSeparator();
    add(file, MenuItem::ExitMenu, &P::ExitMenuClick)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* data = submenu(nullptr, MenuItem::SetutenShiteiMenu);
    add(data, MenuItem::KousokuSetutenMenu, &P::KousokuSetutenMenuClick);
    add(data, MenuItem::KajyuSetutenMenu, &P::KajyuSetutenMenuClick);
    add(data, MenuItem::SetutenDataMenu, &P::SetutenDataMenuClick);
    add(data, MenuItem::BeamParamMenu, &P::BeamParamMenuClick);

    QMenu* show = submenu(nullptr, MenuItem::HyoujiMenu);
    for (auto [item, handler] :
         {std::pair{MenuItem::SetutenMeishouMenu, &P::SetutenMeishouMenuClick},
          std::pair{MenuItem::BuzaiBangouMenu, &P::BuzaiBangouMenuClick},
          std::pair{MenuItem::KoteiStutenMenu, &P::KoteiStutenMenuClick},
          std::pair{MenuItem::KajyuryouMenu, &P::KajyuryouMenuClick}})
        add(show, item, handler)->setCheckable(true);
    show->addSeparator();
    views::add_fit_action(show, zoom_);

    QMenu* help = menuBar()->addMenu(qs("ヘルプ"));
    add(help, MenuItem::Help2, &P::Help2Click)->setShortcut(QKeySequence(Qt::Key_F1));
    add(help, MenuItem::About1, &P::About1Click);
}

void TNewForm::set_menu_enabled(MenuItem item, bool enabled) {
    if (QAction* a = action(item)) a->setEnabled(enabled);
}

void TNewForm::set_menu_checked(MenuItem item, bool checked) {
    if (QAction* a = action(item)) a->setChecked(checked);
}

void TNewForm::repaint() { view_->update(); }

void TNewForm::show_node_search(bool visible) {
    if (!ken_form_) return;
    if (visible) {
        ken_form_->show();
        ken_form_->raise();
    } else {
        ken_form_->hide();
    }
}

void TNewForm::set_timer_enabled(bool enabled) {
    if (enabled)
        Timer1.start();
    else
        Timer1.stop();
}

void TNewForm::set_busy(bool busy) {
    if (busy) {
        if (busy_depth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_depth_ > 0) {
        if (--busy_depth_ == 0) QApplication::restoreOverrideCursor();
    }
}

void TNewForm::closeEvent(QCloseEvent* e) {
    if (!presenter_.FormCloseQuery()) {
        e->ignore();
        return;
    }
    Timer1.stop();
    if (ken_form_) ken_form_->hide();
    e->accept();
}

void TNewForm::close_window() {
    Timer1.stop();
    close();
}

}  // namespace tarvik::app
