// The stroke text routine and the font table.
#include "render/stroke_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "render/recording_canvas.h"
#include "render/symbol_font.h"
#include "tarvik_version.h"
#include "render/tests/test_support.h"
#include "render/tests/view_setup.h"

#ifndef RENDER_SOURCE_DIR
#error "RENDER_SOURCE_DIR must name the render folder"
#endif

namespace tarvik::render {
namespace {

using Kind = RecordingCanvas::Kind;
using testing::TempDir;
using testing::TraceCapture;

// One World unit per pixel and rounding instead of truncation: a World point
// (X, Y) lands on the pixel (round(X), 999 - Y) for whole Y.
ViewWindow unit_window() {
    return testing::showing({-0.5f, -0.5f, 999.5f, 999.5f}, {0, 0, 1000, 1000});
}

struct Seg {
    int x1, y1, x2, y2;
    bool operator==(const Seg&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Seg& s) {
    return o << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ")";
}

std::vector<Seg> segments(const RecordingCanvas& c) {
    std::vector<Seg> v;
    for (const auto& l : c.of(Kind::Line)) v.push_back({l.x1, l.y1, l.x2, l.y2});
    return v;
}

// A font of our own making for the tests: 'A' one stroke (0,0)-(8,0)-(8,12),
// code 1 a single stroke (3,0)-(3,4), everything else empty.
std::vector<std::uint8_t> test_table() {
    std::vector<std::uint8_t> t(kSymbolCodSize, 0);
    auto byte = [](int u, int w) { return static_cast<std::uint8_t>((u + 1) * 16 + (w + 2)); };
    const int empty = 512, a = 513, one = 520;
    for (int c = 0; c < 256; ++c) {
        t[2 * c] = empty >> 8;
        t[2 * c + 1] = empty & 0xFF;
    }
    t['A' * 2] = a >> 8;
    t['A' * 2 + 1] = a & 0xFF;
    t[2] = one >> 8;
    t[3] = one & 0xFF;
    t[empty] = 0;
    const std::uint8_t glyph_a[] = {3, 1, byte(0, 0), 0, byte(8, 0), 0, byte(8, 12)};
    std::copy(std::begin(glyph_a), std::end(glyph_a), t.begin() + a);
    const std::uint8_t glyph_1[] = {2, 1, byte(3, 0), 0, byte(3, 4)};
    std::copy(std::begin(glyph_1), std::end(glyph_1), t.begin() + one);
    return t;
}

StrokeText test_text() {
    return StrokeText(StrokeFont(test_table()));
}

// --- the routine ------------------------------------------------------------

TEST(StrokeText, FirstCharacterSitsOneCellBeforeTheStart) {
    StrokeText s = test_text();
    RecordingCanvas c(1000, 1000);
    // Height 12: one cell unit is one World unit.
    s.stroke_text(unit_window(), c, "A", 1, 0, 0, 0, 12, 100, 100);
    // (0,0)-(8,0)-(8,12) of a cell starting at 100 - 12.
    EXPECT_EQ(segments(c), (std::vector<Seg>{{88, 899, 96, 899}, {96, 899, 96, 887}}));
}

TEST(StrokeText, SpacingHeightAndEndPoint) {
    StrokeText s = test_text();
    RecordingCanvas c(1000, 1000);
    // Height 24 doubles every cell unit; spacing 3 adds 3 units per character.
    s.stroke_text(unit_window(), c, "AA", 2, 3, 0, 0, -24, 100, 100);
    const auto v = segments(c);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0], (Seg{100 - 30, 899, 100 - 30 + 16, 899}));
    EXPECT_EQ(v[2], (Seg{100, 899, 116, 899}));
    EXPECT_EQ(v[3], (Seg{116, 899, 116, 875}));
    // One cell after the last character: 12 + 0 x 15 units, scaled by 2.
    EXPECT_DOUBLE_EQ(s.end_x(), 124);
    EXPECT_DOUBLE_EQ(s.end_y(), 100);
}

TEST(StrokeText, NineHundredNinetyNineContinuesAtTheEndPoint) {
    StrokeText s = test_text();
    RecordingCanvas c(1000, 1000);
    const ViewWindow w = unit_window();
    s.stroke_text(w, c, "AAA", 3, 0, 0, 0, 12, 100, 200);  // ends at 100 + 12 + 12
    EXPECT_DOUBLE_EQ(s.end_x(), 124);
    c.reset();
    s.stroke_text(w, c, "A", 1, 0, 0, 0, 12, 999.0, 999.0);
    EXPECT_EQ(segments(c)[0], (Seg{124 - 12, 799, 124 - 4, 799}));
    // Only x continues; y is given.
    c.reset();
    s.stroke_text(w, c, "AA", 2, 0, 0, 0, 12, 300, 100);
    c.reset();
    s.stroke_text(w, c, "A", 1, 0, 0, 0, 12, 999.0, 50);
    EXPECT_EQ(segments(c)[0], (Seg{312 - 12, 949, 312 - 4, 949}));
}

TEST(StrokeText, NegativeCountShiftsEveryPoint) {
    StrokeText s = test_text();
    RecordingCanvas c(1000, 1000);
    s.stroke_text(unit_window(), c, "A", -1, 0, 0, 0, 12, 100, 100);
    // Shifted by -4 across and -6 up the cell.
    EXPECT_EQ(segments(c), (std::vector<Seg>{{84, 905, 92, 905}, {92, 905, 92, 893}}));
}

TEST(StrokeText, SymbolCodesBelowSixteenShiftLeft) {
    StrokeText s = test_text();
    RecordingCanvas c(1000, 1000);
    s.stroke_text(unit_window(), c, std::string(1, '\x01'), 1, 0, 0, 0, 12, 100, 100);
    // (3,0)-(3,4) less 3 across.
    EXPECT_EQ(segments(c), (std::vector<Seg>{{88, 899, 88, 895}}));
}

TEST(StrokeText, SlantBeyondSixtyIsUpright) {
    const ViewWindow w = unit_window();
    RecordingCanvas upright(1000, 1000), steep(1000, 1000), slanted(1000, 1000);
    test_text().stroke_text(w, upright, "A", 1, 0, 0, 0, 12, 100, 100);
    test_text().stroke_text(w, steep, "A", 1, 0, 61, 0, 12, 100, 100);
    test_text().stroke_text(w, steep, "A", 1, 0, -75, 0, 12, 100, 100);
    test_text().stroke_text(w, slanted, "A", 1, 0, 45, 0, 12, 100, 100);
    ASSERT_EQ(segments(steep).size(), 4u);
    ASSERT_GE(segments(upright).size(), 2u);
    ASSERT_GE(segments(slanted).size(), 2u);
    EXPECT_EQ(segments(steep)[1], segments(upright)[1]);
    EXPECT_EQ(segments(steep)[3], segments(upright)[1]);
    // At 45 degrees the top of the stem leans 12 units to the right.
    const Seg stem = segments(slanted)[1];
    EXPECT_EQ(stem.x1, 96);
    EXPECT_EQ(stem.x2, 108);
    EXPECT_EQ(stem.y2, 887);
}

TEST(StrokeText, AngleTurnsTheText) {
    StrokeText s = test_text();
    RecordingCanvas c(1000, 1000);
    s.stroke_text(unit_window(), c, "A", 1, 0, 0, 90, 12, 100, 100);
    // A cell point (u, w) goes to (-w, u): the text runs upward.
    EXPECT_EQ(segments(c), (std::vector<Seg>{{100, 911, 100, 903}, {100, 903, 88, 903}}));
    EXPECT_NEAR(s.end_x(), 100, 1e-4);
    EXPECT_NEAR(s.end_y(), 100, 1e-4);  // one character: the end is the start
}

TEST(StrokeText, CountBeyondTheTextDrawsNothingMore) {
    StrokeText s = test_text();
    RecordingCanvas c(1000, 1000);
    s.stroke_text(unit_window(), c, "A", 9, 0, 0, 0, 12, 100, 100);
    EXPECT_EQ(segments(c).size(), 2u);
    EXPECT_DOUBLE_EQ(s.end_x(), 100 + 12 + 7 * 12);
}

TEST(StrokeText, DamagedGlyphOffsetsDrawNothing) {
    auto t = test_table();
    t['A' * 2] = 0xFF;  // offset far past the table
    StrokeText beyond{StrokeFont(t)};
    auto u = test_table();
    u[513] = 200;  // point count running past the end
    u['A' * 2] = 0x0D;
    u['A' * 2 + 1] = 0x20;
    u[0x0D20] = 200;
    StrokeText long_glyph{StrokeFont(u)};
    StrokeText tiny{StrokeFont(std::vector<std::uint8_t>(10, 0))};
    RecordingCanvas c(1000, 1000);
    beyond.stroke_text(unit_window(), c, "A", 1, 0, 0, 0, 12, 100, 100);
    long_glyph.stroke_text(unit_window(), c, "A", 1, 0, 0, 0, 12, 100, 100);
    tiny.stroke_text(unit_window(), c, "A~", 2, 0, 0, 0, 12, 100, 100);
    EXPECT_TRUE(c.items().empty());
}

// --- our font ---------------------------------------------------------------

TEST(SymbolCod, ShippedFileIsTheBuiltInTable) {
    const std::string shipped = testing::read_bytes(std::string(RENDER_SOURCE_DIR) + "/symbol.cod");
    const auto built = build_symbol_cod();
    ASSERT_EQ(built.size(), static_cast<std::size_t>(kSymbolCodSize));
    ASSERT_EQ(shipped.size(), built.size());
    EXPECT_TRUE(std::equal(built.begin(), built.end(),
                           reinterpret_cast<const std::uint8_t*>(shipped.data())));
}

TEST(SymbolCod, PrintableAsciiHasLegibleGlyphsInsideTheCell) {
    const StrokeFont f = StrokeFont::builtin();
    const auto& t = f.table();
    for (int c = 0; c < 256; ++c) {
        const auto g = f.glyph(static_cast<unsigned char>(c));
        if (c <= ' ' || c > '~') {
            EXPECT_TRUE(g.empty()) << c;
            continue;
        }
        ASSERT_GE(g.size(), 2u) << static_cast<char>(c);
        EXPECT_EQ(g[0].pen, kGlyphMove) << static_cast<char>(c);
        for (const auto& p : g) {
            EXPECT_TRUE(p.pen == kGlyphMove || p.pen == kGlyphDraw);
            EXPECT_GE(p.u, 0) << static_cast<char>(c);
            EXPECT_LE(p.u, 8) << static_cast<char>(c);
            EXPECT_GE(p.w, -2) << static_cast<char>(c);
            EXPECT_LE(p.w, 13) << static_cast<char>(c);
        }
        // The whole glyph lies inside the table, before its unused tail.
        const std::size_t at = static_cast<std::size_t>(t[2 * c]) * 256 + t[2 * c + 1];
        EXPECT_LT(at + 2 * g.size(), t.size());
    }
    // The table was not cut short: its last bytes are the unused tail.
    EXPECT_EQ(t.back(), 0);
}

TEST(SymbolCod, KnownGlyphOfTheBuiltInFont) {
    // 'L': down the stem from the top, then along the baseline.
    StrokeText s{StrokeFont::builtin()};
    RecordingCanvas c(1000, 1000);
    s.stroke_text(unit_window(), c, "L-", 2, 0, 0, 0, 12, 100, 100);
    EXPECT_EQ(segments(c),
              (std::vector<Seg>{{88, 887, 88, 899}, {88, 899, 96, 899}, {101, 893, 107, 893}}));
}

// --- reading the font --------------------------------------------------------

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

TEST(StrokeFontLoad, ReadsTheFileOfTheProgramFolderOnFirstUse) {
    TempDir dir;
    write_file(dir.file("symbol.cod"), test_table());
    StrokeText s(dir.path());
    RecordingCanvas c(1000, 1000);
    s.stroke_text(unit_window(), c, "A", 1, 0, 0, 0, 12, 100, 100);
    EXPECT_EQ(segments(c).size(), 2u);  // the test font's 'A', not ours
    EXPECT_FALSE(s.font().is_builtin());
    // Read once: a later change of the file does not matter.
    std::filesystem::remove(dir.file("symbol.cod"));
    c.reset();
    s.stroke_text(unit_window(), c, "A", 1, 0, 0, 0, 12, 100, 100);
    EXPECT_EQ(segments(c).size(), 2u);
}

TEST(StrokeFontLoad, MissingFileFallsBackToTheBuiltInFont) {
    TraceCapture trace;
    TempDir dir;
    StrokeText s(dir.path());
    RecordingCanvas c(1000, 1000);
    s.stroke_text(unit_window(), c, "L", 1, 0, 0, 0, 12, 100, 100);
    EXPECT_TRUE(s.font().is_builtin());
    EXPECT_EQ(segments(c).size(), 2u);
    EXPECT_NE(trace.text().find("not found: built-in font used"), std::string::npos);
}

TEST(StrokeFontLoad, ShortFileFallsBackToTheBuiltInFont) {
    TraceCapture trace;
    TempDir dir;
    auto t = test_table();
    t.resize(kSymbolCodSize - 1);
    write_file(dir.file("symbol.cod"), t);
    const StrokeFont f = StrokeFont::load(dir.path());
    EXPECT_TRUE(f.is_builtin());
    EXPECT_EQ(f.table(), build_symbol_cod());
    EXPECT_NE(trace.text().find("short (3386 bytes): built-in font used"), std::string::npos);
}

TEST(StrokeFontLoad, LongerFileIsReadToItsFirst3387Bytes) {
    TempDir dir;
    auto t = test_table();
    t.resize(kSymbolCodSize + 100, 0xEE);
    write_file(dir.file("symbol.cod"), t);
    const StrokeFont f = StrokeFont::load(dir.path());
    EXPECT_FALSE(f.is_builtin());
    EXPECT_EQ(f.table().size(), static_cast<std::size_t>(kSymbolCodSize));
}

TEST(StrokeFontLoad, FoldersAreSearchedInOrderPastMissingAndShortTables) {
    TempDir shorter, none, whole, later;
    auto t = test_table();
    write_file(whole.file("symbol.cod"), t);
    t[600] ^= 0xFF;
    write_file(later.file("symbol.cod"), t);
    t.resize(100);
    write_file(shorter.file("symbol.cod"), t);
    const StrokeFont f = StrokeFont::load(
        std::vector<std::string>{shorter.path(), none.path(), whole.path(), later.path()});
    EXPECT_FALSE(f.is_builtin());
    EXPECT_EQ(f.table(), test_table());
    EXPECT_TRUE(StrokeFont::load(std::vector<std::string>{shorter.path(), none.path()}).is_builtin());

    // The working folder first, the program's folder, then the installation's data.
    const auto dirs = font_folders("/work", "/opt/t/bin");
    ASSERT_GE(dirs.size(), 4u);
    EXPECT_EQ(dirs[0], "/work");
    EXPECT_EQ(dirs[1], "/opt/t/bin");
    EXPECT_EQ(dirs[2], std::string("/opt/t/bin/") + TARVIK_DATADIR_FROM_BINDIR);
}

}  // namespace
}  // namespace tarvik::render
