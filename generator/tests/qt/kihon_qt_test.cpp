// Smoke test of the generator's windows on Qt, offscreen: basic data with the
// defaults, OK, the generated house in the unit window, back again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "editing/qt/t_record_form.h"
#include "generator/qt/t_kihon_forms.h"
#include "testing/qt_shots.h"

namespace tarvik::generator {
namespace {

using test_support::save_shot;

QPushButton* button(QWidget* w, const char* text) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == QString::fromUtf8(text)) return b;
    return nullptr;
}

TEST(GeneratorWindows, DefaultHouseThroughTheBasicDataWindow) {
    static int argc = 1;
    static char name[] = "generator_qt_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);

    model::ModelStore m;
    render::ViewParams params;
    const std::string dir = QDir::currentPath().toStdString();
    TKihonUnitForm unit(m, params, dir);
    bool saw_basic_data = false, saw_unit = false, saw_trio = false;
    // The basic-data window comes first: confirm its defaults.
    QTimer::singleShot(50, [&] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        saw_basic_data = w->windowTitle() == QString::fromUtf8(kKihonCaption);
        save_shot(*w, "kihon.png");
        // The top shape has no default: a flat floor.
        for (QRadioButton* r : w->findChildren<QRadioButton*>())
            if (r->text() == QString::fromUtf8(kYaneItems[0])) r->click();
        QPushButton* ok = button(w, "OK");
        ASSERT_NE(ok, nullptr);
        ok->click();
        // Then the unit window draws the generated house; leave it by "戻る".
        QTimer::singleShot(100, [&] {
            saw_unit = unit.isVisible();
            save_shot(unit, "unit.png");
            // The member-box model from the triangle file of the generation,
            // then the perspective wire image.
            unit.presenter().JikuModelMenuClick();
            save_shot(unit, "unit_axis.png");
            unit.presenter().ShitenMenuClick();
            save_shot(unit, "unit_viewpoint.png");
            saw_trio = QFileInfo::exists("TRIO.DAT");
            unit.presenter().ModoruMenuClick();
        });
    });
    unit.run();
    EXPECT_TRUE(saw_basic_data);
    EXPECT_TRUE(saw_unit);
    EXPECT_TRUE(saw_trio);
    EXPECT_EQ(m.N_Beam, 768);  // the default space floor
    EXPECT_EQ(m.N_Node, 241);
    EXPECT_EQ(params.TAU, 30.0f);
}

// "座標移動" of "全データ変換": three shifts, shown as they were last taken.
TEST(GeneratorWindows, ShiftWindowTakesThreeNumbers) {
    static int argc = 1;
    static char name[] = "generator_qt_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);

    ZahyouIdouExchange x;
    x.shift.dz = -2.5f;
    editing::TRecordForm<ZahyouIdouPresenter> form(x);
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("座標移動"));
    ASSERT_EQ(form.fields.size(), 3u);
    EXPECT_EQ(form.fields[2]->text(), "     -2.5");
    form.fields[0]->setText("120");
    form.show();
    save_shot(form, "zahyou_idou.png");
    form.OKButton->click();
    EXPECT_EQ(x.result, editing::kResultOK);
    EXPECT_EQ(x.shift.dx, 120.0f);
    EXPECT_EQ(x.shift.dz, -2.5f);
}

}  // namespace
}  // namespace tarvik::generator
