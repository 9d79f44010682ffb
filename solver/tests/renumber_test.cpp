#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "solver.h"

namespace veltosol {
namespace {

std::unique_ptr<Solver> graph(int nod, const std::vector<std::pair<int, int>>& members) {
    auto s = std::make_unique<Solver>();
    s->NOD = nod;
    s->NEL = static_cast<int>(members.size());
    for (int e = 1; e <= s->NEL; ++e) {
        s->member[e].iin = members[e - 1].first;
        s->member[e].jout = members[e - 1].second;
    }
    return s;
}

std::vector<int> renumbered(Solver& s) {
    int bound = SETUP(s);
    EXPECT_EQ(bound, s.NOD);
    check_connected(s);
    OPTNUM(s, bound);
    return std::vector<int>(s.NEWNO.begin() + 1, s.NEWNO.begin() + 1 + s.NOD);
}

TEST(Renumbering, ChainInOrderKeepsItsNumbers) {
    auto s = graph(4, {{1, 2}, {2, 3}, {3, 4}});
    EXPECT_EQ(renumbered(*s), (std::vector<int>{1, 2, 3, 4}));
}

TEST(Renumbering, ShuffledChainStartsFromTheBestNode) {
    // 3-1-4-2: start 1 spreads 2, start 2 spreads 1 and wins.
    auto s = graph(4, {{3, 1}, {1, 4}, {4, 2}});
    EXPECT_EQ(renumbered(*s), (std::vector<int>{3, 1, 4, 2}));
}

TEST(Renumbering, OneMember) {
    auto s = graph(2, {{2, 1}});
    EXPECT_EQ(renumbered(*s), (std::vector<int>{1, 2}));
}

TEST(Renumbering, DuplicateMembersAddTheNeighbourOnce) {
    auto s = graph(3, {{1, 2}, {2, 1}, {1, 2}, {2, 3}});
    SETUP(*s);
    EXPECT_EQ(s->neighbour_count[1], 1);
    EXPECT_EQ(s->neighbour_count[2], 2);
    const int* second = &s->neighbour[s->neighbour_start[2]];
    EXPECT_EQ(second[0], 1);  // node 2's neighbours in order of first appearance
    EXPECT_EQ(second[1], 3);
}

TEST(Renumbering, EqualSpreadsKeepTheLowestStart) {
    // A ring of four: every start spreads 2 (its two neighbours), so start 1 stays.
    auto s = graph(4, {{1, 2}, {2, 3}, {3, 4}, {4, 1}});
    EXPECT_EQ(renumbered(*s), (std::vector<int>{1, 2, 4, 3}));
}

TEST(Renumbering, NeighboursInOrderOfFirstAppearance) {
    // A star whose hub lists its leaves as 4, 2, 3. Start 2 reaches the hub and
    // then the leaves in that order (spread 2); no later start does better.
    auto s = graph(4, {{1, 4}, {1, 2}, {1, 3}});
    EXPECT_EQ(renumbered(*s), (std::vector<int>{2, 1, 4, 3}));
}

// Plain breadth-first numbering from one start, with its spread, neighbours in
// order of first appearance and no abandoning.
std::pair<int, std::vector<int>> full_bfs(int nod, const std::vector<std::pair<int, int>>& m,
                                          int start) {
    std::vector<std::vector<int>> adj(nod + 1);
    auto add = [&](int a, int b) {
        if (std::find(adj[a].begin(), adj[a].end(), b) == adj[a].end()) adj[a].push_back(b);
    };
    for (auto [a, b] : m) {
        add(a, b);
        add(b, a);
    }
    std::vector<int> num(nod + 1, 0), order{start};
    num[start] = 1;
    int spread = 0;
    for (std::size_t h = 0; h < order.size(); ++h)
        for (int w : adj[order[h]])
            if (!num[w]) {
                order.push_back(w);
                num[w] = static_cast<int>(order.size());
                spread = std::max(spread, num[w] - static_cast<int>(h + 1));
            }
    return {spread, std::vector<int>(num.begin() + 1, num.end())};
}

TEST(Renumbering, MatchesTheSmallestSpreadOfAllStartsOnRandomGraphs) {
    std::srand(7);
    for (int trial = 0; trial < 40; ++trial) {
        const int nod = 3 + std::rand() % 30;
        std::vector<std::pair<int, int>> m;
        std::vector<int> degree(nod + 1, 0);
        // A random spanning tree, then extra members while degrees allow.
        for (int n = 2; n <= nod; ++n) {
            int p;
            do p = 1 + std::rand() % (n - 1);
            while (degree[p] >= 6);
            m.push_back(std::rand() % 2 ? std::make_pair(p, n) : std::make_pair(n, p));
            ++degree[p];
            ++degree[n];
        }
        for (int extra = 0; extra < nod; ++extra) {
            int a = 1 + std::rand() % nod, b = 1 + std::rand() % nod;
            if (a == b || degree[a] >= 12 || degree[b] >= 12) continue;
            m.push_back({a, b});
            ++degree[a];
            ++degree[b];
        }
        int best = nod;
        std::vector<int> expected;
        for (int st = 1; st <= nod; ++st) {
            auto [spread, num] = full_bfs(nod, m, st);
            if (spread < best || expected.empty()) {
                best = spread;
                expected = num;
            }
        }
        auto s = graph(nod, m);
        EXPECT_EQ(renumbered(*s), expected) << "trial " << trial;
    }
}

TEST(Renumbering, NodesWithManyNeighboursKeepThemAll) {
    // A hub with twelve members, as at a roof apex or a column head of a
    // generated house; the lists of the other nodes stay intact.
    std::vector<std::pair<int, int>> star;
    for (int n = 2; n <= 13; ++n) star.push_back({1, n});
    star.push_back({2, 3});
    auto s = graph(13, star);
    SETUP(*s);
    EXPECT_EQ(s->neighbour_count[1], 12);
    EXPECT_EQ(s->neighbour_count[2], 2);
    EXPECT_EQ(s->neighbour[s->neighbour_start[2] + 1], 3);
    check_connected(*s);
    OPTNUM(*s, s->NOD);
    std::vector<int> seen(14, 0);
    for (int n = 1; n <= 13; ++n) ++seen[s->NEWNO[n]];
    for (int k = 1; k <= 13; ++k) EXPECT_EQ(seen[k], 1) << k;
}

TEST(Renumbering, EveryNodeNumberUpToTheNodeCapacity) {
    // A chain over the whole node table: the last nodes are renumbered too.
    std::vector<std::pair<int, int>> chain;
    for (int n = 1; n < kMaxNodes; ++n) chain.push_back({n, n + 1});
    auto s = graph(kMaxNodes, chain);
    SETUP(*s);
    check_connected(*s);
    OPTNUM(*s, s->NOD);
    EXPECT_EQ(s->NEWNO[1], 1);
    EXPECT_EQ(s->NEWNO[kMaxNodes], kMaxNodes);
}

TEST(Renumbering, DisconnectedModelsAreDiagnosed) {
    auto lonely = graph(3, {{1, 2}});
    SETUP(*lonely);
    try {
        check_connected(*lonely);
        FAIL() << "no error";
    } catch (const RunError& e) {
        EXPECT_EQ(e.status(), kExitBadModel);
        EXPECT_NE(std::string(e.what()).find("node 3 is not connected"), std::string::npos);
    }
    auto split = graph(4, {{1, 2}, {3, 4}});
    SETUP(*split);
    try {
        check_connected(*split);
        FAIL() << "no error";
    } catch (const RunError& e) {
        EXPECT_NE(std::string(e.what()).find("not connected"), std::string::npos);
    }
}

}  // namespace
}  // namespace veltosol
