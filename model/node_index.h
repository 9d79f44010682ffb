// The index of nodes by exact coordinates behind lookup-or-add, so a generated
// frame of thousands of nodes shares its nodes without a linear search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace tarvik::model {

struct Node;

// Exact-coordinate key: the bit patterns of three floats, with -0.0 folded
// into 0.0 because the two compare equal. NaN never compares equal, so NaN
// coordinates are never entered or found.
struct CoordKey {
    uint32_t x, y, z;
    bool operator==(const CoordKey&) const = default;
};

struct CoordKeyHash {
    std::size_t operator()(const CoordKey& k) const noexcept;
};

// Makes the key of (x, y, z); false when any of them is NaN.
bool make_coord_key(float x, float y, float z, CoordKey& key);

// Maps coordinates to the first node (table order) that has them. It covers
// the first covered() nodes of the table and takes later appends in when asked.
class NodeIndex {
  public:
    // Index of the first of nodes[0..count) at exactly (x, y, z), or -1. The
    // result equals that of a plain scan as long as the covered nodes were not
    // changed in place since they were entered (see ModelStore).
    int find(const Node* nodes, int count, float x, float y, float z);

    // Enters a node appended at index i == covered().
    void appended(const Node* nodes, int i);

    void reset();
    int covered() const { return covered_; }

  private:
    void catch_up(const Node* nodes, int count);

    std::unordered_map<CoordKey, int, CoordKeyHash> first_;
    int covered_ = 0;
};

}  // namespace tarvik::model
