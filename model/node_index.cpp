#include "model/node_index.h"

#include <bit>
#include <cmath>

#include "model/model_store.h"

namespace tarvik::model {

size_t CoordKeyHash::operator()(const CoordKey& k) const noexcept {
    uint64_t h = k.x;
    h = h * 0x9E3779B97F4A7C15ull ^ k.y;
    h = h * 0x9E3779B97F4A7C15ull ^ k.z;
    h ^= h >> 29;
    return static_cast<size_t>(h * 0xBF58476D1CE4E5B9ull);
}

bool make_coord_key(float x, float y, float z, CoordKey& key) {
    if (std::isnan(x) || std::isnan(y) || std::isnan(z)) return false;
    // Adding +0.0 turns -0.0 into +0.0 and leaves every other value alone.
    key.x = std::bit_cast<uint32_t>(x + 0.0f);
    key.y = std::bit_cast<uint32_t>(y + 0.0f);
    key.z = std::bit_cast<uint32_t>(z + 0.0f);
    return true;
}

void NodeIndex::reset() {
    first_.clear();
    covered_ = 0;
}

void NodeIndex::appended(const Node* nodes, int i) {
    if (i != covered_) return;  // not contiguous: catch_up will take it later
    CoordKey key;
    if (make_coord_key(nodes[i].x, nodes[i].y, nodes[i].z, key)) first_.try_emplace(key, i);
    covered_ = i + 1;
}

void NodeIndex::catch_up(const Node* nodes, int count) {
    if (count < covered_) reset();  // the table shrank: start over
    if (first_.empty() && count > 0) first_.reserve(static_cast<size_t>(count) * 2);
    while (covered_ < count) appended(nodes, covered_);
}

int NodeIndex::find(const Node* nodes, int count, float x, float y, float z) {
    catch_up(nodes, count);
    CoordKey key;
    if (!make_coord_key(x, y, z, key)) return -1;
    auto it = first_.find(key);
    if (it == first_.end()) return -1;
    const int i = it->second;
    const Node& n = nodes[i];
    if (n.x == x && n.y == y && n.z == z) return i;
    // The entry is stale (a node was moved without notice): rebuild once.
    reset();
    catch_up(nodes, count);
    it = first_.find(key);
    return it == first_.end() ? -1 : it->second;
}

}  // namespace tarvik::model
