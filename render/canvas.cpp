#include "render/canvas.h"

namespace tarvik::render {

std::uint32_t palette_rgb(int colour) {
    static const std::uint32_t table[16] = {
        0x000000, 0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
        0x000080, 0x00FF00, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, 0xC0C0C0};
    return (colour >= 0 && colour < 16) ? table[colour] : 0x000000;
}

}  // namespace tarvik::render
