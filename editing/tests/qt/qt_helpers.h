// What the Qt tests of the editing windows share: pictures of the windows in
// the build folder, and the user's actions in the next modal dialog.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "testing/qt_shots.h"
#include "ui/qt/field_form.h"

namespace tarvik::editing {

using test_support::save_shot;

// Does what the user does in the next modal dialog once it is on the screen.
inline void in_next_dialog(std::function<void(ui::TFieldDialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* d = qobject_cast<ui::TFieldDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        save_shot(*d, (d->windowTitle() + ".png").toUtf8().constData());
        act(*d);
    });
}

// Acts in the next modal window of type W once it is on the screen; looks
// again every 10 ms, for a second at the most.
template <class W>
void when_shown(std::function<void(W&)> act, int tries = 100) {
    QTimer::singleShot(10, [act, tries] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget()))
            act(*w);
        else if (tries > 0)
            when_shown<W>(act, tries - 1);
        else
            ADD_FAILURE() << "the window did not come";
    });
}

}  // namespace tarvik::editing
