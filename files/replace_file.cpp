#include "files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace tarvik::files {
namespace {

// The kernel's own limit on links followed in one path.
constexpr int kMaxLinks = 40;

bool write_all(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

bool read_all(int fd, std::string& out) {
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        out.append(buf, static_cast<size_t>(n));
    }
}

// Replaces path by the file its chain of symbolic links names; a relative
// target is read from the folder holding the link. False when the chain is
// too long (a loop) or a link cannot be read.
bool follow_links(std::string& path) {
    std::vector<char> buf(PATH_MAX);
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        if (hops == kMaxLinks) return false;
        const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size());
        if (n <= 0 || static_cast<size_t>(n) >= buf.size()) return false;
        std::string target(buf.data(), static_cast<size_t>(n));
        if (target[0] != '/') {
            const size_t slash = path.rfind('/');
            if (slash != std::string::npos) target = path.substr(0, slash + 1) + target;
        }
        path = std::move(target);
    }
    return false;
}

// Flushes the folder entry of path so that a rename survives a crash. Best
// effort: some file systems cannot flush a folder, and the file is already in
// place.
void flush_folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A FIFO or device: written as it is. O_NONBLOCK makes opening a FIFO that
// nobody reads fail instead of waiting; the writes themselves then block.
WriteResult write_direct(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return WriteResult::kCannotCreate;
    const int flags = ::fcntl(fd, F_GETFL);
    const bool blocking = flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
    const bool written = blocking && write_all(fd, bytes);
    const bool closed = ::close(fd) == 0;
    return written && closed ? WriteResult::kOk : WriteResult::kWriteFailed;
}

// A file with several hard links, rewritten in place. The old text is read
// first (when the file can be read) so that a failed write can put it back.
WriteResult write_in_place(const std::string& path, std::string_view bytes) {
    bool can_restore = true;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        can_restore = false;
    }
    if (fd < 0) return WriteResult::kCannotCreate;
    std::string old;
    if (can_restore) can_restore = read_all(fd, old);
    auto rewrite = [fd](std::string_view text) {
        return ::lseek(fd, 0, SEEK_SET) == 0 && write_all(fd, text) &&
               ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 && ::fsync(fd) == 0;
    };
    const bool written = rewrite(bytes);
    if (!written && can_restore) rewrite(old);
    const bool closed = ::close(fd) == 0;
    return written && closed ? WriteResult::kOk : WriteResult::kWriteFailed;
}

// Gives the new file the owner, group and mode of the one it replaces. Only
// root may give a file away, so a user keeps at most the group; set-id bits
// are then dropped rather than granted to a different owner.
bool keep_owner_and_mode(int fd, const struct stat& old) {
    mode_t mode = old.st_mode & 07777;
    struct stat now {};
    if (::fstat(fd, &now) != 0) return false;
    if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
            mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
        }
    }
    return ::fchmod(fd, mode) == 0;
}

}  // namespace

WriteResult replace_file(const std::string& path, std::string_view bytes) {
    if (path.empty()) return WriteResult::kCannotCreate;
    std::string target = path;
    if (!follow_links(target)) return WriteResult::kCannotCreate;

    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (exists && (S_ISDIR(old.st_mode) || S_ISLNK(old.st_mode))) return WriteResult::kCannotCreate;
    if (exists && !S_ISREG(old.st_mode)) return write_direct(target, bytes);

    // The temporary sits beside the target so that the rename stays within one
    // file system; the process id keeps two programs apart. Over an existing
    // file it starts private and takes the old mode once complete; a new file
    // gets the mode the user's umask asks for from the start.
    const std::string base = target + ".tmp" + std::to_string(::getpid());
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = attempt == 0 ? base : base + "_" + std::to_string(attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return WriteResult::kCannotCreate;

    auto give_up = [&](WriteResult r) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return r;
    };
    if (!write_all(fd, bytes)) return give_up(WriteResult::kWriteFailed);

    if (exists && old.st_nlink > 1) {
        if (::fsync(fd) != 0) return give_up(WriteResult::kWriteFailed);
        const WriteResult r = write_in_place(target, bytes);
        return give_up(r);
    }

    if (exists && !keep_owner_and_mode(fd, old)) return give_up(WriteResult::kWriteFailed);
    if (::fsync(fd) != 0) return give_up(WriteResult::kWriteFailed);
    const int closing = fd;
    fd = -1;
    if (::close(closing) != 0) return give_up(WriteResult::kWriteFailed);
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        // The target could not be replaced (a folder made meanwhile, no rights).
        return give_up(WriteResult::kCannotCreate);
    }
    flush_folder(target);
    return WriteResult::kOk;
}

int save_file(const std::string& path, std::string_view bytes, const char* cannot_create,
              const char* write_failed, model::MessageService& msg) {
    switch (replace_file(path, bytes)) {
        case WriteResult::kOk:
            return 0;
        case WriteResult::kCannotCreate:
            msg.show_message(cannot_create);
            return -1;
        case WriteResult::kWriteFailed:
            break;
    }
    msg.show_message(write_failed);
    return -1;
}

}  // namespace tarvik::files
