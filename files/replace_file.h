// The one routine every save goes through: a complete new file replaces the
// old one, respecting what sits at the path (links, devices, mode, owner).
#pragma once

#include <string>
#include <string_view>

#include "model/message_service.h"

namespace tarvik::files {

enum class WriteResult { kOk, kCannotCreate, kWriteFailed };

// Saves bytes at path so that an existing file is replaced only by a complete
// one, and so that the save honours what sits at path:
//
// - A symbolic link is followed (chains too, a relative target read from the
//   link's own folder) and the file it names is replaced; the link stays. A
//   dangling link gets the file it names created. More than 40 links in a
//   row, a link to a folder, or a folder at path: kCannotCreate.
// - A path that is not a regular file (FIFO, character or block device) is
//   opened and written directly, without a temporary, so the node stays. A
//   FIFO nobody reads gives kCannotCreate at once instead of waiting forever.
// - A regular file is replaced by writing a temporary beside it (created with
//   mode 0600, so a private file is never briefly readable by others), giving
//   it the mode and, where permitted, the owner and group of the file replaced,
//   flushing it to disk, renaming it over the file and flushing the folder. A
//   new file gets the usual 0666 & ~umask.
// - A regular file with more than one hard link is written in place so that
//   every name keeps seeing the same file, which is what a user who linked it
//   wants. The complete new text is first written to the temporary and flushed,
//   so a full disk stops the save before the file is touched and a crash during
//   the in-place write leaves the new text beside it; if the in-place write
//   fails, the old text is written back and kWriteFailed is returned.
//
// On any failure the temporary is removed and the file is left as it was;
// kCannotCreate when the target or temporary cannot be opened or replaced,
// kWriteFailed when writing or flushing fails.
WriteResult replace_file(const std::string& path, std::string_view bytes);

// replace_file as a save tells it: 0, or -1 after showing cannot_create or
// write_failed, the writer's own words for the two failures.
int save_file(const std::string& path, std::string_view bytes, const char* cannot_create,
              const char* write_failed, model::MessageService& msg);

}  // namespace tarvik::files
