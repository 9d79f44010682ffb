#include "editing/qt/level_range_fields.h"

#include "ui/qt/qt_text.h"

namespace tarvik::editing {

using ui::qs;

QtLevelRange::QtLevelRange(QWidget* parent, const char* total_caption,
                           const char* count_caption) {
    static const char* captions[6] = {"X最小", "X最大", "Y最小", "Y最大", "Z最小", "Z最大"};
    for (int i = 0; i < 6; ++i) {
        const int row = i / 2, col = i % 2;
        (new QLabel(qs(captions[i]), parent))->setGeometry(8 + col * 110, 8 + row * 28, 44, 22);
        edits[i] = new QLineEdit(parent);
        edits[i]->setGeometry(52 + col * 110, 8 + row * 28, 52, 22);
    }
    LabelXmax = new QLabel(parent);
    LabelYmax = new QLabel(parent);
    LabelZmax = new QLabel(parent);
    const char* maxcap[3] = {"X軸最大値", "Y軸最大値", "Z軸最大値"};
    QLabel* maxlabels[3] = {LabelXmax, LabelYmax, LabelZmax};
    for (int i = 0; i < 3; ++i) {
        (new QLabel(qs(maxcap[i]), parent))->setGeometry(220, 4 + i * 28, 76, 15);
        maxlabels[i]->setGeometry(220, 17 + i * 28, 76, 15);
    }
    (new QLabel(qs(total_caption), parent))->setGeometry(8, 96, 70, 22);
    total = new QLineEdit(parent);
    total->setReadOnly(true);
    total->setGeometry(80, 96, 54, 22);
    (new QLabel(qs(count_caption), parent))->setGeometry(142, 96, 80, 22);
    count = new QLineEdit(parent);
    count->setReadOnly(true);
    count->setGeometry(224, 96, 54, 22);
}

LevelTexts QtLevelRange::range_texts() const {
    LevelTexts t;
    for (int i = 0; i < 6; ++i) t[i] = edits[i]->text().toUpper().toStdString();
    return t;
}

void QtLevelRange::set_range_texts(const LevelTexts& texts) {
    for (int i = 0; i < 6; ++i) edits[i]->setText(qs(texts[i]));
}

void QtLevelRange::set_level_max(const std::string& x, const std::string& y,
                                 const std::string& z) {
    LabelXmax->setText(qs(x));
    LabelYmax->setText(qs(y));
    LabelZmax->setText(qs(z));
}

void QtLevelRange::set_total(const std::string& text) { total->setText(qs(text)); }
void QtLevelRange::set_count(const std::string& text) { count->setText(qs(text)); }

}  // namespace tarvik::editing
