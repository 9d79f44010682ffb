// Smoke tests of the Qt side: the two windows forward to their presenters,
// and the Qt canvas paints what the indices say. Run under the offscreen
// platform; pictures of the windows are left in the build folder for review.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPushButton>

#include "testing/qt_shots.h"
#include "views/qt/qt_canvas.h"
#include "views/qt/t_isome_form.h"
#include "views/qt/t_view_form.h"

namespace tarvik::views {
namespace {

using test_support::save_shot;

QPushButton* button_of(QWidget& w, const char* caption) {
    for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->text() == QString::fromUtf8(caption)) return b;
    return nullptr;
}

// Clicks the button with that caption; a missing one fails the test.
void click_button(QWidget& w, const char* caption) {
    QPushButton* b = button_of(w, caption);
    ASSERT_NE(b, nullptr) << caption;
    b->click();
}

int count_colour(const QImage& img, QRgb rgb) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF);
    return n;
}

TEST(TIsomeForm, ShowsAndSetsTheAngles) {
    ViewParams p;
    p.TAU = 0;
    p.FAI = 90;
    TIsomeForm f(p, 1024);
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("アイソメ"));
    ASSERT_NE(f.SelRadioGroup->button(1), nullptr);
    ASSERT_NE(f.SelRadioGroup->button(3), nullptr);
    EXPECT_TRUE(f.SelRadioGroup->button(3)->isChecked());
    EXPECT_EQ(f.TauValLabel->text(), "0");
    EXPECT_EQ(f.FaiValLabel->text(), "90");
    f.SelRadioGroup->button(1)->click();  // 正面図
    EXPECT_EQ(p.TAU, 90);
    EXPECT_EQ(p.FAI, 0);
    EXPECT_EQ(f.TauScrollBar->value(), 90);
    f.FaiScrollBar->setValue(25);  // as the user's drag does
    EXPECT_EQ(p.FAI, 25);
    EXPECT_EQ(f.FaiValLabel->text(), "25");
    f.show();
    save_shot(f, "isome.png");
    click_button(f, "Close");
    EXPECT_FALSE(f.isVisible());
}

TEST(TViewForm, ScrollCancelDefaultAndPictures) {
    ViewParams p;
    // The origin inside the box: all three axes have length.
    p.box = {-200, 400, -100, 300, -50, 250};
    TViewForm f(p, 1280);
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("視点"));
    EXPECT_EQ(f.pos().x(), 1280 - 302 - 64);
    EXPECT_EQ(f.bars[kRhoBar]->value(), 4000);
    EXPECT_EQ(f.bars[kThetaBar]->minimum(), -180);
    f.show();
    f.bars[kRhoBar]->setValue(9000);
    EXPECT_EQ(f.value_labels[kRhoBar]->text(), "9000");
    EXPECT_EQ(p.Rho, 4000);
    click_button(f, "Default");
    EXPECT_EQ(f.bars[kRhoBar]->value(), 4000);

    const QImage preview = f.Image2->grab().toImage();
    const QImage sketch = f.Image1->grab().toImage();
    EXPECT_GT(count_colour(preview, 0x000000), 50);  // box edges
    EXPECT_GT(count_colour(preview, 0xFF0000), 5);   // X axis
    EXPECT_GT(count_colour(preview, 0x0000FF), 5);   // Y axis
    EXPECT_GT(count_colour(preview, 0x008000), 5);   // Z axis
    EXPECT_GT(count_colour(sketch, 0xFFFF00), 10);   // "Obj."
    EXPECT_GT(count_colour(sketch, 0x0000FF), 10);   // "Eye"
    save_shot(f, "view.png");

    f.bars[kPhiBar]->setValue(10);
    click_button(f, "Cancel");
    EXPECT_EQ(p.Phi, 70);
    EXPECT_FALSE(f.isVisible());
}

TEST(QtCanvas, ColoursStylesAndInversion) {
    QImage img(40, 20, QImage::Format_RGB32);
    QPainter painter(&img);
    QtCanvas c(&painter, 40, 20);
    c.clear(kWhite);
    c.set_pen(kSolid, 1, kRed);
    c.move_to(0, 5);
    c.line_to(39, 5);
    c.set_pen(kInvisible, 1, kBlue);
    c.move_to(0, 10);
    c.line_to(39, 10);
    c.set_brush(kTeal);
    c.fill_rect(0, 15, 10, 20);
    c.set_pen(kSolid, 1, kBlack);
    c.set_invert(true);
    c.move_to(20, 0);
    c.line_to(20, 19);
    painter.end();
    EXPECT_EQ(img.pixel(10, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);  // invisible pen
    EXPECT_EQ(img.pixel(5, 17) & 0xFFFFFF, 0x008080u);
    EXPECT_EQ(img.pixel(20, 2) & 0xFFFFFF, 0x000000u);  // white inverted
    EXPECT_EQ(img.pixel(20, 5) & 0xFFFFFF, 0x00FFFFu);  // red inverted

    // Drawing the same inverted line again restores the picture.
    QPainter again(&img);
    QtCanvas d(&again, 40, 20);
    d.set_invert(true);
    d.move_to(20, 0);
    d.line_to(20, 19);
    again.end();
    EXPECT_EQ(img.pixel(20, 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(20, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(QtCanvas::pen_style_of(kDotted), Qt::DotLine);
    EXPECT_EQ(QtCanvas::pen_style_of(kDashed), Qt::DashLine);
    EXPECT_EQ(QtCanvas::pen_style_of(kDashDotDot), Qt::DashDotDotLine);
    EXPECT_EQ(QtCanvas::colour_of(99), QColor(Qt::black));
}

}  // namespace
}  // namespace tarvik::views

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no window system.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
