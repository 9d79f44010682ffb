// Fortran-style formatted output for the solver's listings and result files.
//
// A format is written the way the result layouts give it, for example
// "(5X,'NOD=',I5,2X,'NEL=',I5,/,5X,'No')", and is parsed once. Supported edit
// descriptors: Iw, Fw.d, Ew.d, Aw, nX, quoted text, "/", repeat counts in front
// of a data or text descriptor, and format reversion (the whole format starts
// again on a new line while values remain). Every line ends with CR LF.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace veltosol {

// One value handed to a format: an integer, a real or a text.
struct FmtValue {
    enum class Kind { Int, Real, Text };
    Kind kind;
    std::int64_t i = 0;
    double r = 0.0;
    std::string_view s;

    FmtValue(int v) : kind(Kind::Int), i(v) {}
    FmtValue(std::int64_t v) : kind(Kind::Int), i(v) {}
    FmtValue(double v) : kind(Kind::Real), r(v) {}
    FmtValue(std::string_view v) : kind(Kind::Text), s(v) {}
    FmtValue(const char* v) : kind(Kind::Text), s(v) {}
};

class Format {
public:
    // Throws std::invalid_argument on a malformed format: formats are fixed
    // texts of the program, so a bad one is a programming error.
    explicit Format(std::string_view spec);

    // Appends the formatted lines (each ending in CR LF) to out.
    void write(std::string& out, const FmtValue* values, std::size_t count) const;
    void write(std::string& out, std::initializer_list<FmtValue> values) const {
        write(out, values.begin(), values.size());
    }
    std::string operator()(std::initializer_list<FmtValue> values) const {
        std::string out;
        write(out, values);
        return out;
    }

private:
    enum class Op { Text, Skip, Slash, I, F, E, A };
    struct Item {
        Op op;
        int w = 0;
        int d = 0;
        std::string text;
    };
    std::vector<Item> items_;
    bool has_data_ = false;
};

// Single edit descriptors, exposed for the few places that build a line by hand.
void put_int(std::string& out, std::int64_t v, int w);
void put_fixed(std::string& out, double v, int w, int d);
void put_exp(std::string& out, double v, int w, int d);
void put_text(std::string& out, std::string_view v, int w);

// A free-form line: a blank, then the items separated by blanks, then CR LF.
std::string free_line(std::initializer_list<FmtValue> items);

}  // namespace veltosol
