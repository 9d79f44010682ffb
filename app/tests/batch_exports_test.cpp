// tarvik-batch's exports on the generated default house: the frame graphic
// file, the viewer face file and the DXF of the line image, checked against
// the model and against the image file they come from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "app/batch.h"
#include "files/dxf_file.h"
#include "files/tests/test_dir.h"
#include "render/solid.h"

namespace tarvik::app {
namespace {

using testing::read_bytes;
using testing::split_crlf;

class BatchExports : public ::testing::Test {
  protected:
    testing::TempDir dir;
    std::filesystem::path old = std::filesystem::current_path();
    std::ostringstream out, err;

    void SetUp() override { std::filesystem::current_path(dir.path()); }
    void TearDown() override { std::filesystem::current_path(old); }

    int run(std::vector<std::string> extra) {
        std::vector<std::string> args = {"--generate", "SumiType=1,YaneMode=1", "--fix", "Z00",
                                         "--load", "Z11"};
        args.insert(args.end(), extra.begin(), extra.end());
        return run_batch(args, out, err);
    }

    // The DXF holds one LINE per record of "TEMP.DAT", in order, each
    // coordinate the record's times the scale of the extents.
    void expect_dxf_matches_temp(const std::string& dxf_path, const char* colour) {
        render::TempHeader h;
        std::vector<render::TempLine> records;
        ASSERT_TRUE(render::read_temp_file("TEMP.DAT", h, records));
        ASSERT_GT(records.size(), 100u);
        const double s = files::dxf_scale(h.world[0], h.world[1], h.world[2], h.world[3]);
        const std::vector<std::string> l = split_crlf(read_bytes(dxf_path));
        ASSERT_EQ(l.size(), 274 + 16 * records.size() + 4);
        EXPECT_NEAR(std::stod(l[7]), h.world[0] * s, 5e-7 + 1e-6 * std::fabs(h.world[0] * s));
        for (size_t k = 0; k < records.size(); ++k) {
            const size_t at = 274 + 16 * k;
            ASSERT_EQ(l[at + 1], "LINE");
            ASSERT_EQ(l[at + 7], colour);
            const render::TempLine& r = records[k];
            const float want[4] = {r.xs, r.ys, r.xl, r.yl};
            for (int c = 0; c < 4; ++c) {
                const double v = std::stod(l[at + 9 + 2 * static_cast<size_t>(c)]);
                ASSERT_NEAR(v, want[c] * s, 5e-7 + 1e-6 * std::fabs(want[c] * s)) << "line " << k;
            }
        }
    }
};

TEST_F(BatchExports, DefaultHouseWritesAllThreeFiles) {
    ASSERT_EQ(run({"--ydu", "house.ydu", "--viewer", "house.dat", "--dxf", "house.dxf",
                   "--dxf-colour", "3"}),
              kExitOk)
        << err.str();
    EXPECT_EQ(err.str(), "");

    // Frame graphic file: every section, one record per node, member,
    // support and load.
    const std::vector<std::string> ydu = split_crlf(read_bytes("house.ydu"));
    std::map<std::string, int> records;
    std::string section;
    for (const std::string& line : ydu) {
        if (line.starts_with("\"")) {
            section = line;
            records[section] = 0;
        } else {
            ++records[section];
        }
    }
    EXPECT_EQ(ydu.front(), "\"NODE\"");
    EXPECT_EQ(records["\"BEAM\""], 1012);
    EXPECT_EQ(records["\"FIX\""], 12);
    EXPECT_EQ(records["\"NLOAD\""], 1);
    EXPECT_EQ(records.size(), 6u);
    EXPECT_NE(out.str().find("frame graphic file house.ydu"), std::string::npos);

    // Viewer face file: vertex lines, "Faces:", twelve faces per member box,
    // each with its second vertex negated and a full stop.
    const std::vector<std::string> dat = split_crlf(read_bytes("house.dat"));
    const auto faces_at = std::find(dat.begin(), dat.end(), "Faces:");
    ASSERT_NE(faces_at, dat.end());
    EXPECT_EQ(dat.end() - faces_at - 1, 12 * 1012);
    for (auto f = faces_at + 1; f != dat.end(); ++f) {
        int a = 0, b = 0, c = 0;
        ASSERT_EQ(std::sscanf(f->c_str(), " %d %d %d.", &a, &b, &c), 3) << *f;
        ASSERT_TRUE(a > 0 && b < 0 && c > 0 && f->back() == '.') << *f;
        ASSERT_LE(std::max(a, std::max(-b, c)), faces_at - dat.begin());
    }

    expect_dxf_matches_temp("house.dxf", "    3");
}

TEST_F(BatchExports, WireImageAndRefusedOptions) {
    ASSERT_EQ(run({"--dxf", "wire.dxf", "--dxf-wire", "--dxf-eye", "6000,30,60"}), kExitOk)
        << err.str();
    expect_dxf_matches_temp("wire.dxf", "    7");

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--dxf-colour", "7"}, {"--dxf-eye", "0,1,2"}, {"--dxf"}}) {
        err.str("");
        EXPECT_EQ(run(bad), kExitUsage) << bad[0];
        EXPECT_NE(err.str().find("--dxf-wire"), std::string::npos);  // usage shown
    }
    // A folder that does not exist: the writer's message and the write status.
    err.str("");
    EXPECT_EQ(run({"--ydu", "no/such/house.ydu"}), kExitWrite);
    EXPECT_NE(err.str().find("Error: Unable to open GraFile"), std::string::npos);
}

}  // namespace
}  // namespace tarvik::app
