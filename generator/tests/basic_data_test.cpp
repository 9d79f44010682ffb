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

TEST(BasicDataByName, HouseTooLargeForItsCoordinatesIsRefused) {
    // Each value is a float, but the coordinates made from it are not.
    const char* const too_large[][4] = {
        {"tuka_haba=1e38", "SumiType=0", "YaneMode=0", ""},
        {"tuka_haba=1e17", "nx=20", "SumiType=0", "YaneMode=0"},
        {"lowest_level=-3e38", "SumiType=0", "YaneMode=0", ""},
        {"hashira_takasa2=2e38", "SumiType=1", "N_Sou=2", "YaneMode=0"},
        {"yane_takasa=3e38", "SumiType=1", "N_Sou=1", "YaneMode=1"},
    };
    for (const auto& row : too_large) {
        BasicData d = default_basic_data();
        ScriptedMessages msg;
        std::string error;
        for (const char* a : row) {
            if (*a) {
                ASSERT_TRUE(assign_basic_value(d, a, error)) << error;
            }
        }
        ASSERT_EQ(check_values(d, msg), 1) << row[0];
        EXPECT_EQ(check_choices(d, d.SumiType, d.N_Sou - 1, yane_item_of(d.YaneMode), msg), 0)
            << row[0];
        EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgTooLarge}) << row[0];
    }
    // A value unused by the choices does not count: one storey, no roof.
    BasicData d = default_basic_data();
    ScriptedMessages msg;
    std::string error;
    for (const char* a : {"hashira_takasa3=3e38", "yane_takasa=3e38", "SumiType=1", "N_Sou=1",
                          "YaneMode=0"})
        ASSERT_TRUE(assign_basic_value(d, a, error)) << error;
    EXPECT_EQ(check_choices(d, d.SumiType, d.N_Sou - 1, yane_item_of(d.YaneMode), msg), 1);
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
