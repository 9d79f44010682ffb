// The solver input writer: exact bytes and honest failure.
#include "files/honegumi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "files/tests/model_file_test.h"

namespace tarvik::files {
namespace {

using namespace testing;  // the file tests' scratch folder, bytes and messages

class HonegumiTest : public testing::ModelFileTest {
  protected:
    // The post and girder; the post's foot fixed, a downward load at the
    // girder's free end.
    void make_frame() {
        make_post_and_girder();
        ASSERT_EQ(model::save_level_name(m, msg), 0);
        fix_node(1);
        model::Load l{};
        model::set_code(l.id, m.node[2].id);
        l.no = 3;
        l.pz = -200.0f;
        model::add_load(m, l, msg);
    }
};

TEST_F(HonegumiTest, SmallFrameGivesExactBytes) {
    make_frame();
    const std::string expected = crlf_lines({
        "     2",
        "  0.00000e+00",
        "  9.00000e+01",
        "     1",
        "  0.00000e+00",
        "     2",
        "  0.00000e+00",
        "  3.00000e+02",
        "     3     2",
        "     1     1     2     1     1        0.0 X00Y00Z00 X00Y00Z01",
        "     2     2     3     2     2        0.0 X00Y00Z01 X01Y00Z01",
        "     2",
        "     1 1.728e+03 1.728e+03 1.440e+02 2.915e+03",  // J = 0.1406 * 12 * 12^3
        "     2 5.832e+03 2.592e+03 2.160e+02 6.096e+03",  // Iy before Iz before A
        "     2",
        "     1 1.000e+05 3.000e-01 5.000e-04",
        "     2 1.000e+05 3.000e-01 5.000e-04",
        "     3",
        "     1       0.0       0.0       0.0 X00Y00Z00",
        "     2       0.0       0.0     300.0 X00Y00Z01",
        "     3      90.0       0.0     300.0 X01Y00Z01",
        "     1",
        "     1,111111",
        "     1",
        " X01Y00Z01,    3,       0.0,       0.0,    -200.0,       0.0,       0.0,       0.0",
    });
    expect_saved_as(expected, format_honegumi, save_honegumi, "frame.bon");
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(HonegumiTest, SupportLineCarriesTranslationCodesAndFixedRotations) {
    make_frame();
    m.fix[0].no = 7;
    m.fix[0].zfix = 0;
    const std::string text = format_honegumi(m);
    EXPECT_NE(text.find("\r\n     1\r\n     7,110111\r\n"), std::string::npos);
    m.fix[0].no = 12;
    m.fix[0].zfix = 1;
    EXPECT_NE(format_honegumi(m).find("\r\n    12,111111\r\n"), std::string::npos);
}

TEST_F(HonegumiTest, ModelWithoutLevelsOrSizesStillHasEveryBlock) {
    testing::add_member(m, msg, 0, 0, 0, 0, 0, 300);
    EXPECT_EQ(format_honegumi(m), crlf_lines({
                                      "     0",
                                      "     0",
                                      "     0",
                                      "     2     1",
                                      "     1     1     2    -1    -1        0.0"
                                      "          "
                                      "          ",  // two empty codes
                                      "     0",
                                      "     0",
                                      "     2",
                                      "     1       0.0       0.0       0.0          ",
                                      "     2       0.0       0.0     300.0          ",
                                      "     0",
                                      "     0",
                                  }));
}

TEST_F(HonegumiTest, LongCodesAndWideNumbersWidenTheirLines) {
    testing::add_member(m, msg, 0, 0, 0, 123456.0f, 0, 0);
    model::set_code(m.node[1].id, "LONGCODE123");
    m.node[1].no = 123456;
    const std::string text = format_honegumi(m);
    EXPECT_NE(text.find("\r\n 123456  123456.0       0.0       0.0 LONGCODE123\r\n"),
              std::string::npos);
}

TEST_F(HonegumiTest, SameModelTwiceGivesIdenticalFiles) {
    make_frame();
    ASSERT_EQ(save_honegumi(m, dir.file("a.bon"), msg), 0);
    ASSERT_EQ(save_honegumi(m, dir.file("a.bon"), msg), 0);
    ASSERT_EQ(save_honegumi(m, dir.file("b.bon"), msg), 0);
    EXPECT_EQ(read_bytes(dir.file("a.bon")), read_bytes(dir.file("b.bon")));
    // No temporary file is left beside them.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(files, 2);
}

TEST_F(HonegumiTest, UncreatableFileIsReportedAndNothingWritten) {
    make_frame();
    EXPECT_EQ(save_honegumi(m, dir.file("no/such/dir/x.bon"), msg), -1);
    EXPECT_EQ(save_honegumi(m, dir.path().string(), msg), -1);  // a folder of that name
    ASSERT_EQ(msg.shown.size(), 2u);
    EXPECT_EQ(msg.shown[0], "Error: Unable to open BonFile");
    EXPECT_EQ(msg.shown[1], "Error: Unable to open BonFile");
}

// A write that fails after the file was created (here: the file size limit)
// gives -1 and leaves the old file as it was.
TEST_F(HonegumiTest, FailedWriteKeepsTheOldFile) {
    make_frame();
    const std::string path = dir.file("keep.bon");
    testing::write_bytes(path, "old contents");
    const int result =
        test_support::with_file_size_limit(100, [&] { return save_honegumi(m, path, msg); });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(read_bytes(path), "old contents");
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "Error: Unable to write BonFile");
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace tarvik::files
