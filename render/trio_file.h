// The binary files of the solid model and the hidden-line image, all
// little-endian with fixed-size records:
//   "TRIO.DAT"  one 272-byte record per triangle of the member solids; only the
//               first 56 bytes carry meaning, the rest is room for the eye
//               coordinates of the view file;
//   "VIEW.DAT"  the same record with every field filled;
//   "VECT.DAT"  48-byte records, the drawn triangle edges in eye coordinates;
//   "TEMP.DAT"  a 32-byte header (World, Crt) and 16-byte line records.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ui/texts.h"

namespace tarvik::render {

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

inline constexpr std::size_t kVectRecordSize = 48;
inline constexpr std::size_t kTempHeaderSize = 32;
inline constexpr std::size_t kTempLineSize = 16;

// A record of "VIEW.DAT": the triangle with its vertices in eye coordinates
// (the eye at the origin, looking along +z), the unit normal (a, b, c) and
// constant h of its plane (a x + b y + c z = h), and the projections
// (xe/ze, ye/ze) of its vertices.
struct ViewTriangle {
    TrioTriangle trio;
    std::array<std::array<double, 3>, 3> eye{};   // xe, ye, ze of V0, V1, V2
    double a = 0.0, b = 0.0, c = 0.0, h = 0.0;    // plane
    std::array<std::array<double, 2>, 3> proj{};  // X, Y of V0, V1, V2
};

ViewTriangle decode_view(const TrioRecord& r);

// Where the eye vertices (9 doubles) and the plane a, b, c, h (4 doubles)
// lie in a "VIEW.DAT" record: one run of 13 doubles.
inline constexpr std::size_t kViewEyeOffset = 56;
inline constexpr std::size_t kViewPlaneOffset = 128;
inline constexpr std::size_t kViewGeometryCount = 13;
// Where the 9 vertex floats of a "TRIO.DAT" or "VIEW.DAT" record lie, and the
// 6 projection doubles of a "VIEW.DAT" record.
inline constexpr std::size_t kTrioVertexOffset = 8;
inline constexpr std::size_t kViewProjOffset = 160;

// n little-endian doubles from p (unaligned) into out, without a copy of the
// record: what a reader decoding a whole file in place uses. Inline, so that
// a fixed n becomes a plain load on a little-endian machine.
inline void decode_f64s(const unsigned char* p, double* out, std::size_t n) {
    if constexpr (std::endian::native == std::endian::little) {
        // The bytes are the doubles already.
        if (n > 0) std::memcpy(out, p, 8 * n);
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            uint64_t u = 0;
            for (int b = 7; b >= 0; --b) u = u << 8 | p[8 * i + static_cast<std::size_t>(b)];
            out[i] = std::bit_cast<double>(u);
        }
    }
}

// n little-endian floats from p (unaligned) into out, as decode_f64s.
inline void decode_f32s(const unsigned char* p, float* out, std::size_t n) {
    if constexpr (std::endian::native == std::endian::little) {
        if (n > 0) std::memcpy(out, p, 4 * n);
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            uint32_t u = 0;
            for (int b = 3; b >= 0; --b) u = u << 8 | p[4 * i + static_cast<std::size_t>(b)];
            out[i] = std::bit_cast<float>(u);
        }
    }
}
// n floats into p (unaligned), little-endian.
inline void encode_f32s(const float* v, unsigned char* p, std::size_t n) {
    if constexpr (std::endian::native == std::endian::little) {
        if (n > 0) std::memcpy(p, v, 4 * n);
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            const uint32_t u = std::bit_cast<uint32_t>(v[i]);
            for (int b = 0; b < 4; ++b)
                p[4 * i + static_cast<std::size_t>(b)] = static_cast<unsigned char>(u >> (8 * b));
        }
    }
}
// The reserved tail is written as zeros.
TrioRecord encode_view(const ViewTriangle& t);

// A record of "VECT.DAT": one drawn edge, start and end in eye coordinates.
struct VectRecord {
    double xs = 0.0, ys = 0.0, zs = 0.0;
    double xl = 0.0, yl = 0.0, zl = 0.0;
};
using VectBytes = std::array<unsigned char, kVectRecordSize>;
VectRecord decode_vect(const VectBytes& r);
// The record at p (kVectRecordSize bytes, unaligned).
inline VectRecord decode_vect(const unsigned char* p) {
    double d[6];
    decode_f64s(p, d, 6);
    return {d[0], d[1], d[2], d[3], d[4], d[5]};
}
VectBytes encode_vect(const VectRecord& v);

// Header of "TEMP.DAT": World left, bottom, right, top (float32) and Crt left,
// top, right, bottom (int32) of the window that wrote the image.
struct TempHeader {
    float world[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    int32_t crt[4] = {0, 0, 0, 0};
};
using TempHeaderBytes = std::array<unsigned char, kTempHeaderSize>;
TempHeader decode_temp_header(const TempHeaderBytes& r);
TempHeaderBytes encode_temp_header(const TempHeader& h);

// A line of "TEMP.DAT": projected start X, Y and end X, Y.
struct TempLine {
    float xs = 0.0f, ys = 0.0f, xl = 0.0f, yl = 0.0f;
    bool operator==(const TempLine&) const = default;
};
using TempLineBytes = std::array<unsigned char, kTempLineSize>;
TempLine decode_temp_line(const TempLineBytes& r);
TempLineBytes encode_temp_line(const TempLine& l);

}  // namespace tarvik::render
