// Pictures of the windows the Qt tests open, saved for a person to look at
// (nothing compares them) in the folder "shots" of the test program's build
// folder: TARVIK_TEST_SHOTS, which tarvik_add_test_program gives every QT
// test program.
#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

namespace test_support {

// The path of name in the shots folder, which is made when missing.
inline QString shot_path(const QString& name) {
    QDir().mkpath(TARVIK_TEST_SHOTS);
    return QString(TARVIK_TEST_SHOTS) + "/" + name;
}

inline void save_shot(QWidget& w, const QString& name) { w.grab().save(shot_path(name)); }

}  // namespace test_support
