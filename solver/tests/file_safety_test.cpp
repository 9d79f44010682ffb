// The result set is replaced as a whole or not at all, and the input is read
// read-only and only up to a bound.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "test_support.h"

namespace veltosol {
namespace {

using testing::Scratch;

const char* const kResults[] = {"VELTOSOL.OUT", "VELTOSOL.STA", "VELTOSOL.LST", "VELTOSOL.DSP",
                                "VELTOSOL.ZLV"};

std::string fixture(const char* name) {
    std::ifstream in(std::string(SOLVER_TESTDATA) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct timespec mtime(const Scratch& dir, const char* name) {
    struct stat st {};
    EXPECT_EQ(::stat((dir.dir() / name).c_str(), &st), 0) << name;
    return st.st_mtim;
}

bool same(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

int files_in(const Scratch& dir) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.dir())) n += e.is_regular_file();
    return n;
}

TEST(ResultSet, ACompleteRunStampsItsFilesAlikeAFailedOneKeepsTheEarlierSet) {
    Scratch dir;
    dir.write("VELTOSOL.IN", fixture("bar.in"));
    ASSERT_EQ(dir.run(), 0);
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
        EXPECT_EQ(dir.run(), kExitReadFailure);
        for (const char* f : kResults) {
            EXPECT_EQ(dir.read(f), before[f]) << f;
            EXPECT_TRUE(same(mtime(dir, f), first)) << f;
        }
        EXPECT_EQ(files_in(dir), 7);
        // The trace, written in place, tells how far the run came.
        EXPECT_EQ(dir.read("VELTOSOL.MAX").find("PASS ANGLE") != std::string::npos, in == late);
    }

    dir.write("VELTOSOL.IN", fixture("bar.in"));
    ASSERT_EQ(dir.run(), 0);
    const struct timespec second = mtime(dir, kResults[0]);
    EXPECT_FALSE(same(second, first));
    for (const char* f : kResults) EXPECT_TRUE(same(mtime(dir, f), second)) << f;
}

TEST(Input, AnEndlessInputIsRefusedAtItsBound) {
    Scratch dir;
    std::filesystem::create_symlink("/dev/zero", dir.dir() / "VELTOSOL.IN");
    std::string err;
    EXPECT_EQ(dir.run(nullptr, &err), kExitCapacity);
    EXPECT_NE(err.find("VELTOSOL.IN is longer than 64 MB"), std::string::npos) << err;
}

TEST(Input, AWriteProtectedInputIsRead) {
    Scratch dir;
    dir.write("VELTOSOL.IN", fixture("bar.in"));
    ::chmod((dir.dir() / "VELTOSOL.IN").c_str(), 0444);
    std::string err;
    EXPECT_EQ(dir.run(nullptr, &err), 0) << err;
    EXPECT_EQ(dir.read("VELTOSOL.IN"), fixture("bar.in"));

    // Permissions do not bind a superuser; a program being executed cannot be
    // opened for writing by anyone. This test program as the input must fail
    // as unreadable input (or as too long), never as a file not openable.
    std::filesystem::remove(dir.dir() / "VELTOSOL.IN");
    std::filesystem::create_symlink(std::filesystem::read_symlink("/proc/self/exe"),
                                    dir.dir() / "VELTOSOL.IN");
    EXPECT_NE(dir.run(nullptr, &err), kExitFileError);
    EXPECT_EQ(err.find("cannot open"), std::string::npos) << err;
}

}  // namespace
}  // namespace veltosol
