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

ResultFile::~ResultFile() { close_quietly(); }

void ResultFile::open(const std::filesystem::path& path, std::string name) {
    name_ = std::move(name);
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) file_error(name_, "open");
    emptied_ = false;
    buf_.clear();
}

std::string ResultFile::read_all() {
    std::string text;
    char chunk[65536];
    if (::lseek(fd_, 0, SEEK_SET) < 0) file_error(name_, "read");
    for (;;) {
        ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            file_error(name_, "read");
        }
        if (n == 0) break;
        text.append(chunk, static_cast<std::size_t>(n));
    }
    return text;
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
    if (fd_ < 0) return;
    try {
        if (!buf_.empty()) flush();
    } catch (...) {
    }
    ::close(fd_);
    fd_ = -1;
}

void FileSet::open_all(const std::filesystem::path& dir) {
    in.open(dir / "VELTOSOL.IN", "VELTOSOL.IN");
    out.open(dir / "VELTOSOL.OUT", "VELTOSOL.OUT");
    sta.open(dir / "VELTOSOL.STA", "VELTOSOL.STA");
    max.open(dir / "VELTOSOL.MAX", "VELTOSOL.MAX");
    lst.open(dir / "VELTOSOL.LST", "VELTOSOL.LST");
    dsp.open(dir / "VELTOSOL.DSP", "VELTOSOL.DSP");
    zlv.open(dir / "VELTOSOL.ZLV", "VELTOSOL.ZLV");
}

void FileSet::close_all() {
    // The input file is only read: closing it must not empty it.
    in.close_quietly();
    out.close();
    sta.close();
    max.close();
    lst.close();
    dsp.close();
    zlv.close();
}

void FileSet::close_all_quietly() noexcept {
    in.close_quietly();
    out.close_quietly();
    sta.close_quietly();
    max.close_quietly();
    lst.close_quietly();
    dsp.close_quietly();
    zlv.close_quietly();
}

}  // namespace veltosol
