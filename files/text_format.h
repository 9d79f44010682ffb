// printf-style appending for the text writers of the files library.
#pragma once

#include <string>

namespace tarvik::files {

// Appends printf-formatted text to out.
void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace tarvik::files
