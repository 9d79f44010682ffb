// Text between the presenters (UTF-8) and Qt.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarvik::ui {

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
inline QString qs(const char* s) {
    return QString::fromUtf8(s);
}
inline QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// "caption|pattern" as the presenters give a file filter, in Qt's form:
// "軸データ(*.JIK)|*.jik" becomes "軸データ (*.jik *.JIK)", the caption before
// the bracket with the pattern in both letter cases.
QString qt_filter(std::string_view filter);

}  // namespace tarvik::ui
