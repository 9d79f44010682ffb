// Qt's own texts in Japanese: the buttons of message boxes, the file and
// print dialogs, the context menus of edit fields. They come from the
// translation catalogues the system's Qt installs (Debian: qt6-translations-l10n).
#pragma once

class QCoreApplication;

namespace tarvik::ui {

// Installs the Japanese catalogues "qtbase_ja" and, where present, "qt_ja"
// from Qt's translations folder into app. Call it before the first window is
// made. Returns how many catalogues were installed: 0 when the package is
// missing, and Qt then keeps its English texts.
int load_qt_japanese(QCoreApplication& app);

}  // namespace tarvik::ui
