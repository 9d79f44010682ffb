// Qt's own dialogs in Japanese: the file dialog the program opens, with the
// catalogues loaded as the program loads them at start-up. A picture of it
// goes to the build folder for review.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "ui/qt/qt_translations.h"

namespace tarvik::ui {
namespace {

// Every text of the buttons and labels of a window.
QStringList texts_of(QWidget& w) {
    QStringList t;
    for (auto* b : w.findChildren<QAbstractButton*>()) t << b->text();
    for (auto* l : w.findChildren<QLabel*>()) t << l->text();
    return t;
}

TEST(QtJapanese, FileDialogAndMessageButtonsSpeakJapanese) {
    ASSERT_GE(load_qt_japanese(*QCoreApplication::instance()), 1)
        << "Qt's Japanese catalogues are missing (Debian: qt6-translations-l10n)";

    // The dialog as the open commands make it, drawn by Qt itself so that it
    // looks the same on every desktop.
    QDir().mkpath(UI_QT_SHOTS);
    QFileDialog d(nullptr, QString::fromUtf8("構造データを開く"), QString(UI_QT_SHOTS),
                  QString::fromUtf8("構造データ (*.man)"));
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.resize(720, 460);
    d.show();
    QApplication::processEvents();
    // Shortcut marks such as "(&O)" may follow the words.
    const QString all = texts_of(d).join("|");
    EXPECT_TRUE(all.contains(QString::fromUtf8("キャンセル"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QString::fromUtf8("開く"))) << all.toStdString();
    EXPECT_FALSE(all.contains("Cancel")) << all.toStdString();
    EXPECT_TRUE(d.grab().save(QString(UI_QT_SHOTS) + "/file_dialog_ja.png"));
    d.reject();

    // The buttons of a question box.
    QMessageBox box(QMessageBox::Question, QString::fromUtf8("確認"),
                    QString::fromUtf8("保存しますか?"), QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QString::fromUtf8("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QString::fromUtf8("いいえ")))
        << box.button(QMessageBox::No)->text().toStdString();
}

}  // namespace
}  // namespace tarvik::ui
