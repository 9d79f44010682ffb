#include "ui/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarvik::ui {

int load_qt_japanese(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    int installed = 0;
    // qtbase holds the dialogs and buttons; qt_ja gathers the other modules.
    for (const char* name : {"qtbase_ja", "qt_ja"}) {
        auto* t = new QTranslator(&app);  // lives as long as the application
        if (t->load(QString::fromLatin1(name), folder) && app.installTranslator(t))
            ++installed;
        else
            delete t;
    }
    return installed;
}

}  // namespace tarvik::ui
