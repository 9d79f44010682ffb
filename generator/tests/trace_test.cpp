// The lines the generator writes to the diagnostic trace.
#include <iconv.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gen_test_util.h"
#include "generator/bunkai_shazai.h"
#include "model/spy.h"
#include "model/tests/model_builder.h"

namespace tarvik::generator::testing {
namespace {

class Trace : public ::testing::Test, public GenFixture {
  protected:
    std::string path = (std::filesystem::temp_directory_path() /
                        ("gen_trace_" + std::to_string(::getpid()) + ".txt"))
                           .string();

    void SetUp() override { ASSERT_TRUE(model::spy_open(path)); }
    void TearDown() override {
        model::spy_close();
        std::filesystem::remove(path);
    }

    // The trace as UTF-8 lines without their CR LF.
    std::vector<std::string> lines() {
        model::spy_close();
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        std::string sjis = s.str();
        std::string utf8(sjis.size() * 2 + 4, '\0');
        iconv_t cd = iconv_open("UTF-8", "CP932");
        char* ip = sjis.data();
        size_t il = sjis.size();
        char* op = utf8.data();
        size_t ol = utf8.size();
        iconv(cd, &ip, &il, &op, &ol);
        iconv_close(cd);
        utf8.resize(utf8.size() - ol);
        std::vector<std::string> out;
        std::istringstream ls(utf8);
        for (std::string line; std::getline(ls, line);) {
            EXPECT_FALSE(line.empty() || line.back() != '\r') << line;
            if (!line.empty()) line.pop_back();
            out.push_back(line);
        }
        return out;
    }

    static int index_of(const std::vector<std::string>& v, const std::string& line) {
        for (size_t i = 0; i < v.size(); ++i)
            if (v[i] == line) return static_cast<int>(i);
        return -1;
    }
};

TEST_F(Trace, EveryMemberIsTracedWithItsNodesAndSection) {
    Generator g = gen();
    ASSERT_EQ(g.make_hashira(), 0);
    const auto v = lines();
    ASSERT_EQ(v.size(), 5u);
    EXPECT_EQ(v[0], "Enter make_hashira()");
    EXPECT_EQ(v[1],
              "N_BEAM     0 no     1 noi     1 noj     2 xs     0.0 ys     0.0 zs    50.0 "
              "xl     0.0 yl     0.0 zl    95.0 haba    12.0 atumi    12.0");
    EXPECT_EQ(v[4].substr(0, 41), "N_BEAM     3 no     4 noi     7 noj     8");
}

TEST_F(Trace, GroupsAreLabelledInTheirOrder) {
    columns(kSumiType1, 1);
    Generator g = gen();
    g.make_waku();
    g.make_gaichu();
    const auto v = lines();
    int last = -1;
    for (const char* label :
         {"枠材X軸に平行", "枠材Y軸に平行", "下枠材X軸に平行", "下枠材Y軸に平行", "第１の柱",
          "第2の柱", "第3の柱", "２本の横柱", "１６本の筋交い"}) {
        const int at = index_of(v, label);
        EXPECT_GT(at, last) << label;
        last = at;
    }
}

TEST_F(Trace, StoreyCopyListsItsLevelsAndNamesTheFailingMember) {
    d.nx = 1;
    d.ny = 1;
    columns(kSumiType1, 2);
    Generator g = gen();
    g.make_hashira();
    tarvik::testing::add_member(*m, msg, 0, 0, 50, 0, 0, 170.3f, 12, 12, 6);
    EXPECT_EQ(g.make_2kai(), -1);
    const auto v = lines();
    EXPECT_GE(index_of(v, "i     0 level[i]    50.0"), 0);
    EXPECT_GE(index_of(v, "i    11 level[i]   620.0"), 0);
    EXPECT_GE(index_of(v, "(2) レベル検索に失敗したi     4 z    170.3"), 0);
}

TEST_F(Trace, UnitFieldWritesItsValues) {
    Box3 box;
    ASSERT_EQ(bunkai_shazai(*m, "1 2 2 90.0 45.0 12.0 11.0 10.0 9.0 8.0 0.0 0.0 100.0", box, msg),
              0);
    const auto v = lines();
    EXPECT_GE(index_of(v, "ntask     1 nx     2 ny     2 tuka_haba     90.0 tuka_takasa     45.0"),
              0);
    EXPECT_GE(index_of(v, "shazai_haba      9.0 sujikai_haba_haba      8.0"), 0);
    EXPECT_GE(index_of(v, "x_kaishi      0.0 y_kaishi      0.0 z_kaishi    100.0"), 0);
}

}  // namespace
}  // namespace tarvik::generator::testing
