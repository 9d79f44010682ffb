// The stroke font table "symbol.cod": 3387 bytes. The first 512 bytes hold,
// for each character code c, the offset of its glyph as the big-endian pair
// T[2c], T[2c+1]. A glyph is a point count n followed by n pairs of a pen code
// (1 move, 0 draw) and a coordinate byte v: horizontal (v / 16) - 1, vertical
// (v % 16) - 2, in a cell of 12 units.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/texts.h"

namespace tarvik::render {

inline constexpr int kSymbolCodSize = 3387;

// Pen codes of a glyph point.
inline constexpr std::uint8_t kGlyphMove = 1;
inline constexpr std::uint8_t kGlyphDraw = 0;

// Our own font, built from the stroke definitions compiled into the library:
// printable ASCII; every other code has an empty glyph. Exactly
// kSymbolCodSize bytes; the shipped "symbol.cod" is this table written out.
std::vector<std::uint8_t> build_symbol_cod();

}  // namespace tarvik::render
