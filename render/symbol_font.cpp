#include "render/symbol_font.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace tarvik::render {
namespace {

// The glyphs, drawn on the character cell: horizontal 0 to 8, baseline at 0,
// capitals and ascenders up to 12, small letters up to 8, descenders down to
// -2. Each glyph is a list of polylines separated by '|'; a polyline is a list
// of "u,w" points, its first point a move and the others draws.
struct GlyphDef {
    char c;
    const char* strokes;
};

constexpr GlyphDef kGlyphs[] = {
    {'!', "4,12 4,4 | 4,1 4,0"},
    {'"', "3,12 3,9 | 5,12 5,9"},
    {'#', "3,12 2,0 | 6,12 5,0 | 1,8 8,8 | 0,4 7,4"},
    {'$', "8,10 6,11 2,11 0,9 0,8 2,6 6,6 8,4 8,3 6,1 2,1 0,2 | 4,13 4,-1"},
    {'%', "8,12 0,0 | 1,12 0,11 1,10 2,11 1,12 | 7,2 6,1 7,0 8,1 7,2"},
    {'&', "8,0 2,8 2,11 3,12 5,12 6,11 6,9 0,4 0,2 2,0 5,0 8,4"},
    {'\'', "4,12 4,9"},
    {'(', "5,13 3,11 2,8 2,4 3,1 5,-1"},
    {')', "3,13 5,11 6,8 6,4 5,1 3,-1"},
    {'*', "4,10 4,2 | 1,8 7,4 | 7,8 1,4"},
    {'+', "4,10 4,2 | 0,6 8,6"},
    {',', "4,1 4,0 3,-2"},
    {'-', "1,6 7,6"},
    {'.', "3,0 4,0 4,1 3,1 3,0"},
    {'/', "0,0 8,12"},
    {'0', "2,12 6,12 8,10 8,2 6,0 2,0 0,2 0,10 2,12"},
    {'1', "2,10 4,12 4,0 | 2,0 6,0"},
    {'2', "0,10 2,12 6,12 8,10 8,8 0,0 8,0"},
    {'3', "0,12 8,12 4,7 6,7 8,5 8,2 6,0 2,0 0,2"},
    {'4', "6,0 6,12 0,4 8,4"},
    {'5', "8,12 0,12 0,7 6,7 8,5 8,2 6,0 2,0 0,2"},
    {'6', "7,12 3,12 0,9 0,2 2,0 6,0 8,2 8,5 6,7 2,7 0,5"},
    {'7', "0,12 8,12 3,0"},
    {'8', "2,6 0,8 0,10 2,12 6,12 8,10 8,8 6,6 2,6 0,4 0,2 2,0 6,0 8,2 8,4 6,6"},
    {'9', "1,0 5,0 8,3 8,10 6,12 2,12 0,10 0,7 2,5 6,5 8,7"},
    {':', "4,8 4,7 | 4,1 4,0"},
    {';', "4,8 4,7 | 4,1 4,0 3,-2"},
    {'<', "8,11 0,6 8,1"},
    {'=', "0,8 8,8 | 0,4 8,4"},
    {'>', "0,11 8,6 0,1"},
    {'?', "0,10 2,12 6,12 8,10 8,8 4,5 4,3 | 4,1 4,0"},
    {'@', "6,4 6,8 3,8 2,6 3,4 6,4 8,6 8,10 6,12 2,12 0,10 0,2 2,0 7,0"},
    {'A', "0,0 0,8 4,12 8,8 8,0 | 0,5 8,5"},
    {'B', "0,0 0,12 6,12 8,10 8,8 6,6 0,6 | 6,6 8,4 8,2 6,0 0,0"},
    {'C', "8,10 6,12 2,12 0,10 0,2 2,0 6,0 8,2"},
    {'D', "0,0 0,12 5,12 8,9 8,3 5,0 0,0"},
    {'E', "8,12 0,12 0,0 8,0 | 0,6 5,6"},
    {'F', "8,12 0,12 0,0 | 0,6 5,6"},
    {'G', "8,10 6,12 2,12 0,10 0,2 2,0 6,0 8,2 8,5 5,5"},
    {'H', "0,12 0,0 | 8,12 8,0 | 0,6 8,6"},
    {'I', "2,12 6,12 | 4,12 4,0 | 2,0 6,0"},
    {'J', "8,12 8,2 6,0 2,0 0,2 0,4"},
    {'K', "0,12 0,0 | 8,12 0,4 | 2,6 8,0"},
    {'L', "0,12 0,0 8,0"},
    {'M', "0,0 0,12 4,6 8,12 8,0"},
    {'N', "0,0 0,12 8,0 8,12"},
    {'O', "2,12 6,12 8,10 8,2 6,0 2,0 0,2 0,10 2,12"},
    {'P', "0,0 0,12 6,12 8,10 8,8 6,6 0,6"},
    {'Q', "2,12 6,12 8,10 8,2 6,0 2,0 0,2 0,10 2,12 | 5,3 8,0"},
    {'R', "0,0 0,12 6,12 8,10 8,8 6,6 0,6 | 4,6 8,0"},
    {'S', "8,10 6,12 2,12 0,10 0,8 2,6 6,6 8,4 8,2 6,0 2,0 0,2"},
    {'T', "0,12 8,12 | 4,12 4,0"},
    {'U', "0,12 0,2 2,0 6,0 8,2 8,12"},
    {'V', "0,12 4,0 8,12"},
    {'W', "0,12 2,0 4,8 6,0 8,12"},
    {'X', "0,12 8,0 | 8,12 0,0"},
    {'Y', "0,12 4,6 8,12 | 4,6 4,0"},
    {'Z', "0,12 8,12 0,0 8,0"},
    {'[', "5,13 2,13 2,-1 5,-1"},
    {'\\', "0,12 8,0"},
    {']', "3,13 6,13 6,-1 3,-1"},
    {'^', "2,9 4,12 6,9"},
    {'_', "0,-1 8,-1"},
    {'`', "3,12 5,9"},
    {'a', "1,8 6,8 8,6 8,0 | 8,4 2,4 0,3 0,1 1,0 6,0 8,2"},
    {'b', "0,12 0,0 | 0,5 3,8 6,8 8,6 8,2 6,0 3,0 0,3"},
    {'c', "8,6 6,8 2,8 0,6 0,2 2,0 6,0 8,2"},
    {'d', "8,12 8,0 | 8,5 5,8 2,8 0,6 0,2 2,0 5,0 8,3"},
    {'e', "0,4 8,4 8,6 6,8 2,8 0,6 0,2 2,0 7,0"},
    {'f', "7,12 5,12 3,10 3,0 | 0,8 6,8"},
    {'g', "8,8 8,0 7,-2 1,-2 | 8,6 6,8 2,8 0,6 0,3 2,1 6,1 8,3"},
    {'h', "0,12 0,0 | 0,5 3,8 6,8 8,6 8,0"},
    {'i', "4,8 4,0 | 4,11 4,10"},
    {'j', "5,8 5,0 3,-2 1,-2 | 5,11 5,10"},
    {'k', "0,12 0,0 | 7,8 0,3 | 2,4 8,0"},
    {'l', "3,12 4,12 4,1 5,0"},
    {'m', "0,0 0,8 | 0,6 2,8 3,8 4,6 4,0 | 4,6 6,8 7,8 8,6 8,0"},
    {'n', "0,0 0,8 | 0,5 3,8 6,8 8,6 8,0"},
    {'o', "2,8 6,8 8,6 8,2 6,0 2,0 0,2 0,6 2,8"},
    {'p', "0,8 0,-2 | 0,5 3,8 6,8 8,6 8,2 6,0 3,0 0,3"},
    {'q', "8,8 8,-2 | 8,5 5,8 2,8 0,6 0,2 2,0 5,0 8,3"},
    {'r', "0,8 0,0 | 0,4 4,8 7,8"},
    {'s', "8,7 6,8 2,8 0,7 0,5 2,4 6,4 8,3 8,1 6,0 2,0 0,1"},
    {'t', "3,12 3,1 4,0 6,0 | 0,8 6,8"},
    {'u', "0,8 0,2 2,0 5,0 8,3 | 8,8 8,0"},
    {'v', "0,8 4,0 8,8"},
    {'w', "0,8 2,0 4,6 6,0 8,8"},
    {'x', "0,8 8,0 | 8,8 0,0"},
    {'y', "0,8 4,0 | 8,8 3,-2 1,-2"},
    {'z', "0,8 8,8 0,0 8,0"},
    {'{', "6,13 4,12 4,7 2,6 4,5 4,0 6,-1"},
    {'|', "4,13 4,-1"},
    {'}', "2,13 4,12 4,7 6,6 4,5 4,0 2,-1"},
    {'~', "0,5 2,7 6,5 8,7"},
};

constexpr int kOffsetTableSize = 512;

// Coordinate byte of a cell point; the layout holds u in -1..14, w in -2..13.
std::uint8_t coordinate_byte(int u, int w) {
    return static_cast<std::uint8_t>((u + 1) * 16 + (w + 2));
}

// Reads "u,w" at s; advances s past it.
bool read_point(std::string_view& s, int& u, int& w) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    if (s.empty() || s.front() == '|') return false;
    const std::string str(s.substr(0, s.find_first_of(" |")));
    s.remove_prefix(str.size());
    const auto comma = str.find(',');
    u = std::atoi(str.substr(0, comma).c_str());
    w = std::atoi(str.substr(comma + 1).c_str());
    return true;
}

// Appends one glyph: its point count, then pen code and coordinate pairs.
void append_glyph(std::vector<std::uint8_t>& t, std::string_view s) {
    const std::size_t count_at = t.size();
    t.push_back(0);
    int n = 0;
    while (!s.empty()) {
        bool first = true;
        int u = 0, w = 0;
        while (read_point(s, u, w)) {
            t.push_back(first ? kGlyphMove : kGlyphDraw);
            t.push_back(coordinate_byte(u, w));
            first = false;
            ++n;
        }
        if (!s.empty()) s.remove_prefix(1);  // the '|' between polylines
    }
    t[count_at] = static_cast<std::uint8_t>(n);
}

}  // namespace

std::vector<std::uint8_t> build_symbol_cod() {
    std::vector<std::uint8_t> t(kOffsetTableSize, 0);
    auto set_offset = [&t](int c, std::size_t g) {
        t[2 * c] = static_cast<std::uint8_t>(g >> 8);
        t[2 * c + 1] = static_cast<std::uint8_t>(g & 0xFF);
    };
    // One empty glyph serves every code without a drawing (the blank too).
    const std::size_t empty = t.size();
    t.push_back(0);
    for (int c = 0; c < 256; ++c) set_offset(c, empty);
    for (const GlyphDef& g : kGlyphs) {
        set_offset(static_cast<unsigned char>(g.c), t.size());
        append_glyph(t, g.strokes);
    }
    // The rest of the table is unused.
    t.resize(kSymbolCodSize, 0);
    return t;
}

}  // namespace tarvik::render
