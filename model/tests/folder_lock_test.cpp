// The working-folder lock: exclusion between processes, waiting for a holder
// that finishes, re-entry within one process, and no lock left with a started
// program.
#include "model/folder_lock.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "files/tests/test_dir.h"

namespace tarvik::model {
namespace {

using State = FolderLock::State;

// The state a FolderLock on d gets in a child process.
State state_in_child(const std::string& d, double wait = 0.0) {
    const pid_t child = ::fork();
    if (child == 0) _exit(static_cast<int>(FolderLock(d, wait).state()));
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? static_cast<State>(WEXITSTATUS(status)) : State::kUnavailable;
}

TEST(FolderLock, OtherProcessesAreExcludedUntilTheJobEnds) {
    testing::TempDir dir;
    const std::string d = dir.path().string();
    {
        FolderLock job(d);
        ASSERT_EQ(job.state(), State::kHeld);
        EXPECT_EQ(state_in_child(d), State::kBusy);
        EXPECT_EQ(state_in_child(d, 0.2), State::kBusy);
        {
            // A step of the job locking its folder again is let through, and
            // its end does not free the folder.
            FolderLock step(dir.path().string() + "/.");
            EXPECT_EQ(step.state(), State::kHeld);
        }
        EXPECT_EQ(state_in_child(d), State::kBusy);
    }
    EXPECT_EQ(state_in_child(d), State::kHeld);
}

TEST(FolderLock, WaitsForAHolderThatFinishesInTime) {
    testing::TempDir dir;
    const std::string d = dir.path().string();
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        FolderLock job(d);
        const char c = job.state() == State::kHeld ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    EXPECT_EQ(FolderLock(d).state(), State::kBusy);
    const auto t0 = std::chrono::steady_clock::now();
    FolderLock waiting(d, 10.0);
    const double waited =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_EQ(waiting.state(), State::kHeld);
    EXPECT_LT(waited, 9.0);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(FolderLock, StartedProgramDoesNotKeepTheFolder) {
    testing::TempDir dir;
    const std::string d = dir.path().string();
    pid_t child = -1;
    {
        FolderLock job(d);
        ASSERT_EQ(job.state(), State::kHeld);
        // The pipe's end closes at the exec: end of file then tells that the
        // program runs.
        int exec_seen[2];
        ASSERT_EQ(::pipe2(exec_seen, O_CLOEXEC), 0);
        child = ::fork();
        if (child == 0) {
            ::execl("/bin/sleep", "sleep", "5", static_cast<char*>(nullptr));
            _exit(127);
        }
        ::close(exec_seen[1]);
        char c;
        EXPECT_EQ(::read(exec_seen[0], &c, 1), 0);
        ::close(exec_seen[0]);
    }
    // The job ended while the program it started still runs: the folder is free.
    EXPECT_EQ(state_in_child(d), State::kHeld);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

TEST(FolderLock, FolderWithoutLockFileIsNotRefused) {
    FolderLock none("/nonexistent/folder");
    EXPECT_EQ(none.state(), State::kUnavailable);
    EXPECT_TRUE(none.may_proceed());
}

}  // namespace
}  // namespace tarvik::model
