#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "fortran_format.h"

namespace veltosol {
namespace {

std::string I(long long v, int w) {
    std::string s;
    put_int(s, v, w);
    return s;
}
std::string F(double v, int w, int d) {
    std::string s;
    put_fixed(s, v, w, d);
    return s;
}
std::string E(double v, int w, int d) {
    std::string s;
    put_exp(s, v, w, d);
    return s;
}
std::string A(std::string_view v, int w) {
    std::string s;
    put_text(s, v, w);
    return s;
}

TEST(EditDescriptors, IntegersRightJustifiedOrStars) {
    EXPECT_EQ(I(42, 5), "   42");
    EXPECT_EQ(I(-42, 5), "  -42");
    EXPECT_EQ(I(99999, 5), "99999");
    EXPECT_EQ(I(100000, 5), "*****");
    EXPECT_EQ(I(-9999, 5), "-9999");
    EXPECT_EQ(I(-10000, 5), "*****");
    EXPECT_EQ(I(100, 2), "**");  // the load number column from load 100 on
    EXPECT_EQ(I(7, 1), "7");
}

TEST(EditDescriptors, FixedPoint) {
    EXPECT_EQ(F(0.5, 10, 1), "       0.5");
    EXPECT_EQ(F(-0.5, 10, 1), "      -0.5");
    EXPECT_EQ(F(300.0, 10, 3), "   300.000");
    EXPECT_EQ(F(0.35, 10, 1), "       0.3");  // 0.35 is a little below in binary
    EXPECT_EQ(F(1.0, 10, 5), "   1.00000");
    EXPECT_EQ(F(-1.0, 10, 5), "  -1.00000");
    EXPECT_EQ(F(-0.0, 10, 5), "   0.00000");
    EXPECT_EQ(F(-0.04, 10, 1), "      -0.0");
    EXPECT_EQ(F(123456789.0, 10, 1), "**********");
    EXPECT_EQ(F(12345678.0, 10, 1), "12345678.0");
    EXPECT_EQ(F(0.5, 3, 2), ".50");  // the leading zero is optional when it does not fit
}

TEST(EditDescriptors, ExponentForm) {
    EXPECT_EQ(E(1234.5, 12, 5), " 0.12345E+04");
    EXPECT_EQ(E(-0.001, 12, 5), "-0.10000E-02");
    EXPECT_EQ(E(0.0, 12, 5), " 0.00000E+00");
    EXPECT_EQ(E(-0.0, 12, 5), " 0.00000E+00");
    EXPECT_EQ(E(1.0, 15, 7), "  0.1000000E+01");
    EXPECT_EQ(E(-938.66, 12, 4), " -0.9387E+03");
    EXPECT_EQ(E(0.99999, 12, 4), "  0.1000E+01");  // rounding carries into the exponent
    EXPECT_EQ(E(9.99996e-6, 12, 4), "  0.1000E-04");
    EXPECT_EQ(E(1.0e-5, 12, 5), " 0.10000E-04");
}

TEST(EditDescriptors, ThreeDigitExponentDropsTheLetter) {
    EXPECT_EQ(E(1.2345e99, 12, 5), " 0.12345+100");
    EXPECT_EQ(E(-1.2345e99, 12, 5), "-0.12345+100");
    EXPECT_EQ(E(1.0e-100, 12, 5), " 0.10000E-99");
    EXPECT_EQ(E(1.0e-101, 12, 5), " 0.10000-100");
    EXPECT_EQ(E(1.2345e98, 12, 5), " 0.12345E+99");
    EXPECT_EQ(E(1.0e300, 13, 5), "  0.10000+301");
}

TEST(EditDescriptors, NonFiniteValuesAndTooNarrowFieldsAreStars) {
    EXPECT_EQ(E(1.0 / 0.0 * 1.0, 12, 5), "************");
    EXPECT_EQ(F(std::nan(""), 10, 1), "**********");
    EXPECT_EQ(E(-1.0, 8, 5), "********");
}

TEST(EditDescriptors, TextFields) {
    EXPECT_EQ(A("X00Y01Z02   ", 9), "X00Y01Z02");
    EXPECT_EQ(A("ABCDEFGHIJKL", 12), "ABCDEFGHIJKL");
    EXPECT_EQ(A("ABCDEFGHIJKL", 9), "ABCDEFGHI");
    EXPECT_EQ(A("111111", 9), "   111111");  // a support mode in A9
}

TEST(Formats, LiteralsBlanksAndSlash) {
    Format f("(5X,'NOD=',I5,2X,'NEL=',I5,/,5X,'No')");
    EXPECT_EQ(f({3, 2}), "     NOD=    3  NEL=    2\r\n     No\r\n");
    Format g("(/,5X,'---STRESS---',/)");
    EXPECT_EQ(g({}), "\r\n     ---STRESS---\r\n\r\n");
    Format zero("('0','D.O.F.=',I5)");
    EXPECT_EQ(zero({24}), "0D.O.F.=   24\r\n");
    Format quote("('It''s',I2)");
    EXPECT_EQ(quote({1}), "It's 1\r\n");
}

TEST(Formats, RepeatCountsAndReversion) {
    Format ten("(10I5)");
    std::vector<FmtValue> v;
    for (int i = 1; i <= 11; ++i) v.emplace_back(i);
    std::string out;
    ten.write(out, v.data(), v.size());
    EXPECT_EQ(out, "    1    2    3    4    5    6    7    8    9   10\r\n   11\r\n");

    Format three("(3I5)");
    EXPECT_EQ(three({1, 2, 3, 4, 5, 6}), "    1    2    3\r\n    4    5    6\r\n");

    Format eight("(1X,8E12.4)");
    std::vector<FmtValue> w(11, FmtValue(1.0));
    out.clear();
    eight.write(out, w.data(), w.size());
    std::string one = "  0.1000E+01";
    std::string line1 = " ", line2 = " ";
    for (int i = 0; i < 8; ++i) line1 += one;
    for (int i = 0; i < 3; ++i) line2 += one;
    EXPECT_EQ(out, line1 + "\r\n" + line2 + "\r\n");
}

TEST(Formats, OutputStopsAtTheFirstDataFieldWithoutAValue) {
    // Trailing X skips write nothing; the text before the next data field is written.
    Format f("(5X,I5,5X,I5,8X,20I5)");
    EXPECT_EQ(f({1, 0}), "         1         0\r\n");
    Format g("(5X,I5,5X,'INDV =',2I5)");
    EXPECT_EQ(g({3, 0, 0}), "         3     INDV =    0    0\r\n");
    Format empty("(10I5)");
    EXPECT_EQ(empty({}), "\r\n");
}

TEST(Formats, ContinuationLinesOfALongRestraintList) {
    Format f("(5X,I5,5X,I5,8X,20I5)");
    std::vector<FmtValue> v{1, 23};
    for (int i = 1; i <= 23; ++i) v.emplace_back(i);
    std::string out;
    f.write(out, v.data(), v.size());
    auto nl = out.find("\r\n");
    ASSERT_NE(nl, std::string::npos);
    // The second line repeats the layout: 2 + 20 fields, taking the last three numbers.
    EXPECT_EQ(out.substr(nl + 2), "        21        22           23\r\n");
}

TEST(Formats, MalformedFormatsAreRejected) {
    EXPECT_THROW(Format("5X,I5"), std::invalid_argument);
    EXPECT_THROW(Format("(I)"), std::invalid_argument);
    EXPECT_THROW(Format("(F10)"), std::invalid_argument);
    EXPECT_THROW(Format("('abc"), std::invalid_argument);
    EXPECT_THROW(Format("(Q5)"), std::invalid_argument);
}

// The edit descriptors as printf would give them: the digits of "%.*f" and
// "%.*e", then the field rules (optional leading zero, right justified, stars
// when too wide). The fast conversions must match them to the byte.
std::string printf_fixed(double v, int w, int d) {
    if (v == 0.0) v = 0.0;
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", d, v);
    std::string s(buf);
    if (d == 0) s += '.';
    if (static_cast<int>(s.size()) > w) {
        const std::size_t z = s[0] == '-' ? 1 : 0;
        if (s.size() > z + 1 && s[z] == '0' && s[z + 1] == '.') s.erase(z, 1);
    }
    return static_cast<int>(s.size()) > w ? std::string(w, '*')
                                          : std::string(w - s.size(), ' ') + s;
}

std::string printf_exp(double v, int w, int d) {
    std::string s;
    if (v == 0.0) {
        s = "0." + std::string(d, '0') + "E+00";
    } else {
        char buf[512];
        std::snprintf(buf, sizeof buf, "%.*e", d - 1, std::fabs(v));
        const int exponent = std::atoi(std::strchr(buf, 'e') + 1) + 1;
        s = std::string(v < 0 ? "-" : "") + "0." + buf[0] + std::string(buf + 2, d - 1);
        char e[16];
        std::snprintf(e, sizeof e, std::abs(exponent) <= 99 ? "E%c%02d" : "%c%03d",
                      exponent < 0 ? '-' : '+', std::abs(exponent));
        s += e;
    }
    if (static_cast<int>(s.size()) > w) {
        const std::size_t z = s[0] == '-' ? 1 : 0;
        if (s.size() > z + 1 && s[z] == '0' && s[z + 1] == '.') s.erase(z, 1);
    }
    return static_cast<int>(s.size()) > w ? std::string(w, '*')
                                          : std::string(w - s.size(), ' ') + s;
}

TEST(EditDescriptors, FastConversionsGiveThePrintfDigits) {
    std::mt19937_64 rng(20261209);
    std::vector<double> values{0.0, -0.0, 0.125, -0.125, 2.5, 3.5, 0.5, 1.5, 0.0625, 1e-300,
                               -1e300, 9.9999995, 99.99995, 0.99999999, 1e100, 1e-100, 5e-324};
    for (int k = 0; k < 20000; ++k) {
        const double mantissa = std::uniform_real_distribution<double>(-10.0, 10.0)(rng);
        const int exponent = std::uniform_int_distribution<int>(-14, 14)(rng);
        values.push_back(mantissa * std::pow(10.0, exponent));
        // Exact binary fractions: ties for the rounding of the last digit.
        values.push_back(std::ldexp(static_cast<double>(static_cast<int>(rng() % 20001) - 10000),
                                    -static_cast<int>(rng() % 12)));
    }
    struct Field {
        int w, d;
    };
    const Field exp_fields[] = {{15, 7}, {12, 4}, {13, 5}, {12, 5}, {7, 1}, {9, 3}};
    const Field fixed_fields[] = {{10, 3}, {12, 4}, {8, 0}, {15, 7}, {6, 2}, {20, 10}};
    for (double v : values) {
        for (const Field& f : exp_fields) {
            const std::string expected = printf_exp(v, f.w, f.d);
            ASSERT_EQ(E(v, f.w, f.d), expected) << v;
            ASSERT_EQ(E(v, f.w, f.d), expected) << v << " again";  // a repeated value
        }
        for (const Field& f : fixed_fields)
            ASSERT_EQ(F(v, f.w, f.d), printf_fixed(v, f.w, f.d)) << v;
    }
    for (long long i : {0LL, -1LL, 12345LL, -99999LL, 9223372036854775807LL}) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%lld", i);
        EXPECT_EQ(I(i, 25), std::string(25 - std::strlen(buf), ' ') + buf);
    }
}

TEST(FreeLines, BlankThenItems) {
    EXPECT_EQ(free_line({"PASS FOPEN NOD NEL", 0, 0}), " PASS FOPEN NOD NEL 0 0\r\n");
    EXPECT_EQ(free_line({"ENTER MXMLT N ND", 12, 20}), " ENTER MXMLT N ND 12 20\r\n");
}

}  // namespace
}  // namespace veltosol
