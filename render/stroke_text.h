// Labels drawn as line strokes from the font table "symbol.cod".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "render/canvas.h"
#include "render/view_window.h"

namespace tarvik::render {

// A loaded font table. Glyph reads are checked against its size, so a damaged
// table draws nothing for the damaged glyphs instead of reading past the end.
class StrokeFont {
  public:
    explicit StrokeFont(std::vector<std::uint8_t> table, bool builtin = false)
        : t_(std::move(table)), builtin_(builtin) {}

    // Our own font compiled into the program.
    static StrokeFont builtin();

    // "symbol.cod" in directory. A missing or short file must not stop the
    // program: the built-in font is used instead and the trace says so.
    static StrokeFont load(const std::string& directory);
    // The first whole "symbol.cod" of the folders, in their order; the
    // built-in font when none holds one.
    static StrokeFont load(const std::vector<std::string>& directories);

    bool is_builtin() const { return builtin_; }
    const std::vector<std::uint8_t>& table() const { return t_; }

    struct Point {
        std::uint8_t pen;  // 1 move, 0 draw
        int u, w;          // cell coordinates
    };
    // The points of the glyph of code c, before any shift; empty when the
    // glyph lies outside the table.
    std::vector<Point> glyph(unsigned char c) const;

  private:
    std::vector<std::uint8_t> t_;
    bool builtin_;
};

// The stroke text routine. It keeps the end point of the last text, so that a
// text given at 999.0 continues where the previous one ended.
class StrokeText {
  public:
    // The font is read from "symbol.cod" in directory at the first text.
    explicit StrokeText(std::string directory) : dirs_{std::move(directory)} {}
    // Likewise, from the first of the folders that holds a whole one.
    explicit StrokeText(std::vector<std::string> directories) : dirs_(std::move(directories)) {}
    explicit StrokeText(StrokeFont font) : font_(std::move(font)) {}

    // Draws the first |count| characters of text (codes 0 past its end) with
    // the current pen, in World coordinates of w, starting at (x, y):
    // - height: cell height in World units (the sign is ignored);
    // - spacing: extra World-cell units between characters;
    // - slant and angle in degrees; a slant beyond 60 degrees is taken as 0;
    // - x or y equal to 999.0: continue at the end of the previous text;
    // - a negative count shifts the text by -4, -6 cell units, so that it is
    //   roughly centred on (x, y).
    void stroke_text(const ViewWindow& w, Canvas& c, std::string_view text, int count,
                     double spacing, double slant, double angle, double height, double x, double y);

    double end_x() const { return end_x_; }
    double end_y() const { return end_y_; }
    const StrokeFont& font();

  private:
    std::vector<std::string> dirs_;
    std::optional<StrokeFont> font_;
    double end_x_ = 0.0, end_y_ = 0.0;
};

// Where the program looks for "symbol.cod": the working folder, the folder of
// the program, the data folder of an installation seen from the program's
// folder, and that of the configured installation.
std::vector<std::string> font_folders(const std::string& cDirectory, const std::string& program_dir);

// Value of x or y that continues the previous text.
inline constexpr double kContinue = 999.0;

}  // namespace tarvik::render
