#include "app/desktop_start.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tarvik_version.h"

namespace tarvik::app {
namespace {

namespace fs = std::filesystem;

TEST(DesktopStart, WorkFolderFollowsTheXdgRules) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* folder;
    };
    const Case cases[] = {
        {"/data/u", "/home/u", "/data/u/tarvik"},
        {nullptr, "/home/u", "/home/u/.local/share/tarvik"},
        {"", "/home/u", "/home/u/.local/share/tarvik"},
        {"relative/x", "/home/u", "/home/u/.local/share/tarvik"},  // only absolute paths count
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(desktop_work_folder(c.xdg, c.home), c.folder)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

// The current directory is changed by the routine: every case goes back.
class WorkFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        before_ = fs::current_path();
        char tmpl[] = "/tmp/tarvik-desktop-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        root_ = tmpl;
    }
    void TearDown() override {
        fs::current_path(before_);
        fs::remove_all(root_);
    }
    fs::path before_, root_;
};

TEST_F(WorkFolder, MissingFoldersAreMadePrivateAndEntered) {
    const fs::path folder = root_ / "xdg" / "tarvik";
    std::string error;
    ASSERT_TRUE(enter_work_folder(folder.string(), error)) << error;
    EXPECT_EQ(fs::current_path(), folder);
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    // A second start finds it there and keeps what it holds.
    std::ofstream(folder / "SPY.TXT") << "x";
    fs::current_path(root_);
    ASSERT_TRUE(enter_work_folder(folder.string(), error)) << error;
    EXPECT_TRUE(fs::exists(folder / "SPY.TXT"));
}

TEST_F(WorkFolder, AFileInTheWayOrNoFolderIsReported) {
    std::ofstream(root_ / "plain") << "x";
    std::string error;
    EXPECT_FALSE(enter_work_folder((root_ / "plain" / "tarvik").string(), error));
    EXPECT_NE(error.find("plain"), std::string::npos);
    EXPECT_EQ(fs::current_path(), before_);
    EXPECT_FALSE(enter_work_folder("", error));
}

TEST(DesktopStart, VersionLineNamesProgramVersionAndDate) {
    EXPECT_EQ(version_line("veltosol"),
              std::string("veltosol ") + TARVIK_VERSION + " (built " + TARVIK_BUILD_DATE + ")");
}

}  // namespace
}  // namespace tarvik::app
