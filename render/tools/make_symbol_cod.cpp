// Writes the stroke font table "symbol.cod" from the glyphs compiled into the
// views library. Usage: make_symbol_cod <output file>
#include <cstdio>
#include <string>

#include "render/symbol_font.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_symbol_cod <output file>\n");
        return 2;
    }
    const std::string path = argv[1];
    const std::string tmp = path + ".tmp";
    const auto table = tarvik::render::build_symbol_cod();
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (f == nullptr) {
        std::fprintf(stderr, "cannot create %s\n", tmp.c_str());
        return 1;
    }
    const bool written = std::fwrite(table.data(), 1, table.size(), f) == table.size();
    const bool closed = std::fclose(f) == 0;
    // The old table is replaced only by a complete new one.
    if (!written || !closed || std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::remove(tmp.c_str());
        return 1;
    }
    return 0;
}
