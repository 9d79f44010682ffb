// The hourglass over the whole application while a window computes.
#pragma once

#include <QApplication>

namespace tarvik::ui {

inline void set_busy_cursor(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace tarvik::ui
