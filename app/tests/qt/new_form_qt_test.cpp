// Smoke tests of the Qt main window and its node search, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QTextBrowser>
#include <QWheelEvent>

#include "app/qt/help_window.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/t_new_form.h"
#include "editing/qt/t_ken_node_form.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/projection.h"

namespace tarvik::app {
namespace {

class QtMainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "app_qt_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }
    model::ModelStore store;
    render::ViewParams params;
    AppContext ctx{store, params, ".", ""};
    render::StrokeText text{render::StrokeFont::builtin()};
};

TEST_F(QtMainWindow, MenusCarryTheirCaptionsAndStartUpStates) {
    TNewForm w(ctx, text);
    QStringList tops;
    for (QAction* a : w.menuBar()->actions()) tops << a->text();
    EXPECT_EQ(tops, (QStringList{QString::fromUtf8("ファイル"), QString::fromUtf8("データ指定"),
                                 QString::fromUtf8("表示"), QString::fromUtf8("ヘルプ")}));
    for (int i = 0; i < static_cast<int>(MenuItem::Count); ++i) {
        const auto item = static_cast<MenuItem>(i);
        ASSERT_NE(w.action(item), nullptr) << i;
        EXPECT_EQ(w.action(item)->text(), QString::fromUtf8(menu_caption(item)));
        EXPECT_EQ(w.action(item)->isEnabled(), w.presenter().enabled(item)) << menu_caption(item);
    }
    EXPECT_FALSE(w.action(MenuItem::HyoujiMenu)->isEnabled());
    EXPECT_TRUE(w.action(MenuItem::KihonMenu)->isEnabled());
    EXPECT_TRUE(w.action(MenuItem::SetutenMeishouMenu)->isCheckable());
    EXPECT_FALSE(w.action(MenuItem::ModelHirakuMenu)->text().isEmpty());
    const std::pair<MenuItem, const char*> keys[] = {{MenuItem::ModelHirakuMenu, "Ctrl+O"},
                                                     {MenuItem::ModelHozonMenu, "Ctrl+S"},
                                                     {MenuItem::ExitMenu, "Ctrl+Q"},
                                                     {MenuItem::Help2, "F1"}};
    for (const auto& [item, key] : keys)
        EXPECT_EQ(w.action(item)->shortcut(), QKeySequence(QString::fromLatin1(key))) << key;
}

// Closing the window asks about a changed model in a box whose buttons do
// what they say: "キャンセル" keeps the window, "破棄" lets it close.
TEST_F(QtMainWindow, ClosingAsksOnlyAboutAChangedModel) {
    {
        TNewForm w(ctx, text);
        w.show();
        EXPECT_TRUE(w.close());  // nothing made, nothing asked
    }
    TNewForm w(ctx, text);
    w.show();
    testing::ScriptedMessages msg;
    testing::add_member(store, msg, 0, 0, 0, 0, 0, 300);
    auto answer = [](const char* button, QString* asked) {
        QTimer::singleShot(0, [button, asked] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            *asked = box->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == QString::fromUtf8(button)) b->click();
        });
    };
    QString asked;
    answer("キャンセル", &asked);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(asked, QString::fromUtf8(kAskSaveModel));
    EXPECT_TRUE(w.isVisible());
    asked.clear();
    answer("破棄", &asked);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(asked, QString::fromUtf8(kAskSaveModel));
    EXPECT_FALSE(w.isVisible());
}

TEST_F(QtMainWindow, DrawsAModelAndShowsTheNodeSearch) {
    TNewForm w(ctx, text);  // starts with an empty model
    testing::ScriptedMessages msg;
    testing::add_member(store, msg, 0, 0, 0, 0, 0, 300);
    testing::add_member(store, msg, 400, 0, 0, 400, 0, 300);
    testing::add_member(store, msg, 0, 0, 300, 400, 0, 300);
    w.resize(640, 480);
    ASSERT_EQ(model_ready_step(store, w.presenter().state(), msg), 0);
    w.presenter().ken_node().open();
    store.node[0].flag = model::kPickSupport;
    store.node[2].flag = model::kPickSupport;
    store.node[1].flag = model::kPickLoad;
    store.node[3].flag = model::kPickLoad;
    build_fix_load_lists(store, w.presenter().state(), NodeDataValues{}, msg);
    ASSERT_EQ(store.N_Fix, 2);
    ASSERT_EQ(store.N_Load, 2);
    // All four labels on.
    w.presenter().SetutenMeishouMenuClick();
    w.presenter().BuzaiBangouMenuClick();
    w.presenter().KoteiStutenMenuClick();
    w.presenter().KajyuryouMenuClick();
    EXPECT_TRUE(w.action(MenuItem::SetutenMeishouMenu)->isChecked());
    EXPECT_TRUE(w.action(MenuItem::KajyuryouMenu)->isChecked());
    w.show();
    const QPixmap shot = w.grab();
    EXPECT_FALSE(shot.isNull());
    QDir().mkpath("shots");
    shot.save("shots/main.png");
    EXPECT_EQ(w.presenter().drawn_nodes(), 4);

    w.presenter().KousokuSetutenMenuClick();
    ASSERT_NE(w.ken_node_form(), nullptr);
    EXPECT_TRUE(w.ken_node_form()->isVisible());
    EXPECT_EQ(w.ken_node_form()->edits[1]->text(), "X01");
    EXPECT_EQ(w.ken_node_form()->ZenNodeEdit->text(), "4");
    w.ken_node_form()->grab().save("shots/ken_node.png");
    w.presenter().node_search_finished();
    w.presenter().Timer1Timer();
    EXPECT_FALSE(w.ken_node_form()->isVisible());
}

// Sends one mouse event to the drawing, as the window system would.
void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
           Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, mods);
    QApplication::sendEvent(w, &e);
}

TEST_F(QtMainWindow, ZoomedDrawingWithReadableLabelsAndDragsThatNeverPick) {
    TNewForm w(ctx, text);
    testing::ScriptedMessages msg;
    // Two levels of an 8 x 8 bay frame: at the fit its node names pile up.
    constexpr int kBays = 8;
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i <= kBays; ++i)
            for (int j = 0; j < kBays; ++j) {
                const float z = 280.0f * k;
                testing::add_member(store, msg, 180.0f * j, 180.0f * i, z, 180.0f * (j + 1),
                                    180.0f * i, z);
                testing::add_member(store, msg, 180.0f * i, 180.0f * j, z, 180.0f * i,
                                    180.0f * (j + 1), z);
                if (k == 1 && j == 0)
                    for (int jj = 0; jj <= kBays; ++jj)
                        testing::add_member(store, msg, 180.0f * i, 180.0f * jj, 0, 180.0f * i,
                                            180.0f * jj, z);
            }
    w.resize(1000, 760);
    ASSERT_EQ(model_ready_step(store, w.presenter().state(), msg), 0);
    w.presenter().ken_node().open();
    w.presenter().SetutenMeishouMenuClick();
    w.show();
    QDir().mkpath("shots");
    QWidget* area = w.centralWidget();
    w.grab().save("shots/main_labels_fitted.png");
    EXPECT_TRUE(w.presenter().labels_thinned());

    // Four wheel notches in, about a corner of the frame.
    const model::Node& corner = store.node[store.N_Node - 1];
    const render::Pixel p = render::world_to_crt(w.presenter().view_window(), corner.X, corner.Y);
    const QPoint at(p.x, p.y);
    QWheelEvent wheel(QPointF(at), area->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 4 * 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(area, &wheel);
    EXPECT_NEAR(w.presenter().view_window().zoom.factor, 1.25 * 1.25 * 1.25 * 1.25, 1e-9);
    const QPixmap zoomed = w.grab();
    zoomed.save("shots/main_labels_zoomed.png");
    EXPECT_FALSE(w.presenter().labels_thinned());
    const render::Pixel still =
        render::world_to_crt(w.presenter().view_window(), corner.X, corner.Y);
    EXPECT_LE(std::abs(still.x - p.x) + std::abs(still.y - p.y), 2);

    // Picking supports: a middle drag and a Ctrl drag over the corner pan
    // and pick nothing; a Ctrl click that does not move picks as a click does.
    w.presenter().KousokuSetutenMenuClick();
    const int corner_no = store.N_Node - 1;
    for (auto [button, mods] :
         {std::pair{Qt::MiddleButton, Qt::KeyboardModifiers(Qt::NoModifier)},
          std::pair{Qt::LeftButton, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
        const render::Pixel from =
            render::world_to_crt(w.presenter().view_window(), corner.X, corner.Y);
        const QPoint a(from.x, from.y), b = a + QPoint(60, 25);
        mouse(area, QEvent::MouseButtonPress, a, button, button, mods);
        mouse(area, QEvent::MouseMove, a + QPoint(30, 10), Qt::NoButton, button, mods);
        mouse(area, QEvent::MouseMove, b, Qt::NoButton, button, mods);
        mouse(area, QEvent::MouseButtonRelease, b, button, Qt::NoButton, mods);
        EXPECT_EQ(store.node[corner_no].flag, 0);
        const render::Pixel to =
            render::world_to_crt(w.presenter().view_window(), corner.X, corner.Y);
        EXPECT_LE(std::abs(to.x - b.x()) + std::abs(to.y - b.y()), 2);  // the corner came along
    }
    const render::Pixel now = render::world_to_crt(w.presenter().view_window(), corner.X, corner.Y);
    mouse(area, QEvent::MouseButtonPress, QPoint(now.x, now.y), Qt::LeftButton, Qt::LeftButton,
          Qt::ControlModifier);
    mouse(area, QEvent::MouseButtonRelease, QPoint(now.x, now.y), Qt::LeftButton, Qt::NoButton,
          Qt::ControlModifier);
    EXPECT_EQ(store.node[corner_no].flag, model::kPickSupport);

    // The node search opens beside the drawing, below the menu bar.
    const QPoint drawing = area->mapToGlobal(QPoint(0, 0));
    EXPECT_GE(w.ken_node_form()->frameGeometry().top(), drawing.y());
    w.presenter().node_search_finished();
    w.presenter().Timer1Timer();

    // "全体表示" in "表示" goes back to the fit.
    QAction* fit = nullptr;
    for (QAction* a : w.action(MenuItem::HyoujiMenu)->menu()->actions())
        if (a->text() == QString::fromUtf8("全体表示")) fit = a;
    ASSERT_NE(fit, nullptr);
    EXPECT_FALSE(fit->shortcut().isEmpty());
    fit->trigger();
    EXPECT_TRUE(w.presenter().view_window().zoom.fitted());
}

TEST_F(QtMainWindow, HelpHasAGuideToEveryMenu) {
    THelpForm help;
    const QString text = help.browser()->toPlainText();
    for (int i = 0; i < static_cast<int>(MenuItem::Count); ++i) {
        const auto item = static_cast<MenuItem>(i);
        if (item == MenuItem::About1) continue;
        EXPECT_TRUE(text.contains(QString::fromUtf8(menu_caption(item)))) << menu_caption(item);
    }
}

}  // namespace
}  // namespace tarvik::app
