// The scenes the hidden-line timing runs on: "TEMP.DAT" of the fast routine,
// with any number of workers, is byte for byte the plain routine's.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>

#include "generator/basic_data.h"
#include "generator/generator.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/hidden_image_job.h"
#include "render/hidden_line.h"
#include "render/tests/test_support.h"

namespace tarvik::render {
namespace {

using testing::ScratchDir;
using testing::ScriptedMessages;

// The house the unit window makes from its defaults with columns of type I,
// one storey and the roof.
std::unique_ptr<model::ModelStore> default_house() {
    auto m = std::make_unique<model::ModelStore>();
    ScriptedMessages msg;
    generator::BasicData d = generator::default_basic_data();
    EXPECT_EQ(generator::check_choices(d, generator::kSumiType1, 0, generator::kYaneItemRoof, msg),
              1);
    std::ostringstream notes;
    generator::Generator g(*m, d, msg, notes);
    EXPECT_EQ(g.generate(), 0);
    return m;
}

// A space floor of n x n units of 90 cm, 45 cm deep: chords, posts, diagonals.
std::unique_ptr<model::ModelStore> space_floor(int n) {
    auto m = std::make_unique<model::ModelStore>();
    ScriptedMessages msg;
    const float u = 90.0f, d = 45.0f;
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j) {
            const float x = i * u, y = j * u;
            if (i < n) testing::add_member(*m, msg, x, y, d, x + u, y, d, 12, 12);
            if (j < n) testing::add_member(*m, msg, x, y, d, x, y + u, d, 12, 12);
            if (i < n) testing::add_member(*m, msg, x, y, 0, x + u, y, 0, 10, 10);
            if (j < n) testing::add_member(*m, msg, x, y, 0, x, y + u, 0, 10, 10);
            testing::add_member(*m, msg, x, y, 0, x, y, d, 12, 12);
            if (i < n && j < n) testing::add_member(*m, msg, x, y, 0, x + u, y + u, d, 9, 9);
        }
    return m;
}

// The model seen as the program first shows it (Theta 20, Phi 70) from the
// middle of its nodes, far enough to see all of it: the plain routine's
// "TEMP.DAT" against the fast one's with one, two and three workers.
void expect_fast_file_is_plain_file(const model::ModelStore& m, const std::string& what) {
    float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
    for (int i = 0; i < m.N_Node; ++i) {
        const float p[3] = {m.node[i].x, m.node[i].y, m.node[i].z};
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
    }
    ScratchDir dir;
    SolidModel s(dir.path());
    ScriptedMessages msg;
    ViewParams p;
    p.X0 = (lo[0] + hi[0]) / 2;
    p.Y0 = (lo[1] + hi[1]) / 2;
    p.Z0 = (lo[2] + hi[2]) / 2;
    p.Rho = std::max(4000.0, 2.0 * (hi[0] - lo[0]));
    ViewWindow w;
    w.W = 1024;
    w.H = 768;
    ASSERT_EQ(build_hidden_image(s, m, p, w, msg, HiddenLineMethod::kPlain), 0) << what;
    const std::string plain = testing::read_all(s.path(kTempFileName));
    ASSERT_GT(plain.size(), 1000u * kTempLineSize) << what;
    for (unsigned workers : {1u, 2u, 3u}) {
        ASSERT_EQ(make_pers(w, nullptr, s, p, msg, HiddenLineMethod::kFast, nullptr, workers), 0);
        EXPECT_TRUE(testing::read_all(s.path(kTempFileName)) == plain)
            << what << ", " << workers << " workers";
    }
    EXPECT_TRUE(msg.shown.empty()) << what;
}

TEST(FastFileIsPlainFile, DefaultHouse) {
    expect_fast_file_is_plain_file(*default_house(), "default house");
}

// The timing's floor is 31 x 31; the plain routine needs minutes for it under
// the sanitizers, so the test takes the same floor at 20 x 20 (about 2600
// members, well past the grid's smallest cells and the parallel reading).
TEST(FastFileIsPlainFile, SpaceFloor20By20) {
    expect_fast_file_is_plain_file(*space_floor(20), "20 x 20 space floor");
}

}  // namespace
}  // namespace tarvik::render
