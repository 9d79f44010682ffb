// The axis data writers: the whole model grouped by kind with its volume
// subtotals, and a member list, byte for byte against lines worked out by hand;
// what each reports when the file cannot be made or written.
#include "files/jiku_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "files/tests/test_dir.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "model/text_code.h"

namespace tarvik::files {
namespace {

using namespace testing;  // the file tests' scratch folder, bytes and messages

struct Member {
    float xs, ys, zs, xl, yl, zl, haba, atumi;
    int kind;
};

struct WholeModelCase {
    const char* name;
    std::vector<Member> members;
    JikuShift shift;
    std::string expected;  // UTF-8; the file has it in CP932
};

// Volumes: 100 x 10 x 10 cm is 0.010 m^3, 300 x 12 x 12 is 0.0432, a 50 long
// 10 x 20 bar 0.010. A kind that returns after another opens a group again.
const WholeModelCase kWholeModel[] = {
    {"kinds 0, 2, 3, 2 with a shift",
     {{0, 0, 0, 100, 0, 0, 10, 10, 0},
      {0, 0, 0, 0, 200, 0, 10, 10, 0},
      {0, 0, 0, 0, 0, 300, 12, 12, 2},
      {0, 0, 300, 30, 40, 300, 10, 20, 3},
      {0, 200, 0, 0, 200, 300, 10, 10, 2}},
     {1.0f, -2.0f, 0.5f},
     crlf_lines({
         "1 1.000000 -2.000000 0.500000 101.000000 -2.000000 0.500000 10.000000 10.000000",
         "1 1.000000 -2.000000 0.500000 1.000000 198.000000 0.500000 10.000000 10.000000",
         "// 以上の積算容量 小計 volume   0.030 Total Volume   0.030",
         "// スペース床の枠材",
         "1 1.000000 -2.000000 0.500000 1.000000 -2.000000 300.500000 12.000000 12.000000",
         "// 以上の積算容量 小計 volume   0.043 Total Volume   0.073",
         "// スペース床の弦材",
         "1 1.000000 -2.000000 300.500000 31.000000 38.000000 300.500000 10.000000 20.000000",
         "// 以上の積算容量 小計 volume   0.010 Total Volume   0.083",
         "// スペース床の枠材",
         "1 1.000000 198.000000 0.500000 1.000000 198.000000 300.500000 10.000000 10.000000",
         "// 以上の積算容量 小計 volume   0.030 Total Volume   0.113",
         "999",
     })},
    {"first kind not 0, a kind the table does not name",
     {{0, 0, 0, 0, 0, 100, 10, 10, 6}, {0, 0, 100, 0, 0, 200, 10, 10, 13}},
     {},
     crlf_lines({
         "// 以上の積算容量 小計 volume   0.000 Total Volume   0.000",
         "// 小屋組の柱",
         "1 0.000000 0.000000 0.000000 0.000000 0.000000 100.000000 10.000000 10.000000",
         "// 以上の積算容量 小計 volume   0.010 Total Volume   0.010",
         "// 13",
         "1 0.000000 0.000000 100.000000 0.000000 0.000000 200.000000 10.000000 10.000000",
         "// 以上の積算容量 小計 volume   0.010 Total Volume   0.020",
         "999",
     })},
    {"no members",
     {},
     {},
     crlf_lines({"// 以上の積算容量 小計 volume   0.000 Total Volume   0.000", "999"})},
};

TEST(JikuFile, WholeModelGroupedByKindWithSubtotals) {
    for (const WholeModelCase& c : kWholeModel) {
        SCOPED_TRACE(c.name);
        auto store = std::make_unique<model::ModelStore>();
        ScriptedMessages msg;
        for (const Member& b : c.members)
            ASSERT_GT(testing::add_member(*store, msg, b.xs, b.ys, b.zs, b.xl, b.yl, b.zl, b.haba,
                                          b.atumi, b.kind),
                      0);
        TempDir dir;
        const std::string path = dir.file("model.jik");
        ASSERT_EQ(save_jiku_file(*store, path, c.shift, msg), 0);
        EXPECT_EQ(msg.shown, std::vector<std::string>{kJikuDone});
        const std::string bytes = read_bytes(path);
        EXPECT_EQ(bytes, model::to_cp932(c.expected));
        // "以上" in Shift-JIS, not UTF-8.
        EXPECT_NE(bytes.find("\x88\xc8\x8f\xe3"), std::string::npos);
    }
}

TEST(JikuFile, MemberListAsGivenThen999) {
    const std::vector<JikuMember> list = {{0, 0, 0, 90, 0, 0, 12, 12},
                                          {-1.5f, 2.25f, 300, 45, 45, 345.125f, 10.5f, 9}};
    EXPECT_EQ(format_jiku_members(list),
              crlf_lines({
                  "1 0.000000 0.000000 0.000000 90.000000 0.000000 0.000000 12.000000 12.000000",
                  "1 -1.500000 2.250000 300.000000 45.000000 45.000000 345.125000 10.500000 "
                  "9.000000",
                  "999",
              }));
    EXPECT_EQ(format_jiku_members({}), "999\r\n");
}

// Both writers: done, not creatable (a folder that does not exist), and a
// write that fails after the file was made (a file size limit of 100 bytes),
// which leaves the old file as it was and is not reported as done.
TEST(JikuFile, EachWriterReportsWhatHappened) {
    auto store = std::make_unique<model::ModelStore>();
    ScriptedMessages msg;
    for (int k = 0; k < 4; ++k)
        testing::add_member(*store, msg, 0, 0, 100.0f * k, 0, 0, 100.0f * (k + 1), 12, 12, k);
    std::vector<JikuMember> list;
    for (int k = 0; k < 4; ++k) list.push_back({0, 0, 100.0f * k, 0, 0, 100.0f * (k + 1), 12, 12});
    const struct {
        const char* name;
        std::function<int(const std::string&)> write;
    } writers[] = {
        {"whole model", [&](const std::string& p) { return save_jiku_file(*store, p, {}, msg); }},
        {"member list", [&](const std::string& p) { return save_jiku_members(list, p, msg); }},
    };
    for (const auto& w : writers) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        const std::string path = dir.file("out.jik");

        msg.shown.clear();
        EXPECT_EQ(w.write(dir.file("none/out.jik")), -1);
        EXPECT_EQ(msg.shown, std::vector<std::string>{kJikuOpenError});

        write_bytes(path, "old contents");
        msg.shown.clear();
        const int result = test_support::with_file_size_limit(100, [&] { return w.write(path); });
        EXPECT_EQ(result, -1);
        EXPECT_EQ(msg.shown, std::vector<std::string>{kJikuWriteError});
        EXPECT_EQ(read_bytes(path), "old contents");

        msg.shown.clear();
        EXPECT_EQ(w.write(path), 0);
        EXPECT_EQ(msg.shown, std::vector<std::string>{kJikuDone});
        EXPECT_EQ(read_bytes(path).substr(0, 2), "1 ");
    }
}

}  // namespace
}  // namespace tarvik::files
