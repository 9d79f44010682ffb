#include "render/vertex_table.h"

namespace tarvik::render {

int32_t VertexTable::find(float x, float y, float z) const {
    model::CoordKey key;
    // NaN equals nothing, not even itself: a scan would never find it.
    if (!model::make_coord_key(x, y, z, key)) return 0;
    const auto it = first_.find(key);
    return it == first_.end() ? 0 : it->second;
}

int32_t VertexTable::find_by_scan(float x, float y, float z) const {
    for (const Vertex& v : table_)
        if (v.x == x && v.y == y && v.z == z) return v.no;
    return 0;
}

int32_t VertexTable::number(float x, float y, float z) {
    const int32_t found = find(x, y, z);
    if (found > 0) return found;
    if (N_CHOUTEN() >= capacity_) return -1;
    const int32_t no = N_CHOUTEN() + 1;
    table_.push_back({no, x, y, z});
    model::CoordKey key;
    if (model::make_coord_key(x, y, z, key)) first_.emplace(key, no);
    return no;
}

void VertexTable::clear() {
    table_.clear();
    first_.clear();
}

}  // namespace tarvik::render
