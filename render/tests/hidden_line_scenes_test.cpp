// The scenes the hidden-line timing runs on: "TEMP.DAT" of the fast routine,
// with any number of workers, is byte for byte the plain routine's.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>

#include "model/tests/scripted_messages.h"
#include "render/hidden_image_job.h"
#include "render/hidden_line.h"
#include "render/tests/hidden_line_scenes.h"
#include "render/tests/test_support.h"

namespace tarvik::render {
namespace {

using testing::ScriptedMessages;
using testing::TempDir;

// The model seen as the program first shows it (Theta 20, Phi 70) from the
// middle of its nodes, far enough to see all of it: the plain routine's
// "TEMP.DAT" against the fast one's with one, two and three workers.
void expect_fast_file_is_plain_file(const model::ModelStore& m, const std::string& what) {
    float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
    for (int i = 0; i < m.N_Node; ++i) {
        const float p[3] = {m.node[i].x, m.node[i].y, m.node[i].z};
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
    }
    TempDir dir;
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
    const std::string plain = testing::read_bytes(s.path(kTempFileName));
    ASSERT_GT(plain.size(), 1000u * kTempLineSize) << what;
    for (unsigned workers : {1u, 2u, 3u}) {
        ASSERT_EQ(make_pers(w, nullptr, s, p, msg, HiddenLineMethod::kFast, nullptr, workers), 0);
        EXPECT_TRUE(testing::read_bytes(s.path(kTempFileName)) == plain)
            << what << ", " << workers << " workers";
    }
    EXPECT_TRUE(msg.shown.empty()) << what;
}

TEST(FastFileIsPlainFile, DefaultHouse) {
    ScriptedMessages msg;
    const auto m = testing::default_house(msg);
    ASSERT_GT(m->N_Beam, 900);
    expect_fast_file_is_plain_file(*m, "default house");
}

// The timing's floor is 31 x 31; the plain routine needs minutes for it under
// the sanitizers, so the test takes the same floor at 20 x 20 (about 2600
// members, well past the grid's smallest cells and the parallel reading).
TEST(FastFileIsPlainFile, SpaceFloor20By20) {
    ScriptedMessages msg;
    expect_fast_file_is_plain_file(*testing::space_floor(20, msg), "20 x 20 space floor");
}

}  // namespace
}  // namespace tarvik::render
