// The exports: frame graphic file, viewer face file and DXF, byte for byte
// against lines worked out by hand from their formats, their refusals, the
// DXF colour window and the export commands of the drawing windows.
#include <gtest/gtest.h>

#include <functional>

#include <cstring>
#include <deque>
#include <filesystem>
#include <limits>
#include <memory>

#include "files/dxf_color_form.h"
#include "files/dxf_file.h"
#include "files/export_commands.h"
#include "files/face_file.h"
#include "files/honegra.h"
#include "files/tests/model_file_test.h"
#include "render/trio_file.h"

namespace tarvik::files {
namespace {

using namespace testing;  // the file tests' scratch folder, bytes and messages

// ---------------------------------------------------------------- frame graphic file

class HonegraTest : public testing::ModelFileTest {
  protected:
    // The post and girder; the girder's free end (node 3) fixed in every
    // direction.
    void SetUp() override {
        make_post_and_girder();
        fix_node(3);
    }
};

TEST_F(HonegraTest, SixSectionsInOrderAndNloadHeaderWithoutLoads) {
    const std::string expected = crlf_lines({
        "\"NODE\"",
        "     1,      0.0,      0.0,      0.0",
        "     2,      0.0,      0.0,    300.0",
        "     3,     90.0,      0.0,    300.0",
        "\"FIX\"",
        "     3,111111",  // " %5d": a blank, then 3 in five columns
        "\"BEAM\"",
        "     1,    1,    2,    1,    1,  0.00000e+00",
        "     2,    2,    3,    2,    2,  0.00000e+00",
        "\"SHAPE\"",  // area first
        "     1,1.440e+02,1.728e+03,1.728e+03,2.915e+03,0.000e+00,0.000e+00",
        "     2,2.160e+02,5.832e+03,2.592e+03,6.096e+03,0.000e+00,0.000e+00",
        "\"MAT\"",  // a zero between the modulus and Poisson's ratio
        "     1,1.000e+05,0.000e+00,3.000e-01,5.000e-04",
        "     2,1.000e+05,0.000e+00,3.000e-01,5.000e-04",
        "\"NLOAD\"",
    });
    expect_saved_as(expected, format_honegra, save_honegra, "frame.ydu");

    // A load, and members numbered by position whatever their no field.
    model::Load l{};
    l.no = 2;
    l.px = 1.5f;
    l.pz = -200.0f;
    model::add_load(m, l, msg);
    m.beam[1].no = 77;
    const std::string text = format_honegra(m);
    EXPECT_NE(text.find("\r\n     2,    2,    3,"), std::string::npos);
    EXPECT_TRUE(text.ends_with(
        "\"NLOAD\"\r\n     2,     1.5,     0.0,  -200.0,     0.0,     0.0,     0.0\r\n"));
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(HonegraTest, FailuresAreReportedAndTheOldFileKept) {
    EXPECT_EQ(save_honegra(m, dir.file("no/such/folder.ydu"), msg), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kGraOpenError});
}

// ---------------------------------------------------------------- viewer face file

class FaceFileTest : public ::testing::Test {
  protected:
    ScriptedMessages msg;
    TempDir dir;
    render::SolidModel s{dir.path().string()};

    // Six vertices; one triangle on vertices 4, 5 and 6.
    void SetUp() override {
        for (int k = 0; k < 6; ++k) s.chouten.number(static_cast<float>(k), 0.5f * k, -2.0f);
        render::TrioTriangle t;
        t.no = 1;
        t.hyoji = 7;
        t.vertex_no = {4, 5, 6};
        const render::TrioRecord r = render::encode_trio(t);
        write_bytes(s.path(render::kTrioFileName), std::string(r.begin(), r.end()));
        s.N_TRIO = 1;
    }
};

TEST_F(FaceFileTest, VerticesFacesAndTheSecondNumberNegated) {
    const std::string path = dir.file("out.dat");
    ASSERT_EQ(save_face_file(s, path, msg), 0);
    EXPECT_EQ(read_bytes(path), crlf_lines({
                                    "     1  0.00000e+00  0.00000e+00 -2.00000e+00",
                                    "     2  1.00000e+00  5.00000e-01 -2.00000e+00",
                                    "     3  2.00000e+00  1.00000e+00 -2.00000e+00",
                                    "     4  3.00000e+00  1.50000e+00 -2.00000e+00",
                                    "     5  4.00000e+00  2.00000e+00 -2.00000e+00",
                                    "     6  5.00000e+00  2.50000e+00 -2.00000e+00",
                                    "Faces:",
                                    "     4    -5     6.",
                                }));
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(FaceFileTest, MissingOrShortFaceFileLeavesTheOutputUntouched) {
    const std::string path = dir.file("out.dat");
    write_bytes(path, "old");
    s.N_TRIO = 2;  // one more face than the file holds
    EXPECT_EQ(save_face_file(s, path, msg), -1);
    std::filesystem::remove(s.path(render::kTrioFileName));
    EXPECT_EQ(save_face_file(s, path, msg), -1);
    EXPECT_EQ(msg.shown, (std::vector<std::string>{kFaceTrioReadError, kFaceTrioOpenError}));
    EXPECT_EQ(read_bytes(path), "old");
    msg.shown.clear();
    s.N_TRIO = 1;
    SetUp();
    EXPECT_EQ(save_face_file(s, dir.file("no/such/out.dat"), msg), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kFaceOutOpenError});
}

// ---------------------------------------------------------------- DXF

std::string temp_dat(const float ext[4], std::initializer_list<render::TempLine> lines) {
    render::TempHeader h;
    std::memcpy(h.world, ext, sizeof h.world);
    h.crt[2] = 640;
    h.crt[3] = 480;
    const render::TempHeaderBytes hb = render::encode_temp_header(h);
    std::string bytes(hb.begin(), hb.end());
    for (const render::TempLine& l : lines) {
        const render::TempLineBytes lb = render::encode_temp_line(l);
        bytes.append(lb.begin(), lb.end());
    }
    return bytes;
}

TEST(DxfScale, SmallestMagnitudeDecides) {
    EXPECT_EQ(dxf_scale(0, 0, 12, 8), 1000.0);
    EXPECT_EQ(dxf_scale(5, 5, 12, 8), 1.0);
    EXPECT_EQ(dxf_scale(-0.05f, 5, 12, 8), 1000.0);  // a magnitude below 0.1
    EXPECT_EQ(dxf_scale(0.1f, 5, 12, 8), 1.0);       // 0.1f lies just above 0.1
    EXPECT_EQ(dxf_scale(-20000, -20000, 20000, 20000), 1.0);  // capped at 9999
}

TEST(DxfFile, HeaderOnlyImageGivesTheTemplateAndTheClosingLines) {
    const float ext[4] = {0, 0, 12, 8};
    std::string out;
    ASSERT_EQ(format_dxf(temp_dat(ext, {}), 2, out), TempCheck::kOk);
    const std::vector<std::string> l = split_crlf(out);
    ASSERT_EQ(l.size(), 274u + 4u);
    // The header with the extents times 1000.
    EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + 22),
              (std::vector<std::string>{"  0", "SECTION", "  2", "HEADER", "  9", "$EXTMIN", " 10",
                                        " 0.000000", " 20", " 0.000000", "  9", "$EXTMAX", " 10",
                                        " 12000.000000", " 20", " 8000.000000", "  0", "ENDSEC",
                                        "  0", "SECTION", "  2", "TABLES"}));
    // The first two line types.
    EXPECT_EQ(std::vector<std::string>(l.begin() + 22, l.begin() + 56),
              (std::vector<std::string>{
                  "  0", "TABLE", "  2", "LTYPE", " 70", "     9",                          //
                  "  0", "LTYPE", "  2", "CONTINUOUS", " 70", "    64", "  3", "\x8e\xc0\x90\xfc",
                  " 72", "    65", " 73", "     0", " 40", "0.0",                           //
                  "  0", "LTYPE", "  2", "DASHED1", " 70", "    64", "  3",
                  "--  --  --  --  --  -- ", " 72", "    65", " 73", "     2", " 40", "2.5"}));
    EXPECT_EQ(l[56], " 49");
    EXPECT_EQ(l[57], "1.25");
    // The style and layer tables, the opening of ENTITIES, the closing lines.
    const std::vector<std::string> tail = {
        "  0", "TABLE", "  2", "STYLE", " 70", "     1", "  0", "STYLE", "  2", "STANDARD", " 70",
        "    64", " 40", "0.0", " 41", "1.0", " 50", "0.0", " 42", "0.0", " 71", "     0", "  3",
        "TXT", "  4", "BIGFONT", "  0", "ENDTAB", "  0", "TABLE", "  2", "LAYER", " 70", "     2",
        "  0", "LAYER", "  2", "0-0", " 70", "    64", " 62", "     7", "  6", "CONTINUOUS",
        "  0", "LAYER", "  2", "ADD_LINE", " 70", "    64", " 62", "     7", "  6", "CONTINUOUS",
        "  0", "ENDTAB", "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES", " 0", "ENDSEC",
        " 0", "EOF"};
    EXPECT_EQ(std::vector<std::string>(l.end() - static_cast<long>(tail.size()), l.end()), tail);
}

TEST(DxfFile, EachLineRecordIsOneLineEntityScaledInItsColour) {
    const float ext[4] = {-0.05f, -0.25f, 0.5f, 0.25f};  // a magnitude below 0.1: scale 1000
    std::string out;
    ASSERT_EQ(format_dxf(temp_dat(ext, {{0.001f, 0.002f, -0.5f, 0.25f}, {0, 0, 0.125f, 0}}), 1,
                         out),
              TempCheck::kOk);
    const std::vector<std::string> l = split_crlf(out);
    ASSERT_EQ(l.size(), 274u + 2 * 16u + 4u);
    EXPECT_EQ(std::vector<std::string>(l.begin() + 274, l.begin() + 290),
              (std::vector<std::string>{" 0", "LINE", " 8", "0-0", " 6", "CONTINUOUS", " 62",
                                        "    4", " 10", " 1.000000", " 20", " 2.000000", " 11",
                                        " -500.000000", " 21", " 250.000000"}));
    EXPECT_EQ(l[290 + 13], " 125.000000");
    EXPECT_EQ(l[7], " -50.000000");

    // The colour numbers of the six codes; anything else is 7.
    const char* expected[] = {"    7", "    4", "    7", "    3", "    2", "    6", "    5", "    7"};
    for (int code = 0; code <= 7; ++code) EXPECT_STREQ(dxf_colour_number(code), expected[code]);
    EXPECT_STREQ(dxf_colour_number(-1), "    7");
}

TEST(DxfFile, BrokenImagesAreRefusedAndWriteNothing) {
    TempDir dir;
    ScriptedMessages msg;
    const float ext[4] = {0, 0, 12, 8};
    const std::string good = temp_dat(ext, {{1, 2, 3, 4}});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float bad_ext[4] = {0, 0, nan, 8};
    std::string not_finite = temp_dat(ext, {{1, std::numeric_limits<float>::infinity(), 3, 4}});
    struct Case {
        std::string bytes;
        TempCheck check;
    } cases[] = {
        {good.substr(0, 31), TempCheck::kShort},
        {"", TempCheck::kShort},
        {good.substr(0, 33), TempCheck::kPartial},
        {good.substr(0, 47), TempCheck::kPartial},
        {temp_dat(bad_ext, {}), TempCheck::kNotFinite},
        {not_finite, TempCheck::kNotFinite},
        {temp_dat(ext, {{1, 2, 3e36f, 4}}), TempCheck::kNotFinite},  // beyond float at scale 1000
    };
    const std::string temp = dir.file("TEMP.DAT");
    const std::string dxf = dir.file("out.dxf");
    write_bytes(dxf, "old drawing");
    for (const Case& c : cases) {
        std::string out = "untouched";
        EXPECT_EQ(format_dxf(c.bytes, 2, out), c.check);
        EXPECT_EQ(out, "untouched");
        write_bytes(temp, c.bytes);
        msg.shown.clear();
        EXPECT_EQ(make_dxf_file(temp, dxf, 2, msg), -1);
        EXPECT_EQ(msg.shown, std::vector<std::string>{temp_check_message(c.check)});
        EXPECT_EQ(read_bytes(dxf), "old drawing");
    }
    msg.shown.clear();
    EXPECT_EQ(make_dxf_file(dir.file("NONE.DAT"), dxf, 2, msg), -1);
    write_bytes(temp, good);
    EXPECT_EQ(make_dxf_file(temp, dir.file("no/such/out.dxf"), 2, msg), -1);
    EXPECT_EQ(msg.shown, (std::vector<std::string>{kMsgDxfTempOpen, kMsgDxfOpen}));
    EXPECT_EQ(make_dxf_file(temp, dxf, 2, msg), 0);
    EXPECT_TRUE(read_bytes(dxf).ends_with(" 0\r\nEOF\r\n"));
}

// ---------------------------------------------------------------- colour window

struct FakeColorView : DxfColorView {
    int selected = -1;
    int closed = 0;
    void select_item(int index) override { selected = index; }
    int selected_item() const override { return selected; }
    void close_window() override { ++closed; }
};

TEST(DxfColorWindow, OpensOnTheSecondItemAndOkGivesPositionPlusOne) {
    FakeColorView view;
    DxfColorPresenter p(view);
    p.FormCreate();
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(p.code(), -1);  // closed without a button: cancelled
    for (int item = 0; item < 6; ++item) {
        view.selected = item;
        p.OKButtonClick();
        EXPECT_EQ(p.code(), item + 1);
    }
    p.CancelButtonClick();
    EXPECT_EQ(p.code(), -1);
    EXPECT_EQ(view.closed, 7);
    EXPECT_EQ(kDxfColorItems[1], std::string("2 dot　黒 (Default)"));
}

// ---------------------------------------------------------------- export commands

struct ScriptedExportDialogs : ExportDialogs {
    std::deque<std::string> names;  // answers of the save dialog ("" = cancel)
    std::deque<int> colours;        // answers of the colour window
    std::vector<std::string> asked;
    std::string save_file_name(std::string_view filter, std::string_view ext) override {
        asked.push_back(std::string(filter) + " " + std::string(ext));
        std::string n = names.empty() ? "" : names.front();
        if (!names.empty()) names.pop_front();
        return n;
    }
    int run_dxf_colour_window() override {
        asked.push_back("colour");
        const int c = colours.empty() ? -1 : colours.front();
        if (!colours.empty()) colours.pop_front();
        return c;
    }
};

TEST(ExportCommands, DxfAsksNameThenColourAndAnnouncesOnlyAFileMade) {
    TempDir dir;
    ScriptedMessages msg;
    ScriptedExportDialogs d;
    const std::string temp = dir.file("TEMP.DAT");
    const float ext[4] = {0, 0, 12, 8};
    write_bytes(temp, temp_dat(ext, {{1, 2, 3, 4}}));
    const std::string dxf = dir.file("house.dxf");

    // Cancel in the save dialog, then in the colour window: nothing written.
    d.names = {"", dxf};
    EXPECT_EQ(dxf_save_command(d, msg, temp), ExportResult::kCancelled);
    EXPECT_EQ(dxf_save_command(d, msg, temp), ExportResult::kCancelled);
    EXPECT_EQ(d.asked, (std::vector<std::string>{"DXFファイル(*.DXF)|*.dxf dxf",
                                                 "DXFファイル(*.DXF)|*.dxf dxf", "colour"}));
    EXPECT_FALSE(std::filesystem::exists(dxf));
    EXPECT_TRUE(msg.shown.empty());

    d.names = {dxf};
    d.colours = {6};
    EXPECT_EQ(dxf_save_command(d, msg, temp, kDxfDoneWide), ExportResult::kDone);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kDxfDoneWide});
    EXPECT_NE(read_bytes(dxf).find(" 62\r\n    5\r\n"), std::string::npos);

    msg.shown.clear();
    d.names = {dxf};
    d.colours = {2};
    EXPECT_EQ(dxf_save_command(d, msg, dir.file("NONE.DAT")), ExportResult::kFailed);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgDxfTempOpen});
}

TEST(ExportCommands, FaceFileSaysWhetherItWasSaved) {
    TempDir dir;
    ScriptedMessages msg;
    ScriptedExportDialogs d;
    render::SolidModel s(dir.path().string());
    write_bytes(s.path(render::kTrioFileName), "");
    d.names = {"", dir.file("v.dat"), dir.file("w.dat")};
    EXPECT_EQ(face_save_command(d, msg, s), ExportResult::kCancelled);
    EXPECT_EQ(face_save_command(d, msg, s), ExportResult::kDone);
    EXPECT_EQ(read_bytes(dir.file("v.dat")), "Faces:\r\n");
    std::filesystem::remove(s.path(render::kTrioFileName));
    EXPECT_EQ(face_save_command(d, msg, s), ExportResult::kFailed);
    EXPECT_EQ(msg.shown, (std::vector<std::string>{kFaceDone, kFaceTrioOpenError, kFaceFailed}));
    EXPECT_EQ(d.asked.front(), "ビューアデータ(*.dat)|*.dat dat");
}

// A write that fails after the file was created (here: a file size limit of
// 100 bytes) is reported with the writer's message, and the file the user
// named keeps its old contents.
TEST(ExportWriteFailure, EveryWriterReportsItAndKeepsTheOldFile) {
    TempDir dir;
    ScriptedMessages msg;
    auto store = std::make_unique<model::ModelStore>();
    testing::add_member(*store, msg, 0, 0, 0, 0, 0, 300);
    testing::add_member(*store, msg, 0, 0, 300, 90, 0, 300);
    render::SolidModel s(dir.path().string());
    ASSERT_EQ(render::make_trio_file(s, *store, msg), 0);
    const float ext[4] = {0, 0, 12, 8};
    write_bytes(dir.file("TEMP.DAT"), temp_dat(ext, {{1, 2, 3, 4}}));
    const std::string path = dir.file("keep");
    const struct {
        std::function<int()> write;
        const char* message;
    } writers[] = {
        {[&] { return save_honegra(*store, path, msg); }, kGraWriteError},
        {[&] { return save_face_file(s, path, msg); }, kFaceOutWriteError},
        {[&] { return make_dxf_file(dir.file("TEMP.DAT"), path, 2, msg); }, kMsgDxfWrite},
    };
    for (const auto& w : writers) {
        write_bytes(path, "old contents");
        msg.shown.clear();
        const int result = test_support::with_file_size_limit(100, [&] { return w.write(); });
        EXPECT_EQ(result, -1);
        EXPECT_EQ(msg.shown, std::vector<std::string>{w.message});
        EXPECT_EQ(read_bytes(path), "old contents");
    }
}

}  // namespace
}  // namespace tarvik::files
