// libFuzzer target: the stroke font table "symbol.cod". The input is written
// as the file and loaded the way the views load it (a wrong size falls back to
// the built-in font); then the same bytes, as they are and cut or padded to the
// table's size, are used as a font: every glyph is decoded and drawn. What
// counts is that no glyph reads past the table and nothing trips a sanitizer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "render/recording_canvas.h"
#include "render/stroke_text.h"
#include "render/symbol_font.h"
#include "testing/temp_dir.h"

namespace {

void draw_all(tarvik::render::StrokeFont font) {
    using namespace tarvik::render;
    for (int c = 0; c < 256; ++c) (void)font.glyph(static_cast<unsigned char>(c));
    std::string all(256, '\0');
    for (int c = 0; c < 256; ++c) all[static_cast<std::size_t>(c)] = static_cast<char>(c);
    ViewWindow w;
    w.W = 640;
    w.H = 480;
    w.World = {0.0f, 0.0f, 640.0f, 480.0f};
    w.Crt = {0, 0, 640, 480};
    RecordingCanvas canvas;
    StrokeText text(std::move(font));
    text.stroke_text(w, canvas, all, 256, 1.0, 10.0, 30.0, 12.0, 10.0, 10.0);
    text.stroke_text(w, canvas, all, -256, 0.0, 0.0, 0.0, 8.0, kContinue, kContinue);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvik;
    static const test_support::TempDir scratch("fuzz_symbol");
    scratch.write(render::kSymbolCodName, data, size);
    draw_all(render::StrokeFont::load(scratch.path().string()));

    std::vector<std::uint8_t> raw(data, data + size);
    draw_all(render::StrokeFont(raw));
    raw.resize(render::kSymbolCodSize, 0);
    draw_all(render::StrokeFont(std::move(raw)));
    return 0;
}
