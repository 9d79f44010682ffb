// The vertex table of the member solids: every corner written to "TRIO.DAT"
// gets the number of the first vertex with exactly its coordinates, in table
// order, so that corners shared by two solids share one number.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/node_index.h"
#include "ui/texts.h"

namespace tarvik::render {

inline constexpr int kMaxChouten = 50000;

struct Vertex {
    int32_t no;     // 1-based position in the table
    float x, y, z;  // cm
};

class VertexTable {
  public:
    explicit VertexTable(int capacity = kMaxChouten) : capacity_(capacity) {}

    // Number of the first vertex at exactly (x, y, z); 0 when there is none.
    // Same answer as find_by_scan, from the index.
    int32_t find(float x, float y, float z) const;
    // The plain scan in table order (the reference of find).
    int32_t find_by_scan(float x, float y, float z) const;

    // Number of the vertex at (x, y, z), appending it when it is new; -1 when
    // it is new and the table is full (nothing is written then).
    int32_t number(float x, float y, float z);

    void clear();

    int N_CHOUTEN() const { return static_cast<int>(table_.size()); }
    int capacity() const { return capacity_; }
    int room() const { return capacity_ - N_CHOUTEN(); }
    const std::vector<Vertex>& vertices() const { return table_; }

  private:
    int capacity_;
    std::vector<Vertex> table_;
    std::unordered_map<model::CoordKey, int32_t, model::CoordKeyHash> first_;
};

}  // namespace tarvik::render
