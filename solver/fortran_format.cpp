#include "fortran_format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
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
std::string_view fit_leading_zero(char* s, std::size_t n, int w) {
    if (static_cast<int>(n) > w) {
        const std::size_t z = (s[0] == '-') ? 1 : 0;
        if (n > z + 1 && s[z] == '0' && s[z + 1] == '.') {
            std::memmove(s + z, s + z + 1, n - z - 1);
            --n;
        }
    }
    return {s, n};
}

// Room for the widest fixed-point text a double gives with the decimals the
// formats use ("%.*f" of 1.8e308 has 309 digits before the point).
constexpr std::size_t kFixedRoom = 400;

}  // namespace

// The numbers are converted with std::to_chars, which gives exactly the
// digits of printf's "%d", "%.*f" and "%.*e" (the shortest correctly rounded
// text, ties to even) at a fraction of the cost: the result files are most of
// what the solver writes.

void put_int(std::string& out, std::int64_t v, int w) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    put_right(out, std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)), w);
}

void put_fixed(std::string& out, double v, int w, int d) {
    if (!std::isfinite(v)) {
        put_stars(out, w);
        return;
    }
    if (v == 0.0) v = 0.0;  // no sign on a negative zero
    char buf[kFixedRoom + 1];
    const auto r = std::to_chars(buf, buf + kFixedRoom, v, std::chars_format::fixed, d);
    if (r.ec != std::errc()) {
        put_stars(out, w);
        return;
    }
    std::size_t n = static_cast<std::size_t>(r.ptr - buf);
    if (d == 0) buf[n++] = '.';
    put_right(out, fit_leading_zero(buf, n, w), w);
}

namespace {

// The result files write most forces several times in one field (a member's
// axial force stands in the listing, in VELTOSOL.STA and twice in
// VELTOSOL.LST, each time as E12.4): the last texts are kept, so that a
// repeated value is copied instead of converted again.
class ExpMemo {
  public:
    // The kept text of (v, w, d), or an empty view.
    std::string_view find(double v, int w, int d) const {
        const Entry& e = slots_[slot(v, w, d)];
        if (e.n == 0 || e.w != w || e.d != d || std::memcmp(&e.v, &v, sizeof v) != 0) return {};
        return {e.text, e.n};
    }
    void keep(double v, int w, int d, std::string_view text) {
        if (text.size() > sizeof(Entry::text)) return;
        Entry& e = slots_[slot(v, w, d)];
        e.v = v;
        e.w = w;
        e.d = d;
        e.n = static_cast<unsigned char>(text.size());
        std::memcpy(e.text, text.data(), text.size());
    }

  private:
    struct Entry {
        double v = 0.0;
        int w = 0, d = 0;
        unsigned char n = 0;  // 0: empty
        char text[31];
    };
    static constexpr std::size_t kSlots = 64;
    static std::size_t slot(double v, int w, int d) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        bits ^= static_cast<std::uint64_t>(w) << 8 ^ static_cast<std::uint64_t>(d);
        return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> 58);
    }
    Entry slots_[kSlots];
};

void convert_exp(std::string& out, double v, int w, int d);

}  // namespace

void put_exp(std::string& out, double v, int w, int d) {
    thread_local ExpMemo memo;
    if (const std::string_view kept = memo.find(v, w, d); !kept.empty()) {
        out.append(kept);
        return;
    }
    const std::size_t start = out.size();
    convert_exp(out, v, w, d);
    memo.keep(v, w, d, std::string_view(out).substr(start));
}

namespace {

void convert_exp(std::string& out, double v, int w, int d) {
    if (!std::isfinite(v) || d < 1) {
        put_stars(out, w);
        return;
    }
    char s[kFixedRoom];
    std::size_t n = 0;
    if (v == 0.0) {
        if (static_cast<std::size_t>(d) + 6 > sizeof s) {
            put_stars(out, w);
            return;
        }
        s[n++] = '0';
        s[n++] = '.';
        std::memset(s + n, '0', static_cast<std::size_t>(d));
        n += static_cast<std::size_t>(d);
        std::memcpy(s + n, "E+00", 4);
        n += 4;
    } else {
        // d significant digits, rounded once, then shifted from d.ddd E x to
        // 0.dddd E x+1.
        char buf[kFixedRoom];
        const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v),
                                     std::chars_format::scientific, d - 1);
        if (r.ec != std::errc() || static_cast<std::size_t>(d) + 8 > sizeof s) {
            put_stars(out, w);
            return;
        }
        const char* e = std::find(buf, r.ptr, 'e');
        int exponent = 0;
        for (const char* p = e + 2; p < r.ptr; ++p) exponent = exponent * 10 + (*p - '0');
        if (e[1] == '-') exponent = -exponent;
        exponent += 1;
        if (v < 0) s[n++] = '-';
        s[n++] = '0';
        s[n++] = '.';
        s[n++] = buf[0];
        if (d > 1) {
            std::memcpy(s + n, buf + 2, static_cast<std::size_t>(d - 1));
            n += static_cast<std::size_t>(d - 1);
        }
        const int mag = std::abs(exponent);
        if (mag > 999) {
            put_stars(out, w);
            return;
        }
        // Two exponent digits after the letter; three take the letter's place.
        if (mag <= 99) s[n++] = 'E';
        s[n++] = exponent < 0 ? '-' : '+';
        if (mag > 99) s[n++] = static_cast<char>('0' + mag / 100);
        s[n++] = static_cast<char>('0' + mag / 10 % 10);
        s[n++] = static_cast<char>('0' + mag % 10);
    }
    put_right(out, fit_leading_zero(s, n, w), w);
}

}  // namespace

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
