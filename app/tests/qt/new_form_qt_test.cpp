// Smoke tests of the Qt main window and its node search, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QMenuBar>
#include <QPixmap>
#include <QTextBrowser>

#include "app/qt/help_window.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/t_new_form.h"
#include "editing/qt/t_ken_node_form.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

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
