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

}  // namespace
}  // namespace tarvik::ui
