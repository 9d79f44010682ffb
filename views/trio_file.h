// The triangle file "TRIO.DAT": one fixed-size little-endian record per
// triangle of the member boxes. Only the first 56 bytes of a record carry
// meaning in this file; the rest is room for the eye coordinates of the
// derived view file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarvik::views {

inline constexpr const char* kTrioFileName = "TRIO.DAT";
inline constexpr std::size_t kTrioRecordSize = 272;

// Edge bits of hyoji: which triangle edges are drawn.
inline constexpr int32_t kEdge01 = 4;
inline constexpr int32_t kEdge12 = 2;
inline constexpr int32_t kEdge20 = 1;

struct TrioTriangle {
    int32_t no = 0;                           // 1-based triangle number
    int32_t hyoji = 0;                        // edge bits
    std::array<std::array<float, 3>, 3> v{};  // x, y, z of V0, V1, V2 (cm)
    std::array<int32_t, 3> vertex_no{};       // 1-based numbers in the vertex table
};

using TrioRecord = std::array<unsigned char, kTrioRecordSize>;

TrioTriangle decode_trio(const TrioRecord& r);
// Fields past the vertex numbers are written as zeros.
TrioRecord encode_trio(const TrioTriangle& t);

}  // namespace tarvik::views
