#include "files/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace tarvik::files {

void appendf(std::string& out, const char* format, ...) {
    char small[256];
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n > 0 && static_cast<size_t>(n) < sizeof small) {
        out.append(small, static_cast<size_t>(n));
    } else if (n > 0) {
        const size_t old = out.size();
        out.resize(old + static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data() + old, static_cast<size_t>(n) + 1, format, copy);
        out.resize(old + static_cast<size_t>(n));
    }
    va_end(copy);
}

}  // namespace tarvik::files
