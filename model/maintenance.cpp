#include "model/maintenance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "model/spy.h"

namespace tarvik::model {
namespace {

const char* code_or_blanks(const char* id) {
    return id[0] != '\0' ? id : "         ";
}

// "X%02dY%02dZ%02d" of three positions 0..99.
void make_level_code(char (&field)[kCodeSize], int ix, int iy, int iz) {
    const int pos[3] = {ix, iy, iz};
    for (int a = 0; a < 3; ++a) {
        const int v = std::clamp(pos[a], 0, kMaxLevel - 1);
        field[3 * a] = static_cast<char>('X' + a);
        field[3 * a + 1] = static_cast<char>('0' + v / 10);
        field[3 * a + 2] = static_cast<char>('0' + v % 10);
    }
    field[9] = '\0';
}

bool valid_node_no(const ModelStore& m, int no) {
    return no >= 1 && no <= m.N_Node;
}

// Index of the first value in list[0..count) exactly equal to v, or -1.
int first_equal(const std::array<float, kMaxLevel>& list, int count, float v) {
    for (int k = 0; k < count; ++k)
        if (list[k] == v) return k;
    return -1;
}

// Distinct values in first-seen order, then sorted ascending by exchanging
// neighbours until a pass swaps nothing. False when there are more than
// kMaxLevel of them.
bool collect_levels(const ModelStore& m, float Node::*field, std::array<float, kMaxLevel>& list,
                    int& count) {
    count = 0;
    for (int i = 0; i < m.N_Node; ++i) {
        const float v = m.node[i].*field;
        if (first_equal(list, count, v) >= 0) continue;
        if (count == kMaxLevel) return false;
        list[count++] = v;
    }
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int k = 0; k + 1 < count; ++k) {
            if (list[k + 1] < list[k]) {
                std::swap(list[k], list[k + 1]);
                swapped = true;
            }
        }
    }
    return true;
}

// Truncated box position 0..99 of v; a degenerate or invalid quotient gives 0.
int box_position(float v, float vmin, float step) {
    if (step == 0.0f) return 0;
    const float q = (v - vmin) / step;
    if (!(q >= 0.0f)) return 0;
    if (q >= 99.0f) return 99;
    return static_cast<int>(q);
}

}  // namespace

std::string table_full_message(const char* table, int limit) {
    return std::string(table) + "の数が上限 " + std::to_string(limit) +
           " を超えるため追加できません";
}

void set_code(char (&field)[kCodeSize], const char* text) {
    std::snprintf(field, kCodeSize, "%s", text);
}

int find_node_by_scan(const ModelStore& m, float x, float y, float z) {
    for (int i = 0; i < m.N_Node; ++i) {
        const Node& n = m.node[i];
        if (n.x == x && n.y == y && n.z == z) return i + 1;
    }
    return -1;
}

int find_or_add_node(ModelStore& m, float x, float y, float z, MessageService& msg) {
    const int i = m.node_index.find(m.node.data(), m.N_Node, x, y, z);
    if (i >= 0) return i + 1;
    if (m.N_Node >= kMaxNode) {
        spy("find_or_add_node node table full N_Node %d", m.N_Node);
        msg.show_message(table_full_message(kNodeTable, kMaxNode));
        return -1;
    }
    Node& n = m.node[m.N_Node];
    n.no = m.N_Node + 1;
    n.id[0] = '\0';
    n.x = x;
    n.y = y;
    n.z = z;
    n.flag = kNodeNew;  // plan coordinates are left as the slot holds them
    m.node_index.appended(m.node.data(), m.N_Node);
    return ++m.N_Node;
}

Beam complete_member(int noi, int noj, const std::array<float, 3>& s, const std::array<float, 3>& e,
                     float haba, float atumi, int kind) {
    Beam b{};
    b.noi = noi, b.noj = noj;
    b.xs = s[0], b.ys = s[1], b.zs = s[2];
    b.xl = e[0], b.yl = e[1], b.zl = e[2];
    b.size = b.mat = -1;
    b.haba = haba, b.atumi = atumi, b.kind = kind;
    b.flag = kBeamComplete;
    return b;
}

int add_beam(ModelStore& m, const Beam& b, MessageService& msg) {
    if (m.N_Beam >= kMaxBeam) {
        spy("add_beam member table full N_Beam %d", m.N_Beam);
        msg.show_message(table_full_message(kBeamTable, kMaxBeam));
        return -1;
    }
    Beam& slot = m.beam[m.N_Beam];
    slot = b;
    slot.no = m.N_Beam + 1;
    return ++m.N_Beam;
}

int add_fix(ModelStore& m, const Fix& f, MessageService& msg) {
    if (m.N_Fix >= kMaxFix) {
        msg.show_message(table_full_message(kFixTable, kMaxFix));
        return -1;
    }
    m.fix[m.N_Fix] = f;
    return ++m.N_Fix;
}

int add_load(ModelStore& m, const Load& l, MessageService& msg) {
    if (m.N_Load >= kMaxLoad) {
        msg.show_message(table_full_message(kLoadTable, kMaxLoad));
        return -1;
    }
    m.load[m.N_Load] = l;
    return ++m.N_Load;
}

int search_2dim_node(const ModelStore& m, float X, float Y) {
    for (int i = 0; i < m.N_Node; ++i) {
        const double dx = static_cast<double>(m.node[i].X) - X;
        const double dy = static_cast<double>(m.node[i].Y) - Y;
        if (std::sqrt(dx * dx + dy * dy) < m.search_radius) return i;
    }
    return -1;
}

int search_cross_beam(const ModelStore& m, float fxs, float fys, float fxl, float fyl,
                      float& cross_X, float& cross_Y) {
    const double f2 = static_cast<double>(fxl) - fxs;
    const double g2 = static_cast<double>(fyl) - fys;
    for (int i = 0; i < m.N_Beam; ++i) {
        const Beam& b = m.beam[i];
        const double f1 = static_cast<double>(b.XL) - b.XS;
        const double g1 = static_cast<double>(b.YL) - b.YS;
        const double det = f2 * g1 - f1 * g2;
        if (std::fabs(det) < 0.0001) continue;  // parallel
        const double y21 = static_cast<double>(fys) - b.YS;
        const double x21 = static_cast<double>(fxs) - b.XS;
        const double s = (f2 * y21 - g2 * x21) / det;  // along the member
        const double t = (f1 * y21 - g1 * x21) / det;  // along the cutting line
        if (s >= 0.0 && s <= 1.0 && t >= 0.0 && t <= 1.0) {
            cross_X = static_cast<float>(b.XS + f1 * s);
            cross_Y = static_cast<float>(b.YS + g1 * s);
            return i;
        }
    }
    return -1;
}

int del_beam(ModelStore& m, int n) {
    spy("Enter del_beam() n %d N_Beam %d", n, m.N_Beam);
    if (n < 0 || n >= m.N_Beam) return -1;

    std::vector<Beam> beams;
    beams.reserve(static_cast<size_t>(m.N_Beam));
    for (int i = 0; i < m.N_Beam; ++i) {
        if (i == n) continue;
        beams.push_back(m.beam[i]);
        beams.back().no = static_cast<int>(beams.size());
    }

    // Nodes are rebuilt from the members' plan points: an end within the
    // search radius of a node already rebuilt shares it.
    std::vector<Node> nodes;
    nodes.reserve(static_cast<size_t>(m.N_Node) + 2);
    auto find_plan = [&](float X, float Y) {
        for (size_t k = 0; k < nodes.size(); ++k) {
            const double dx = static_cast<double>(nodes[k].X) - X;
            const double dy = static_cast<double>(nodes[k].Y) - Y;
            if (std::sqrt(dx * dx + dy * dy) < m.search_radius) return static_cast<int>(k);
        }
        return -1;
    };
    auto attach = [&](const Beam& b, float X, float Y, float x, float y, float z, int32_t& no,
                      char(&id)[kCodeSize]) {
        const int k = find_plan(X, Y);
        if (k >= 0) {
            no = nodes[k].no;
            std::memcpy(id, nodes[k].id, kCodeSize);
            nodes[k].flag = b.flag != 1 ? kNodeKnown : kNodeTouched;
            return true;
        }
        if (static_cast<int>(nodes.size()) >= kMaxNode) return false;
        Node nn{};
        nn.no = static_cast<int>(nodes.size()) + 1;
        std::memcpy(nn.id, id, kCodeSize);
        nn.x = x;
        nn.y = y;
        nn.z = z;
        nn.X = X;
        nn.Y = Y;
        nn.flag = b.flag != 1 ? kNodeKnown : kNodeNew;
        nodes.push_back(nn);
        no = nn.no;
        return true;
    };
    for (Beam& b : beams) {
        if (!attach(b, b.XS, b.YS, b.xs, b.ys, b.zs, b.noi, b.idi) ||
            !attach(b, b.XL, b.YL, b.xl, b.yl, b.zl, b.noj, b.idj)) {
            spy("del_beam node table full");
            return -1;
        }
    }

    std::copy(beams.begin(), beams.end(), m.beam.begin());
    m.N_Beam = static_cast<int>(beams.size());
    std::copy(nodes.begin(), nodes.end(), m.node.begin());
    m.N_Node = static_cast<int>(nodes.size());
    m.node_table_changed();
    return 0;
}

void update_node_in_beams(ModelStore& m, int i) {
    if (i < 0 || i >= m.N_Node) return;
    const Node& n = m.node[i];
    for (int k = 0; k < m.N_Beam; ++k) {
        Beam& b = m.beam[k];
        if (b.noi == n.no) {
            std::memcpy(b.idi, n.id, kCodeSize);
            b.xs = n.x;
            b.ys = n.y;
            b.zs = n.z;
        } else if (b.noj == n.no) {
            std::memcpy(b.idj, n.id, kCodeSize);
            b.xl = n.x;
            b.yl = n.y;
            b.zl = n.z;
        }
    }
}

void set_all_sections(ModelStore& m, float haba, float atumi) {
    for (int k = 0; k < m.N_Beam; ++k) {
        m.beam[k].haba = haba;
        m.beam[k].atumi = atumi;
        m.beam[k].flag = kBeamComplete;
    }
}

int check_all_beam(const ModelStore& m) {
    spy("Enter check_all_beam() N_Beam %d", m.N_Beam);
    if (m.N_Beam <= 0) return -1;
    for (int i = 0; i < m.N_Beam; ++i) {
        const Beam& b = m.beam[i];
        if (b.flag != kBeamComplete) {
            spy("check_all_beam beam %d flag %d", i, b.flag);
            return -1;
        }
        // A member must end at existing nodes, or nothing downstream can use it.
        if (!valid_node_no(m, b.noi) || !valid_node_no(m, b.noj)) {
            spy("check_all_beam beam %d noi %d noj %d N_Node %d", i, b.noi, b.noj, m.N_Node);
            return -1;
        }
    }
    return 1;
}

double torsion_beta(float r) {
    // Torsion coefficient of a rectangle against the ratio of its sides: the
    // first row whose bound r does not exceed.
    struct Row {
        float bound;
        double beta;
    };
    static constexpr Row kRows[] = {{1.0f, 0.1406}, {1.2f, 0.166}, {1.5f, 0.196},
                                    {2.0f, 0.229},  {2.5f, 0.249}, {3.0f, 0.263},
                                    {4.0f, 0.281},  {5.0f, 0.291}, {10.0f, 0.312}};
    for (const Row& row : kRows)
        if (r <= row.bound) return row.beta;
    return 0.333;
}

int check_size(ModelStore& m, MessageService& msg) {
    spy("Enter check_size() N_Beam %d", m.N_Beam);
    // Key: exact width, thickness and length of the first member that had them.
    std::unordered_map<CoordKey, int, CoordKeyHash> first;
    first.reserve(static_cast<size_t>(kMaxSize) * 2);
    std::vector<SizeEntry> entries;
    std::vector<int> member_size(static_cast<size_t>(std::max(m.N_Beam, 0)));
    // A section without width or thickness has no area and no stiffness: the
    // solver would be given a singular member. The editing windows refuse
    // such values; a structure data file may still hold them.
    for (int i = 0; i < m.N_Beam; ++i) {
        const Beam& b = m.beam[i];
        if (b.haba > 0.0f && b.atumi > 0.0f && std::isfinite(b.haba) && std::isfinite(b.atumi))
            continue;
        char text[256];
        std::snprintf(text, sizeof text, kMsgBadSection, i + 1, code_or_blanks(b.idi),
                      code_or_blanks(b.idj), static_cast<double>(b.haba),
                      static_cast<double>(b.atumi));
        spy("check_size bad section at beam %d", i);
        msg.show_message(text);
        return -1;
    }
    for (int i = 0; i < m.N_Beam; ++i) {
        const Beam& b = m.beam[i];
        const float dx = b.xl - b.xs;
        const float dy = b.yl - b.ys;
        const float dz = b.zl - b.zs;
        const float L =
            static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy + dz * dz)));
        CoordKey key;
        const bool keyed = make_coord_key(b.haba, b.atumi, L, key);
        if (keyed) {
            auto it = first.find(key);
            if (it != first.end()) {
                member_size[i] = it->second + 1;
                continue;
            }
        }
        if (static_cast<int>(entries.size()) >= kMaxSize) {
            spy("check_size size table full at beam %d", i);
            msg.show_message(table_full_message(kSizeTable, kMaxSize));
            return -1;
        }
        SizeEntry e{};
        e.haba = b.haba;
        e.atumi = b.atumi;
        e.length = L;
        if (keyed) first.emplace(key, static_cast<int>(entries.size()));
        entries.push_back(e);
        member_size[i] = static_cast<int>(entries.size());
    }

    for (SizeEntry& e : entries) {
        const double bw = e.haba;
        const double h = e.atumi;
        const float r = e.atumi / e.haba;
        e.A = static_cast<float>(bw * h);
        e.Iy = static_cast<float>(bw * h * h * h / 12.0);
        e.Iz = static_cast<float>(h * bw * bw * bw / 12.0);
        e.J = static_cast<float>(torsion_beta(r) * h * bw * bw * bw);
        e.angle = 0.0f;
    }

    std::copy(entries.begin(), entries.end(), m.size.begin());
    m.N_Size = static_cast<int>(entries.size());
    for (int i = 0; i < m.N_Beam; ++i) {
        m.beam[i].size = member_size[i];
        m.beam[i].mat = member_size[i];
        m.beam[i].flag = kBeamComplete;
    }
    spy("check_size N_Size %d", m.N_Size);
    return 0;
}

void assign_materials(ModelStore& m) {
    spy("Enter assign_materials() N_Size %d", m.N_Size);
    m.N_Mat = std::min(m.N_Size, kMaxMat);
    for (int i = 0; i < m.N_Beam; ++i) m.beam[i].mat = m.beam[i].size;
    for (int k = 0; k < m.N_Mat; ++k) {
        m.mat[k].young = m.young;
        m.mat[k].poisson = m.poisson;
        m.mat[k].mitudo = m.mitudo;
    }
}

void set_levels(ModelStore& m, const std::array<AxisLevels, 3>& levels) {
    std::array<float, kMaxLevel>* const val[3] = {&m.Xval, &m.Yval, &m.Zval};
    int* const n[3] = {&m.N_X, &m.N_Y, &m.N_Z};
    for (int k = 0; k < 3; ++k) {
        *val[k] = levels[k].val;
        *n[k] = levels[k].n;
    }
}

int save_level_name(ModelStore& m, MessageService& msg) {
    spy("Enter save_level_name() N_Node %d", m.N_Node);
    std::array<AxisLevels, 3> lv{};
    const struct {
        float Node::*field;
        const char* axis;
    } axes[] = {{&Node::x, "X"}, {&Node::y, "Y"}, {&Node::z, "Z"}};
    for (int k = 0; k < 3; ++k) {
        if (!collect_levels(m, axes[k].field, lv[k].val, lv[k].n)) {
            spy("save_level_name more than %d levels on %s", kMaxLevel, axes[k].axis);
            msg.show_message(std::string(axes[k].axis) + "方向のレベルの数が上限 " +
                             std::to_string(kMaxLevel) + " を超えるため節点に名前を付けられません");
            return -1;
        }
    }

    set_levels(m, lv);
    for (int i = 0; i < m.N_Node; ++i) {
        Node& n = m.node[i];
        const int ix = first_equal(lv[0].val, lv[0].n, n.x);
        const int iy = first_equal(lv[1].val, lv[1].n, n.y);
        const int iz = first_equal(lv[2].val, lv[2].n, n.z);
        if (ix < 0 || iy < 0 || iz < 0) {
            n.id[0] = '\0';  // NaN coordinate: no level to name it by
            continue;
        }
        make_level_code(n.id, ix, iy, iz);
    }
    for (int k = 0; k < m.N_Beam; ++k) {
        Beam& b = m.beam[k];
        if (valid_node_no(m, b.noi)) std::memcpy(b.idi, m.node[b.noi - 1].id, kCodeSize);
        if (valid_node_no(m, b.noj)) std::memcpy(b.idj, m.node[b.noj - 1].id, kCodeSize);
    }
    spy("save_level_name N_X %d N_Y %d N_Z %d", m.N_X, m.N_Y, m.N_Z);
    return 0;
}

int parse_level_text(std::string_view text, int empty_default) {
    if (text.empty()) return empty_default;
    int v = 0;
    for (size_t k = 1; k < 3 && k < text.size(); ++k) {
        const char c = text[k];
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
    }
    return v;
}

bool is_level_text(std::string_view text, char axis) {
    if (text.empty()) return true;
    if (text.size() < 2 || text.size() > 3 || text[0] != axis) return false;
    for (size_t k = 1; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    return true;
}

std::string check_level_texts(const std::array<std::string, 6>& texts, const ModelStore& m) {
    static constexpr char kAxis[6] = {'X', 'X', 'Y', 'Y', 'Z', 'Z'};
    const int top[3] = {m.N_X - 1, m.N_Y - 1, m.N_Z - 1};
    for (int i = 0; i < 6; ++i) {
        if (is_level_text(texts[i], kAxis[i])) continue;
        const char a = kAxis[i];
        char example[96];
        std::snprintf(example, sizeof example, "%c00 から %c%02d", a, a, std::max(top[i / 2], 0));
        return "「" + texts[i] + "」は" + a + "方向の階の記号ではありません。\n" + example +
               " のように、" + a + " と2桁の数字で入力してください (空欄は全範囲)";
    }
    return {};
}

int name_nodes_by_box(ModelStore& m) {
    spy("Enter name_nodes_by_box() N_Node %d", m.N_Node);
    for (int i = 0; i < m.N_Node; ++i)
        if (m.node[i].flag != kNodeKnown) return -1;

    float xmin = 9999.9f, ymin = 9999.9f, zmin = 9999.9f;
    float xmax = -9999.9f, ymax = -9999.9f, zmax = -9999.9f;
    for (int i = 0; i < m.N_Node; ++i) {
        const Node& n = m.node[i];
        xmin = std::min(xmin, n.x);
        ymin = std::min(ymin, n.y);
        zmin = std::min(zmin, n.z);
        xmax = std::max(xmax, n.x);
        ymax = std::max(ymax, n.y);
        zmax = std::max(zmax, n.z);
    }
    const float stepx = (xmax - xmin) / 99.0f;
    const float stepy = (ymax - ymin) / 99.0f;
    const float stepz = (zmax - zmin) / 99.0f;
    std::unordered_map<int, int> by_no;  // node number -> first node with it
    for (int i = 0; i < m.N_Node; ++i) {
        Node& n = m.node[i];
        make_level_code(n.id, box_position(n.x, xmin, stepx), box_position(n.y, ymin, stepy),
                        box_position(n.z, zmin, stepz));
        by_no.try_emplace(n.no, i);
    }
    for (int k = 0; k < m.N_Beam; ++k) {
        Beam& b = m.beam[k];
        if (auto it = by_no.find(b.noi); it != by_no.end())
            std::memcpy(b.idi, m.node[it->second].id, kCodeSize);
        if (auto it = by_no.find(b.noj); it != by_no.end())
            std::memcpy(b.idj, m.node[it->second].id, kCodeSize);
    }
    return 1;
}

int code_level(const char* id, int axis) {
    const size_t pos = 1 + 3 * static_cast<size_t>(axis);  // 0-based index of the first digit
    const size_t len = strnlen(id, kCodeSize);
    int v = 0;
    for (size_t k = pos; k < pos + 2 && k < len; ++k) {
        const char c = id[k];
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
    }
    return v;
}

int count_nodes_in_box(const ModelStore& m, int ix0, int ix1, int iy0, int iy1, int iz0, int iz1) {
    int count = 0;
    for (int i = 0; i < m.N_Node; ++i) {
        const char* id = m.node[i].id;
        const int ix = code_level(id, 0);
        const int iy = code_level(id, 1);
        const int iz = code_level(id, 2);
        if (ix0 <= ix && ix <= ix1 && iy0 <= iy && iy <= iy1 && iz0 <= iz && iz <= iz1) ++count;
    }
    return count;
}

void save_old_node(ModelStore& m) {
    spy("Enter save_old_node() N_Node %d", m.N_Node);
    if (m.N_Node == 0) return;
    for (int i = 0; i < m.N_Node; ++i) m.old_node[i] = {m.node[i].X, m.node[i].Y};
    m.OnSaveOld = 1;
}

void load_old_node(ModelStore& m) {
    spy("Enter load_old_node()");
    if (m.OnSaveOld == 0) {
        spy("OnSaveOld == 0 do nothing");
        return;
    }
    for (int i = 0; i < m.N_Node; ++i) {
        m.node[i].X = m.old_node[i].X;
        m.node[i].Y = m.old_node[i].Y;
    }
    for (int k = 0; k < m.N_Beam; ++k) {
        Beam& b = m.beam[k];
        if (valid_node_no(m, b.noi)) {
            b.XS = m.node[b.noi - 1].X;
            b.YS = m.node[b.noi - 1].Y;
        }
        if (valid_node_no(m, b.noj)) {
            b.XL = m.node[b.noj - 1].X;
            b.YL = m.node[b.noj - 1].Y;
        }
    }
}

void check_all_node_beam(const ModelStore& m) {
    if (!spy_is_open()) return;
    spy(" No   id           no     x        y        z       X       Y      flag");
    for (int i = 0; i < m.N_Node; ++i) {
        const Node& n = m.node[i];
        spy(" %5d %s %5d %8.1f %8.1f %8.1f %8.1f %8.1f %2d", i, code_or_blanks(n.id), n.no, n.x,
            n.y, n.z, n.X, n.Y, n.flag);
    }
    spy("No   idi       idj       noi   noj   xs       ys        zs");
    spy("             size  mat   XS       YS       XL       YL       flag");
    for (int k = 0; k < m.N_Beam; ++k) {
        const Beam& b = m.beam[k];
        spy(" %5d %s %s %5d %5d %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f", k, code_or_blanks(b.idi),
            code_or_blanks(b.idj), b.noi, b.noj, b.xs, b.ys, b.zs, b.xl, b.yl, b.zl);
        spy("         %5d %5d %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %5d", b.size, b.mat, b.haba,
            b.atumi, b.XS, b.YS, b.XL, b.YL, b.flag);
    }
}

}  // namespace tarvik::model
