// The hand-drawn editor on Qt: a portal drawn with mouse events on the real
// drawing area, its data entered in the real dialogs, and its views. Pictures
// of the plan and the views are left in the build folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>

#include "editing/qt/t_tegaki_form.h"
#include "editing/tests/qt/qt_helpers.h"
#include "files/tests/test_dir.h"
#include "render/projection.h"
#include "views/qt/t_view_form.h"
#include "views/qt/zoom_pan.h"

namespace tarvik::editing {
namespace {

// Plan pixels of the portal's feet and knees, and their model coordinates.
struct Corner {
    int px, py;
    const char *x, *z;
};
constexpr Corner kFootL{150, 350, "0", "0"}, kKneeL{150, 150, "0", "300"},
    kKneeR{450, 150, "300", "300"}, kFootR{450, 350, "300", "0"};

class TegakiWindow : public ::testing::Test {
  protected:
    TegakiWindow() : form(m, params, dir.path().string()) { form.show(); }

    void mouse(QEvent::Type type, int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? b : Qt::NoButton;
        const QPointF at(x, y);
        QMouseEvent e(type, at, form.drawing()->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : b, held, Qt::NoModifier);
        QApplication::sendEvent(form.drawing(), &e);
    }
    void click(int x, int y) {
        mouse(QEvent::MouseMove, x, y);
        mouse(QEvent::MouseButtonPress, x, y);
        mouse(QEvent::MouseButtonRelease, x, y);
    }
    void member(const Corner& a, const Corner& b) {
        click(a.px, a.py);
        click(b.px, b.py);
    }
    QImage picture() {
        QApplication::processEvents();
        return form.drawing()->grab().toImage();
    }
    // The colour at a pixel of the drawing area, on a screen of any scale.
    static QRgb rgb(const QImage& img, int x, int y) {
        const qreal s = img.devicePixelRatio();
        return img.pixel(qRound(x * s), qRound(y * s)) & 0xFFFFFF;
    }
    static bool white(const QImage& img, int x, int y) { return rgb(img, x, y) == 0xFFFFFF; }
    static int drawn(const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        return n;
    }
    void node_data(const Corner& c) {
        in_next_dialog([c](ui::TFieldDialog& d) {
            d.fields[NodeFormPresenter::kX]->setText(c.x);
            d.fields[NodeFormPresenter::kY]->setText("0");
            d.fields[NodeFormPresenter::kZ]->setText(c.z);
            d.OKButton->click();
        });
        click(c.px + 3, c.py - 2);
    }

    tarvik::testing::TempDir dir;
    model::ModelStore m;
    render::ViewParams params;
    TTegakiForm form;
};

TEST_F(TegakiWindow, DrawsAPortalWithTheMouseAndShowsItsViews) {
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("手書データ"));
    EXPECT_EQ(form.width(), kTegakiWidth);
    EXPECT_EQ(form.height(), kTegakiHeight);
    EXPECT_FALSE(form.action(TegakiMenu::Show1)->isEnabled());

    // The rubber band inverts the picture and is taken away to the last pixel.
    click(kFootL.px, kFootL.py);
    const QImage before = picture();
    mouse(QEvent::MouseMove, 300, 250);
    const QImage band = picture();
    EXPECT_NE(band, before);
    EXPECT_FALSE(white(band, 225, 300));  // the midpoint of the guide line
    mouse(QEvent::MouseMove, 400, 420);
    EXPECT_TRUE(white(picture(), 225, 300));
    mouse(QEvent::MouseMove, 300, 250);
    EXPECT_EQ(picture(), band);
    click(kKneeL.px, kKneeL.py);
    member(kKneeL, kKneeR);
    member(kKneeR, kFootR);
    ASSERT_EQ(m.N_Beam, 3);
    ASSERT_EQ(m.N_Node, 4);

    // Markers: the knees are touched (black discs), the feet new (squares).
    const QImage plan = picture();
    save_shot(*form.drawing(), "tegaki_plan.png");
    EXPECT_FALSE(white(plan, kKneeL.px, kKneeL.py));
    EXPECT_FALSE(white(plan, kFootL.px - 4, kFootL.py - 4));
    EXPECT_TRUE(white(plan, kFootL.px - 1, kFootL.py + 1));

    // Coordinates for every node in the node data dialog.
    form.command("節点データ")->trigger();
    for (const Corner& c : {kFootL, kKneeL, kKneeR, kFootR}) node_data(c);
    EXPECT_EQ(m.node[2].x, 300.0f);
    ASSERT_TRUE(form.action(TegakiMenu::BuzaiDataMenu)->isEnabled());

    // One section for all members, given while picking the left post.
    form.command("部材データ")->trigger();
    in_next_dialog([](ui::TFieldDialog& d) {
        d.fields[kHaba]->setText("15");
        d.fields[kAtumi]->setText("30");
        d.ExtraButton->click();
    });
    mouse(QEvent::MouseButtonPress, 130, 250);
    mouse(QEvent::MouseMove, 150, 260);
    mouse(QEvent::MouseMove, 170, 270);
    mouse(QEvent::MouseButtonRelease, 170, 270);
    EXPECT_EQ(m.beam[2].atumi, 30.0f);
    ASSERT_TRUE(form.action(TegakiMenu::Show1)->isEnabled());

    form.command("軸モデル")->trigger();
    EXPECT_EQ(form.presenter().display_mode(), views::kModeMemberBox);
    EXPECT_GT(drawn(picture()), 200);
    save_shot(*form.drawing(), "tegaki_member_box.png");

    // The viewpoint window's "Pers" asks the timer for the hidden-line image.
    form.command("視点座標モデル")->trigger();
    ASSERT_NE(form.view_form(), nullptr);
    EXPECT_TRUE(form.view_form()->isVisible());
    params.PersRequest = 1;
    form.presenter().onTick();
    EXPECT_EQ(form.presenter().display_mode(), views::kModeHidden);
    EXPECT_GT(drawn(picture()), 200);
    save_shot(*form.drawing(), "tegaki_hidden_line.png");

    form.command("手書に戻す")->trigger();
    EXPECT_EQ(m.node[0].X, static_cast<float>(kFootL.px));
    EXPECT_EQ(m.node[0].Y, static_cast<float>(form.drawing()->height() - kFootL.py));
    // Complete members are red in the plan now.
    EXPECT_EQ(rgb(picture(), 300, kKneeL.py), 0xFF0000u);

    // Leaving with unsaved work asks; "No" closes.
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    });
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.view_form()->isVisible());
}

// Drawn at a zoom, a member's ends are the plan points under the pointer, as
// they would be unzoomed; "全体表示" brings the fitted plan back.
TEST_F(TegakiWindow, ZoomedPlanPutsNodesUnderThePointerAndFitReturns) {
    const QPointF at(300, 250);
    QWheelEvent wheel(at, form.drawing()->mapToGlobal(at), QPoint(), QPoint(0, 2 * 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form.drawing(), &wheel);
    const render::ViewWindow& w = form.presenter().view_window();
    ASSERT_NEAR(w.zoom.factor, views::kWheelZoom * views::kWheelZoom, 1e-9);

    const float H = static_cast<float>(form.drawing()->height());
    // A line through (x, y), give or take the pixel the rounding moves it.
    const auto inked = [](const QImage& img, int x, int y) {
        return !white(img, x, y - 1) || !white(img, x, y) || !white(img, x, y + 1);
    };
    const auto shown = [&](const Corner& c) {
        return render::world_to_crt(w, c.px, H - c.py);  // plan Y runs up
    };
    const render::Pixel a = shown(kKneeL), b = shown(kKneeR);
    click(a.x, a.y);
    click(b.x, b.y);
    ASSERT_EQ(m.N_Beam, 1);
    // One pixel at this zoom is less than one plan unit.
    EXPECT_NEAR(m.node[0].X, kKneeL.px, 1.0f);
    EXPECT_NEAR(m.node[0].Y, H - kKneeL.py, 1.0f);
    EXPECT_NEAR(m.node[1].X, kKneeR.px, 1.0f);
    EXPECT_TRUE(inked(picture(), (a.x + b.x) / 2, a.y));  // drawn where it was clicked
    save_shot(*form.drawing(), "tegaki_plan_zoomed.png");

    QAction* fit = nullptr;
    for (QAction* act : form.findChildren<QAction*>())
        if (act->text() == QString::fromUtf8(views::kFitCaption)) fit = act;
    ASSERT_NE(fit, nullptr);
    fit->trigger();
    EXPECT_TRUE(w.zoom.fitted());
    EXPECT_TRUE(inked(picture(), (kKneeL.px + kKneeR.px) / 2, kKneeL.py));
}

}  // namespace
}  // namespace tarvik::editing
