// Whether the solver can take the model: its node, member, section, material,
// support, load and level counts against the solver's tables, and the
// stiffness store the frame needs after the solver's own renumbering. The
// main window asks after every way of making a model and tarvik-batch before
// it writes the solver input, so that a model too large is announced when it
// is made, not only when its analysis fails.
#pragma once

#include <string>
#include <vector>

#include "model/model_store.h"

namespace tarvik::analysis {

// One count beyond one of the solver's limits.
struct CapacityExcess {
    std::string what;  // the count in the user's words: "部材数"
    long long count = 0;
    long long limit = 0;
};

// Every limit the model exceeds; empty when the solver takes it. The store is
// worked out only when the counts fit and the members make one frame (with no
// supports yet it is the most the frame can need).
std::vector<CapacityExcess> capacity_check(const model::ModelStore& m);

// "解析できる上限を超えています: 部材数 5200 (上限 3000)", one line per
// excess after the first; empty for an empty list.
std::string capacity_message(const std::vector<CapacityExcess>& excess);

}  // namespace tarvik::analysis
