// Helpers shared by the generator tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>

#include "generator/basic_data.h"
#include "generator/generator.h"
#include "model/model_store.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::generator::testing {

using tarvik::testing::ScriptedMessages;

// A store, the basic data and a generator on them.
struct GenFixture {
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    BasicData d = default_basic_data();
    ScriptedMessages msg;
    std::ostringstream out;

    Generator gen() { return Generator(*m, d, msg, out); }

    // The space floor by g: posts, frame, chords, diagonals, side trusses.
    // False at the first step that fails.
    static bool make_space_floor(Generator& g) {
        return g.make_hashira() == 0 && g.make_waku() == 0 && g.make_genzai() == 0 &&
               g.make_shazai() == 0 && g.make_sujikai() == 0;
    }

    // Type I (or II) columns under n storeys.
    void columns(int sumi_type, int storeys) {
        d.SumiType = sumi_type;
        d.SouMode = 1;
        d.N_Sou = storeys;
    }

    int count_kind(int kind) const {
        int n = 0;
        for (int i = 0; i < m->N_Beam; ++i) n += m->beam[i].kind == kind;
        return n;
    }

    // How many members each listed kind has (other kinds are not looked at).
    void expect_kind_counts(std::initializer_list<std::pair<int, int>> kind_count) const {
        for (const auto& [kind, count] : kind_count)
            EXPECT_EQ(count_kind(kind), count) << "kind " << kind;
    }

    bool has_node(float x, float y, float z) const {
        for (int i = 0; i < m->N_Node; ++i)
            if (m->node[i].x == x && m->node[i].y == y && m->node[i].z == z) return true;
        return false;
    }

    // Distinct heights of the member ends in [first, end).
    std::set<float> heights(int first, int end) const {
        std::set<float> zs;
        for (int i = first; i < end; ++i) {
            zs.insert(m->beam[i].zs);
            zs.insert(m->beam[i].zl);
        }
        return zs;
    }
};

// Every member refers to existing nodes whose coordinates are its end points,
// has length, the generated defaults and its number; no two nodes share a place.
inline void expect_consistent_tables(const model::ModelStore& m) {
    std::set<std::tuple<float, float, float>> places;
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        EXPECT_EQ(n.no, i + 1);
        EXPECT_TRUE(places.emplace(n.x, n.y, n.z).second) << "node " << i << " twice";
    }
    for (int i = 0; i < m.N_Beam; ++i) {
        const model::Beam& b = m.beam[i];
        ASSERT_GE(b.noi, 1);
        ASSERT_LE(b.noi, m.N_Node);
        ASSERT_GE(b.noj, 1);
        ASSERT_LE(b.noj, m.N_Node);
        const model::Node& ni = m.node[b.noi - 1];
        const model::Node& nj = m.node[b.noj - 1];
        EXPECT_EQ(b.no, i + 1);
        EXPECT_NE(b.noi, b.noj) << "member " << i;
        EXPECT_TRUE(ni.x == b.xs && ni.y == b.ys && ni.z == b.zs) << "member " << i;
        EXPECT_TRUE(nj.x == b.xl && nj.y == b.yl && nj.z == b.zl) << "member " << i;
        EXPECT_EQ(b.size, -1);
        EXPECT_EQ(b.mat, -1);
        EXPECT_EQ(b.flag, model::kBeamComplete);
        EXPECT_EQ(b.idi[0], '\0');
        EXPECT_GT(b.haba, 0.0f);
        EXPECT_GT(b.atumi, 0.0f);
    }
}

// Bytewise equality of the used parts of the node and member tables.
inline bool same_tables(const model::ModelStore& a, const model::ModelStore& b) {
    if (a.N_Node != b.N_Node || a.N_Beam != b.N_Beam) return false;
    for (int i = 0; i < a.N_Node; ++i) {
        const model::Node& p = a.node[i];
        const model::Node& q = b.node[i];
        if (std::strcmp(p.id, q.id) != 0 || p.no != q.no || p.x != q.x || p.y != q.y ||
            p.z != q.z || p.flag != q.flag)
            return false;
    }
    for (int i = 0; i < a.N_Beam; ++i) {
        const model::Beam& p = a.beam[i];
        const model::Beam& q = b.beam[i];
        if (p.no != q.no || p.noi != q.noi || p.noj != q.noj || p.xs != q.xs || p.ys != q.ys ||
            p.zs != q.zs || p.xl != q.xl || p.yl != q.yl || p.zl != q.zl || p.haba != q.haba ||
            p.atumi != q.atumi || p.kind != q.kind || p.flag != q.flag || p.size != q.size ||
            p.mat != q.mat)
            return false;
    }
    return true;
}

inline bool member_is(const model::Beam& b, float xs, float ys, float zs, float xl, float yl,
                      float zl) {
    return b.xs == xs && b.ys == ys && b.zs == zs && b.xl == xl && b.yl == yl && b.zl == zl;
}

// Index of the first member from (xs, ys, zs) to (xl, yl, zl), or -1.
inline int find_member(const model::ModelStore& m, float xs, float ys, float zs, float xl, float yl,
                       float zl) {
    for (int i = 0; i < m.N_Beam; ++i)
        if (member_is(m.beam[i], xs, ys, zs, xl, yl, zl)) return i;
    return -1;
}

}  // namespace tarvik::generator::testing
