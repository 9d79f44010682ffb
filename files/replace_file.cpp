#include "files/replace_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace tarvik::files {
namespace {

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

}  // namespace

WriteResult replace_file(const std::string& path, std::string_view bytes) {
    if (path.empty()) return WriteResult::kCannotCreate;
    // The temporary sits beside the target so that the rename stays within one
    // file system; the process id keeps two programs apart.
    const std::string base = path + ".tmp" + std::to_string(::getpid());
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = attempt == 0 ? base : base + "_" + std::to_string(attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return WriteResult::kCannotCreate;

    const bool written = write_all(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temp.c_str());
        return WriteResult::kWriteFailed;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        // The target could not be replaced (a folder of that name, no rights).
        ::unlink(temp.c_str());
        return WriteResult::kCannotCreate;
    }
    return WriteResult::kOk;
}

}  // namespace tarvik::files
