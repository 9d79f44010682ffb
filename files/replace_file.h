#pragma once

#include <string>
#include <string_view>

namespace tarvik::files {

enum class WriteResult { kOk, kCannotCreate, kWriteFailed };

// Writes bytes to a temporary file in the folder of path and renames it over
// path once every byte is written and the file is closed, so an existing file
// is replaced only by a complete one. On failure the temporary is removed and
// path is left as it was.
WriteResult replace_file(const std::string& path, std::string_view bytes);

}  // namespace tarvik::files
