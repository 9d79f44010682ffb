#include "model/text_code.h"

#include <iconv.h>

#include <cstdio>

namespace tarvik::model {
namespace {

// One converter per thread, opened on first use and kept.
class Cp932Converter {
  public:
    Cp932Converter() : cd_(iconv_open("CP932", "UTF-8")) {}
    ~Cp932Converter() {
        if (ok()) iconv_close(cd_);
    }
    Cp932Converter(const Cp932Converter&) = delete;
    Cp932Converter& operator=(const Cp932Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

}  // namespace

int vappendf(std::string& out, const char* format, std::va_list args) {
    char small[512];
    std::va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    if (n > 0 && static_cast<size_t>(n) < sizeof small) {
        out.append(small, static_cast<size_t>(n));
    } else if (n > 0) {
        const size_t old = out.size();
        out.resize(old + static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data() + old, static_cast<size_t>(n) + 1, format, copy);
        out.resize(old + static_cast<size_t>(n));
    }
    va_end(copy);
    return n;
}

std::string to_cp932(const std::string& utf8) {
    thread_local Cp932Converter conv;
    if (!conv.ok()) return utf8;
    iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in_p = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    char* out_p = out.data();
    size_t out_left = out.size();
    while (in_left > 0) {
        if (iconv(conv.get(), &in_p, &in_left, &out_p, &out_left) != static_cast<size_t>(-1))
            break;
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

}  // namespace tarvik::model
