#include "render/solid.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <memory>

#include "model/maintenance.h"
#include "model/spy.h"
#include "render/draw.h"

namespace tarvik::render {
namespace {

// The bar routines turn degrees into radians with this value of pi, while
// the angles themselves come from the library's acos and atan2.
constexpr double kBarPi = 3.14159;
constexpr double kRadToDeg = 180.0 / 3.14159265358979323846;

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File open_file(const std::string& path, const char* mode) {
    return File(std::fopen(path.c_str(), mode));
}

// Closes f and tells whether everything written to it arrived.
bool close_file(File& f) {
    const bool ok = std::ferror(f.get()) == 0;
    return std::fclose(f.release()) == 0 && ok;
}

template <typename Bytes>
bool read_record(std::FILE* f, Bytes& r) {
    return std::fread(r.data(), 1, r.size(), f) == r.size();
}

template <typename Bytes>
bool write_record(std::FILE* f, const Bytes& r) {
    return std::fwrite(r.data(), 1, r.size(), f) == r.size();
}

// |v| <= kMaxViewCoordinate, which NaN fails as well.
bool drawable(double v) {
    return std::fabs(v) <= kMaxViewCoordinate;
}

// (Every value is looked at, without a branch each: the readers check whole
// files of records that are nearly always sound.)
bool all_drawable(const double* v, std::size_t n) {
    bool ok = true;
    for (std::size_t i = 0; i < n; ++i) ok &= drawable(v[i]);
    return ok;
}

// The 9 vertex floats of a "TRIO.DAT" or "VIEW.DAT" record.
bool trio_vertices_ok(const unsigned char* rec) {
    float f[9];
    decode_f32s(rec + kTrioVertexOffset, f, 9);
    bool ok = true;
    for (float v : f) ok &= drawable(v);
    return ok;
}

// A solid in member-local coordinates (along the member, across, up) is
// turned by the member's elevation and azimuth and moved to its start.
struct Placement {
    double kakudoY = 0.0, kakudoZ = 0.0;  // degrees
    double L = 0.0;                       // length, cm
    double cy = 1.0, sy = 0.0, cz = 1.0, sz = 0.0;
    double xs = 0.0, ys = 0.0, zs = 0.0;

    void place(double x, double y, double z, float out[3]) const {
        // About the local x axis by 0, about y by kakudoY, about z by kakudoZ.
        const double x1 = x * cy - z * sy;
        const double z1 = x * sy + z * cy;
        const double x2 = x1 * cz - y * sz;
        const double y2 = x1 * sz + y * cz;
        out[0] = static_cast<float>(x2 + xs);
        out[1] = static_cast<float>(y2 + ys);
        out[2] = static_cast<float>(z1 + zs);
    }
};

Placement placement(float xs, float ys, float zs, float xl, float yl, float zl,
                    const char* level_note) {
    Placement p;
    const double dx = static_cast<double>(xl) - xs;
    const double dy = static_cast<double>(yl) - ys;
    const double dz = static_cast<double>(zl) - zs;
    p.L = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double Lh = std::sqrt(dx * dx + dy * dy);
    if (p.L == Lh) {
        p.kakudoY = 0.0;
        model::spy("%s", level_note);
        p.kakudoZ = std::atan2(dy, dx) * kRadToDeg;
    } else if (Lh == 0.0) {
        // Vertical: straight up or straight down, no azimuth.
        p.kakudoY = zl > zs ? 90.0 : -90.0;
        p.kakudoZ = 0.0;
    } else {
        p.kakudoY = std::acos(Lh / p.L) * kRadToDeg;
        if (zl <= zs) p.kakudoY = -p.kakudoY;
        p.kakudoZ = std::atan2(dy, dx) * kRadToDeg;
    }
    const double ry = p.kakudoY * kBarPi / 180.0;
    const double rz = p.kakudoZ * kBarPi / 180.0;
    p.cy = std::cos(ry);
    p.sy = std::sin(ry);
    p.cz = std::cos(rz);
    p.sz = std::sin(rz);
    p.xs = xs;
    p.ys = ys;
    p.zs = zs;
    return p;
}

// Numbers the corners of one solid. The table is asked first how many of them
// are new (corners equal among themselves count once); a solid it cannot take
// whole is refused before anything is entered.
bool number_corners(SolidModel& s, const float (*pts)[3], int n, int32_t* numbers,
                    model::MessageService& msg) {
    int fresh = 0;
    for (int i = 0; i < n; ++i) {
        if (s.chouten.find(pts[i][0], pts[i][1], pts[i][2]) > 0) continue;
        bool earlier = false;
        for (int j = 0; j < i && !earlier; ++j)
            earlier = pts[j][0] == pts[i][0] && pts[j][1] == pts[i][1] && pts[j][2] == pts[i][2];
        if (!earlier) ++fresh;
    }
    if (fresh > s.chouten.room()) {
        if (!s.refused)
            msg.show_message(model::table_full_message(kChoutenTable, s.chouten.capacity()));
        s.refused = true;
        return false;
    }
    for (int i = 0; i < n; ++i) numbers[i] = s.chouten.number(pts[i][0], pts[i][1], pts[i][2]);
    return true;
}

bool write_triangle(SolidModel& s, const float (*pts)[3], const int32_t* numbers, int i0, int i1,
                    int i2, int32_t hyoji) {
    TrioTriangle t;
    t.no = s.N_TRIO + 1;
    t.hyoji = hyoji;
    const int idx[3] = {i0, i1, i2};
    for (int k = 0; k < 3; ++k) {
        for (int d = 0; d < 3; ++d) t.v[k][d] = pts[idx[k]][d];
        t.vertex_no[k] = numbers[idx[k]];
    }
    if (!write_record(s.trio, encode_trio(t))) {
        s.write_failed = true;
        return false;
    }
    ++s.N_TRIO;
    return true;
}

struct TriangleSpec {
    int v0, v1, v2;
    int32_t hyoji;
};

// Square box, each triangle marking one of the twelve box edges.
constexpr TriangleSpec kKakuzai3[12] = {
    {5, 0, 4, 1}, {0, 5, 1, 1},  // top
    {6, 1, 5, 2}, {1, 6, 2, 2},  // side +w
    {7, 2, 6, 1}, {2, 7, 3, 1},  // bottom
    {4, 3, 7, 2}, {3, 4, 0, 2},  // side -w
    {0, 2, 3, 1}, {2, 0, 1, 1},  // start end
    {7, 5, 4, 1}, {5, 7, 6, 1},  // far end
};

// The older order: two box edges per triangle (V0-V1 and V1-V2).
constexpr TriangleSpec kKakuzai2[12] = {
    {0, 4, 5, 6}, {5, 1, 0, 6}, {7, 3, 2, 6}, {2, 6, 7, 6}, {0, 3, 7, 6}, {7, 4, 0, 6},
    {1, 5, 6, 6}, {6, 2, 1, 6}, {0, 1, 2, 6}, {2, 3, 0, 6}, {5, 4, 7, 6}, {7, 6, 5, 6},
};

int box_solid(SolidModel& s, float xs, float ys, float zs, float xl, float yl, float zl, float haba,
              float atumi, const TriangleSpec (&spec)[12], model::MessageService& msg) {
    if (s.trio == nullptr || s.refused) return -1;
    const BoxCorners b = kakuzai_corners(xs, ys, zs, xl, yl, zl, haba, atumi);
    int32_t numbers[8];
    if (!number_corners(s, b.c, 8, numbers, msg)) return -1;
    const double L = std::sqrt(std::pow(static_cast<double>(xl) - xs, 2) +
                               std::pow(static_cast<double>(yl) - ys, 2) +
                               std::pow(static_cast<double>(zl) - zs, 2));
    // cm^3 to m^3.
    s.volume += 0.01 * 0.01 * 0.01 * L * haba * atumi;
    model::spy("積算 Volume %8.3f", s.volume);
    for (const TriangleSpec& t : spec)
        if (!write_triangle(s, b.c, numbers, t.v0, t.v1, t.v2, t.hyoji)) return -1;
    return 8;
}

}  // namespace

std::string bad_record_message(const std::string& path, long long record) {
    char buf[512];
    std::snprintf(buf, sizeof buf, kMsgBadRecord, path.c_str(), record, kMaxViewCoordinate);
    return buf;
}

bool trio_record_ok(const unsigned char* rec) {
    return trio_vertices_ok(rec);
}

bool view_record_ok(const unsigned char* rec) {
    if (!trio_vertices_ok(rec)) return false;
    double g[kViewGeometryCount];
    decode_f64s(rec + kViewEyeOffset, g, kViewGeometryCount);
    if (!all_drawable(g, kViewGeometryCount)) return false;
    double proj[6];
    decode_f64s(rec + kViewProjOffset, proj, 6);
    bool ok = true;
    for (int k = 0; k < 3; ++k) {
        const bool used = g[3 * k + 2] >= kNearClip;
        for (int d = 0; d < 2; ++d) {
            const double v = proj[2 * k + d];
            ok &= used ? drawable(v) : std::isfinite(v);
        }
    }
    return ok;
}

bool vect_record_ok(const unsigned char* rec) {
    double d[6];
    decode_f64s(rec, d, 6);
    return all_drawable(d, 6);
}

bool temp_header_ok(const TempHeader& h) {
    for (float v : h.world)
        if (!drawable(v)) return false;
    for (int32_t v : h.crt)
        if (v < -kMaxCrtPixel || v > kMaxCrtPixel) return false;
    return true;
}

bool temp_line_ok(const TempLine& l) {
    return drawable(l.xs) && drawable(l.ys) && drawable(l.xl) && drawable(l.yl);
}

SolidModel::~SolidModel() {
    if (trio) std::fclose(trio);
}

std::string SolidModel::path(const char* name) const {
    return directory.empty() ? std::string(name) : directory + "/" + name;
}

int begin_trio_file(SolidModel& s, model::MessageService& msg) {
    if (s.trio) {
        std::fclose(s.trio);
        s.trio = nullptr;
    }
    s.N_TRIO = 0;
    s.volume = 0.0;
    s.refused = false;
    s.write_failed = false;
    s.chouten.clear();
    s.trio = std::fopen(s.path(kTrioFileName).c_str(), "w+b");
    if (s.trio == nullptr) {
        msg.show_message(kMsgTrioCreate);
        return -1;
    }
    return 0;
}

int end_trio_file(SolidModel& s, model::MessageService& msg) {
    if (s.trio == nullptr) return -1;
    File f(s.trio);
    s.trio = nullptr;
    const bool written = close_file(f) && !s.write_failed;
    if (!written) msg.show_message(kMsgTrioWrite);
    if (s.refused || !written) {
        // Leave no partial model behind.
        File empty = open_file(s.path(kTrioFileName), "wb");
        s.N_TRIO = 0;
        return -1;
    }
    return 0;
}

int make_trio_file(SolidModel& s, const model::ModelStore& m, model::MessageService& msg) {
    model::spy("Enter make_trio_file()");
    if (begin_trio_file(s, msg) != 0) return -1;
    for (int i = 0; i < m.N_Beam; ++i) {
        const model::Beam& b = m.beam[i];
        if (make_kakuzai3(s, b.xs, b.ys, b.zs, b.xl, b.yl, b.zl, b.haba, b.atumi, msg) < 0) break;
    }
    return end_trio_file(s, msg);
}

BoxCorners kakuzai_corners(float xs, float ys, float zs, float xl, float yl, float zl, float haba,
                           float atumi) {
    const Placement p = placement(xs, ys, zs, xl, yl, zl, "kakudoY = 0.0  角材は地面と平行");
    BoxCorners b;
    b.kakudoY = p.kakudoY;
    b.kakudoZ = p.kakudoZ;
    const double w = haba / 2.0;
    const double d = atumi / 2.0;
    const double local[8][3] = {{0, -w, d},   {0, w, d},   {0, w, -d},   {0, -w, -d},
                                {p.L, -w, d}, {p.L, w, d}, {p.L, w, -d}, {p.L, -w, -d}};
    for (int i = 0; i < 8; ++i) p.place(local[i][0], local[i][1], local[i][2], b.c[i]);
    return b;
}

int make_kakuzai3(SolidModel& s, float xs, float ys, float zs, float xl, float yl, float zl,
                  float haba, float atumi, model::MessageService& msg) {
    return box_solid(s, xs, ys, zs, xl, yl, zl, haba, atumi, kKakuzai3, msg);
}

int make_kakuzai2(SolidModel& s, float xs, float ys, float zs, float xl, float yl, float zl,
                  float haba, float atumi, model::MessageService& msg) {
    model::spy("Enter make_kakuzai2");
    return box_solid(s, xs, ys, zs, xl, yl, zl, haba, atumi, kKakuzai2, msg);
}

int make_enchu2(SolidModel& s, float xs, float ys, float zs, float xl, float yl, float zl, float r,
                model::MessageService& msg) {
    model::spy("Enter make_enchu2");
    if (s.trio == nullptr || s.refused) return -1;
    const Placement p = placement(xs, ys, zs, xl, yl, zl, "kakudoY = 0.0  ６角形は地面と平行");
    // 0 start centre, 1 far centre, 2..7 start ring, 8..13 far ring.
    float pts[14][3];
    p.place(0.0, 0.0, 0.0, pts[0]);
    p.place(p.L, 0.0, 0.0, pts[1]);
    for (int k = 0; k < 6; ++k) {
        const double th = k * 2.0 * kBarPi / 6.0;
        const double y = -r * std::cos(th);
        const double z = r * std::sin(th);
        p.place(0.0, y, z, pts[2 + k]);
        p.place(p.L, y, z, pts[8 + k]);
    }
    int32_t numbers[14];
    if (!number_corners(s, pts, 14, numbers, msg)) return -1;
    // A hexagon of corner radius r has the area 3 sqrt(3) r^2 / 2; cm^3 to m^3.
    s.volume += 0.01 * 0.01 * 0.01 * p.L * 1.5 * std::sqrt(3.0) * r * r;
    model::spy("積算 Volume %8.3f", s.volume);
    // Triangles wound so that their normals point out of the bar: the hidden
    // line test keeps only faces turned toward the eye.
    for (int k = 0; k < 6; ++k) {
        const int s0 = 2 + k, s1 = 2 + (k + 1) % 6;
        if (!write_triangle(s, pts, numbers, 0, s0, s1, kEdge12)) return -1;  // start cap
    }
    for (int k = 0; k < 6; ++k) {
        const int f0 = 8 + k, f1 = 8 + (k + 1) % 6;
        if (!write_triangle(s, pts, numbers, 1, f1, f0, kEdge12)) return -1;  // far cap
    }
    for (int k = 0; k < 6; ++k) {
        const int s0 = 2 + k, s1 = 2 + (k + 1) % 6, f0 = 8 + k, f1 = 8 + (k + 1) % 6;
        // The long edge s0-f0 is drawn; the diagonal f0-s1 and the cap edges are not.
        if (!write_triangle(s, pts, numbers, s1, s0, f0, kEdge12)) return -1;
        if (!write_triangle(s, pts, numbers, f0, f1, s1, 0)) return -1;
    }
    return 14;
}

int draw_member_boxes(const ViewWindow& w, Canvas& c, const ViewParams& p, const SolidModel& s,
                      TrioReader reader, model::MessageService& msg) {
    File f = open_file(s.path(kTrioFileName), "rb");
    if (!f) {
        switch (reader) {
            case TrioReader::kTegaki:
                msg.show_message(kMsgTrioBoxesTegaki);
                break;
            case TrioReader::kJikuire:
                msg.show_message(kMsgTrioBoxesJikuire);
                break;
            case TrioReader::kGenerator:
                msg.show_message(kMsgTrioBoxesGenerator);
                break;
        }
        return -1;
    }
    // The whole file is read first: a record that cannot be drawn refuses it
    // before anything is drawn.
    std::vector<TrioTriangle> tris;
    TrioRecord r;
    for (int i = 0; i < s.N_TRIO && read_record(f.get(), r); ++i) {
        if (!trio_record_ok(r.data())) {
            msg.show_message(bad_record_message(s.path(kTrioFileName), i + 1LL));
            return -1;
        }
        tris.push_back(decode_trio(r));
    }
    set_pen(c, kSolid, 1, kBlack);
    auto edge = [&](const std::array<float, 3>& a, const std::array<float, 3>& b) {
        const ProjPoint pa = iso_project(p, a[0], a[1], a[2]);
        const ProjPoint pb = iso_project(p, b[0], b[1], b[2]);
        draw_to(w, c, pa.X, pa.Y, kPenMove);
        draw_to(w, c, pb.X, pb.Y, kPenDraw);
    };
    for (const TrioTriangle& t : tris) {
        if (t.hyoji & kEdge01) edge(t.v[0], t.v[1]);
        if (t.hyoji & kEdge12) edge(t.v[1], t.v[2]);
        if (t.hyoji & kEdge20) edge(t.v[2], t.v[0]);
    }
    return 0;
}

int make_view(SolidModel& s, const PerspectiveCoeffs& v, double X0, double Y0, double Z0,
              model::MessageService& msg) {
    model::spy("Enter make_view() N_TRIO %5d", s.N_TRIO);
    model::spy("X0 %8.1f Y0 %8.1f Z0 %8.1f", X0, Y0, Z0);
    File view = open_file(s.path(kViewFileName), "wb");
    if (!view) {
        msg.show_message(kMsgViewCreate);
        return -1;
    }
    File vect = open_file(s.path(kVectFileName), "wb");
    if (!vect) {
        msg.show_message(kMsgVectCreate);
        return -1;
    }
    File trio = open_file(s.path(kTrioFileName), "rb");
    if (!trio) {
        msg.show_message(kMsgTrioOpen02);
        return -1;
    }
    // The model point is taken relative to the viewed point in single
    // precision, then transformed in double.
    const float x0 = static_cast<float>(X0), y0 = static_cast<float>(Y0),
                z0 = static_cast<float>(Z0);
    auto eye = [&](const std::array<float, 3>& q) {
        return eye_coords(v, q[0] - x0, q[1] - y0, q[2] - z0);
    };
    s.N_VECT = 0;
    bool written = true;
    TrioRecord r;
    for (int i = 0; i < s.N_TRIO && read_record(trio.get(), r); ++i) {
        if (!trio_record_ok(r.data())) {
            // Neither file keeps a part of the model: closed first, so that
            // nothing buffered reaches them after they are emptied.
            view.reset();
            vect.reset();
            open_file(s.path(kViewFileName), "wb");
            open_file(s.path(kVectFileName), "wb");
            s.N_VECT = 0;
            msg.show_message(bad_record_message(s.path(kTrioFileName), i + 1LL));
            return -1;
        }
        ViewTriangle t;
        t.trio = decode_trio(r);
        const int32_t bits[3] = {kEdge01, kEdge12, kEdge20};
        for (int k = 0; k < 3; ++k) {
            if (!(t.trio.hyoji & bits[k])) continue;
            const EyePoint a = eye(t.trio.v[k]);
            const EyePoint b = eye(t.trio.v[(k + 1) % 3]);
            written = written &&
                      write_record(vect.get(), encode_vect({a.xe, a.ye, a.ze, b.xe, b.ye, b.ze}));
            ++s.N_VECT;
        }
        EyePoint e[3];
        for (int k = 0; k < 3; ++k) {
            e[k] = eye(t.trio.v[k]);
            t.eye[k] = {e[k].xe, e[k].ye, e[k].ze};
        }
        // Plane through the three eye points: n = (E1 - E0) x (E2 - E0),
        // h = E0 . (E1 x E2), both divided by |n|.
        const double u[3] = {e[1].xe - e[0].xe, e[1].ye - e[0].ye, e[1].ze - e[0].ze};
        const double w[3] = {e[2].xe - e[0].xe, e[2].ye - e[0].ye, e[2].ze - e[0].ze};
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                             u[0] * w[1] - u[1] * w[0]};
        const double c12[3] = {e[1].ye * e[2].ze - e[1].ze * e[2].ye,
                               e[1].ze * e[2].xe - e[1].xe * e[2].ze,
                               e[1].xe * e[2].ye - e[1].ye * e[2].xe};
        const double h = e[0].xe * c12[0] + e[0].ye * c12[1] + e[0].ze * c12[2];
        const double rn = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (rn > 0.0 && std::isfinite(rn)) {
            t.a = n[0] / rn;
            t.b = n[1] / rn;
            t.c = n[2] / rn;
            t.h = h / rn;
        } else {
            // A triangle of no area has no plane and hides nothing; a negative
            // constant makes the hidden-line test pass it by.
            t.a = t.b = t.c = 0.0;
            t.h = -1.0;
        }
        model::spy("i  %5d a %5.3f b %5.3f c %5.3f h %5.3f r %5.3f", i, t.a, t.b, t.c, t.h, rn);
        for (int k = 0; k < 3; ++k) {
            double X = 0.0, Y = 0.0;
            // A vertex in the eye's plane has no image; it is kept at 0.
            if (project_eye(e[k], X, Y)) t.proj[k] = {X, Y};
        }
        written = written && write_record(view.get(), encode_view(t));
    }
    const bool view_ok = close_file(view) && written;
    const bool vect_ok = close_file(vect) && written;
    model::spy("N_VECT = %d", s.N_VECT);
    if (!view_ok) {
        msg.show_message(kMsgViewWrite);
        return -1;
    }
    if (!vect_ok) {
        msg.show_message(kMsgVectWrite);
        return -1;
    }
    return 0;
}

namespace {

EyePoint eye_of(const ViewTriangle& t, int k) {
    return {t.eye[k][0], t.eye[k][1], t.eye[k][2]};
}

// The marked edges of a view record, cut to the near depth and projected.
template <typename Fn>
void for_each_marked_edge(const ViewTriangle& t, Fn fn) {
    const int32_t bits[3] = {kEdge01, kEdge12, kEdge20};
    for (int k = 0; k < 3; ++k) {
        if (!(t.trio.hyoji & bits[k])) continue;
        const int j = (k + 1) % 3;
        TempLine l;
        if (t.eye[k][2] >= kNearClip && t.eye[j][2] >= kNearClip) {
            l = {static_cast<float>(t.proj[k][0]), static_cast<float>(t.proj[k][1]),
                 static_cast<float>(t.proj[j][0]), static_cast<float>(t.proj[j][1])};
        } else if (!clip_project(eye_of(t, k), eye_of(t, j), l)) {
            continue;
        }
        fn(t.proj, k, j, l);
    }
}

void widen(ViewBounds& b, double X, double Y) {
    b.xmin = std::min(b.xmin, static_cast<float>(X));
    b.xmax = std::max(b.xmax, static_cast<float>(X));
    b.ymin = std::min(b.ymin, static_cast<float>(Y));
    b.ymax = std::max(b.ymax, static_cast<float>(Y));
}

// The bounds of the projected vertices; false after the message of a record
// that cannot be drawn.
bool view_bounds(std::FILE* f, const SolidModel& s, ViewBounds& b, model::MessageService& msg) {
    b = ViewBounds{};
    TrioRecord r;
    for (long long i = 1; read_record(f, r); ++i) {
        if (!view_record_ok(r.data())) {
            msg.show_message(bad_record_message(s.path(kViewFileName), i));
            return false;
        }
        const ViewTriangle t = decode_view(r);
        for (int k = 0; k < 3; ++k)
            if (t.eye[k][2] >= kNearClip) widen(b, t.proj[k][0], t.proj[k][1]);
    }
    return true;
}

}  // namespace

bool clip_project(const EyePoint& a, const EyePoint& b, TempLine& out) {
    EyePoint p = a, q = b;
    if (!(p.ze >= kNearClip) && !(q.ze >= kNearClip)) return false;
    auto cut = [](const EyePoint& in, const EyePoint& out_pt) {
        // The point of in-out at the near depth.
        const double t = (kNearClip - in.ze) / (out_pt.ze - in.ze);
        return EyePoint{in.xe + t * (out_pt.xe - in.xe), in.ye + t * (out_pt.ye - in.ye),
                        kNearClip};
    };
    if (!(p.ze >= kNearClip)) p = cut(q, p);
    if (!(q.ze >= kNearClip)) q = cut(p, q);
    out = {static_cast<float>(p.xe / p.ze), static_cast<float>(p.ye / p.ze),
           static_cast<float>(q.xe / q.ze), static_cast<float>(q.ye / q.ze)};
    return true;
}

int calcu_view(const SolidModel& s, ViewBounds& b, model::MessageService& msg) {
    File f = open_file(s.path(kViewFileName), "rb");
    if (!f) {
        msg.show_message(kMsgViewOpen13);
        return -1;
    }
    return view_bounds(f.get(), s, b, msg) ? 0 : -1;
}

int draw_view(ViewWindow& w, Canvas& c, const SolidModel& s, model::MessageService& msg) {
    File f = open_file(s.path(kViewFileName), "rb");
    if (!f) {
        msg.show_message(kMsgViewOpen12);
        return -1;
    }
    ViewBounds b;
    if (!view_bounds(f.get(), s, b, msg)) return -1;
    const double dx = static_cast<double>(b.xmax) - b.xmin;
    const double dy = static_cast<double>(b.ymax) - b.ymin;
    w.World = {static_cast<float>(b.xmin - 0.1 * dx), static_cast<float>(b.ymin - 0.1 * dy),
               static_cast<float>(b.xmax + 0.1 * dx), static_cast<float>(b.ymax + 0.1 * dy)};
    // Top-left, keeping the data's aspect: W/H >= dx/dy compared without
    // dividing, so that a flat image (dx or dy 0) needs no guard.
    w.Crt.left = 0;
    w.Crt.top = 0;
    if (dx <= 0.0 && dy <= 0.0) {
        w.Crt.right = w.W;
        w.Crt.bottom = w.H;
    } else if (static_cast<double>(w.W) * dy >= static_cast<double>(w.H) * dx) {
        w.Crt.bottom = w.H;
        w.Crt.right = static_cast<int32_t>(w.H * dx / dy);
    } else {
        w.Crt.right = w.W;
        w.Crt.bottom = static_cast<int32_t>(w.W * dy / dx);
    }
    std::rewind(f.get());
    set_pen(c, kSolid, 1, kBlack);
    TrioRecord r;
    while (read_record(f.get(), r)) {
        for_each_marked_edge(decode_view(r), [&](const auto&, int, int, const TempLine& l) {
            draw_to(w, c, l.xs, l.ys, kPenMove);
            draw_to(w, c, l.xl, l.yl, kPenDraw);
        });
    }
    return 0;
}

TempHeader temp_header_of(const ViewWindow& w) {
    TempHeader h;
    h.world[0] = w.World.left;
    h.world[1] = w.World.bottom;
    h.world[2] = w.World.right;
    h.world[3] = w.World.top;
    h.crt[0] = w.Crt.left;
    h.crt[1] = w.Crt.top;
    h.crt[2] = w.Crt.right;
    h.crt[3] = w.Crt.bottom;
    return h;
}

std::FILE* init_temp(const ViewWindow& w, const SolidModel& s, model::MessageService& msg) {
    File f = open_file(s.path(kTempFileName), "wb");
    if (!f) {
        msg.show_message(kMsgTempCreate07);
        return nullptr;
    }
    if (!write_record(f.get(), encode_temp_header(temp_header_of(w)))) {
        msg.show_message(kMsgTempWrite);
        return nullptr;
    }
    return f.release();
}

int save_view(const ViewWindow& w, const SolidModel& s, model::MessageService& msg) {
    File temp(init_temp(w, s, msg));
    if (!temp) {
        msg.show_message(kMsgInitTempFailed);
        return -1;
    }
    File view = open_file(s.path(kViewFileName), "rb");
    if (!view) {
        msg.show_message(kMsgViewOpen11);
        return -1;
    }
    bool written = true;
    TrioRecord r;
    for (long long i = 1; read_record(view.get(), r); ++i) {
        if (!view_record_ok(r.data())) {
            msg.show_message(bad_record_message(s.path(kViewFileName), i));
            return -1;
        }
        for_each_marked_edge(decode_view(r), [&](const auto&, int, int, const TempLine& l) {
            written = written && write_record(temp.get(), encode_temp_line(l));
        });
    }
    if (!close_file(temp) || !written) {
        msg.show_message(kMsgTempWrite);
        return -1;
    }
    return 0;
}

bool read_temp_file(const std::string& path, TempHeader& header, std::vector<TempLine>& lines,
                    std::string* why) {
    File f = open_file(path, "rb");
    if (!f) return false;
    TempHeaderBytes hb;
    if (!read_record(f.get(), hb)) return false;
    const TempHeader h = decode_temp_header(hb);
    auto refuse = [&](long long record) {
        if (why) *why = bad_record_message(path, record);
        lines.clear();
        return false;
    };
    if (!temp_header_ok(h)) return refuse(0);
    header = h;
    lines.clear();
    TempLineBytes lb;
    for (long long i = 1; read_record(f.get(), lb); ++i) {
        const TempLine l = decode_temp_line(lb);
        if (!temp_line_ok(l)) return refuse(i);
        lines.push_back(l);
    }
    return true;
}

int show_temp_data(ViewWindow& w, Canvas& c, const SolidModel& s, model::MessageService& msg) {
    const std::string path = s.path(kTempFileName);
    File probe = open_file(path, "rb");
    if (!probe) {
        msg.show_message(kMsgTempOpen20);
        return -1;
    }
    probe.reset();
    TempHeader h;
    std::vector<TempLine> lines;
    std::string why;
    if (!read_temp_file(path, h, lines, &why)) {
        msg.show_message(why.empty() ? std::string(kMsgTempRead20) : why);
        return -1;
    }
    w.World = {h.world[0], h.world[1], h.world[2], h.world[3]};
    w.Crt = {h.crt[0], h.crt[1], h.crt[2], h.crt[3]};
    set_pen(c, kSolid, 1, kBlue);
    for (const TempLine& l : lines) {
        draw_to(w, c, l.xs, l.ys, kPenMove);
        draw_to(w, c, l.xl, l.yl, kPenDraw);
    }
    return static_cast<int>(lines.size());
}

}  // namespace tarvik::render
