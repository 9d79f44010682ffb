// Our own help window: a short guide to the work and to each menu.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace tarvik::app {

class THelpForm : public QDialog {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

    // The guide as HTML.
    static QString contents();

private:
    QTextBrowser* browser_;
};

}  // namespace tarvik::app
