// The result set is replaced as a whole or not at all, and the input is read
// read-only and only up to a bound.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "test_support.h"

namespace veltosol {
namespace {

using testing::fixture;
using testing::run_in;
using testing::TempDir;

const char* const kResults[] = {"VELTOSOL.OUT", "VELTOSOL.STA", "VELTOSOL.LST", "VELTOSOL.DSP",
                                "VELTOSOL.ZLV"};

struct timespec mtime(const TempDir& dir, const char* name) {
    struct stat st {};
    EXPECT_EQ(::stat((dir.path() / name).c_str(), &st), 0) << name;
    return st.st_mtim;
}

bool same(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

int files_in(const TempDir& dir) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) n += e.is_regular_file();
    return n;
}

TEST(ResultSet, ACompleteRunStampsItsFilesAlikeAFailedOneKeepsTheEarlierSet) {
    TempDir dir;
    dir.write("VELTOSOL.IN", fixture("bar.in"));
    ASSERT_EQ(run_in(dir), 0);
    const struct timespec first = mtime(dir, kResults[0]);
    for (const char* f : kResults) EXPECT_TRUE(same(mtime(dir, f), first)) << f;
    EXPECT_EQ(files_in(dir), 7);  // the input, the trace and five results: no temporaries

    std::map<std::string, std::string> before;
    for (const char* f : kResults) before[f] = dir.read(f);
    // A run that fails at its loads, after every result file but the
    // displacements was begun, and one that fails at once: neither touches
    // the set.
    std::string late = fixture("bar.in");
    late.replace(late.find("50.0"), 4, "5O.0");
    for (const std::string& in : {late, std::string("     3\r\n")}) {
        dir.write("VELTOSOL.IN", in);
        EXPECT_EQ(run_in(dir), kExitReadFailure);
        for (const char* f : kResults) {
            EXPECT_EQ(dir.read(f), before[f]) << f;
            EXPECT_TRUE(same(mtime(dir, f), first)) << f;
        }
        EXPECT_EQ(files_in(dir), 7);
        // The trace, written in place, tells how far the run came.
        EXPECT_EQ(dir.read("VELTOSOL.MAX").find("PASS ANGLE") != std::string::npos, in == late);
    }

    dir.write("VELTOSOL.IN", fixture("bar.in"));
    ASSERT_EQ(run_in(dir), 0);
    const struct timespec second = mtime(dir, kResults[0]);
    EXPECT_FALSE(same(second, first));
    for (const char* f : kResults) EXPECT_TRUE(same(mtime(dir, f), second)) << f;
}

TEST(Input, AnEndlessInputIsRefusedAtItsBound) {
    TempDir dir;
    std::filesystem::create_symlink("/dev/zero", dir.path() / "VELTOSOL.IN");
    std::string err;
    EXPECT_EQ(run_in(dir, nullptr, &err), kExitCapacity);
    EXPECT_NE(err.find("VELTOSOL.IN is longer than 64 MB"), std::string::npos) << err;
}

TEST(Input, AWriteProtectedInputIsRead) {
    TempDir dir;
    dir.write("VELTOSOL.IN", fixture("bar.in"));
    ::chmod((dir.path() / "VELTOSOL.IN").c_str(), 0444);
    std::string err;
    EXPECT_EQ(run_in(dir, nullptr, &err), 0) << err;
    EXPECT_EQ(dir.read("VELTOSOL.IN"), fixture("bar.in"));

    // Permissions do not bind a superuser; a program being executed cannot be
    // opened for writing by anyone. This test program as the input must fail
    // as unreadable input (or as too long), never as a file not openable.
    std::filesystem::remove(dir.path() / "VELTOSOL.IN");
    std::filesystem::create_symlink(std::filesystem::read_symlink("/proc/self/exe"),
                                    dir.path() / "VELTOSOL.IN");
    EXPECT_NE(run_in(dir, nullptr, &err), kExitFileError);
    EXPECT_EQ(err.find("cannot open"), std::string::npos) << err;
}

}  // namespace
}  // namespace veltosol
