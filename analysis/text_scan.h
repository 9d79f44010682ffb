// Free-format reading of the solver's result files: values are separated by
// any white space and a name is a run of non-blank characters. A value whose
// token is not a number, or a number outside the 32-bit range, stops the read.
#pragma once

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tarvik::analysis {

class TextScan {
  public:
    explicit TextScan(std::string_view text) : s_(text) {}

    bool next_token(std::string_view& token) {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        if (pos_ >= s_.size()) return false;
        const size_t start = pos_;
        while (pos_ < s_.size() && !std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        token = s_.substr(start, pos_ - start);
        return true;
    }

    bool next_int(int& value) {
        std::string_view tok;
        if (!next_token(tok)) return false;
        const std::string t(tok);
        char* end = nullptr;
        errno = 0;
        const long v = std::strtol(t.c_str(), &end, 10);
        if (end == t.c_str() || *end != '\0' || errno == ERANGE || v < -2147483647L ||
            v > 2147483647L)
            return false;
        value = static_cast<int>(v);
        return true;
    }

    // Decimal or exponent notation; also the solver's three-digit exponent
    // written without its letter (0.12345+100).
    bool next_float(float& value) {
        std::string_view tok;
        if (!next_token(tok)) return false;
        std::string t(tok);
        const size_t sign = t.find_first_of("+-", 1);
        if (sign != std::string::npos && t.find_first_of("eEdD") == std::string::npos)
            t.insert(sign, 1, 'E');
        for (char& c : t)
            if (c == 'd' || c == 'D') c = 'E';
        char* end = nullptr;
        const double v = std::strtod(t.c_str(), &end);
        if (end == t.c_str() || *end != '\0' || !std::isfinite(v) || std::fabs(v) > 3.4e38)
            return false;
        value = static_cast<float>(v);
        return true;
    }

  private:
    std::string_view s_;
    size_t pos_ = 0;
};

}  // namespace tarvik::analysis
