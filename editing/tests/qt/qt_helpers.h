// What the Qt tests of the editing windows share: pictures of the windows in
// the build folder, and the user's actions in the next modal dialog.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "ui/qt/field_form.h"

namespace tarvik::editing {

inline void save_shot(QWidget& w, const char* name) {
    QDir().mkpath(EDITING_QT_SHOTS);
    w.grab().save(QString(EDITING_QT_SHOTS) + "/" + name);
}

// Does what the user does in the next modal dialog once it is on the screen.
inline void in_next_dialog(std::function<void(ui::TFieldDialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* d = qobject_cast<ui::TFieldDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        save_shot(*d, (d->windowTitle() + ".png").toUtf8().constData());
        act(*d);
    });
}

}  // namespace tarvik::editing
