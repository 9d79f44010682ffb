#include "generator/generator.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "generator/member_maker.h"
#include "generator/space_floor.h"
#include "model/spy.h"

namespace tarvik::generator {
namespace {

// The driver's space floor: on the lowest level, or on the first storey's
// columns when SouMode is 1.
FloorGeom first_floor(const BasicData& d) {
    FloorGeom g;
    g.a = d.tuka_haba;
    g.nx = d.nx;
    g.ny = d.ny;
    const double L = d.lowest_level;
    g.zb = d.SouMode == 1 ? L + static_cast<double>(d.hashira_takasa[0]) : L;
    g.zt = g.zb + static_cast<double>(d.tuka_takasa);
    return g;
}

struct XY {
    double x, y;
};

// A corner of the plan with the places one unit along its two sides.
struct Corner {
    XY c;      // the corner
    XY n2;     // neighbour 2
    XY n3;     // neighbour 3
    XY xside;  // neighbour along the side parallel to X
    XY yside;  // neighbour along the side parallel to Y
};

std::array<Corner, 4> corners(const BasicData& d) {
    const double a = d.tuka_haba;
    const double W = d.nx * a;
    const double D = d.ny * a;
    return {{
        {{0.0, 0.0}, {a, 0.0}, {0.0, a}, {a, 0.0}, {0.0, a}},
        {{W, 0.0}, {W - a, 0.0}, {W, a}, {W - a, 0.0}, {W, a}},
        {{W, D}, {W - a, D}, {W, D - a}, {W - a, D}, {W, D - a}},
        {{0.0, D}, {0.0, D - a}, {a, D}, {a, D}, {0.0, D - a}},
    }};
}

P3 at(const XY& p, double z) {
    return {p.x, p.y, z};
}

XY midpoint(const XY& p, const XY& q) {
    return {(p.x + q.x) * 0.5, (p.y + q.y) * 0.5};
}

struct SortEntry {
    char id[model::kCodeSize];
    int no;
    float x, y, z;
};

}  // namespace

int Generator::make_hashira() {
    model::spy("Enter make_hashira()");
    m_.N_Beam = 0;
    MemberMaker mk(m_, msg_);
    floor_posts(mk, first_floor(d_), kKindPost, d_.hashira_haba);
    return mk.result();
}

int Generator::make_waku() {
    model::spy("Enter make_waku()");
    MemberMaker mk(m_, msg_);
    floor_waku(mk, first_floor(d_), d_.waku_haba);
    return mk.result();
}

int Generator::make_genzai() {
    model::spy("Enter make_genzai()");
    MemberMaker mk(m_, msg_);
    floor_genzai(mk, first_floor(d_), d_.gen_haba);
    return mk.result();
}

int Generator::make_shazai() {
    model::spy("Enter make_shazai()");
    MemberMaker mk(m_, msg_);
    floor_shazai(mk, first_floor(d_), d_.shazai_haba);
    return mk.result();
}

int Generator::make_sujikai() {
    model::spy("Enter make_sujikai()");
    MemberMaker mk(m_, msg_);
    floor_sujikai(mk, first_floor(d_), d_.sujikai_haba);
    return mk.result();
}

int Generator::make_gaichu() {
    model::spy("Enter make_gaichu()");
    GaichuStart = m_.N_Beam;
    MemberMaker mk(m_, msg_);
    const double L = d_.lowest_level;
    const double h1 = d_.hashira_takasa[0];
    const double zb = L + h1;        // the space floor's bottom plane
    const double zm = L + h1 * 0.5;  // where the two column halves meet
    const float sec = d_.hashira_haba;
    const auto cs = corners(d_);

    // Columns in two halves: the corners, then the neighbours 2, then 3.
    const char* labels[3] = {"第１の柱", "第2の柱", "第3の柱"};
    for (int group = 0; group < 3; ++group) {
        model::spy("%s", labels[group]);
        for (const Corner& c : cs) {
            const XY& p = group == 0 ? c.c : group == 1 ? c.n2 : c.n3;
            mk.add(at(p, L), at(p, zm), kKindColumn, sec);
            mk.add(at(p, zm), at(p, zb), kKindColumn, sec);
        }
    }

    if (d_.SumiType == kSumiType1) {
        model::spy("２本の横柱");
        for (const Corner& c : cs) {
            mk.add(at(c.c, zm), at(c.n2, zm), kKindColumn, sec);
            mk.add(at(c.c, zm), at(c.n3, zm), kKindColumn, sec);
        }
        // An X-brace in each half of each side panel, four members from a
        // centre node in the middle of the panel.
        model::spy("１６本の筋交い");
        const double upper_centre = L + h1 * 0.75;
        const double lower_centre = L + h1 * 0.25;
        for (const Corner& c : cs) {
            const struct {
                double centre, top, bottom;
            } halves[2] = {{upper_centre, zb, zm}, {lower_centre, zm, L}};
            for (const auto& h : halves) {
                const P3 cx = at(midpoint(c.c, c.xside), h.centre);
                mk.add(cx, at(c.xside, h.top), kKindColumn, sec);
                mk.add(cx, at(c.c, h.top), kKindColumn, sec);
                mk.add(cx, at(c.xside, h.bottom), kKindColumn, sec);
                mk.add(cx, at(c.c, h.bottom), kKindColumn, sec);
                const P3 cy = at(midpoint(c.c, c.yside), h.centre);
                mk.add(cy, at(c.c, h.top), kKindColumn, sec);
                mk.add(cy, at(c.yside, h.top), kKindColumn, sec);
                mk.add(cy, at(c.c, h.bottom), kKindColumn, sec);
                mk.add(cy, at(c.yside, h.bottom), kKindColumn, sec);
            }
        }
    } else {
        model::spy("４本の横柱");
        for (const Corner& c : cs) {
            const XY mx = midpoint(c.c, c.xside);
            mk.add(at(c.c, zm), at(mx, zm), kKindColumn, sec);
            mk.add(at(mx, zm), at(c.xside, zm), kKindColumn, sec);
            const XY my = midpoint(c.c, c.yside);
            mk.add(at(c.c, zm), at(my, zm), kKindColumn, sec);
            mk.add(at(my, zm), at(c.yside, zm), kKindColumn, sec);
        }
        // One X-brace over the whole column height per side panel, crossing
        // at the tie's midpoint.
        model::spy("８本の筋交い");
        for (const Corner& c : cs) {
            const P3 cx = at(midpoint(c.c, c.xside), zm);
            mk.add(cx, at(c.xside, zb), kKindColumn, sec);
            mk.add(cx, at(c.c, zb), kKindColumn, sec);
            mk.add(cx, at(c.xside, L), kKindColumn, sec);
            mk.add(cx, at(c.c, L), kKindColumn, sec);
            const P3 cy = at(midpoint(c.c, c.yside), zm);
            mk.add(cy, at(c.c, zb), kKindColumn, sec);
            mk.add(cy, at(c.yside, zb), kKindColumn, sec);
            mk.add(cy, at(c.c, L), kKindColumn, sec);
            mk.add(cy, at(c.yside, L), kKindColumn, sec);
        }
    }
    GaichuEnd = m_.N_Beam;
    return mk.result();
}

int Generator::generate(BarSolids* solids) {
    model::spy("Enter generate()");
    // A house beyond the member table is refused before anything changes.
    if (check_capacity(d_, msg_) == 0) return -1;
    if (make_hashira() < 0 || make_waku() < 0 || make_genzai() < 0 || make_shazai() < 0 ||
        make_sujikai() < 0)
        return -1;
    if (d_.SouMode == 1) {
        if (make_gaichu() < 0) return -1;
        if (d_.N_Sou == 2 && make_2kai() < 0) return -1;
        if (d_.N_Sou == 3 && make_3kai() < 0) return -1;
        if (roof_left_out(d_))
            out_ << kOutNoRoofOn3 << '\n';
        else if (d_.YaneMode == kYaneRoof && make_yane2() < 0)
            return -1;
        if (d_.YaneMode == kYaneEaves && make_terrace() < 0) return -1;
    }
    sort_node(m_, msg_);  // a failed sort leaves the table as it was
    make_men(m_, solids, out_);
    return 0;
}

int sort_node(model::ModelStore& m, model::MessageService& msg) {
    model::spy("Enter sort_node()");
    std::vector<SortEntry> list;
    list.reserve(m.N_Node);
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        if (n.no == -1) continue;
        SortEntry e{};
        std::memcpy(e.id, n.id, sizeof e.id);
        e.id[model::kCodeSize - 1] = '\0';
        e.no = n.no;
        e.x = n.x;
        e.y = n.y;
        e.z = n.z;
        list.push_back(e);
    }
    const int count = static_cast<int>(list.size());

    // Exchange sort; equal numbers are swapped too, so a duplicate number
    // never settles and ends in the pass limit.
    int passes = 0;
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int k = 0; k + 1 < count; ++k) {
            if (list[k].no >= list[k + 1].no) {
                std::swap(list[k], list[k + 1]);
                swapped = true;
            }
        }
        ++passes;
        if (swapped && passes > count + 10) {
            for (int k = 0; k < count; ++k)
                model::spy(" %5d %s %5d %8.1f %8.1f %8.1f", k, list[k].id, list[k].no, list[k].x,
                           list[k].y, list[k].z);
            msg.show_message(kMsgSortFailed);
            return -1;
        }
    }

    // Back into the first count slots; plan coordinates and flags stay.
    for (int k = 0; k < count; ++k) {
        model::Node& n = m.node[k];
        std::memcpy(n.id, list[k].id, sizeof n.id);
        n.no = list[k].no;
        n.x = list[k].x;
        n.y = list[k].y;
        n.z = list[k].z;
    }
    m.N_Node = count;
    m.node_table_changed();
    return count;
}

int make_men(const model::ModelStore& m, BarSolids* solids, std::ostream& out) {
    model::spy("Enter make_men()");
    if (m.N_Beam == 0) {
        out << "N_Beam == 0\n";
        return 0;
    }
    int made = 0;
    for (int i = 0; i < m.N_Beam; ++i) {
        const model::Beam& b = m.beam[i];
        if (b.haba == 0.0f || b.atumi == 0.0f) {
            char line[64];
            std::snprintf(line, sizeof line, "width or depth = 0.0 at %5d", i);
            out << line << '\n';
            return -1;
        }
        if (solids == nullptr) continue;
        solids->make_kakuzai2(b.xs, b.ys, b.zs, b.xl, b.yl, b.zl, b.haba, b.atumi);
        ++made;
    }
    return made;
}

bool roof_left_out(const BasicData& d) {
    return d.SouMode == 1 && d.YaneMode == kYaneRoof && d.N_Sou > 2;
}

int generate_largest_house(model::ModelStore& m, model::MessageService& msg, std::ostream& out) {
    BasicData d = largest_house_data();
    Generator g(m, d, msg, out);
    return g.generate();
}

}  // namespace tarvik::generator
