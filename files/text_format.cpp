#include "files/text_format.h"

#include <cstdarg>

#include "model/text_code.h"

namespace tarvik::files {

void appendf(std::string& out, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    model::vappendf(out, format, args);
    va_end(args);
}

}  // namespace tarvik::files
