#include "render/trio_file.h"

#include <bit>
#include <initializer_list>

namespace tarvik::render {
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

uint64_t get_u64(const unsigned char* p) {
    return static_cast<uint64_t>(get_u32(p)) | static_cast<uint64_t>(get_u32(p + 4)) << 32;
}

void put_u64(unsigned char* p, uint64_t v) {
    put_u32(p, static_cast<uint32_t>(v));
    put_u32(p + 4, static_cast<uint32_t>(v >> 32));
}

float get_f32(const unsigned char* p) {
    return std::bit_cast<float>(get_u32(p));
}
void put_f32(unsigned char* p, float v) {
    put_u32(p, std::bit_cast<uint32_t>(v));
}
double get_f64(const unsigned char* p) {
    return std::bit_cast<double>(get_u64(p));
}
void put_f64(unsigned char* p, double v) {
    put_u64(p, std::bit_cast<uint64_t>(v));
}
// Consecutive doubles from p on.
void put_f64s(unsigned char* p, std::initializer_list<double> values) {
    for (double v : values) {
        put_f64(p, v);
        p += 8;
    }
}

constexpr std::size_t kNoOffset = 0;
constexpr std::size_t kHyojiOffset = 4;
constexpr std::size_t kVertexOffset = kTrioVertexOffset;  // 3 vertices of 3 floats
constexpr std::size_t kVertexNoOffset = 44;               // 3 int32
constexpr std::size_t kEyeOffset = kViewEyeOffset;        // 3 vertices of 3 doubles
constexpr std::size_t kPlaneOffset = kViewPlaneOffset;    // a, b, c, h
static_assert(kPlaneOffset == kEyeOffset + 9 * 8);
constexpr std::size_t kProjOffset = kViewProjOffset;  // 3 vertices of 2 doubles

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

ViewTriangle decode_view(const TrioRecord& r) {
    ViewTriangle t;
    t.trio = decode_trio(r);
    const unsigned char* p = r.data();
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k) t.eye[i][k] = get_f64(p + kEyeOffset + 24 * i + 8 * k);
        for (int k = 0; k < 2; ++k) t.proj[i][k] = get_f64(p + kProjOffset + 16 * i + 8 * k);
    }
    double plane[4];
    decode_f64s(p + kPlaneOffset, plane, 4);
    t.a = plane[0], t.b = plane[1], t.c = plane[2], t.h = plane[3];
    return t;
}

TrioRecord encode_view(const ViewTriangle& t) {
    TrioRecord r = encode_trio(t.trio);
    unsigned char* p = r.data();
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k) put_f64(p + kEyeOffset + 24 * i + 8 * k, t.eye[i][k]);
        for (int k = 0; k < 2; ++k) put_f64(p + kProjOffset + 16 * i + 8 * k, t.proj[i][k]);
    }
    put_f64s(p + kPlaneOffset, {t.a, t.b, t.c, t.h});
    return r;
}

VectRecord decode_vect(const VectBytes& r) {
    return decode_vect(r.data());
}

VectBytes encode_vect(const VectRecord& v) {
    VectBytes r{};
    put_f64s(r.data(), {v.xs, v.ys, v.zs, v.xl, v.yl, v.zl});
    return r;
}

TempHeader decode_temp_header(const TempHeaderBytes& r) {
    TempHeader h;
    for (int i = 0; i < 4; ++i) {
        h.world[i] = get_f32(r.data() + 4 * i);
        h.crt[i] = static_cast<int32_t>(get_u32(r.data() + 16 + 4 * i));
    }
    return h;
}

TempHeaderBytes encode_temp_header(const TempHeader& h) {
    TempHeaderBytes r{};
    for (int i = 0; i < 4; ++i) {
        put_f32(r.data() + 4 * i, h.world[i]);
        put_u32(r.data() + 16 + 4 * i, static_cast<uint32_t>(h.crt[i]));
    }
    return r;
}

TempLine decode_temp_line(const TempLineBytes& r) {
    const unsigned char* p = r.data();
    return {get_f32(p), get_f32(p + 4), get_f32(p + 8), get_f32(p + 12)};
}

TempLineBytes encode_temp_line(const TempLine& l) {
    TempLineBytes r{};
    unsigned char* p = r.data();
    const float v[4] = {l.xs, l.ys, l.xl, l.yl};
    for (int k = 0; k < 4; ++k) put_f32(p + 4 * k, v[k]);
    return r;
}

}  // namespace tarvik::render
