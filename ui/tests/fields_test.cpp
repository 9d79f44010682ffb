#include "ui/fields.h"

#include <gtest/gtest.h>

namespace tarvik::ui {
namespace {

TEST(NumberFields, ReadNumbersAsTheFieldsShowThem) {
    float f = -7.0f;
    EXPECT_TRUE(parse_float("   -1000.0", f));
    EXPECT_EQ(f, -1000.0f);
    EXPECT_TRUE(parse_float(" 1.000e+05 ", f));
    EXPECT_EQ(f, 100000.0f);
    EXPECT_TRUE(parse_float("+3", f));
    EXPECT_EQ(f, 3.0f);
    EXPECT_TRUE(parse_float(".5", f));
    EXPECT_EQ(f, 0.5f);
    f = -7.0f;
    for (const char* bad :
         {"", "   ", "12,5", "1.2.3", "abc", "12cm", "nan", "inf", "1e39", "- 1"}) {
        EXPECT_FALSE(parse_float(bad, f)) << bad;
        EXPECT_EQ(f, -7.0f) << bad;  // nothing stored from a bad text
    }
}

TEST(NumberFields, IntegersOnlyInIntegerFields) {
    int v = 9;
    EXPECT_TRUE(parse_int(" 2", v));
    EXPECT_EQ(v, 2);
    EXPECT_TRUE(parse_int("-1", v));
    EXPECT_EQ(v, -1);
    v = 9;
    for (const char* bad : {"", "1.0", "1e2", "x", "99999999999"}) {
        EXPECT_FALSE(parse_int(bad, v)) << bad;
        EXPECT_EQ(v, 9) << bad;
    }
}

TEST(NumberFields, FormattedTextIsNeverCutShort) {
    EXPECT_EQ(cformat(" %5d", 3), "     3");
    EXPECT_EQ(cformat(" %8.1f", -12.5), "    -12.5");
    // A long message and the largest float keep every character.
    EXPECT_EQ(cformat("検索データ数が上限 %d を超えるため選択できません", 3000),
              "検索データ数が上限 3000 を超えるため選択できません");
    EXPECT_EQ(cformat("%.1f", 3.4028234663852886e38).size(), 41u);
}

}  // namespace
}  // namespace tarvik::ui
