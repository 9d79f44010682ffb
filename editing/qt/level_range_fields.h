// The level range fields of both search windows on Qt: "X最小" .. "Z最大",
// the highest level of each axis, a total and a count, placed from the top
// left corner of their window. Implements LevelRangeView once for both.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>

#include "editing/ken_node_form.h"

namespace tarvik::editing {

class QtLevelRange : public virtual LevelRangeView {
public:
    // Height (pixels) the fields take from the top of the window.
    static constexpr int kHeight = 122;

    QtLevelRange(QWidget* parent, const char* total_caption, const char* count_caption);

    LevelTexts range_texts() const override;
    void set_range_texts(const LevelTexts& texts) override;
    void set_level_max(const std::string& x, const std::string& y, const std::string& z) override;
    void set_total(const std::string& text) override;
    void set_count(const std::string& text) override;

    std::array<QLineEdit*, 6> edits{};  // EditXmin .. EditZmax
    QLabel* LabelXmax = nullptr;
    QLabel* LabelYmax = nullptr;
    QLabel* LabelZmax = nullptr;
    QLineEdit* total = nullptr;  // ZenNodeEdit, EditSouNum
    QLineEdit* count = nullptr;  // KenNumEdit, EditKensakuNum
};

}  // namespace tarvik::editing
