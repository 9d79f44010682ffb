#include "model/cp932.h"

#include <iconv.h>

namespace tarvik::model {

std::string to_cp932(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
    // CP932 is never longer than UTF-8; the slack covers a replacement.
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in_p = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    char* out_p = out.data();
    size_t out_left = out.size();
    while (in_left > 0) {
        if (iconv(cd, &in_p, &in_left, &out_p, &out_left) != static_cast<size_t>(-1)) break;
        if (out_left == 0) break;
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
    iconv_close(cd);
    out.resize(out.size() - out_left);
    return out;
}

}  // namespace tarvik::model
