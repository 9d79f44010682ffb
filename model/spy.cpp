#include "model/spy.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "model/text_code.h"

namespace tarvik::model {
namespace {

struct Spy {
    std::FILE* file = nullptr;
};

Spy& spy_state() {
    static Spy s;
    return s;
}

bool is_ascii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

bool spy_open(const std::string& path) {
    spy_close();
    Spy& s = spy_state();
    s.file = std::fopen(path.c_str(), "wb");
    if (s.file == nullptr) return false;
    return true;
}

void spy_close() {
    Spy& s = spy_state();
    if (s.file != nullptr) std::fclose(s.file);
    s.file = nullptr;
}

bool spy_is_open() {
    return spy_state().file != nullptr;
}

void spy(const char* format, ...) {
    Spy& s = spy_state();
    if (s.file == nullptr) return;
    std::va_list args;
    va_start(args, format);
    std::string line;
    const int n = vappendf(line, format, args);
    va_end(args);
    if (n < 0) line.push_back('?');  // line is empty then
    if (!is_ascii(line)) line = to_cp932(line);
    line += "\r\n";
    // A failing trace is diagnostic only: its errors are ignored.
    std::fwrite(line.data(), 1, line.size(), s.file);
    std::fflush(s.file);
}

}  // namespace tarvik::model
