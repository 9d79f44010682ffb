#include "solver_models.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <numbers>
#include <set>

namespace solver_models {

namespace {

// Appends one printf-formatted line; the format carries its own CR LF.
[[gnu::format(printf, 2, 3)]] void line(std::string& out, const char* fmt, ...) {
    char buf[256];
    va_list args;
    va_start(args, fmt);
    int n = std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    if (n > 0) out.append(buf, static_cast<std::size_t>(std::min<int>(n, sizeof buf - 1)));
}

std::string node_name(char layer, int a, int b) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%03d%03d", layer, a % 1000, b % 1000);
    return buf;
}

// Node table of the floor, addressed by half-unit grid position and layer.
class FloorGrid {
public:
    FloorGrid(int nx, int ny) : w_(2 * nx + 1), h_(2 * ny + 1), id_(2 * w_ * h_, 0) {}
    int& at(int layer, int i2, int j2) { return id_[(layer * h_ + j2) * w_ + i2]; }

private:
    int w_, h_;
    std::vector<int> id_;
};

}  // namespace

FrameModel space_floor(const FloorOptions& o) {
    const int nx = o.nx, ny = o.ny;
    const int ix = 2 * nx, jy = 2 * ny;  // last half-unit grid positions
    const double half = o.unit / 2.0;
    enum { kBottom = 0, kTop = 1 };
    FrameModel m;
    FloorGrid g(nx, ny);

    for (int i = 0; i <= ix; ++i) m.levels[0].push_back(i * half);
    for (int j = 0; j <= jy; ++j) m.levels[1].push_back(j * half);
    m.levels[2] = {0.0, o.depth};

    auto on_edge = [&](int i, int j) { return i == 0 || i == ix || j == 0 || j == jy; };
    auto add_node = [&](int layer, int i, int j) {
        m.nodes.push_back({i * half, j * half, layer == kTop ? o.depth : 0.0,
                           node_name(layer == kTop ? 'T' : 'B', i, j)});
        g.at(layer, i, j) = static_cast<int>(m.nodes.size());
    };
    auto add_member = [&](int a, int b) { m.members.push_back({a, b}); };

    // Bottom layer: every unit corner, and the half-unit points of the edges
    // where the side-face verticals land.
    for (int j = 0; j <= jy; ++j)
        for (int i = 0; i <= ix; ++i)
            if ((i % 2 == 0 && j % 2 == 0) || on_edge(i, j)) add_node(kBottom, i, j);
    // Top layer: every unit centre, and the edge frame at every half unit.
    for (int j = 0; j <= jy; ++j)
        for (int i = 0; i <= ix; ++i)
            if ((i % 2 == 1 && j % 2 == 1) || on_edge(i, j)) add_node(kTop, i, j);

    // Bottom chords along X and along Y; the edge lines are cut at half units.
    for (int j = 0; j <= jy; j += 2) {
        const int step = (j == 0 || j == jy) ? 1 : 2;
        for (int i = 0; i + step <= ix; i += step)
            add_member(g.at(kBottom, i, j), g.at(kBottom, i + step, j));
    }
    for (int i = 0; i <= ix; i += 2) {
        const int step = (i == 0 || i == ix) ? 1 : 2;
        for (int j = 0; j + step <= jy; j += step)
            add_member(g.at(kBottom, i, j), g.at(kBottom, i, j + step));
    }
    // Top chords through the unit centres, ending on the edge frame.
    for (int j = 1; j < jy; j += 2) {
        add_member(g.at(kTop, 0, j), g.at(kTop, 1, j));
        for (int i = 1; i + 2 < ix; i += 2) add_member(g.at(kTop, i, j), g.at(kTop, i + 2, j));
        add_member(g.at(kTop, ix - 1, j), g.at(kTop, ix, j));
    }
    for (int i = 1; i < ix; i += 2) {
        add_member(g.at(kTop, i, 0), g.at(kTop, i, 1));
        for (int j = 1; j + 2 < jy; j += 2) add_member(g.at(kTop, i, j), g.at(kTop, i, j + 2));
        add_member(g.at(kTop, i, jy - 1), g.at(kTop, i, jy));
    }
    // Four diagonals from each unit centre down to the unit's corners.
    for (int j = 1; j < jy; j += 2)
        for (int i = 1; i < ix; i += 2)
            for (int di : {-1, 1})
                for (int dj : {-1, 1}) add_member(g.at(kTop, i, j), g.at(kBottom, i + di, j + dj));

    // The perimeter at half-unit steps, once round: edge frame, verticals
    // (corner posts included) and the side-face zigzag.
    std::vector<std::pair<int, int>> ring;
    for (int i = 0; i < ix; ++i) ring.push_back({i, 0});
    for (int j = 0; j < jy; ++j) ring.push_back({ix, j});
    for (int i = ix; i > 0; --i) ring.push_back({i, jy});
    for (int j = jy; j > 0; --j) ring.push_back({0, j});
    const std::size_t nr = ring.size();
    for (std::size_t k = 0; k < nr; ++k) {
        auto [i, j] = ring[k];
        auto [i1, j1] = ring[(k + 1) % nr];
        add_member(g.at(kTop, i, j), g.at(kTop, i1, j1));
    }
    for (auto [i, j] : ring) add_member(g.at(kBottom, i, j), g.at(kTop, i, j));
    for (std::size_t k = 0; k < nr; ++k) {
        auto [i, j] = ring[k];
        auto [i1, j1] = ring[(k + 1) % nr];
        // Whole-unit points (even) are taken at the bottom, half-unit ones at the top.
        if ((i + j) % 2 == 0)
            add_member(g.at(kBottom, i, j), g.at(kTop, i1, j1));
        else
            add_member(g.at(kTop, i, j), g.at(kBottom, i1, j1));
    }

    m.supports = {g.at(kBottom, 0, 0), g.at(kBottom, ix, 0), g.at(kBottom, 0, jy),
                  g.at(kBottom, ix, jy)};
    for (int j = 0; j <= jy; ++j)
        for (int i = 0; i <= ix; ++i)
            if (int n = g.at(kTop, i, j)) m.loads.push_back({n, {0.0, 0.0, -1000.0}});
    return m;
}

FrameModel lattice_tower(const TowerOptions& o) {
    const int n = o.ring, L = o.levels;
    const double radius = o.side / (2.0 * std::sin(std::numbers::pi / n));
    FrameModel m;
    for (int l = 0; l <= L && l < 100; ++l) m.levels[2].push_back(l * o.storey);

    auto id = [&](int l, int i) { return l * n + (i % n) + 1; };
    for (int l = 0; l <= L; ++l)
        for (int i = 0; i < n; ++i) {
            const double t = 2.0 * std::numbers::pi * i / n;
            m.nodes.push_back({radius * std::cos(t), radius * std::sin(t), l * o.storey,
                               node_name('T', l, i)});
        }
    for (int l = 1; l <= L; ++l)
        for (int i = 0; i < n; ++i) {
            m.members.push_back({id(l - 1, i), id(l, i)});      // vertical
            m.members.push_back({id(l, i), id(l, i + 1)});      // ring
            m.members.push_back({id(l - 1, i), id(l, i + 1)});  // panel diagonal
        }
    for (int i = 0; i < n; ++i) m.supports.push_back(id(0, i));
    for (int i = 0; i < n; ++i) m.loads.push_back({id(L, i), {1000.0, 0.0, 0.0}});
    return m;
}

int max_neighbours(const FrameModel& m) {
    std::vector<std::set<int>> nb(m.nodes.size() + 1);
    for (const Member& e : m.members) {
        nb[static_cast<std::size_t>(e.iin)].insert(e.jout);
        nb[static_cast<std::size_t>(e.jout)].insert(e.iin);
    }
    std::size_t most = 0;
    for (const auto& s : nb) most = std::max(most, s.size());
    return static_cast<int>(most);
}

std::string to_input(const FrameModel& m, const Properties& p) {
    std::string out;
    out.reserve(64 * (m.nodes.size() + m.members.size() + m.loads.size()) + 4096);
    for (const auto& levels : m.levels) {
        line(out, " %5d\r\n", static_cast<int>(levels.size()));
        for (double v : levels) line(out, " %12.5e\r\n", v);
    }
    const int nod = static_cast<int>(m.nodes.size());
    line(out, " %5d %5d\r\n", nod, static_cast<int>(m.members.size()));
    int k = 0;
    for (const Member& e : m.members) {
        const auto& a = m.nodes[static_cast<std::size_t>(e.iin - 1)].name;
        const auto& b = m.nodes[static_cast<std::size_t>(e.jout - 1)].name;
        line(out, " %5d %5d %5d %5d %5d %10.1f %9s %9s\r\n", ++k, e.iin, e.jout, 1, 1, 0.0,
             a.c_str(), b.c_str());
    }
    line(out, " %5d\r\n", 1);
    line(out, " %5d %9.3e %9.3e %9.3e %9.3e\r\n", 1, p.ixx, p.iyy, p.area, p.stk);
    line(out, " %5d\r\n", 1);
    line(out, " %5d %9.3e %9.3e %9.3e\r\n", 1, p.young, p.poisson, p.density);
    line(out, " %5d\r\n", nod);
    k = 0;
    for (const Node& n : m.nodes)
        line(out, " %5d %9.1f %9.1f %9.1f %9s\r\n", ++k, n.x, n.y, n.z, n.name.c_str());
    line(out, " %5d\r\n", static_cast<int>(m.supports.size()));
    for (int s : m.supports) line(out, " %5d%c%1d%1d%1d111\r\n", s, ',', 1, 1, 1);
    line(out, " %5d\r\n", static_cast<int>(m.loads.size()));
    for (const Load& l : m.loads) {
        const auto& name = m.nodes[static_cast<std::size_t>(l.node - 1)].name;
        line(out, " %9s%c%5d%c%10.1f%c%10.1f%c%10.1f%c%10.1f%c%10.1f%c%10.1f\r\n", name.c_str(),
             ',', l.node, ',', l.force[0], ',', l.force[1], ',', l.force[2], ',', 0.0, ',', 0.0,
             ',', 0.0);
    }
    return out;
}

}  // namespace solver_models
