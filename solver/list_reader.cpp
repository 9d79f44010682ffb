#include "list_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace veltosol {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool is_integer(std::string_view s) {
    std::size_t p = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (p >= s.size()) return false;
    for (; p < s.size(); ++p)
        if (s[p] < '0' || s[p] > '9') return false;
    return true;
}

// Decimal or exponent form only: no hexadecimal, no "inf" or "nan".
bool looks_real(std::string_view s) {
    bool digit = false;
    for (char c : s) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (!(c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E' || c == 'd' ||
                   c == 'D'))
            return false;
    }
    return digit;
}

}  // namespace

ListReader::ListReader(std::string text) : text_(std::move(text)) {}

void ListReader::begin(std::string what) {
    if (started_) end();
    started_ = true;
    what_ = std::move(what);
    ended_ = false;
    repeat_left_ = 0;
}

void ListReader::end() {
    // Skip the rest of the line the read stopped on.
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    if (pos_ < text_.size()) {
        ++pos_;
        ++line_;
    }
    started_ = false;
}

bool ListReader::at_line_end() const { return pos_ >= text_.size() || text_[pos_] == '\n'; }

void ListReader::skip_blanks_on_line() {
    while (pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
}

void ListReader::fail(ReadError::Kind kind, std::string_view detail) const {
    std::string msg = "VELTOSOL.IN line " + std::to_string(line_) + ": ";
    msg += kind == ReadError::Kind::EndOfFile ? "end of file" : "conversion error";
    msg += " while reading " + what_;
    if (!detail.empty()) msg += ": " + std::string(detail);
    throw ReadError(kind, msg);
}

ListReader::Tok ListReader::next(std::string& value) {
    if (ended_) return Tok::Slash;
    if (repeat_left_ > 0) {
        --repeat_left_;
        if (repeat_null_) return Tok::Null;
        value = repeat_value_;
        return Tok::Value;
    }
    // Blanks and line ends separate values.
    for (;;) {
        skip_blanks_on_line();
        if (pos_ >= text_.size()) fail(ReadError::Kind::EndOfFile, "");
        if (text_[pos_] != '\n') break;
        ++pos_;
        ++line_;
    }
    char c = text_[pos_];
    if (c == ',') {
        ++pos_;
        return Tok::Null;
    }
    if (c == '/') {
        ++pos_;
        ended_ = true;
        return Tok::Slash;
    }
    value.clear();
    bool quoted = (c == '\'' || c == '"');
    if (quoted) {
        ++pos_;
        while (!at_line_end()) {
            char q = text_[pos_++];
            if (q == c) {
                if (pos_ < text_.size() && text_[pos_] == c) {
                    value += c;
                    ++pos_;
                    continue;
                }
                break;
            }
            value += q;
        }
        if (!value.empty() && value.back() == '\r') value.pop_back();
    } else {
        while (!at_line_end() && !is_blank(text_[pos_]) && text_[pos_] != ',') value += text_[pos_++];
    }
    // The separator after a value: blanks, then at most one comma.
    skip_blanks_on_line();
    if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;

    if (!quoted) {
        std::size_t star = value.find('*');
        if (star != std::string::npos && star > 0 &&
            is_integer(std::string_view(value).substr(0, star)) && value[0] != '+' &&
            value[0] != '-') {
            long r = std::strtol(value.c_str(), nullptr, 10);
            if (r < 1 || r > 1000000) fail(ReadError::Kind::Conversion, "bad repeat count " + value);
            std::string rest = value.substr(star + 1);
            repeat_null_ = rest.empty();
            repeat_value_ = rest;
            repeat_left_ = static_cast<int>(r);
            return next(value);
        }
    }
    return Tok::Value;
}

void ListReader::integer(int& field) {
    std::string v;
    if (next(v) != Tok::Value) return;
    if (!is_integer(v)) fail(ReadError::Kind::Conversion, "'" + v + "' is not an integer");
    errno = 0;
    long long n = std::strtoll(v.c_str(), nullptr, 10);
    if (errno == ERANGE || n < std::numeric_limits<int>::min() ||
        n > std::numeric_limits<int>::max())
        fail(ReadError::Kind::Conversion, "'" + v + "' is out of the integer range");
    field = static_cast<int>(n);
}

void ListReader::real(double& field) {
    std::string v;
    if (next(v) != Tok::Value) return;
    if (!looks_real(v)) fail(ReadError::Kind::Conversion, "'" + v + "' is not a number");
    for (char& c : v)
        if (c == 'd' || c == 'D') c = 'E';
    errno = 0;
    char* endp = nullptr;
    double x = std::strtod(v.c_str(), &endp);
    if (endp == v.c_str() || *endp != '\0')
        fail(ReadError::Kind::Conversion, "'" + v + "' is not a number");
    if (!std::isfinite(x)) fail(ReadError::Kind::Conversion, "'" + v + "' is out of range");
    field = x;
}

void ListReader::real(float& field) {
    double x = field;
    real(x);
    if (std::fabs(x) > std::numeric_limits<float>::max())
        fail(ReadError::Kind::Conversion, "a level value is out of the single precision range");
    field = static_cast<float>(x);
}

void ListReader::text(char* field, std::size_t length) {
    std::string v;
    if (next(v) != Tok::Value) return;
    std::size_t n = v.size() < length ? v.size() : length;
    std::memcpy(field, v.data(), n);
    std::memset(field + n, ' ', length - n);
}

}  // namespace veltosol
