// The models the hidden-line timing runs on, shared with the test that holds
// the fast routine's image to the plain one's on them.
#pragma once

#include <memory>
#include <sstream>

#include "generator/basic_data.h"
#include "generator/generator.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "model/tests/model_builder.h"

namespace tarvik::testing {

// The house the unit window makes from its defaults with columns of type I,
// one storey and the roof. Empty when the generator refused (its messages
// went to msg).
inline std::unique_ptr<model::ModelStore> default_house(model::MessageService& msg) {
    auto m = std::make_unique<model::ModelStore>();
    generator::BasicData d = generator::default_basic_data();
    if (generator::check_choices(d, generator::kSumiType1, 0, generator::kYaneItemRoof, msg) != 1)
        return m;
    std::ostringstream notes;
    generator::Generator g(*m, d, msg, notes);
    g.generate();
    return m;
}

// A space floor of n x n units of 90 cm, 45 cm deep: top and bottom chords,
// posts and one diagonal per unit, built through find_or_add_node.
inline std::unique_ptr<model::ModelStore> space_floor(int n, model::MessageService& msg) {
    auto m = std::make_unique<model::ModelStore>();
    const float u = 90.0f, d = 45.0f;
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j) {
            const float x = i * u, y = j * u;
            if (i < n) add_member(*m, msg, x, y, d, x + u, y, d, 12, 12);
            if (j < n) add_member(*m, msg, x, y, d, x, y + u, d, 12, 12);
            if (i < n) add_member(*m, msg, x, y, 0, x + u, y, 0, 10, 10);
            if (j < n) add_member(*m, msg, x, y, 0, x, y + u, 0, 10, 10);
            add_member(*m, msg, x, y, 0, x, y, d, 12, 12);
            if (i < n && j < n) add_member(*m, msg, x, y, 0, x + u, y + u, d, 9, 9);
        }
    return m;
}

}  // namespace tarvik::testing
