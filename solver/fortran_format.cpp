#include "fortran_format.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace veltosol {

namespace {

void put_stars(std::string& out, int w) { out.append(static_cast<std::size_t>(w), '*'); }

void put_right(std::string& out, std::string_view s, int w) {
    if (static_cast<int>(s.size()) > w) {
        put_stars(out, w);
        return;
    }
    out.append(static_cast<std::size_t>(w) - s.size(), ' ');
    out.append(s);
}

// Drops the optional zero in "0.xxx" / "-0.xxx" when the field is too narrow for it.
std::string_view fit_leading_zero(std::string& s, int w) {
    if (static_cast<int>(s.size()) > w) {
        std::size_t z = (s[0] == '-') ? 1 : 0;
        if (s.size() > z + 1 && s[z] == '0' && s[z + 1] == '.') s.erase(z, 1);
    }
    return s;
}

}  // namespace

void put_int(std::string& out, std::int64_t v, int w) {
    char buf[32];
    int n = std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(v));
    put_right(out, std::string_view(buf, static_cast<std::size_t>(n)), w);
}

void put_fixed(std::string& out, double v, int w, int d) {
    if (!std::isfinite(v)) {
        put_stars(out, w);
        return;
    }
    if (v == 0.0) v = 0.0;  // no sign on a negative zero
    char buf[400];
    int n = std::snprintf(buf, sizeof buf, "%.*f", d, v);
    if (n < 0 || n >= static_cast<int>(sizeof buf)) {
        put_stars(out, w);
        return;
    }
    std::string s(buf, static_cast<std::size_t>(n));
    if (d == 0) s += '.';
    put_right(out, fit_leading_zero(s, w), w);
}

void put_exp(std::string& out, double v, int w, int d) {
    if (!std::isfinite(v) || d < 1) {
        put_stars(out, w);
        return;
    }
    std::string s;
    if (v == 0.0) {
        s = "0.";
        s.append(static_cast<std::size_t>(d), '0');
        s += "E+00";
    } else {
        // d significant digits, rounded once by the C library, then shifted
        // from d.ddd E x to 0.dddd E x+1.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*e", d - 1, std::fabs(v));
        const char* e = std::strchr(buf, 'e');
        int exponent = std::atoi(e + 1) + 1;
        if (v < 0) s += '-';
        s += "0.";
        s += buf[0];
        if (d > 1) s.append(buf + 2, static_cast<std::size_t>(d - 1));
        int mag = std::abs(exponent);
        char ebuf[16];
        if (mag <= 99) {
            std::snprintf(ebuf, sizeof ebuf, "E%c%02d", exponent < 0 ? '-' : '+', mag);
        } else if (mag <= 999) {
            std::snprintf(ebuf, sizeof ebuf, "%c%03d", exponent < 0 ? '-' : '+', mag);
        } else {
            put_stars(out, w);
            return;
        }
        s += ebuf;
    }
    put_right(out, fit_leading_zero(s, w), w);
}

void put_text(std::string& out, std::string_view v, int w) {
    if (static_cast<int>(v.size()) >= w) {
        out.append(v.substr(0, static_cast<std::size_t>(w)));
    } else {
        out.append(static_cast<std::size_t>(w) - v.size(), ' ');
        out.append(v);
    }
}

Format::Format(std::string_view spec) {
    std::size_t p = 0;
    auto fail = [&](const char* why) {
        throw std::invalid_argument(std::string("bad format ") + std::string(spec) + ": " + why);
    };
    auto skip_blanks = [&] {
        while (p < spec.size() && spec[p] == ' ') ++p;
    };
    auto number = [&]() -> int {
        int n = 0;
        bool any = false;
        while (p < spec.size() && std::isdigit(static_cast<unsigned char>(spec[p]))) {
            n = n * 10 + (spec[p++] - '0');
            any = true;
        }
        return any ? n : -1;
    };
    skip_blanks();
    if (p >= spec.size() || spec[p] != '(') fail("no opening parenthesis");
    ++p;
    for (;;) {
        skip_blanks();
        if (p >= spec.size()) fail("no closing parenthesis");
        char c = spec[p];
        if (c == ')') break;
        if (c == ',') {
            ++p;
            continue;
        }
        if (c == '/') {
            items_.push_back({Op::Slash, 0, 0, {}});
            ++p;
            continue;
        }
        int count = number();
        if (p >= spec.size()) fail("truncated");
        c = spec[p];
        if (c == '\'') {
            std::string text;
            ++p;
            for (;;) {
                if (p >= spec.size()) fail("unterminated text");
                if (spec[p] == '\'') {
                    if (p + 1 < spec.size() && spec[p + 1] == '\'') {
                        text += '\'';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                text += spec[p++];
            }
            for (int k = 0; k < (count < 0 ? 1 : count); ++k) items_.push_back({Op::Text, 0, 0, text});
            continue;
        }
        ++p;
        char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (u == 'X') {
            items_.push_back({Op::Skip, count < 0 ? 1 : count, 0, {}});
            continue;
        }
        Item item{};
        switch (u) {
            case 'I': item.op = Op::I; break;
            case 'F': item.op = Op::F; break;
            case 'E': item.op = Op::E; break;
            case 'A': item.op = Op::A; break;
            default: fail("unknown edit descriptor");
        }
        item.w = number();
        if (item.w <= 0) fail("missing field width");
        if (item.op == Op::F || item.op == Op::E) {
            if (p >= spec.size() || spec[p] != '.') fail("missing decimals");
            ++p;
            item.d = number();
            if (item.d < 0) fail("missing decimals");
        }
        has_data_ = true;
        for (int k = 0; k < (count < 0 ? 1 : count); ++k) items_.push_back(item);
    }
}

void Format::write(std::string& out, const FmtValue* values, std::size_t count) const {
    std::size_t next = 0;
    // Blanks of X descriptors are only written when something follows them on the line.
    int pending = 0;
    auto emit_pending = [&] {
        if (pending > 0) out.append(static_cast<std::size_t>(pending), ' ');
        pending = 0;
    };
    auto end_line = [&] {
        pending = 0;
        out += "\r\n";
    };
    for (;;) {
        for (const Item& it : items_) {
            switch (it.op) {
                case Op::Text:
                    emit_pending();
                    out += it.text;
                    break;
                case Op::Skip: pending += it.w; break;
                case Op::Slash: end_line(); break;
                default: {
                    if (next >= count) {
                        end_line();
                        return;
                    }
                    emit_pending();
                    const FmtValue& v = values[next++];
                    switch (it.op) {
                        case Op::I:
                            if (v.kind == FmtValue::Kind::Int)
                                put_int(out, v.i, it.w);
                            else
                                put_stars(out, it.w);
                            break;
                        case Op::F:
                            put_fixed(out, v.kind == FmtValue::Kind::Int ? double(v.i) : v.r, it.w,
                                      it.d);
                            break;
                        case Op::E:
                            put_exp(out, v.kind == FmtValue::Kind::Int ? double(v.i) : v.r, it.w,
                                    it.d);
                            break;
                        default: put_text(out, v.s, it.w); break;
                    }
                }
            }
        }
        end_line();
        if (next >= count || !has_data_) return;
    }
}

std::string free_line(std::initializer_list<FmtValue> items) {
    std::string out;
    char buf[64];
    for (const FmtValue& v : items) {
        out += ' ';
        switch (v.kind) {
            case FmtValue::Kind::Int: out += std::to_string(v.i); break;
            case FmtValue::Kind::Real:
                std::snprintf(buf, sizeof buf, "%.10G", v.r);
                out += buf;
                break;
            case FmtValue::Kind::Text: out += v.s; break;
        }
    }
    out += "\r\n";
    return out;
}

}  // namespace veltosol
