// Text as the program writes it to files and to the trace: printf-style
// appends, and CP932 (Shift-JIS), the code page of every Japanese text in them.
#pragma once

#include <cstdarg>
#include <string>

namespace tarvik::model {

// Appends the printf-formatted text to out. Returns what vsnprintf counts
// (negative on a format error, out unchanged then).
int vappendf(std::string& out, const char* format, std::va_list args);

// UTF-8 text in CP932; a character without a CP932 form becomes '?'. Text
// comes back unchanged when the conversion is not available.
std::string to_cp932(const std::string& utf8);

}  // namespace tarvik::model
