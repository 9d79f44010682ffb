// The axis data reader: every line kind, the node sharing of exact end
// points, the volume tally and its file, the bar solids it hands on, and the
// refusals, each read both from a file and from text (the two must agree).
#include "generator/jiku_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "files/tests/test_dir.h"
#include "files/text_format.h"
#include "generator/bunkai_shazai.h"
#include "model/tests/scripted_messages.h"
#include "model/text_code.h"
#include "render/solid.h"
#include "render/tests/view_setup.h"
#include "render/view_params.h"

namespace tarvik::generator {
namespace {

using tarvik::testing::box_limits;
using tarvik::testing::BoxLimits;
using tarvik::testing::read_bytes;
using tarvik::testing::ScriptedMessages;
using tarvik::testing::TempDir;
using tarvik::testing::write_bytes;

constexpr const char* kPost = "1 0 0 0 100 0 0 10 10";  // 100 long, 10 x 10: 0.010 m^3

std::string fmt(const char* format, const std::string& name, int line, int n = 0) {
    std::string s;
    files::appendf(s, format, name.c_str(), line, n);
    return s;
}

struct Outcome {
    int result = 0;
    int N_Beam = 0, N_Node = 0;
    std::vector<std::string> shown;
    std::vector<HeightClass> tally;
    bool youseki = false;  // "Youseki.dat" was written
};

class JikuReader : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    ScriptedMessages msg;
    render::ModelBox box;
    std::string path = dir.file("t.jik");

    std::string youseki() const { return dir.file(kYousekiFile); }

    // Reads text from a file into m, and from memory into a store of its own;
    // both reads must come to the same.
    Outcome read(const std::string& text) {
        write_bytes(path, text);
        box.reset();
        JikuRead r;
        r.box = &box;
        r.directory = dir.path().string();
        std::filesystem::remove(youseki());
        const int result = load_jiku_data(*m, path, r, msg);
        Outcome o{result,    m->N_Beam, m->N_Node,
                  msg.shown, r.tally,   std::filesystem::exists(youseki())};

        auto other = std::make_unique<model::ModelStore>();
        ScriptedMessages other_msg;
        JikuRead r2;
        r2.directory = dir.path().string();
        EXPECT_EQ(read_jiku_text(*other, text, path, r2, other_msg), result);
        EXPECT_EQ(other->N_Beam, m->N_Beam);
        EXPECT_EQ(other->N_Node, m->N_Node);
        EXPECT_EQ(other_msg.shown, msg.shown);
        EXPECT_EQ(r2.tally.size(), r.tally.size());
        return o;
    }
};

TEST_F(JikuReader, EveryLineKind) {
    const Outcome o = read(
        "// axis data of a test frame\r\n"
        "1 0 0 0 100 0 0 10 10\r\n"
        "3 0 0 0 0 0 300 5\r\n"
        "  // an indented comment\r\n"
        "2 1 1 90 45 12 11 10 9 8 200 0 100\r\n"
        "999\r\n"
        "1 nothing after the end is read\r\n");
    ASSERT_EQ(o.result, 3);
    EXPECT_TRUE(o.shown.empty());
    UnitField f;
    f.nx = f.ny = 1;
    EXPECT_EQ(m->N_Beam, 2 + field_member_count(f));

    const model::Beam& b = m->beam[0];
    EXPECT_EQ(b.no, 1);
    EXPECT_EQ(b.noi, 1);
    EXPECT_EQ(b.noj, 2);
    EXPECT_STREQ(b.idi, "");
    EXPECT_STREQ(b.idj, "");
    EXPECT_EQ(b.xl, 100.0f);
    EXPECT_EQ(b.haba, 10.0f);
    EXPECT_EQ(b.atumi, 10.0f);
    EXPECT_EQ(b.size, -1);
    EXPECT_EQ(b.mat, -1);
    EXPECT_EQ(b.flag, 0);
    EXPECT_EQ(b.kind, 0);

    // Round member of radius 5: the square of equal area has the side 8.862.
    const model::Beam& r = m->beam[1];
    EXPECT_EQ(r.noi, 1);  // shares the start node of the first member
    EXPECT_NEAR(r.haba, 8.8623, 0.0001);
    EXPECT_EQ(r.haba, r.atumi);
    EXPECT_EQ(m->beam[2].xs, 200.0f);  // the field starts after them

    // Bounds: the members and the field's diagonals (200..290, 0..90, 100..145).
    EXPECT_EQ(box_limits(box), (BoxLimits{0, 290, 0, 90, 0, 300}));

    // Only the square member is tallied.
    ASSERT_EQ(o.tally.size(), 1u);
    EXPECT_EQ(o.tally[0].Used, 1);
    EXPECT_NEAR(o.tally[0].Youseki, 0.010, 1e-6);
}

TEST_F(JikuReader, LinesNodesAndTheEndOfData) {
    const std::string pad(254 - std::string(kPost).size(), ' ');
    const struct {
        const char* name;
        std::string text;
        int lines, nodes;
    } cases[] = {
        {"shared end point", "1 0 0 0 100 0 0 10 10\n1 100 0 0 100 100 0 10 10\n", 2, 3},
        {"last decimal differs", "1 0 0 0 100.000000 0 0 10 10\n1 100.000008 0 0 100 100 0 10 10\n",
         2, 4},
        {"no 999, no last line end", "1 0 0 0 100 0 0 10 10\n1 100 0 0 100 100 0 10 10", 2, 3},
        {"comments are no data lines",
         "// head\n1 0 0 0 100 0 0 10 10\n   // indented\nx//y z\n1 100 0 0 100 100 0 10 10\n999\n",
         2, 3},
        {"ends at the first 999", std::string(kPost) + "\n9990 1 2\n1 bad line after the end\n", 1,
         2},
        {"line of 254 characters", kPost + pad + "\r\n", 1, 2},
        {"empty file", "", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m = std::make_unique<model::ModelStore>();
        msg.shown.clear();
        const Outcome o = read(c.text);
        EXPECT_EQ(o.result, c.lines);
        EXPECT_EQ(o.N_Node, c.nodes);
        EXPECT_TRUE(o.shown.empty());
        EXPECT_TRUE(o.youseki);
    }
}

// Heights 300.0 and 300.05 share a class, 300.2 has its own; classes come out
// ascending; round members are counted in the member total but not tallied.
TEST_F(JikuReader, VolumeTallyByHeight) {
    const Outcome o = read(
        "1 0 0 300 100 0 300 10 10\n"      // h 300.0, 0.010
        "1 0 0 0 0 0 200 10 10\n"          // h 100.0, 0.020
        "1 0 0 300.1 200 0 300 10 10\n"    // h 300.05, 0.020
        "1 0 0 300.2 100 0 300.2 10 10\n"  // h 300.2, 0.010
        "3 0 0 50 100 0 50 5\n"
        "999\n");
    ASSERT_EQ(o.result, 5);
    ASSERT_EQ(o.tally.size(), 3u);
    EXPECT_EQ(o.tally[1].Takasa, 300.0f);
    EXPECT_EQ(o.tally[1].Used, 2);
    EXPECT_EQ(read_bytes(youseki()), model::to_cp932("   部材総数     5 高さ区分数 3\n"
                                                     "    No    高さ   部材数 容積　積算値\n"
                                                     "     1    100.0     1   0.020   0.020\n"
                                                     "     2    300.0     2   0.030   0.050\n"
                                                     "     3    300.2     1   0.010   0.060\n"));
}

// A refused line stops the read there: the lines before it stay read, no
// tally file is written, and the message names the file and the line.
TEST_F(JikuReader, RefusedLinesNameTheLine) {
    const std::string long_line = kPost + std::string(255 - std::string(kPost).size(), ' ');
    const struct {
        const char* name;
        std::string line2;
        std::string message;
    } cases[] = {
        {"255 characters", long_line, fmt(kMsgJikuLineLong, path, 2, 254)},
        {"not a number", "1 0 0 0 1OO 0 0 10 10", fmt(kMsgJikuBadNumber, path, 2)},
        {"NaN", "1 0 0 0 nan 0 0 10 10", fmt(kMsgJikuBadNumber, path, 2)},
        {"infinity", "1 0 0 0 100 0 0 inf 10", fmt(kMsgJikuBadNumber, path, 2)},
        {"beyond a float", "1 0 0 0 1e39 0 0 10 10", fmt(kMsgJikuBadNumber, path, 2)},
        {"member short of a number", "1 0 0 0 100 0 0 10", fmt(kMsgJikuShortLine, path, 2, 8)},
        {"round member without radius", "3 0 0 0 0 0 300", fmt(kMsgJikuShortLine, path, 2, 7)},
        {"field short of a number", "2 1 1 90 45 12 11 10 9 8 200 0",
         fmt(kMsgJikuShortLine, path, 2, 12)},
        {"field count not whole", "2 1.5 1 90 45 12 11 10 9 8 200 0 100",
         fmt(kMsgJikuBadNumber, path, 2)},
        {"negative field count", "2 -1 1 90 45 12 11 10 9 8 200 0 100",
         fmt(kMsgJikuBadUnitCount, path, 2)},
        {"first word of 33 characters", std::string(33, '1') + " 0",
         "最初の文字は '1' or '2'  or '3' or '999'"},
        {"no blank after the first word", "1", "最初の文字は '1' or '2' or '3' or '999'"},
        {"empty line", "", "最初の文字は '1' or '2' or '3' or '999'"},
        {"unknown code", "4 0 0 0 100 0 0 10 10", "最初の文字は '1' or '2' or '3' or '999'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m = std::make_unique<model::ModelStore>();
        msg.shown.clear();
        const Outcome o = read(std::string(kPost) + "\r\n" + c.line2 + "\r\n" + kPost + "\r\n");
        EXPECT_EQ(o.result, -1);
        EXPECT_EQ(o.shown, std::vector<std::string>{c.message});
        EXPECT_EQ(o.N_Beam, 1);
        EXPECT_FALSE(o.youseki);
    }
}

// The tally holds 100 heights: a 101st refuses the line before any of it is
// stored; heights seen before still join their classes.
TEST_F(JikuReader, MoreHeightsThanTheTallyHoldsAreRefused) {
    std::string text;
    for (int pass = 0; pass < 2; ++pass)
        for (int k = 0; k < kMaxTakasa; ++k)
            files::appendf(text, "1 %d 0 %d %d 100 %d 10 10\n", pass, k, pass, k);
    Outcome o = read(text);
    EXPECT_EQ(o.result, 2 * kMaxTakasa);
    EXPECT_EQ(o.tally.size(), static_cast<size_t>(kMaxTakasa));

    m = std::make_unique<model::ModelStore>();
    text += "1 0 0 500 100 0 500 10 10\n";
    o = read(text);
    EXPECT_EQ(o.result, -1);
    EXPECT_EQ(o.shown,
              std::vector<std::string>{fmt(kMsgTakasaFull, path, 2 * kMaxTakasa + 1, kMaxTakasa)});
    EXPECT_EQ(o.N_Beam, 2 * kMaxTakasa);
    EXPECT_EQ(o.tally.size(), static_cast<size_t>(kMaxTakasa));
    EXPECT_FALSE(o.youseki);
}

TEST_F(JikuReader, FilesThatCannotBeOpenedOrWritten) {
    JikuRead r;
    r.directory = dir.path().string();
    EXPECT_EQ(load_jiku_data(*m, dir.file("none.jik"), r, msg), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{"Can't open " + dir.file("none.jik")});
    EXPECT_EQ(m->N_Node, 0);

    // The tally cannot be made: the members stay read.
    write_bytes(path, std::string(kPost) + "\n");
    msg.shown.clear();
    r.directory = dir.file("none");
    EXPECT_EQ(load_jiku_data(*m, path, r, msg), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{"Can't open Youseki.dat"});
    EXPECT_EQ(m->N_Beam, 1);

    // A tally that cannot be written whole leaves the old one as it was
    // (a file size limit of 100 bytes; the new one is longer).
    write_bytes(path, "1 0 0 0 100 0 0 10 10\n1 0 0 100 100 0 100 10 10\n");
    write_bytes(youseki(), "old tally");
    m = std::make_unique<model::ModelStore>();
    msg.shown.clear();
    r.directory = dir.path().string();
    const int result =
        test_support::with_file_size_limit(100, [&] { return load_jiku_data(*m, path, r, msg); });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgYousekiWrite});
    EXPECT_EQ(read_bytes(youseki()), "old tally");
}

// With a solid model being built each member becomes a hexagonal bar: radius
// haba for a square member, r for a round one.
TEST_F(JikuReader, BarSolidsOfTheMembers) {
    render::SolidModel s(dir.path().string());
    ASSERT_EQ(render::begin_trio_file(s, msg), 0);
    write_bytes(path, "1 0 0 0 100 0 0 10 12\n3 0 0 0 0 0 300 5\n");
    JikuRead r;
    r.directory = dir.path().string();
    r.solid = &s;
    ASSERT_EQ(load_jiku_data(*m, path, r, msg), 2);
    ASSERT_EQ(render::end_trio_file(s, msg), 0);
    EXPECT_EQ(s.N_TRIO, 2 * 24);
    const auto hexagon = [](double radius, double length) {
        return 1.5 * std::sqrt(3.0) * radius * radius * length * 1e-6;
    };
    EXPECT_NEAR(s.volume, hexagon(10, 100) + hexagon(5, 300), 1e-6);
}

}  // namespace
}  // namespace tarvik::generator
