#include "model/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

namespace tarvik::model {
namespace {

// The folders this process holds: one open lock file each, with the number
// of FolderLock objects sharing it. The owner tells a child made by fork,
// which inherits the table but not the lock, from its parent.
struct Holding {
    pid_t owner;
    int fd;
    int count;
};

std::mutex& table_mutex() {
    static std::mutex m;
    return m;
}

std::map<std::string, Holding>& table() {
    static std::map<std::string, Holding> t;
    return t;
}

std::string folder_key(const std::string& directory) {
    std::error_code ec;
    const std::filesystem::path p =
        std::filesystem::weakly_canonical(directory.empty() ? "." : directory, ec);
    return ec ? directory : p.string();
}

}  // namespace

FolderLock::FolderLock(const std::string& directory, double wait_seconds)
    : key_(folder_key(directory)) {
    {
        std::lock_guard<std::mutex> g(table_mutex());
        auto it = table().find(key_);
        if (it != table().end()) {
            if (it->second.owner == ::getpid()) {
                ++it->second.count;
                state_ = State::kHeld;
                return;
            }
            // Inherited through fork: the parent's lock, not ours.
            ::close(it->second.fd);
            table().erase(it);
        }
    }
    const std::string path =
        (directory.empty() ? std::string(".") : directory) + "/" + kLockFileName;
    // Close-on-exec: the solver started by the job must not keep the folder
    // locked after the job has ended.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return;
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration<double>(wait_seconds > 0.0 ? wait_seconds : 0.0);
    while (true) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
        if (errno == EINTR) continue;
        const bool contended = errno == EWOULDBLOCK;
        if (!contended || std::chrono::steady_clock::now() >= deadline) {
            // Without flock on this file system there is no exclusion to be had.
            ::close(fd);
            state_ = contended ? State::kBusy : State::kUnavailable;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::lock_guard<std::mutex> g(table_mutex());
    auto [it, inserted] = table().try_emplace(key_, Holding{::getpid(), fd, 1});
    if (!inserted) {
        // Another thread of this process took the folder meanwhile.
        ::close(fd);
        ++it->second.count;
    }
    state_ = State::kHeld;
}

FolderLock::~FolderLock() {
    if (state_ != State::kHeld) return;
    std::lock_guard<std::mutex> g(table_mutex());
    auto it = table().find(key_);
    if (it == table().end() || it->second.owner != ::getpid()) return;
    if (--it->second.count > 0) return;
    // Closing the only descriptor of the open file description releases it.
    ::close(it->second.fd);
    table().erase(it);
}

}  // namespace tarvik::model
