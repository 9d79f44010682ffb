// tarvik-batch: options, the upkeep and picking it runs, its files, summary
// and exit statuses.
#include "app/batch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <thread>

#include "files/jiku_file.h"
#include "files/tests/test_dir.h"
#include "generator/basic_data.h"
#include "generator/jiku_data.h"
#include "model/tests/other_job.h"

namespace tarvik::app {
namespace {

using testing::crlf_lines;
using testing::read_bytes;

const std::string kData = APP_TESTDATA;

class BatchTest : public ::testing::Test {
  protected:
    testing::TempDir dir;
    std::ostringstream out, err;

    int run(std::vector<std::string> args) { return run_batch(args, out, err); }
};

TEST_F(BatchTest, CantileverGivesTheHandWrittenSolverInputAndSummary) {
    const std::string bon = dir.file("post.bon");
    ASSERT_EQ(run({kData + "/cantilever.man", "--fix", "Z00", "--load", "Z01", "--load-value",
                   "10,0,-200", "--bon", bon}),
              kExitOk)
        << err.str();
    EXPECT_EQ(out.str(), "nodes 2\nmembers 1\nsizes 1\nlevels 1 1 2\nsupports 1\nloads 1\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(
        read_bytes(bon),
        crlf_lines({
            "     1",
            "  0.00000e+00",
            "     1",
            "  0.00000e+00",
            "     2",
            "  0.00000e+00",
            "  3.00000e+02",
            "     2     1",
            "     1     1     2     1     1        0.0 X00Y00Z00 X00Y00Z01",
            "     1",
            "     1 1.728e+03 1.728e+03 1.440e+02 2.915e+03",
            "     1",
            "     1 1.000e+05 3.000e-01 5.000e-04",
            "     2",
            "     1       0.0       0.0       0.0 X00Y00Z00",
            "     2       0.0       0.0     300.0 X00Y00Z01",
            "     1",
            "     1,111111",
            "     1",
            " X00Y00Z01,    2,      10.0,       0.0,    -200.0,       0.0,       0.0,       0.0",
        }));
}

TEST_F(BatchTest, StructureDataKeepTheEditorFlagsAndGainCodesAndSizes) {
    const std::string man = dir.file("out.man");
    ASSERT_EQ(run({kData + "/cantilever.man", "--fix", "Z00", "--load", "Z01", "--man", man}),
              kExitOk);
    EXPECT_EQ(read_bytes(man),
              crlf_lines({
                  "     2",
                  " 1 \"X00Y00Z00\" 0.000000 0.000000 0.000000 0.000000 0.000000 2",
                  " 2 \"X00Y00Z01\" 0.000000 0.000000 300.000000 0.000000 -30.000000 2",
                  "     1",
                  " 1 \"X00Y00Z00\" \"X00Y00Z01\" 1 2 0.000000 0.000000 0.000000 0.000000 "
                  "0.000000 300.000000 1 1 12.000000 12.000000 0.000000 0.000000 0.000000 "
                  "-30.000000 2",
              }));
}

TEST_F(BatchTest, NodeDataDefaultsAndSupportCodes) {
    const std::string bon = dir.file("portal.bon");
    ASSERT_EQ(run({kData + "/portal.man", "--fix", "Z00", "--fix-code", "110", "--load",
                   "X01-X01,Z01", "--bon", bon}),
              kExitOk)
        << err.str();
    const std::string text = read_bytes(bon);
    EXPECT_NE(text.find("\r\n     2\r\n     1,110111\r\n     3,110111\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n     1\r\n X01Y00Z01,    4,       0.0,       0.0,    -200.0,"),
              std::string::npos);
    EXPECT_NE(out.str().find("sizes 2\n"), std::string::npos);
}

TEST_F(BatchTest, LaterLoadBoxWinsOverAnEarlierSupportBox) {
    ASSERT_EQ(run({kData + "/portal.man", "--fix", "X00", "--load", "Z01"}), kExitOk);
    EXPECT_NE(out.str().find("supports 1\nloads 2\n"), std::string::npos);
}

TEST_F(BatchTest, VeltoWritesTheSolverInputInTheCurrentFolder) {
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const int status = run({kData + "/cantilever.man", "--fix", "Z00", "--load", "Z01", "--velto"});
    std::filesystem::current_path(old);
    EXPECT_EQ(status, kExitOk);
    EXPECT_TRUE(std::filesystem::exists(dir.file("VELTOSOL.IN")));
}

TEST_F(BatchTest, SolverInputNeedsSupportsAndLoads) {
    const std::string bon = dir.file("none.bon");
    EXPECT_EQ(run({kData + "/cantilever.man", "--fix", "Z00", "--bon", bon}), kExitNoFixLoad);
    EXPECT_NE(err.str().find("at least one support"), std::string::npos);
    EXPECT_NE(out.str().find("supports 1\nloads 0\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(bon));
}

TEST_F(BatchTest, BoxesTakeOneOrTwoDigitsAndAnyAxisOrder) {
    ASSERT_EQ(run({kData + "/portal.man", "--fix", "Z0-Z0,X1", "--load", "Z1,Y0-Y00"}), kExitOk)
        << err.str();
    EXPECT_NE(out.str().find("supports 1\nloads 2\n"), std::string::npos);
}

TEST_F(BatchTest, BoxOutsideTheLevelsMarksNothing) {
    EXPECT_EQ(run({kData + "/cantilever.man", "--fix", "Z05"}), kExitOk);
    EXPECT_NE(out.str().find("supports 0\n"), std::string::npos);
}

TEST_F(BatchTest, UnreadableOrRefusedModelFile) {
    EXPECT_EQ(run({dir.file("missing.man")}), kExitRead);
    EXPECT_NE(err.str().find("tarvik-batch: Can't open TEGAKI_FILE\n"), std::string::npos);
    testing::write_bytes(dir.file("big.man"), " 20000\n");
    EXPECT_EQ(run({dir.file("big.man")}), kExitRead);
    EXPECT_NE(err.str().find("上限 10000"), std::string::npos);
}

TEST_F(BatchTest, IncompleteModelStopsBeforeAnyOutput) {
    const std::string bon = dir.file("x.bon");
    EXPECT_EQ(run({kData + "/unfinished.man", "--fix", "Z00", "--load", "Z01", "--bon", bon}),
              kExitModel);
    EXPECT_EQ(out.str(), "");
    EXPECT_FALSE(std::filesystem::exists(bon));
    testing::write_bytes(dir.file("empty.man"), "     0\r\n     0\r\n");
    EXPECT_EQ(run({dir.file("empty.man")}), kExitModel);
}

TEST_F(BatchTest, ShortFileIsWarnedAbout) {
    testing::write_bytes(dir.file("short.man"),
                         read_bytes(kData + "/cantilever.man").substr(0, 60));
    run({dir.file("short.man")});
    EXPECT_NE(err.str().find("warning: "), std::string::npos);
}

TEST_F(BatchTest, UnwritableOutputGivesItsOwnStatus) {
    EXPECT_EQ(run({kData + "/cantilever.man", "--fix", "Z00", "--load", "Z01", "--bon",
                   dir.file("no/dir/x.bon")}),
              kExitWrite);
    EXPECT_NE(err.str().find("Error: Unable to open BonFile"), std::string::npos);
    EXPECT_EQ(run({kData + "/cantilever.man", "--man", dir.file("no/dir/x.man")}), kExitWrite);
}

TEST_F(BatchTest, MemberWithoutWidthOrThicknessIsRefusedByTheUpkeep) {
    std::string man = read_bytes(kData + "/portal.man");
    // The second member, a post, made flat.
    const size_t at = man.find(" -1 -1 12 12 ", man.find("\n 2 \"\" \"\""));
    ASSERT_NE(at, std::string::npos);
    man.replace(at, 13, " -1 -1 12 0 ");
    testing::write_bytes(dir.file("flat.man"), man);
    const std::string bon = dir.file("flat.bon");
    EXPECT_EQ(run({dir.file("flat.man"), "--fix", "Z00", "--load", "Z01", "--bon", bon}),
              kExitModel);
    EXPECT_NE(err.str().find("tarvik-batch: 部材 2 "), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("upkeep was refused"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(bon));
}

// Runs tarvik-batch in the test's folder, as a script in that folder would.
class BatchInFolderTest : public BatchTest {
  protected:
    std::filesystem::path old = std::filesystem::current_path();
    BatchInFolderTest() { std::filesystem::current_path(dir.path()); }
    ~BatchInFolderTest() override { std::filesystem::current_path(old); }
};

TEST_F(BatchInFolderTest, JobsWritingTheFolderWaitForAnotherJobOrSayItIsBusy) {
    const std::vector<std::string> velto = {kData + "/cantilever.man", "--fix", "Z00", "--load",
                                            "Z01", "--velto", "--wait", "0"};
    testing::OtherJob other(dir.path().string());
    ASSERT_TRUE(other.holds());
    EXPECT_EQ(run(velto), kExitBusy);
    EXPECT_NE(err.str().find("error: the working folder is busy"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("VELTOSOL.IN")));
    EXPECT_EQ(run({kData + "/cantilever.man", "--hidden", "1000,30,30", "--wait", "0"}),
              kExitBusy);
    // Files elsewhere are not the folder's exchange: no lock is needed.
    EXPECT_EQ(run({kData + "/cantilever.man", "--fix", "Z00", "--load", "Z01", "--bon",
                   dir.file("post.bon"), "--wait", "0"}),
              kExitOk);
    // Given time, the job waits for the other to end.
    std::thread finish([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.release();
    });
    std::vector<std::string> waiting = velto;
    waiting.back() = "20";
    EXPECT_EQ(run(waiting), kExitOk) << err.str();
    finish.join();
    EXPECT_TRUE(std::filesystem::exists(dir.file("VELTOSOL.IN")));
}

// A stand-in for the solver in the working folder that leaves fixed results
// for the cantilever post: its member carries no force, the top moves by
// top_disp along x and y.
void write_fake_solver(const std::string& path, const std::string& top_disp) {
    testing::write_bytes(
        path, "#!/bin/sh\n"
              "printf '1\\n0.0\\n1\\n0.0\\n2\\n0.0\\n300.0\\n' > VELTOSOL.ZLV\n"
              "printf '2\\n1 1 0.0 0.0 0.0 X00Y00Z00\\n2 2 0.0 0.0 300.0 X00Y00Z01\\n"
              "1\\n1 1 1 X00Y00Z00 2 2 X00Y00Z01 0.0 0 0 0 0 0 0 0 0 0 0 0\\n' > VELTOSOL.LST\n"
              "printf '2\\n1 1 X00Y00Z00 0 0 0 0 0 0\\n2 2 X00Y00Z01 " +
                  top_disp + " " + top_disp + " 0 0 0 0\\n' > VELTOSOL.DSP\n"
                  // One time for the set, as the solver gives it: three writes
                  // can fall on two ticks of the file system's clock.
                  "touch -r VELTOSOL.ZLV VELTOSOL.LST VELTOSOL.DSP\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

TEST_F(BatchInFolderTest, SummaryCountsAZeroForceWithCompressionAndRefusesInfiniteResults) {
    const std::vector<std::string> analyse = {kData + "/cantilever.man", "--fix", "Z00", "--load",
                                              "Z01", "--analyse"};
    write_fake_solver(dir.file("veltosol"), "3.0E+00");
    ASSERT_EQ(run(analyse), kExitOk) << err.str();
    EXPECT_NE(out.str().find("result members 1\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("tension members 0\ncompression members 1\n"
                             "members without axial force 1\n"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("largest displacement 4.2426 cm"), std::string::npos) << out.str();

    // Each component fits a float, the magnitude does not.
    write_fake_solver(dir.file("veltosol"), "3.0E+38");
    out.str("");
    err.str("");
    EXPECT_EQ(run(analyse), kExitAnalysis);
    EXPECT_EQ(out.str().find("largest displacement"), std::string::npos) << out.str();
    EXPECT_NE(err.str().find("節点 X00Y00Z01 の変位が大きすぎて扱えません"), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("error: the results of the solver cannot be read"),
              std::string::npos);
}

// The default floor written as axis data, with and without a shift, and read
// back: the tally is printed and written to the current directory, the model
// is the one written, and each failure has its own status.
TEST_F(BatchInFolderTest, AxisDataWrittenAndReadBack) {
    ASSERT_EQ(run({"--generate", "", "--write-jik", "floor.jik", "--bon", "made.bon", "--fix",
                   "Z00", "--load", "Z01"}),
              kExitOk)
        << err.str();
    EXPECT_NE(out.str().find("axis data file floor.jik\nnodes 241\nmembers 768\n"),
              std::string::npos)
        << out.str();
    // Every node of the lowest level supported: more supports than the solver takes.
    EXPECT_EQ(err.str(),
              "tarvik-batch: warning: 解析できる上限を超えています: 支点数 113 (上限 100)\n"
              "tarvik-batch: warning: このままでは構造解析を実施できません\n");

    out.str("");
    ASSERT_EQ(run({"--jik", "floor.jik", "--bon", "read.bon", "--fix", "Z00", "--load", "Z01"}),
              kExitOk)
        << err.str();
    EXPECT_EQ(out.str().rfind("axis data lines 768\nheight classes ", 0), 0u) << out.str();
    EXPECT_NE(out.str().find("timber volume "), std::string::npos);
    EXPECT_NE(out.str().find("nodes 241\nmembers 768\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.file(generator::kYousekiFile)));
    EXPECT_EQ(read_bytes(dir.file("read.bon")), read_bytes(dir.file("made.bon")));

    // Every end point moved by the shift.
    ASSERT_EQ(run({"--generate", "", "--write-jik", "moved.jik", "--jik-shift", "100,-50,2.5"}),
              kExitOk);
    const auto first_member = [&](const char* name) {
        const std::string text = read_bytes(dir.file(name));
        std::array<float, 8> v{};
        std::sscanf(text.c_str() + text.find("\n1 ") + 3, "%f %f %f %f %f %f %f %f", &v[0], &v[1],
                    &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]);
        return v;
    };
    const auto a = first_member("floor.jik");
    const auto b = first_member("moved.jik");
    const float shift[8] = {100, -50, 2.5f, 100, -50, 2.5f, 0, 0};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(b[k], a[k] + shift[k]) << k;

    testing::write_bytes(dir.file("flat.jik"), "1 0 0 0 0 0 300 0 12\n999\n");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } failures[] = {
        {{"--jik", "none.jik"}, kExitRead, "Can't open none.jik"},
        {{"--jik", "flat.jik"}, kExitModel, "upkeep was refused"},
        {{"--generate", "", "--write-jik", "no/floor.jik"}, kExitWrite, files::kJikuOpenError},
    };
    for (const auto& f : failures) {
        err.str("");
        EXPECT_EQ(run(f.args), f.status) << f.says;
        EXPECT_NE(err.str().find(f.says), std::string::npos) << err.str();
    }
}

TEST_F(BatchTest, UsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"a.man", "b.man"},
        {"a.man", "--frob"},
        {"a.man", "--fix"},
        {"a.man", "--fix", "Q00"},
        {"a.man", "--fix", "X00-Y02"},
        {"a.man", "--fix", "X00,X01"},
        {"a.man", "--fix", "X001"},
        {"a.man", "--fix", "X"},
        {"a.man", "--fix", "X01-"},
        {"a.man", "--fix", "X01-X"},
        {"a.man", "--fix", "X01,"},
        {"a.man", "--fix", ""},
        {"a.man", "--fix-code", "112"},
        {"a.man", "--load-value", "1,2"},
        {"a.man", "--load-value", "1,2,3x"},
        // Numbers no result can come from.
        {"a.man", "--load-value", "nan,0,0"},
        {"a.man", "--load-value", "0,inf,0"},
        {"a.man", "--load-value", "0,0,1e39"},
        {"a.man", "--load-value", "0,-1e300,0"},
        // An empty file name, as an unset variable in a script gives it.
        {"a.man", "--man", ""},
        {"a.man", "--bon", ""},
        {"a.man", "--analyse", "--save-results", ""},
        {"a.man", "--wait", ""},
        {"a.man", "--wait", "-1"},
        {"a.man", "--wait", "soon"},
        {"a.man", "--wait", "nan"},
        {"a.man", "--wait", "1e9"},
        // Axis data: one model source, a shift only for a file written.
        {"--jik"},
        {"--jik", ""},
        {"--jik", "a.jik", "b.man"},
        {"--jik", "a.jik", "--generate", ""},
        {"a.man", "--jik-shift", "1,2,3"},
        {"a.man", "--write-jik", "b.jik", "--jik-shift", "1,2"},
        {"a.man", "--write-jik", "b.jik", "--jik-shift", "1,nan,2"},
    };
    for (const auto& args : bad) {
        err.str("");
        EXPECT_EQ(run(args), kExitUsage) << (args.empty() ? "" : args.back());
        EXPECT_NE(err.str().find("usage: tarvik-batch"), std::string::npos);
    }
    EXPECT_EQ(run({"--help"}), kExitOk);
    EXPECT_NE(out.str().find("--fix BOX"), std::string::npos);
}

}  // namespace
}  // namespace tarvik::app

namespace tarvik::app {
namespace {

class BatchGenerateTest : public ::testing::Test {
  protected:
    std::ostringstream out, err;
    int run(std::vector<std::string> args) { return run_batch(args, out, err); }
};

TEST_F(BatchGenerateTest, DefaultsAndNamedBasicData) {
    ASSERT_EQ(run({"--generate", ""}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("nodes 241\nmembers 768\n"), std::string::npos) << out.str();
    out.str("");
    ASSERT_EQ(run({"--generate", "SumiType=1,YaneMode=0"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("nodes 281\nmembers 864\n"), std::string::npos) << out.str();
    out.str("");
    ASSERT_EQ(run({"--generate", "nx=2,ny=3"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("levels 5 7 2"), std::string::npos) << out.str();
}

TEST_F(BatchGenerateTest, BadBasicDataAreRefused) {
    // Coordinates that overflow a float are refused before the generation.
    EXPECT_EQ(run({"--generate", "tuka_haba=1e38"}), kExitModel);
    EXPECT_NE(err.str().find(generator::kMsgTooLarge), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(run({"--generate", "nx=eight"}), kExitUsage);
    EXPECT_EQ(run({"--generate", "colour=3"}), kExitUsage);
    EXPECT_EQ(run({"a.man", "--generate", "nx=2"}), kExitUsage);
    // Understood, but not a house the window would make.
    EXPECT_EQ(run({"--generate", "nx=0"}), kExitModel);
    EXPECT_EQ(run({"--generate", "YaneMode=1"}), kExitModel);  // a roof needs columns
}

}  // namespace
}  // namespace tarvik::app
