// Saving over whatever sits at a path: symbolic links, FIFOs, hard links, mode
// and owner, flushing before the rename, and failures that leave all as it was.
#include "files/replace_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "files/tests/test_dir.h"

// The test program is linked with --wrap=open,fsync,rename so that the calls a
// save makes can be seen: the mode a file is created with, which file is
// flushed, and whether that happens before or after the rename.
namespace {

struct Call {
    char what;       // 'c' create, 'f' flush, 'r' rename
    unsigned mode;   // create: mode asked for
    dev_t dev;       // flush: the file flushed
    ino_t ino;
};

std::mutex calls_mutex;
bool recording = false;
std::vector<Call> calls;

void record(const Call& c) {
    std::lock_guard lock(calls_mutex);
    if (recording) calls.push_back(c);
}

}  // namespace

extern "C" {
int __real_open(const char* path, int flags, ...);
int __real_fsync(int fd);
int __real_rename(const char* from, const char* to);

int __wrap_open(const char* path, int flags, ...) {
    unsigned mode = 0;
    if ((flags & O_CREAT) != 0) {
        va_list ap;
        va_start(ap, flags);
        mode = va_arg(ap, unsigned);
        va_end(ap);
        record({'c', mode, 0, 0});
    }
    return __real_open(path, flags, mode);
}

int __wrap_fsync(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) == 0) record({'f', 0, st.st_dev, st.st_ino});
    return __real_fsync(fd);
}

int __wrap_rename(const char* from, const char* to) {
    record({'r', 0, 0, 0});
    return __real_rename(from, to);
}
}

namespace tarvik::files {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::TempDir;
using testing::write_bytes;

const std::string kNew = "new text\r\n";

// Every entry under a folder: kind and content (link text, file bytes).
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string name = e.path().lexically_relative(root).string();
        const fs::file_status s = e.symlink_status();
        if (fs::is_symlink(s)) {
            out[name] = "link " + fs::read_symlink(e.path()).string();
        } else if (fs::is_regular_file(s)) {
            out[name] = "file " + read_bytes(e.path().string());
        } else if (fs::is_directory(s)) {
            out[name] = "folder";
        } else {
            out[name] = "other";
        }
    }
    return out;
}

WriteResult save(const std::string& path, std::string_view bytes,
                 std::vector<Call>* seen = nullptr) {
    {
        std::lock_guard lock(calls_mutex);
        calls.clear();
        recording = true;
    }
    const WriteResult r = replace_file(path, bytes);
    std::lock_guard lock(calls_mutex);
    recording = false;
    if (seen != nullptr) *seen = calls;
    return r;
}

struct stat stat_of(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}

// Sets the umask for one test and puts the old one back.
class Umask {
  public:
    explicit Umask(mode_t m) : old_(::umask(m)) {}
    ~Umask() { ::umask(old_); }

  private:
    mode_t old_;
};

TEST(ReplaceFile, SymbolicLinksAreFollowedAndKept) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links;  // link, text
        bool target_exists;
    };
    // save at the first link; the chain ends at b/t (or b/new when dangling)
    const Case cases[] = {
        {"absolute", {{"l", "@b/t"}}, true},
        {"relative, from the link's folder", {{"a/l", "../b/t"}}, true},
        {"chain", {{"l1", "a/l2"}, {"a/l2", "@l3"}, {"l3", "b/t"}}, true},
        {"dangling creates what it names", {{"a/l", "../b/new"}}, false},
    };
    Umask mask(027);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir d;
        fs::create_directories(d.path() / "a");
        fs::create_directories(d.path() / "b");
        const std::string target = d.file(c.target_exists ? "b/t" : "b/new");
        if (c.target_exists) {
            write_bytes(target, "old");
            ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
        }
        for (const auto& [link, text] : c.links) {
            const std::string to = text[0] == '@' ? d.file(text.substr(1)) : text;
            ASSERT_EQ(::symlink(to.c_str(), d.file(link).c_str()), 0);
        }
        auto expected = snapshot(d.path());
        expected[c.target_exists ? "b/t" : "b/new"] = "file " + kNew;

        EXPECT_EQ(save(d.file(c.links[0].first), kNew), WriteResult::kOk);
        EXPECT_EQ(snapshot(d.path()), expected);
        EXPECT_EQ(stat_of(target).st_mode & 07777, c.target_exists ? 0600u : 0640u);
    }
}

TEST(ReplaceFile, FifoIsWrittenNotReplaced) {
    for (const bool through_link : {false, true}) {
        SCOPED_TRACE(through_link ? "link to a FIFO" : "FIFO");
        TempDir d;
        const std::string fifo = d.file("f");
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        if (through_link) {
            ASSERT_EQ(::symlink("f", d.file("l").c_str()), 0);
        }
        const auto before = snapshot(d.path());
        // The reading end is opened first, without waiting; the text fits the
        // pipe's buffer, so the save neither blocks nor needs a reader thread.
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(reader, 0);

        EXPECT_EQ(save(d.file(through_link ? "l" : "f"), kNew), WriteResult::kOk);
        char buf[256];
        const ssize_t n = ::read(reader, buf, sizeof buf);
        ::close(reader);
        EXPECT_EQ(std::string(buf, n > 0 ? static_cast<size_t>(n) : 0), kNew);
        EXPECT_EQ(snapshot(d.path()), before);
    }
}

TEST(ReplaceFile, HardLinkedFileIsRewrittenInPlace) {
    for (const std::string& old : {std::string("old"), std::string(100, 'x')}) {
        SCOPED_TRACE(old.size());
        TempDir d;
        write_bytes(d.file("a"), old);
        ASSERT_EQ(::link(d.file("a").c_str(), d.file("b").c_str()), 0);
        const ino_t ino = stat_of(d.file("a")).st_ino;

        EXPECT_EQ(save(d.file("a"), kNew), WriteResult::kOk);
        EXPECT_EQ(stat_of(d.file("a")).st_ino, ino);
        EXPECT_EQ(stat_of(d.file("a")).st_nlink, 2u);
        EXPECT_EQ(snapshot(d.path()),
                  (std::map<std::string, std::string>{{"a", "file " + kNew}, {"b", "file " + kNew}}));
    }
}

TEST(ReplaceFile, ModeAndOwnerAreKeptAndTemporaryStartsPrivate) {
    struct Case {
        int old_mode;  // -1: no file yet
        mode_t umask;
        unsigned want;
    };
    const Case cases[] = {
        {0600, 022, 0600}, {0640, 022, 0640}, {0751, 077, 0751},
        {0444, 022, 0444}, {-1, 022, 0644},   {-1, 027, 0640},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::oct << c.old_mode << " umask " << c.umask);
        Umask mask(c.umask);
        TempDir d;
        const std::string p = d.file("m.man");
        bool owner_given = false;
        if (c.old_mode >= 0) {
            write_bytes(p, "old");
            ASSERT_EQ(::chmod(p.c_str(), static_cast<mode_t>(c.old_mode)), 0);
            owner_given = ::chown(p.c_str(), 4321, 4322) == 0;  // only as root
        }
        std::vector<Call> seen;
        EXPECT_EQ(save(p, kNew, &seen), WriteResult::kOk);
        EXPECT_EQ(read_bytes(p), kNew);
        const struct stat st = stat_of(p);
        EXPECT_EQ(st.st_mode & 07777, c.want);
        if (owner_given) {
            EXPECT_EQ(st.st_uid, 4321u);
            EXPECT_EQ(st.st_gid, 4322u);
        }
        ASSERT_EQ(seen.empty(), false);
        EXPECT_EQ(seen[0].what, 'c');
        EXPECT_EQ(seen[0].mode, c.old_mode >= 0 ? 0600u : 0666u);
    }
}

TEST(ReplaceFile, NewTextIsFlushedBeforeTheRenameAndTheFolderAfter) {
    for (const char* kind : {"new", "existing", "hard-linked"}) {
        SCOPED_TRACE(kind);
        TempDir d;
        const std::string p = d.file("r.bon");
        if (kind[0] != 'n') write_bytes(p, "old");
        if (kind[0] == 'h') {
            ASSERT_EQ(::link(p.c_str(), d.file("r2").c_str()), 0);
        }
        std::vector<Call> seen;
        ASSERT_EQ(save(p, kNew, &seen), WriteResult::kOk);

        const struct stat file = stat_of(p);
        const struct stat folder = stat_of(d.path().string());
        std::string order;  // F: the saved file, D: its folder, r: rename
        for (const Call& c : seen) {
            if (c.what == 'r') order += 'r';
            if (c.what == 'f' && c.dev == file.st_dev && c.ino == file.st_ino) order += 'F';
            if (c.what == 'f' && c.dev == folder.st_dev && c.ino == folder.st_ino) order += 'D';
        }
        EXPECT_EQ(order, kind[0] == 'h' ? "F" : "FrD");
    }
}

TEST(ReplaceFile, FailureLeavesWhatWasThere) {
    struct Case {
        const char* name;
        std::function<void(const TempDir&)> make;  // makes "p" and around it
        WriteResult want;
        rlim_t size_limit;  // 0: none
    };
    auto mk_link = [](const TempDir& d, const char* name, const char* text) {
        ASSERT_EQ(::symlink(text, d.file(name).c_str()), 0);
    };
    const Case cases[] = {
        {"folder", [](const TempDir& d) { fs::create_directory(d.path() / "p"); },
         WriteResult::kCannotCreate, 0},
        {"link to a folder",
         [&](const TempDir& d) {
             fs::create_directory(d.path() / "f");
             mk_link(d, "p", "f");
         },
         WriteResult::kCannotCreate, 0},
        {"link loop",
         [&](const TempDir& d) {
             mk_link(d, "p", "q");
             mk_link(d, "q", "p");
         },
         WriteResult::kCannotCreate, 0},
        {"dangling link into no folder", [&](const TempDir& d) { mk_link(d, "p", "none/x"); },
         WriteResult::kCannotCreate, 0},
        {"FIFO nobody reads",
         [](const TempDir& d) { ASSERT_EQ(::mkfifo(d.file("p").c_str(), 0600), 0); },
         WriteResult::kCannotCreate, 0},
        {"file too large", [](const TempDir& d) { write_bytes(d.file("p"), "old"); },
         WriteResult::kWriteFailed, 8},
        {"hard-linked file too large",
         [](const TempDir& d) {
             write_bytes(d.file("p"), "old");
             ASSERT_EQ(::link(d.file("p").c_str(), d.file("p2").c_str()), 0);
         },
         WriteResult::kWriteFailed, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir d;
        c.make(d);
        const auto before = snapshot(d.path());
        const auto write = [&] { return save(d.file("p"), std::string(100, 'n')); };
        const WriteResult r =
            c.size_limit > 0 ? test_support::with_file_size_limit(c.size_limit, write) : write();
        EXPECT_EQ(r, c.want);
        EXPECT_EQ(snapshot(d.path()), before);
    }
}

}  // namespace
}  // namespace tarvik::files
