// The Qt text helpers shared by every window.
#include <gtest/gtest.h>

#include "ui/qt/qt_text.h"

namespace tarvik::ui {
namespace {

TEST(QtFilters, CaptionAndPatternBecomeAQtFilter) {
    EXPECT_EQ(qt_filter("Velto入力データ(*.bon)|*.bon"),
              QString::fromUtf8("Velto入力データ (*.bon *.BON)"));
    EXPECT_EQ(qt_filter("軸データ(*.JIK)|*.jik"), QString::fromUtf8("軸データ (*.jik *.JIK)"));
    // A pattern without letters is given once, and a blank before the
    // caption's own pattern is not doubled.
    EXPECT_EQ(qt_filter("計算結果 (*.*)|*.*"), QString::fromUtf8("計算結果 (*.*)"));
}

}  // namespace
}  // namespace tarvik::ui
