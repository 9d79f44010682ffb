#include "views/trio_file.h"

#include <bit>

namespace tarvik::views {
namespace {

// The file is little-endian whatever the machine is.
uint32_t get_u32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void put_u32(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

constexpr std::size_t kNoOffset = 0;
constexpr std::size_t kHyojiOffset = 4;
constexpr std::size_t kVertexOffset = 8;     // 3 vertices of 3 floats
constexpr std::size_t kVertexNoOffset = 44;  // 3 int32

}  // namespace

TrioTriangle decode_trio(const TrioRecord& r) {
    TrioTriangle t;
    t.no = static_cast<int32_t>(get_u32(r.data() + kNoOffset));
    t.hyoji = static_cast<int32_t>(get_u32(r.data() + kHyojiOffset));
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k)
            t.v[i][k] = std::bit_cast<float>(get_u32(r.data() + kVertexOffset + 12 * i + 4 * k));
        t.vertex_no[i] = static_cast<int32_t>(get_u32(r.data() + kVertexNoOffset + 4 * i));
    }
    return t;
}

TrioRecord encode_trio(const TrioTriangle& t) {
    TrioRecord r{};
    put_u32(r.data() + kNoOffset, static_cast<uint32_t>(t.no));
    put_u32(r.data() + kHyojiOffset, static_cast<uint32_t>(t.hyoji));
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k)
            put_u32(r.data() + kVertexOffset + 12 * i + 4 * k, std::bit_cast<uint32_t>(t.v[i][k]));
        put_u32(r.data() + kVertexNoOffset + 4 * i, static_cast<uint32_t>(t.vertex_no[i]));
    }
    return r;
}

}  // namespace tarvik::views
