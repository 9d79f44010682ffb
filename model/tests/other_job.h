// Another process holding a working folder's lock, for the lock tests.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "model/folder_lock.h"

namespace tarvik::testing {

// Another process holding the lock of a folder until release() or the end of
// the object: a second job as the tests need it.
class OtherJob {
  public:
    explicit OtherJob(const std::string& directory) {
        int ready[2];
        if (::pipe(go_) != 0 || ::pipe(ready) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(go_[1]);
            model::FolderLock lock(directory);
            const char c = lock.state() == model::FolderLock::State::kHeld ? 'y' : 'n';
            (void)!::write(ready[1], &c, 1);
            char x;
            (void)!::read(go_[0], &x, 1);  // end of file: released
            _exit(0);
        }
        ::close(go_[0]);
        ::close(ready[1]);
        char c = 0;
        holds_ = ::read(ready[0], &c, 1) == 1 && c == 'y';
        ::close(ready[0]);
    }
    ~OtherJob() { release(); }
    bool holds() const { return holds_; }
    void release() {
        if (pid_ <= 0) return;
        ::close(go_[1]);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    int go_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool holds_ = false;
};

}  // namespace tarvik::testing
