// The base of the file tests that write or read a model: a store, scripted
// messages and a scratch folder, and the small frame most writers are
// checked on.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "files/tests/test_dir.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::testing {

class ModelFileTest : public ::testing::Test {
  protected:
    std::unique_ptr<model::ModelStore> store = std::make_unique<model::ModelStore>();
    model::ModelStore& m = *store;
    ScriptedMessages msg;
    TempDir dir;

    // A 12 x 12 post 300 high and a 12 x 18 girder 90 long on its top (nodes
    // 1 foot, 2 top, 3 the girder's free end), with their sizes and materials.
    void make_post_and_girder() {
        add_member(m, msg, 0, 0, 0, 0, 0, 300, 12, 12);
        add_member(m, msg, 0, 0, 300, 90, 0, 300, 12, 18);
        ASSERT_EQ(model::check_size(m, msg), 0);
        model::assign_materials(m);
    }

    // Support at node no, fixed in every direction; code the node's.
    void fix_node(int no) {
        model::Fix f{};
        model::set_code(f.id, m.node[no - 1].id);
        f.no = no;
        f.xfix = f.yfix = f.zfix = 1;
        model::add_fix(m, f, msg);
    }

    // What a writer formats is what its save puts in the file name (in the
    // scratch folder), byte for byte, and equals expected.
    template <class Format, class Save>
    void expect_saved_as(const std::string& expected, Format format, Save save, const char* name) {
        EXPECT_EQ(format(m), expected);
        const std::string path = dir.file(name);
        ASSERT_EQ(save(m, path, msg), 0);
        EXPECT_EQ(read_bytes(path), expected);
    }
};

}  // namespace tarvik::testing
