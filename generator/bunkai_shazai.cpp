#include "generator/bunkai_shazai.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "generator/member_maker.h"
#include "model/maintenance.h"
#include "model/spy.h"

namespace tarvik::generator {
namespace {

// The field's top and bottom layers: edge lines are frame members, the lines
// between them chords.
void layers(MemberMaker& mk, const FloorGeom& g, const UnitField& f) {
    const double a = g.a;
    const double W = g.W();
    const double D = g.D();
    // Top layer cut points: 0, a/2, 3a/2, .., W - a/2, W (n + 2 of them).
    const auto cut = [a](int m, int n, double end) {
        if (m == 0) return 0.0;
        if (m == n + 1) return end;
        return (m - 0.5) * a;
    };
    const auto kind_of = [](int line, int last) {
        return line == 0 || line == last ? kKindFrame : kKindChord;
    };
    const auto section_of = [&f](int kind) {
        return kind == kKindFrame ? f.waku_haba : f.gen_haba;
    };

    // Top, lines along X: y = 0, y = (j + 0.5) a, y = D.
    for (int line = 0; line <= g.ny + 1; ++line) {
        const double y = cut(line, g.ny, D);
        const int kind = kind_of(line, g.ny + 1);
        for (int m = 0; m <= g.nx; ++m)
            mk.add(g.at(cut(m, g.nx, W), y, g.zt), g.at(cut(m + 1, g.nx, W), y, g.zt), kind,
                   section_of(kind));
    }
    // Top, lines along Y.
    for (int line = 0; line <= g.nx + 1; ++line) {
        const double x = cut(line, g.nx, W);
        const int kind = kind_of(line, g.nx + 1);
        for (int m = 0; m <= g.ny; ++m)
            mk.add(g.at(x, cut(m, g.ny, D), g.zt), g.at(x, cut(m + 1, g.ny, D), g.zt), kind,
                   section_of(kind));
    }
    // Bottom, lines along X on the unit lines, one unit a piece.
    for (int j = 0; j <= g.ny; ++j) {
        const int kind = kind_of(j, g.ny);
        for (int i = 0; i < g.nx; ++i)
            mk.add(g.at(i * a, j * a, g.zb), g.at((i + 1) * a, j * a, g.zb), kind,
                   section_of(kind));
    }
    // Bottom, lines along Y.
    for (int i = 0; i <= g.nx; ++i) {
        const int kind = kind_of(i, g.nx);
        for (int j = 0; j < g.ny; ++j)
            mk.add(g.at(i * a, j * a, g.zb), g.at(i * a, (j + 1) * a, g.zb), kind,
                   section_of(kind));
    }
}

}  // namespace

long long field_member_count(const UnitField& f) {
    // Counts a line may give are any int: beyond kMaxCountedUnits a side the
    // field is far larger than any member table, and clamping keeps 4 nx ny
    // and the sums below within a long long.
    const long long nx = std::clamp<long long>(f.nx, 0, kMaxCountedUnits);
    const long long ny = std::clamp<long long>(f.ny, 0, kMaxCountedUnits);
    long long n = 4 * nx * ny;                                           // diagonals
    n += (ny + 2) * (nx + 1) + (nx + 2) * (ny + 1);                      // top layer
    n += (ny + 1) * nx + (nx + 1) * ny;                                  // bottom layer
    n += 4;                                                              // posts
    n += 2 * std::max(4 * nx - 1, 0LL) + 2 * std::max(4 * ny - 1, 0LL);  // side trusses
    return n;
}

bool parse_unit_field(std::string_view line, UnitField& f) {
    const std::string s(line);
    UnitField r;
    const int n =
        std::sscanf(s.c_str(), "%d %d %d %f %f %f %f %f %f %f %f %f %f", &r.ntask, &r.nx, &r.ny,
                    &r.tuka_haba, &r.tuka_takasa, &r.hashira_haba, &r.waku_haba, &r.gen_haba,
                    &r.shazai_haba, &r.sujikai_haba, &r.x_kaishi, &r.y_kaishi, &r.z_kaishi);
    if (n != 13) return false;
    f = r;
    return true;
}

int bunkai_shazai(model::ModelStore& m, std::string_view line, Box3& box,
                  model::MessageService& msg) {
    model::spy("Enter bunkai_shazai()");
    UnitField f;
    if (!parse_unit_field(line, f)) {
        model::spy("bunkai_shazai short line: %.*s", static_cast<int>(line.size()), line.data());
        return -1;
    }
    return bunkai_shazai(m, f, box, msg);
}

int bunkai_shazai(model::ModelStore& m, const UnitField& f, Box3& box, model::MessageService& msg) {
    model::spy("ntask %5d nx %5d ny %5d tuka_haba %8.1f tuka_takasa %8.1f", f.ntask, f.nx, f.ny,
               f.tuka_haba, f.tuka_takasa);
    model::spy("hashira_haba %8.1f waku_haba %8.1f gen_haba %8.1f", f.hashira_haba, f.waku_haba,
               f.gen_haba);
    model::spy("shazai_haba %8.1f sujikai_haba_haba %8.1f", f.shazai_haba, f.sujikai_haba);
    model::spy("x_kaishi %8.1f y_kaishi %8.1f z_kaishi %8.1f", f.x_kaishi, f.y_kaishi, f.z_kaishi);

    // A negative unit count has no field; the side trusses would count
    // 2 n - 1 members on it.
    if (f.nx < 0 || f.ny < 0) {
        model::spy("bunkai_shazai negative unit count nx %d ny %d", f.nx, f.ny);
        return -1;
    }
    // A field that cannot fit the member table is refused before any of it
    // is made (a line from a file may hold any counts).
    if (field_member_count(f) > model::kMaxBeam - m.N_Beam) {
        model::spy("bunkai_shazai field too large nx %d ny %d N_Beam %d", f.nx, f.ny, m.N_Beam);
        msg.show_message(model::table_full_message(model::kBeamTable, model::kMaxBeam));
        return -1;
    }

    FloorGeom g;
    g.x0 = f.x_kaishi;
    g.y0 = f.y_kaishi;
    g.zb = f.z_kaishi;
    g.zt = g.zb + static_cast<double>(f.tuka_takasa);
    g.a = f.tuka_haba;
    g.nx = f.nx;
    g.ny = f.ny;
    const double a = g.a;
    MemberMaker mk(m, msg);

    // Diagonals from each unit's bottom corners up to its top node.
    for (int i = 0; i < g.nx; ++i) {
        for (int j = 0; j < g.ny; ++j) {
            const P3 top = g.at((i + 0.5) * a, (j + 0.5) * a, g.zt);
            const P3 bottom[4] = {g.at(i * a, j * a, g.zb), g.at((i + 1) * a, j * a, g.zb),
                                  g.at((i + 1) * a, (j + 1) * a, g.zb),
                                  g.at(i * a, (j + 1) * a, g.zb)};
            for (const P3& b : bottom) {
                mk.add(b, top, kKindDiagonal, f.shazai_haba);
                box.widen(b);
                box.widen(top);
            }
        }
    }
    layers(mk, g, f);
    floor_posts(mk, g, kKindColumn, f.hashira_haba);
    floor_sujikai(mk, g, f.sujikai_haba);
    return mk.result();
}

}  // namespace tarvik::generator
