#include "model/spy.h"

#include <iconv.h>

#include <cstdarg>
#include <cstdio>
#include <string>

namespace tarvik::model {
namespace {

struct Spy {
    std::FILE* file = nullptr;
    iconv_t to_sjis = reinterpret_cast<iconv_t>(-1);
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

// UTF-8 to CP932; a character that has no CP932 form becomes '?'.
std::string to_cp932(const std::string& utf8) {
    Spy& s = spy_state();
    if (s.to_sjis == reinterpret_cast<iconv_t>(-1)) return utf8;
    iconv(s.to_sjis, nullptr, nullptr, nullptr, nullptr);
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in_p = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    char* out_p = out.data();
    size_t out_left = out.size();
    while (in_left > 0) {
        if (iconv(s.to_sjis, &in_p, &in_left, &out_p, &out_left) != static_cast<size_t>(-1)) break;
        if (out_left == 0) break;  // cannot happen: CP932 is never longer than UTF-8
        // Skip one UTF-8 sequence and write a replacement.
        *out_p++ = '?';
        --out_left;
        ++in_p;
        --in_left;
        while (in_left > 0 && (static_cast<unsigned char>(*in_p) & 0xC0) == 0x80) {
            ++in_p;
            --in_left;
        }
    }
    out.resize(out.size() - out_left);
    return out;
}

}  // namespace

bool spy_open(const std::string& path) {
    spy_close();
    Spy& s = spy_state();
    s.file = std::fopen(path.c_str(), "wb");
    if (s.file == nullptr) return false;
    if (s.to_sjis == reinterpret_cast<iconv_t>(-1)) s.to_sjis = iconv_open("CP932", "UTF-8");
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
    char small[512];
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string line;
    if (n < 0) {
        line = "?";
    } else if (static_cast<size_t>(n) < sizeof small) {
        line.assign(small, static_cast<size_t>(n));
    } else {
        line.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(line.data(), line.size(), format, copy);
        line.resize(static_cast<size_t>(n));
    }
    va_end(copy);
    if (!is_ascii(line)) line = to_cp932(line);
    line += "\r\n";
    // A failing trace is diagnostic only: its errors are ignored.
    std::fwrite(line.data(), 1, line.size(), s.file);
    std::fflush(s.file);
}

}  // namespace tarvik::model
