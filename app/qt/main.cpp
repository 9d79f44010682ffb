// tarvik: the design program. The current directory at start-up is where the
// solver's exchange files and the trace are written; started with --desktop
// (as the desktop menu does) it works in the user's own working folder.
#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/desktop_start.h"
#include "app/main_flow.h"
#include "ui/qt/qt_messages.h"
#include "ui/qt/qt_translations.h"
#include "app/qt/t_new_form.h"
#include "model/model_store.h"
#include "render/stroke_text.h"
#include "render/view_params.h"
#include "tarvik_version.h"

int main(int argc, char** argv) {
    bool desktop = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s\n", tarvik::app::version_line("tarvik").c_str());
            return 0;
        }
        if (std::strcmp(argv[i], "--desktop") == 0) desktop = true;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvik");
    QApplication::setApplicationVersion(TARVIK_VERSION);
    // Qt's own dialogs speak Japanese like the rest of the program.
    tarvik::ui::load_qt_japanese(app);

    if (desktop) {
        std::string error;
        const std::string folder =
            tarvik::app::desktop_work_folder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        if (!tarvik::app::enter_work_folder(folder, error)) {
            QMessageBox::critical(nullptr, "Tarvik",
                                  QString::fromUtf8("作業フォルダを用意できません: ") +
                                      QString::fromStdString(error));
            return 1;
        }
    }

    auto store = std::make_unique<tarvik::model::ModelStore>();
    tarvik::render::ViewParams params;
    tarvik::app::AppContext ctx{*store, params, QDir::currentPath().toStdString(),
                                QCoreApplication::applicationDirPath().toStdString()};
    tarvik::render::StrokeText text(tarvik::render::font_folders(ctx.cDirectory, ctx.program_dir));
    {
        // The trace comes first, so that the rest of the start-up is in it.
        tarvik::ui::QtMessages early(nullptr);
        tarvik::app::start_up(early);
    }
    tarvik::app::TNewForm window(ctx, text);
    window.showMaximized();
    return app.exec();
}
