#include "ui/qt/qt_text.h"

namespace tarvik::ui {

QString qt_filter(std::string_view filter) {
    const auto bar = filter.find('|');
    if (bar == std::string_view::npos) return qs(filter);
    const QString caption = qs(filter.substr(0, bar));
    const QString pattern = qs(filter.substr(bar + 1));
    const int open = caption.indexOf('(');
    const QString name = (open >= 0 ? caption.left(open) : caption).trimmed();
    // The pattern in either case, once when the two are the same ("*.*").
    const QString upper = pattern.toUpper();
    return name + " (" + pattern + (upper == pattern ? QString() : " " + upper) + ")";
}

}  // namespace tarvik::ui
