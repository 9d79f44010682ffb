#include "ui/fields.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tarvik::ui {

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

namespace {

// The whole text, however long the format makes it (a caption in UTF-8 takes
// three bytes a character).
template <class T>
std::string format_value(const char* format, T v) {
    char buf[128];
    const int n = std::snprintf(buf, sizeof buf, format, v);
    if (n < 0) return {};
    if (static_cast<size_t>(n) < sizeof buf) return std::string(buf, static_cast<size_t>(n));
    std::string s(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(s.data(), s.size(), format, v);
    s.resize(static_cast<size_t>(n));
    return s;
}

}  // namespace

std::string cformat(const char* format, int v) {
    return format_value(format, v);
}

std::string cformat(const char* format, double v) {
    return format_value(format, v);
}

bool parse_float(std::string_view text, float& value) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    double d = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    // The model holds 32-bit floats: a value beyond their range is no number for it.
    if (!std::isfinite(d) || std::fabs(d) > std::numeric_limits<float>::max()) return false;
    value = static_cast<float>(d);
    return true;
}

bool parse_int(std::string_view text, int& value) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    value = v;
    return true;
}

std::string not_a_number_message(const char* caption, std::string_view text, bool integer) {
    std::string s(caption);
    s += "の値「";
    s += text;
    s += integer ? "」は整数ではありません" : "」は数値ではありません";
    return s;
}

}  // namespace tarvik::ui
