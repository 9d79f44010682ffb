#include "render/stroke_text.h"

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "model/spy.h"
#include "render/projection.h"
#include "render/symbol_font.h"
#include "tarvik_version.h"

namespace tarvik::render {
namespace {

constexpr double kPi = 3.141592;
constexpr double kCell = 12.0;      // units of a character cell
constexpr double kMaxSlant = 60.0;  // degrees
constexpr int kCenterShiftU = -4;   // negative count: centre the text
constexpr int kCenterShiftW = -6;
constexpr int kSymbolCodes = 16;  // codes below are symbols drawn centred
constexpr int kSymbolShiftU = -3;

double radians(double deg) {
    return deg * kPi / 180.0;
}

}  // namespace

StrokeFont StrokeFont::builtin() {
    return StrokeFont(build_symbol_cod(), true);
}

StrokeFont StrokeFont::load(const std::string& directory) {
    return load(std::vector<std::string>{directory});
}

StrokeFont StrokeFont::load(const std::vector<std::string>& directories) {
    for (std::size_t i = 0; i < directories.size(); ++i) {
        const std::string& directory = directories[i];
        const char* fallback = i + 1 == directories.size() ? ": built-in font used" : "";
        const std::string path =
            directory.empty() ? kSymbolCodName : directory + "/" + kSymbolCodName;
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            model::spy("%s not found%s", path.c_str(), fallback);
            continue;
        }
        std::vector<std::uint8_t> t(kSymbolCodSize);
        in.read(reinterpret_cast<char*>(t.data()), kSymbolCodSize);
        if (in.gcount() != kSymbolCodSize) {
            model::spy("%s short (%d bytes)%s", path.c_str(), static_cast<int>(in.gcount()),
                       fallback);
            continue;
        }
        model::spy("%s read", path.c_str());
        return StrokeFont(std::move(t));
    }
    return builtin();
}

std::vector<std::string> font_folders(const std::string& cDirectory,
                                      const std::string& program_dir) {
    std::vector<std::string> dirs{cDirectory};
    if (!program_dir.empty()) {
        dirs.push_back(program_dir);
        dirs.push_back(program_dir + "/" + TARVIK_DATADIR_FROM_BINDIR);
    }
    dirs.push_back(TARVIK_INSTALL_DATADIR);
    return dirs;
}

std::vector<StrokeFont::Point> StrokeFont::glyph(unsigned char c) const {
    std::vector<Point> pts;
    const std::size_t size = t_.size();
    if (2u * c + 1 >= size) return pts;
    const std::size_t g = static_cast<std::size_t>(t_[2 * c]) * 256 + t_[2 * c + 1];
    if (g >= size) return pts;
    const std::size_t n = t_[g];
    if (g + 2 * n >= size) return pts;
    pts.reserve(n);
    for (std::size_t k = 1; k <= n; ++k) {
        const int v = t_[g + 2 * k];
        pts.push_back({t_[g + 2 * k - 1], v / 16 - 1, v % 16 - 2});
    }
    return pts;
}

const StrokeFont& StrokeText::font() {
    if (!font_) font_ = StrokeFont::load(dirs_);
    return *font_;
}

void StrokeText::stroke_text(const ViewWindow& w, Canvas& c, std::string_view text, int count,
                             double spacing, double slant, double angle, double height, double x,
                             double y) {
    const StrokeFont& f = font();
    const double scale = std::fabs(height) / kCell;
    if (std::fabs(slant) > kMaxSlant) slant = 0.0;
    const double tan_slant = std::tan(radians(slant));
    const double a = radians(angle);
    const double ca = std::cos(a);
    const double sa = std::sin(a);
    const double x0 = x == kContinue ? end_x_ : x;
    const double y0 = y == kContinue ? end_y_ : y;
    const int shift_u = count < 0 ? kCenterShiftU : 0;
    const int shift_w = count < 0 ? kCenterShiftW : 0;
    const long long m = count < 0 ? -static_cast<long long>(count) : count;
    const double advance = kCell + spacing;

    for (long long i = 0; i < m; ++i) {
        const unsigned char code =
            static_cast<unsigned long long>(i) < text.size()
                ? static_cast<unsigned char>(text[static_cast<std::size_t>(i)])
                : 0;
        for (const StrokeFont::Point& p : f.glyph(code)) {
            double u = p.u + (code < kSymbolCodes ? kSymbolShiftU : 0) + shift_u;
            const double v = p.w + shift_w;
            // The first character sits one cell before the start point; the
            // end point below accounts for it.
            u += tan_slant * v + static_cast<double>(i - 1) * advance;
            const Pixel px =
                world_to_crt(w, x0 + (u * ca - v * sa) * scale, y0 + (u * sa + v * ca) * scale);
            if (p.pen == kGlyphMove)
                c.move_to(px.x, px.y);
            else
                c.line_to(px.x, px.y);
        }
    }
    const double run = kCell + static_cast<double>(m - 2) * advance;
    end_x_ = x0 + run * ca * scale;
    end_y_ = y0 + run * sa * scale;
}

}  // namespace tarvik::render
