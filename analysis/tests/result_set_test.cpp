// What the solver leaves is taken only as one run's whole set; its diagnostic
// arrives whatever the state of the working folder; the numeric record's
// counts cannot overflow.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

#include "analysis/result_tables.h"
#include "analysis/solver_run.h"
#include "files/tests/test_dir.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::analysis {
namespace {

using tarvik::testing::ScriptedMessages;
using tarvik::testing::TempDir;

// Two bars along X clamped at node 1; the load on node 3 is filled in.
std::string bar_input(const char* load) {
    return std::string(
               "     1\r\n  0.0\r\n     1\r\n  0.0\r\n     1\r\n  0.0\r\n     3     2\r\n"
               "     1     1     2     1     1   0.0 X00Y00Z00 X01Y00Z00\r\n"
               "     2     2     3     1     1   0.0 X01Y00Z00 X02Y00Z00\r\n"
               "     1\r\n     1 100.0 100.0 10.0 50.0\r\n     1\r\n     1 1000.0 0.25 0.5\r\n"
               "     3\r\n     1 0.0 0.0 0.0 X00Y00Z00\r\n     2 100.0 0.0 0.0 X01Y00Z00\r\n"
               "     3 200.0 0.0 0.0 X02Y00Z00\r\n     1\r\n     1,111111\r\n     1\r\n"
               " X02Y00Z00,    3,") +
           load + ",0.0,0.0,0.0,0.0,0.0\r\n";
}

std::string solver() {
#ifdef VELTOSOL_PATH
    return VELTOSOL_PATH;
#else
    return {};
#endif
}

TEST(ResultSet, FilesOfTwoRunsAreNotReadAsOne) {
    if (solver().empty()) GTEST_SKIP() << "veltosol is not part of this build";
    // The same frame under two loads: only the times tell the runs apart.
    TempDir a, b;
    tarvik::testing::write_bytes(a.file("VELTOSOL.IN"), bar_input("50.0"));
    tarvik::testing::write_bytes(b.file("VELTOSOL.IN"), bar_input("-80.0"));
    ASSERT_TRUE(run_solver(solver(), a.path().string()).ok());
    ASSERT_TRUE(run_solver(solver(), b.path().string()).ok());

    auto m = std::make_unique<model::ModelStore>();
    auto t = std::make_unique<ResultTables>();
    ScriptedMessages msg;
    ASSERT_TRUE(load_results(a.path().string(), *m, *t, msg));
    EXPECT_TRUE(msg.shown.empty());

    // A killed run that had put its listing in place, but not yet its
    // displacements: the listing (with its own time) is the other run's.
    std::filesystem::copy_file(b.file(kListFileName), a.file(kListFileName),
                               std::filesystem::copy_options::overwrite_existing);
    struct stat st {};
    ASSERT_EQ(::stat(b.file(kListFileName).c_str(), &st), 0);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, a.file(kListFileName).c_str(), times, 0), 0);
    m->N_X = 7;
    EXPECT_FALSE(one_result_set(a.path().string()));
    EXPECT_FALSE(load_results(a.path().string(), *m, *t, msg));
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgMixedSet});
    EXPECT_EQ(m->N_X, 7);  // nothing was read
}

TEST(SolverRun, TheDiagnosticComesThroughAPipe) {
    TempDir dir;
    const std::string fake = dir.file("fake");
    // More than a pipe holds, then the line that matters; nothing may appear
    // in the working folder.
    tarvik::testing::write_bytes(
        fake, "#!/bin/sh\nhead -c 200000 /dev/zero | tr '\\0' x >&2\n"
              "echo 'veltosol: cannot write VELTOSOL.OUT: No space left on device' >&2\nexit 5\n");
    ::chmod(fake.c_str(), 0755);
    TempDir work;
    const SolverRun r = run_solver(fake, work.path().string());
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.status, 5);
    const std::string last = "veltosol: cannot write VELTOSOL.OUT: No space left on device\n";
    EXPECT_EQ(r.diagnostic.size(), 64u * 1024u);  // the end of it
    EXPECT_EQ(r.diagnostic.substr(r.diagnostic.size() - last.size()), last);
    EXPECT_TRUE(std::filesystem::is_empty(work.path()));
}

TEST(Stability, AbsurdCountsInTheNumericRecordAreRefused) {
    // Member count 2^30 + 1 (twice it overflows 32 bits), a restraint count at
    // the top of the range, negative load counts, a negative near-zero count.
    const std::string head = "    1    1\r\n    1    1\r\n     0.0\r\n 1.0\r\n    0\r\n    0    0\r\n";
    const std::string restraints = "    0\r\n    0\r\n    0\r\n    0\r\n    0\r\n    0\r\n";
    for (const std::string& sta :
         {std::string("    1 1073741825\r\n") + head.substr(12) + restraints,
          head + " 2147483647\r\n" + restraints,
          head + restraints + "    0   -5    0\r\n    0    0    0\r\n    0\r\n    0\r\n",
          head + restraints + "    0    0    0\r\n    0    0    0\r\n    0\r\n   -3\r\n"})
        EXPECT_EQ(sta_near_zero_count(sta), -1) << sta;
    EXPECT_EQ(sta_near_zero_count(head + restraints + "    0    0    0\r\n    0    0    0\r\n"
                                                      "    0\r\n    2\r\n    1    1\r\n"),
              2);
}

}  // namespace
}  // namespace tarvik::analysis
