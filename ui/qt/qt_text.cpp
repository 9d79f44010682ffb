#include "ui/qt/qt_text.h"

namespace tarvik::ui {

QString qt_filter(std::string_view filter) {
    const auto bar = filter.find('|');
    if (bar == std::string_view::npos) return qs(filter);
    const QString caption = qs(filter.substr(0, bar));
    const QString pattern = qs(filter.substr(bar + 1));
    const int open = caption.indexOf('(');
    const QString name = open >= 0 ? caption.left(open) : caption;
    return name + " (" + pattern + " " + pattern.toUpper() + ")";
}

}  // namespace tarvik::ui
