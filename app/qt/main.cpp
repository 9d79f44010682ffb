// tarvik: the design program. The current directory at start-up is where the
// solver, its files, the trace and the font table are expected.
#include <QApplication>
#include <QDir>

#include "app/main_flow.h"
#include "ui/qt/qt_messages.h"
#include "app/qt/t_new_form.h"
#include "model/model_store.h"
#include "render/stroke_text.h"
#include "render/view_params.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvik");

    auto store = std::make_unique<tarvik::model::ModelStore>();
    tarvik::render::ViewParams params;
    tarvik::app::AppContext ctx{*store, params, QDir::currentPath().toStdString(),
                                QCoreApplication::applicationDirPath().toStdString()};
    tarvik::render::StrokeText text(ctx.cDirectory);
    {
        // The trace comes first, so that the rest of the start-up is in it.
        tarvik::ui::QtMessages early(nullptr);
        tarvik::app::start_up(early);
    }
    tarvik::app::TNewForm window(ctx, text);
    window.showMaximized();
    return app.exec();
}
