// Basic data given by name (the batch front end) and checked like the window.
#include <string>
#include <vector>

#include "gen_test_util.h"

namespace tarvik::generator::testing {
namespace {

TEST(BasicDataByName, AssignmentsSetTheirFields) {
    BasicData d = default_basic_data();
    std::string error;
    EXPECT_TRUE(assign_basic_value(d, "nx=10", error));
    EXPECT_TRUE(assign_basic_value(d, "tuka_haba = 60.5", error));
    EXPECT_TRUE(assign_basic_value(d, "hashira_takasa2=210", error));
    EXPECT_TRUE(assign_basic_value(d, "YaneMode=-1", error));
    EXPECT_TRUE(assign_basic_value(d, "moya_atumi=10", error));
    EXPECT_EQ(d.nx, 10);
    EXPECT_EQ(d.tuka_haba, 60.5f);
    EXPECT_EQ(d.hashira_takasa[1], 210.0f);
    EXPECT_EQ(d.YaneMode, kYaneEaves);
    EXPECT_EQ(d.moya_atumi, 10.0f);
}

TEST(BasicDataByName, BadAssignmentsChangeNothing) {
    BasicData d = default_basic_data();
    std::string error;
    EXPECT_FALSE(assign_basic_value(d, "nx=ten", error));
    EXPECT_FALSE(assign_basic_value(d, "nx=8.5", error));
    EXPECT_FALSE(assign_basic_value(d, "tuka_haba=", error));
    EXPECT_FALSE(assign_basic_value(d, "tuka_haba=1e400", error));
    EXPECT_FALSE(assign_basic_value(d, "Nx=8", error));
    EXPECT_NE(error.find("Nx"), std::string::npos);
    EXPECT_FALSE(assign_basic_value(d, "nx", error));
    EXPECT_EQ(d.nx, 8);
    EXPECT_EQ(d.tuka_haba, 90.0f);
}

TEST(BasicDataByName, RoofedHouseChecksAndGenerates) {
    GenFixture f;
    std::string error;
    for (const char* a : {"SumiType=1", "N_Sou=1", "YaneMode=1"})
        ASSERT_TRUE(assign_basic_value(f.d, a, error)) << error;
    ASSERT_EQ(check_values(f.d, f.msg), 1);
    ASSERT_EQ(check_choices(f.d, f.d.SumiType, f.d.N_Sou - 1, yane_item_of(f.d.YaneMode), f.msg),
              1);
    EXPECT_EQ(f.d.SouMode, 1);
    EXPECT_EQ(f.d.Takasa, 755.0f);
    ASSERT_EQ(f.gen().generate(), 0);
    EXPECT_EQ(f.m->N_Beam, 1012);
}

TEST(BasicDataByName, DefaultsAloneAreRefusedLikeTheWindow) {
    // The defaults put the eaves frame on a floor without columns.
    BasicData d = default_basic_data();
    ScriptedMessages msg;
    EXPECT_EQ(check_choices(d, d.SumiType, d.N_Sou - 1, yane_item_of(d.YaneMode), msg), 0);
    EXPECT_EQ(msg.shown, std::vector<std::string>{"柱なしが指定されている"});
}

}  // namespace
}  // namespace tarvik::generator::testing
