// Exclusive use of a working folder's exchange files (solver input and
// results, the hidden-line files) for the whole of one job. Two jobs in one
// folder would otherwise overwrite each other's files and each read the
// other's results. The lock is advisory: flock on a lock file in the folder,
// given up when the last FolderLock of the folder in this process ends (and
// by the system when the process ends, however it ends).
//
// Within one process the lock is re-entrant: a job that holds its folder may
// start a step that locks the same folder again (the results window of an
// analysis building a hidden-line image). Exclusion is between processes.
#pragma once

#include <string>

#include "ui/texts.h"

namespace tarvik::model {

class FolderLock {
  public:
    enum class State {
        kHeld,         // this process owns the folder
        kBusy,         // another process holds it and did not give it up in time
        kUnavailable,  // the lock file cannot be made (a folder without write access)
    };

    // Takes the lock of directory ("" means the current folder), waiting at
    // most wait_seconds for another process to finish its job (0: no wait).
    explicit FolderLock(const std::string& directory, double wait_seconds = 0.0);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return state_; }
    // True unless another process holds the folder: a folder whose lock file
    // cannot be made is not refused here, the job's own writes report it.
    bool may_proceed() const { return state_ != State::kBusy; }

  private:
    std::string key_;
    State state_ = State::kUnavailable;
};

}  // namespace tarvik::model
