#include <gtest/gtest.h>

#include <cstring>

#include "list_reader.h"

namespace veltosol {
namespace {

std::string name(const char* field, std::size_t n) { return std::string(field, n); }

TEST(ListReader, BlanksAndCommasSeparateValues) {
    ListReader r(" 3 4\r\n 5,6 , 7\r\n");
    int a = 0, b = 0, c = 0, d = 0, e = 0;
    r.begin("first");
    r.integer(a);
    r.integer(b);
    r.begin("second");
    r.integer(c);
    r.integer(d);
    r.integer(e);
    r.end();
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 4);
    EXPECT_EQ(c, 5);
    EXPECT_EQ(d, 6);
    EXPECT_EQ(e, 7);
}

TEST(ListReader, EachReadStartsOnANewLineAndSkipsLeftovers) {
    ListReader r(" 1 2 3 99 98\r\n 4\r\n");
    int a = 0, b = 0;
    r.begin("member");
    r.integer(a);
    r.begin("next");
    r.integer(b);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 4);
}

TEST(ListReader, AReadContinuesOverLines) {
    ListReader r(" 1\r\n\r\n 2\r\n 3 4\r\n 5\r\n");
    int v[3] = {};
    int w = 0;
    r.begin("three values");
    for (int& x : v) r.integer(x);
    r.begin("after");
    r.integer(w);
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[1], 2);
    EXPECT_EQ(v[2], 3);
    EXPECT_EQ(w, 5);  // the 4 left on the third line is skipped
}

TEST(ListReader, EmptyValuesKeepTheField) {
    char field[12];
    std::memset(field, ' ', sizeof field);
    std::memcpy(field, "PREV", 4);
    int node = 0;
    double x = 7.5, y = 0.0;
    // A load line whose name is empty: blanks and a comma.
    ListReader r("          ,    5,  ,   2.5\r\n");
    r.begin("load");
    r.text(field, 12);
    r.integer(node);
    r.real(x);
    r.real(y);
    EXPECT_EQ(name(field, 12), "PREV        ");
    EXPECT_EQ(node, 5);
    EXPECT_EQ(x, 7.5);
    EXPECT_EQ(y, 2.5);
}

TEST(ListReader, NamesArePaddedOrCut) {
    char a[12], b[12], c[12];
    ListReader r(" X00Y01Z02 'Q U,O' ABCDEFGHIJKLMNOP\r\n");
    r.begin("names");
    r.text(a, 12);
    r.text(b, 12);
    r.text(c, 12);
    EXPECT_EQ(name(a, 12), "X00Y01Z02   ");
    EXPECT_EQ(name(b, 12), "Q U,O       ");
    EXPECT_EQ(name(c, 12), "ABCDEFGHIJKL");
}

TEST(ListReader, SupportModesAreCharacters) {
    char mode[6];
    int node = 0;
    ListReader r("     5,110111\r\n     6,1\r\n     7,001111\r\n");
    r.begin("support");
    r.integer(node);
    r.text(mode, 6);
    EXPECT_EQ(node, 5);
    EXPECT_EQ(name(mode, 6), "110111");
    r.begin("support");
    r.integer(node);
    r.text(mode, 6);
    EXPECT_EQ(name(mode, 6), "1     ");
    r.begin("support");
    r.integer(node);
    r.text(mode, 6);
    EXPECT_EQ(name(mode, 6), "001111");  // leading zeros are kept
}

TEST(ListReader, RealForms) {
    ListReader r(" 1.5 -0.25 2.10000e+05 3 1.0D2 -7.E-1\r\n");
    double v[6] = {};
    r.begin("reals");
    for (double& x : v) r.real(x);
    EXPECT_EQ(v[0], 1.5);
    EXPECT_EQ(v[1], -0.25);
    EXPECT_EQ(v[2], 210000.0);
    EXPECT_EQ(v[3], 3.0);
    EXPECT_EQ(v[4], 100.0);
    EXPECT_EQ(v[5], -0.7);
}

TEST(ListReader, RepeatCountsAndSlash) {
    ListReader r(" 3*2.5 2* 9\r\n 1 / 5\r\n");
    double v[6] = {0, 0, 0, -1, -1, 0};
    r.begin("repeat");
    for (double& x : v) r.real(x);
    EXPECT_EQ(v[0], 2.5);
    EXPECT_EQ(v[2], 2.5);
    EXPECT_EQ(v[3], -1);  // null values keep the fields
    EXPECT_EQ(v[4], -1);
    EXPECT_EQ(v[5], 9);
    int a = 0, b = 42;
    r.begin("slash");
    r.integer(a);
    r.integer(b);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 42);  // the slash ends the read
}

TEST(ListReader, EndOfFileNamesTheRecord) {
    ListReader r(" 1 2\r\n");
    int a = 0;
    r.begin("x");
    r.integer(a);
    r.begin("member record 3 of 4");
    try {
        r.integer(a);
        FAIL() << "no error";
    } catch (const ReadError& e) {
        EXPECT_EQ(e.kind(), ReadError::Kind::EndOfFile);
        EXPECT_NE(std::string(e.what()).find("VELTOSOL.IN"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("end of file"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("member record 3 of 4"), std::string::npos);
    }
}

TEST(ListReader, ConversionErrors) {
    const char* bad_ints[] = {" abc\r\n", " 1.5\r\n", " 99999999999\r\n", " +\r\n"};
    for (const char* text : bad_ints) {
        ListReader r(text);
        int a = 0;
        r.begin("count");
        try {
            r.integer(a);
            ADD_FAILURE() << text;
        } catch (const ReadError& e) {
            EXPECT_EQ(e.kind(), ReadError::Kind::Conversion) << text;
            EXPECT_NE(std::string(e.what()).find("conversion error"), std::string::npos);
        }
    }
    const char* bad_reals[] = {" x1\r\n", " 0x10\r\n", " inf\r\n", " nan\r\n", " 1e999\r\n",
                               " 1.5.5\r\n", " .\r\n"};
    for (const char* text : bad_reals) {
        ListReader r(text);
        double x = 0;
        r.begin("value");
        EXPECT_THROW(r.real(x), ReadError) << text;
    }
}

}  // namespace
}  // namespace veltosol
