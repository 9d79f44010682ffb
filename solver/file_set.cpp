#include "file_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "solver_state.h"

namespace veltosol {

namespace {

[[noreturn]] void file_error(const std::string& name, const char* what) {
    throw RunError(kExitFileError, "cannot " + std::string(what) + " " + name + ": " +
                                       std::strerror(errno));
}

}  // namespace

std::string read_input(const std::filesystem::path& path, const std::string& name) {
    // Read-only, so that a write-protected input is read; only an absent one
    // is created.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) file_error(name, "open");
    std::string text;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            errno = e;
            file_error(name, "read");
        }
        if (n == 0) break;
        if (text.size() + static_cast<std::size_t>(n) > kMaxInputBytes) {
            ::close(fd);
            throw RunError(kExitCapacity, name + " is longer than " +
                                              std::to_string(kMaxInputBytes >> 20) +
                                              " MB, far more than any model the solver holds");
        }
        text.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

ResultFile::~ResultFile() { close_quietly(); }

void ResultFile::open(const std::filesystem::path& path, std::string name) {
    name_ = std::move(name);
    path_ = path;
    temp_.clear();
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) file_error(name_, "open");
    emptied_ = false;
    buf_.clear();
}

void ResultFile::open_replacement(const std::filesystem::path& path, std::string name) {
    name_ = std::move(name);
    path_ = path;
    temp_ = path;
    temp_ += ".tmp";
    fd_ = ::open(temp_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) file_error(temp_.filename().string(), "open");
    emptied_ = true;
    buf_.clear();
}

void ResultFile::commit(const struct timespec& stamp) {
    if (fd_ < 0) return;
    if (!buf_.empty()) flush();
    const struct timespec times[2] = {stamp, stamp};  // access, modification
    if (::futimens(fd_, times) != 0) file_error(name_, "date");
    close();
    if (!temp_.empty() && ::rename(temp_.c_str(), path_.c_str()) != 0)
        file_error(name_, "replace");
    temp_.clear();
}

void ResultFile::flush() {
    if (fd_ < 0) return;
    if (!emptied_) {
        if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) < 0) file_error(name_, "rewrite");
        emptied_ = true;
    }
    const char* p = buf_.data();
    std::size_t left = buf_.size();
    while (left > 0) {
        ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            file_error(name_, "write");
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    buf_.clear();
}

void ResultFile::close() {
    if (fd_ < 0) return;
    if (!buf_.empty()) flush();
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) file_error(name_, "close");
}

void ResultFile::close_quietly() noexcept {
    if (fd_ >= 0) {
        try {
            if (!buf_.empty()) flush();
        } catch (...) {
        }
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

std::string FileSet::open_all(const std::filesystem::path& dir) {
    std::string text = read_input(dir / "VELTOSOL.IN", "VELTOSOL.IN");
    out.open_replacement(dir / "VELTOSOL.OUT", "VELTOSOL.OUT");
    sta.open_replacement(dir / "VELTOSOL.STA", "VELTOSOL.STA");
    max.open(dir / "VELTOSOL.MAX", "VELTOSOL.MAX");
    lst.open_replacement(dir / "VELTOSOL.LST", "VELTOSOL.LST");
    dsp.open_replacement(dir / "VELTOSOL.DSP", "VELTOSOL.DSP");
    zlv.open_replacement(dir / "VELTOSOL.ZLV", "VELTOSOL.ZLV");
    return text;
}

void FileSet::close_all() {
    max.close();
    // One time for the whole set: files of different runs never share it.
    struct timespec stamp {};
    ::clock_gettime(CLOCK_REALTIME, &stamp);
    zlv.commit(stamp);
    lst.commit(stamp);
    dsp.commit(stamp);
    sta.commit(stamp);
    out.commit(stamp);
}

void FileSet::close_all_quietly() noexcept {
    out.close_quietly();
    sta.close_quietly();
    max.close_quietly();
    lst.close_quietly();
    dsp.close_quietly();
    zlv.close_quietly();
}

}  // namespace veltosol
