// The text catalog: every Japanese text the system shows or writes has a
// CP932 form, since files and the trace carry them in that code page. A
// character without one (a wave dash in its other code point, say) would
// reach the files as '?'.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "model/text_code.h"

namespace tarvik::model {
namespace {

std::string read_catalog() {
    std::ifstream in(TEXTS_HEADER, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(TextCatalog, EveryJapaneseTextHasACp932Form) {
    const std::string catalog = read_catalog();
    ASSERT_FALSE(catalog.empty()) << TEXTS_HEADER;
    const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)")re");
    int japanese = 0;
    for (std::sregex_iterator it(catalog.begin(), catalog.end(), literal), end; it != end; ++it) {
        const std::string text = (*it)[1].str();
        bool ascii = true;
        for (unsigned char c : text) ascii = ascii && c < 0x80;
        if (ascii) continue;
        ++japanese;
        const std::string coded = to_cp932(text);
        EXPECT_EQ(std::count(coded.begin(), coded.end(), '?'), std::count(text.begin(), text.end(), '?'))
            << "no CP932 form for a character of \"" << text << "\"";
        EXPECT_NE(coded, text) << "not converted: \"" << text << "\"";
    }
    EXPECT_GT(japanese, 100);
}

}  // namespace
}  // namespace tarvik::model
