#include "generator/generator.h"
#include "generator/member_maker.h"
#include "generator/storey_copy.h"
#include "model/spy.h"

namespace tarvik::generator {

StoreyLevels storey_levels(const BasicData& d) {
    const double L = d.lowest_level;
    const double t = d.tuka_takasa;
    const double h1 = d.hashira_takasa[0];
    const double h2 = d.hashira_takasa[1];
    const double h3 = d.hashira_takasa[2];
    const double Z1 = L + h1 + t;   // top of the first floor
    const double Z2 = Z1 + h2 + t;  // top of the second floor
    const double base[3] = {L, Z1, Z2};
    const double h[3] = {h1, h2, h3};
    StoreyLevels lv{};
    for (int s = 0; s < 3; ++s) {
        // Column bottom, lower brace centre, column middle, upper brace
        // centre, floor bottom, floor top.
        lv[6 * s + 0] = base[s];
        lv[6 * s + 1] = base[s] + h[s] * 1 * 0.25;
        lv[6 * s + 2] = base[s] + h[s] * 2 * 0.25;
        lv[6 * s + 3] = base[s] + h[s] * 3 * 0.25;
        lv[6 * s + 4] = base[s] + h[s];
        lv[6 * s + 5] = base[s] + h[s] + t;
    }
    return lv;
}

int find_level(const LevelMap& map, float z) {
    const double v = z;
    for (int k = 0; k < map.count; ++k)
        if (map.from[k] - kLevelTolerance < v && v < map.from[k] + kLevelTolerance) return k;
    return -1;
}

int copy_members(MemberMaker& mk, int first, int end, const LevelMap& map) {
    model::ModelStore& m = mk.store();
    for (int i = first; i < end; ++i) {
        const model::Beam src = m.beam[i];
        const int ks = find_level(map, src.zs);
        if (ks < 0) {
            model::spy("%s レベル検索に失敗したi %5d z %8.1f", map.fail_start, i, src.zs);
            mk.messages().show_message(kMsgLevelSearch);
            return -1;
        }
        if (map.trace_heights) model::spy("Find z %7.1f", src.zs);
        const P3 p{src.xs, src.ys, map.to[ks]};
        if (map.trace_heights) model::spy("New z %7.1f", static_cast<float>(p.z));
        if (mk.node(p) < 0) return -1;

        const int ke = find_level(map, src.zl);
        if (ke < 0) {
            model::spy("%s レベル検索に失敗したi %5d z %8.1f", map.fail_end, i, src.zl);
            mk.messages().show_message(kMsgLevelSearch);
            return -1;
        }
        if (map.trace_heights) model::spy("Find2 z %7.1f", src.zl);
        const P3 q{src.xl, src.yl, map.to[ke]};
        if (map.trace_heights) model::spy("New 2 z %7.1f", static_cast<float>(q.z));
        mk.copy(src, p, q);
        if (mk.failed()) return -1;
    }
    return 0;
}

int Generator::copy_storey(int source_count, int storey, const char* fail_start,
                           const char* fail_end) {
    const StoreyLevels lv = storey_levels(d_);
    MemberMaker mk(m_, msg_);
    const LevelMap map{lv.data(), lv.data() + 6 * storey, 6, fail_start, fail_end, false};
    return copy_members(mk, 0, source_count, map);
}

namespace {

void trace_levels(const StoreyLevels& lv, int count) {
    for (int i = 0; i < count; ++i) model::spy("i %5d level[i] %7.1f", i, lv[i]);
}

}  // namespace

int Generator::make_2kai() {
    model::spy("Enter make_2kai()");
    const int n0 = m_.N_Beam;
    trace_levels(storey_levels(d_), 12);
    return copy_storey(n0, 1, "(1)", "(2)");
}

int Generator::make_3kai() {
    model::spy("Enter make_3kai()");
    const int n0 = m_.N_Beam;
    trace_levels(storey_levels(d_), 18);
    if (copy_storey(n0, 1, "(1)", "(2)") < 0) return -1;
    return copy_storey(n0, 2, "(3)", "(4)");
}

int Generator::make_terrace() {
    model::spy("Enter make_terrace()");
    const StoreyLevels lv = storey_levels(d_);
    const int top = d_.N_Sou >= 2 && d_.N_Sou <= 3 ? d_.N_Sou - 1 : 0;
    const double a = d_.tuka_haba;
    const double t = d_.tuka_takasa;
    const int nx = d_.nx;
    const int ny = d_.ny;
    const double W = nx * a;
    const double D = ny * a;
    const double zb = lv[6 * top + 4];  // bottom plane of the top floor
    const double zt = zb + t;
    const float sec = d_.gen_haba;
    // Ring points half a unit outside the floor: (i - 0.5) a along each axis;
    // index 0 and n + 1 are the ring's own edges.
    const auto rx = [a](int i) { return (i - 0.5) * a; };
    const auto ry = [a](int j) { return (j - 0.5) * a; };
    MemberMaker mk(m_, msg_);

    // Outriggers from the top frame's half-unit nodes out to the ring.
    for (int i = 0; i < nx; ++i)
        mk.add({(i + 0.5) * a, 0.0, zt}, {(i + 0.5) * a, ry(0), zt}, kKindChord, sec);
    for (int i = 0; i < nx; ++i)
        mk.add({(i + 0.5) * a, D, zt}, {(i + 0.5) * a, ry(ny + 1), zt}, kKindChord, sec);
    for (int j = 0; j < ny; ++j)
        mk.add({0.0, (j + 0.5) * a, zt}, {rx(0), (j + 0.5) * a, zt}, kKindChord, sec);
    for (int j = 0; j < ny; ++j)
        mk.add({W, (j + 0.5) * a, zt}, {rx(nx + 1), (j + 0.5) * a, zt}, kKindChord, sec);

    // Diagonals from the bottom edge nodes up to the ring.
    for (const double y : {0.0, D}) {
        const double ring_y = y == 0.0 ? ry(0) : ry(ny + 1);
        for (int i = 0; i <= nx; ++i) {
            mk.add({i * a, y, zb}, {rx(i), ring_y, zt}, kKindChord, sec);
            mk.add({i * a, y, zb}, {rx(i + 1), ring_y, zt}, kKindChord, sec);
        }
    }
    for (const double x : {0.0, W}) {
        const double ring_x = x == 0.0 ? rx(0) : rx(nx + 1);
        // The corner diagonals towards the X sides' ring are already made.
        mk.add({x, 0.0, zb}, {ring_x, ry(1), zt}, kKindChord, sec);
        for (int j = 1; j <= ny - 1; ++j) {
            mk.add({x, j * a, zb}, {ring_x, ry(j), zt}, kKindChord, sec);
            mk.add({x, j * a, zb}, {ring_x, ry(j + 1), zt}, kKindChord, sec);
        }
        mk.add({x, D, zb}, {ring_x, ry(ny), zt}, kKindChord, sec);
    }

    // The ring.
    for (const double y : {ry(0), ry(ny + 1)})
        for (int i = 0; i <= nx; ++i) mk.add({rx(i), y, zt}, {rx(i + 1), y, zt}, kKindChord, sec);
    for (const double x : {rx(0), rx(nx + 1)})
        for (int j = 0; j <= ny; ++j) mk.add({x, ry(j), zt}, {x, ry(j + 1), zt}, kKindChord, sec);
    return mk.result();
}

}  // namespace tarvik::generator
