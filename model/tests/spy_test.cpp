// The diagnostic trace: its file, line ends, encoding and table dump.
#include "model/spy.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::model {
namespace {

class SpyTest : public ::testing::Test {
  protected:
    std::string path = (std::filesystem::temp_directory_path() /
                        ("spy_test_" + std::to_string(::getpid()) + ".txt"))
                           .string();

    void TearDown() override {
        spy_close();
        std::filesystem::remove(path);
    }

    std::string contents() {
        spy_close();
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(SpyTest, LinesEndWithCarriageReturnAndLineFeed) {
    ASSERT_TRUE(spy_open(path));
    spy("Spy Start");
    spy("cDirectory %s", "/w");
    EXPECT_EQ(contents(), "Spy Start\r\ncDirectory /w\r\n");
}

TEST_F(SpyTest, OpeningAgainStartsANewFile) {
    ASSERT_TRUE(spy_open(path));
    spy("old");
    ASSERT_TRUE(spy_open(path));
    spy("new");
    EXPECT_EQ(contents(), "new\r\n");
}

TEST_F(SpyTest, JapaneseIsWrittenInShiftJis) {
    ASSERT_TRUE(spy_open(path));
    spy("%s", "節点 ①");  // CP932 has the circled digit
    EXPECT_EQ(contents(), "\x90\xDF\x93\x5F \x87\x40\r\n");
}

TEST_F(SpyTest, CharactersWithoutAShiftJisFormBecomeQuestionMarks) {
    ASSERT_TRUE(spy_open(path));
    spy("a\xF0\x9F\x98\x80"
        "b\xE7\xAF\x80");  // emoji, then 節
    EXPECT_EQ(contents(), "a?b\x90\xDF\r\n");
}

TEST_F(SpyTest, UncreatableTraceIsReportedAndCallsAreHarmless) {
    EXPECT_FALSE(spy_open("/nonexistent-dir/SPY.TXT"));
    EXPECT_FALSE(spy_is_open());
    spy("nobody hears this %d", 1);
}

TEST_F(SpyTest, LongLinesAreWrittenWhole) {
    ASSERT_TRUE(spy_open(path));
    const std::string long_text(2000, 'a');
    spy("%s", long_text.c_str());
    EXPECT_EQ(contents(), long_text + "\r\n");
}

TEST_F(SpyTest, LoadOldNodeWithoutCopySaysSo) {
    auto m = std::make_unique<ModelStore>();
    ASSERT_TRUE(spy_open(path));
    load_old_node(*m);
    EXPECT_NE(contents().find("OnSaveOld == 0 do nothing\r\n"), std::string::npos);
}

TEST_F(SpyTest, TableDumpLayout) {
    auto store = std::make_unique<ModelStore>();
    ModelStore& m = *store;
    testing::ScriptedMessages msg;
    testing::add_member(m, msg, 0, 0, 0, 90.5f, 0, -30, 12, 18);
    set_code(m.node[0].id, "X00Y00Z01");
    set_code(m.beam[0].idi, "X00Y00Z01");
    m.node[0].X = 1.25f;
    m.beam[0].XL = -4.0f;
    ASSERT_TRUE(spy_open(path));
    check_all_node_beam(m);
    EXPECT_EQ(
        contents(),
        " No   id           no     x        y        z       X       Y      flag\r\n"
        "     0 X00Y00Z01     1      0.0      0.0      0.0      1.2      0.0  0\r\n"
        "     1               2     90.5      0.0    -30.0      0.0      0.0  0\r\n"
        "No   idi       idj       noi   noj   xs       ys        zs\r\n"
        "             size  mat   XS       YS       XL       YL       flag\r\n"
        "     0 X00Y00Z01               1     2      0.0      0.0      0.0     90.5      0.0"
        "    -30.0\r\n"
        "            -1    -1     12.0     18.0      0.0      0.0     -4.0      0.0     2\r\n");
}

}  // namespace
}  // namespace tarvik::model
