// The list windows, the level filter, deletion, the saved axial force table
// and the ID search.
#include <gtest/gtest.h>

#include <memory>

#include "analysis/result_lists.h"
#include "analysis/stress_diagram.h"
#include "analysis/tests/fakes.h"
#include "files/tests/test_dir.h"
#include "model/tests/scripted_messages.h"
#include "model/text_code.h"
#include "render/recording_canvas.h"

namespace tarvik::analysis {
namespace {

using tarvik::testing::ScriptedMessages;
using testing::FakeListView;

StressRecord member(int no, const char* iname, const char* jname, float force, float percent) {
    StressRecord s{};
    s.no = no;
    set_name(s.iname, iname);
    set_name(s.jname, jname);
    s.old_noi = no * 10;
    s.old_noj = no * 10 + 1;
    s.force = force;
    s.percent = percent;
    s.p1 = force;
    s.p2 = force;
    s.xj = 100.0f;
    return s;
}

struct Lists : ::testing::Test {
    std::unique_ptr<ResultTables> t = std::make_unique<ResultTables>();
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    FoundTable found;
    FakeListView view;
    ScriptedMessages msg;

    void SetUp() override {
        m->N_X = 3;
        m->N_Y = 2;
        m->N_Z = 2;
        // In table order: largest share first, member numbers in no order.
        t->stress[0] = member(12, "X00Y00Z01", "X02Y00Z01", -300.0f, 100.0f);
        t->stress[1] = member(3, "X00Y00Z00", "X00Y00Z01", 150.0f, 50.0f);
        t->stress[2] = member(7, "X02Y00Z00", "X02Y01Z00", -30.0f, 10.0f);
        t->N_Stress = 3;
        t->disp[0] = DispRecord{20, "X02Y00Z01", 0.5f, 0.0f, -1.0f, 0, 0, 0, 1.118f};
        t->disp[1] = DispRecord{4, "X00Y00Z00", 0.0f, 0.0f, 0.0f, 0, 0, 0, 0.0f};
        t->N_Disp = 2;
    }
    std::vector<int> numbers_in_grid(int column = 1) const {
        std::vector<int> v;
        for (size_t r = 1; r < view.grid.size(); ++r)
            if (!view.grid[r][column].empty()) v.push_back(std::stoi(view.grid[r][column]));
        return v;
    }
};

TEST_F(Lists, AxialListShowsEveryMemberInTableOrderWithItsFormats) {
    KekkaPresenter p(kListAxial, *t, *m, found, view, msg);
    p.FormShow();
    EXPECT_EQ(view.left, 64);
    EXPECT_EQ(view.top, 64);
    EXPECT_EQ(view.fields[ListField::XMaxLabel], "     2");
    EXPECT_EQ(view.fields[ListField::SouNum], "3");
    EXPECT_EQ(view.fields[ListField::Scale], "1.0");
    ASSERT_EQ(view.grid.size(), 4u);
    EXPECT_EQ(view.grid[0], axial_header());
    EXPECT_EQ(view.grid[1], (std::vector<std::string>{"    1", "12", "  120", "X00Y00Z01", "  121",
                                                      "X02Y00Z01", "   -300.0", "    100.0"}));
    EXPECT_EQ(numbers_in_grid(), (std::vector<int>{12, 3, 7}));
}

TEST_F(Lists, DisplacementListHasSevenColumns) {
    KekkaPresenter p(kListDisp, *t, *m, found, view, msg);
    p.FormShow();
    ASSERT_EQ(view.grid.size(), 3u);
    EXPECT_EQ(view.grid[1], (std::vector<std::string>{"    1", "   20", "X02Y00Z01", "   0.500",
                                                      "   0.000", "  -1.000", "   1.118"}));
}

TEST_F(Lists, LevelFilterKeepsMembersWhollyInsideTheBox) {
    KekkaPresenter p(kListAxial, *t, *m, found, view, msg);
    p.FormShow();
    // Z01 alone: only the member lying wholly on level Z01.
    view.fields[ListField::ZMin] = "Z01";
    p.LevelSpeedButtonClick();
    EXPECT_EQ(numbers_in_grid(), std::vector<int>{12});
    EXPECT_EQ(view.grid[1][0], "    1");
    EXPECT_EQ(view.fields[ListField::KensakuNum], "1");
    ASSERT_EQ(found.rows.size(), 1u);
    EXPECT_EQ(found.rows[0].no, 12);
    // The grid keeps its rows; the rest are blank.
    ASSERT_EQ(view.grid.size(), 4u);
    ASSERT_GE(view.grid[3].size(), 2u);
    EXPECT_TRUE(view.grid[3][1].empty());

    // X02 in the minimum: both ends must lie at X02 or beyond; a member
    // crossing the bound is left out.
    view.fields[ListField::ZMin] = "";
    view.fields[ListField::XMin] = "X02";
    p.LevelSpeedButtonClick();
    EXPECT_EQ(numbers_in_grid(), std::vector<int>{7});

    // A text that is no level code is refused with a message; the grid stays.
    view.fields[ListField::XMin] = "02";
    p.LevelSpeedButtonClick();
    EXPECT_EQ(numbers_in_grid(), std::vector<int>{7});
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0].rfind("「02」はX方向の階の記号ではありません", 0), 0u) << msg.shown[0];

    // Every field empty: the filter is off, all rows again.
    view.fields[ListField::XMin] = "";
    p.LevelSpeedButtonClick();
    EXPECT_EQ(numbers_in_grid(), (std::vector<int>{12, 3, 7}));
    EXPECT_EQ(view.fields[ListField::KensakuNum], "");
}

TEST_F(Lists, DisplacementFilterTestsTheNodeCode) {
    KekkaPresenter p(kListDisp, *t, *m, found, view, msg);
    p.FormShow();
    view.fields[ListField::XMax] = "X01";
    p.LevelSpeedButtonClick();
    ASSERT_GE(view.grid.size(), 2u);
    EXPECT_EQ(view.grid[1][1], "    4");
    EXPECT_TRUE(view.grid[2][1].empty());
}

TEST_F(Lists, StressRowsAndDeletionOfEveryEntryOfThatMember) {
    StressPresenter p(*t, *m, found, view, msg);
    p.FormShow();
    ASSERT_EQ(view.grid.size(), 4u);
    EXPECT_EQ(view.grid[0], stress_header());
    EXPECT_EQ(view.grid[1][2], "-3.000e+02");

    // The header row selects nothing: the button does nothing.
    p.GridSelectCell(0);
    p.SakujyoButtonClick();
    EXPECT_TRUE(view.sakujyo_shown.empty());

    // Cancel keeps the row.
    p.GridSelectCell(2);
    view.sakujyo_answers = {0};
    p.SakujyoButtonClick();
    ASSERT_EQ(view.sakujyo_shown.size(), 1u);
    EXPECT_EQ(view.sakujyo_shown[0].no, "3");
    EXPECT_EQ(view.sakujyo_shown[0].jiku[0], " 1.500e+02");
    EXPECT_EQ(numbers_in_grid(), (std::vector<int>{12, 3, 7}));

    // OK removes it and renumbers.
    view.sakujyo_answers = {1};
    p.SakujyoButtonClick();
    EXPECT_EQ(numbers_in_grid(), (std::vector<int>{12, 7}));
    EXPECT_EQ(view.grid[2][0], "    2");
    ASSERT_EQ(found.rows.size(), 2u);
    // The selection went with the row.
    p.SakujyoButtonClick();
    EXPECT_EQ(view.sakujyo_shown.size(), 2u);
}

TEST_F(Lists, DiagramOnlyForASelection) {
    StressPresenter p(*t, *m, found, view, msg);
    p.FormShow();
    p.ShowButtonClick();
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgOnlySearched});
    EXPECT_EQ(view.show_stress_runs, 0);
    view.fields[ListField::YMin] = "Y00";
    view.fields[ListField::YMax] = "Y00";
    p.LevelSpeedButtonClick();
    EXPECT_EQ(numbers_in_grid(), (std::vector<int>{12, 3}));
    p.ShowButtonClick();
    EXPECT_EQ(view.show_stress_runs, 1);
}

TEST_F(Lists, SavedTableListsMembersByShareInShiftJis) {
    tarvik::testing::TempDir dir;
    const std::string path = dir.file("kekka.txt");
    ASSERT_EQ(save_stress_table(path, *t, msg), 0);
    const std::string bytes = tarvik::testing::read_bytes(path);
    const std::string expected =
        model::to_cp932(path + "     3\r\n" +
                 " No    部材　Ｉ節点　節点名  J節点  節点名    軸力       最大値％\r\n") +
        "     1    12   120 X00Y00Z01   121 X02Y00Z01 -3.00000e+02      100.0\r\n"
        "     2     3    30 X00Y00Z00    31 X00Y00Z01  1.50000e+02       50.0\r\n"
        "     3     7    70 X02Y00Z00    71 X02Y01Z00 -3.00000e+01       10.0\r\n";
    EXPECT_EQ(bytes, expected);
    // "部材" in Shift-JIS.
    EXPECT_NE(bytes.find("\x95\x94\x8d\xde"), std::string::npos);
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(Lists, SavingWithoutDataOrToAnUnwritablePlaceWritesNothing) {
    tarvik::testing::TempDir dir;
    t->N_Stress = 0;
    EXPECT_EQ(save_stress_table(dir.file("x.txt"), *t, msg), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgNoData});
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.txt")));
    t->N_Stress = 3;
    msg.shown.clear();
    EXPECT_EQ(save_stress_table(dir.file("no/such/folder.txt"), *t, msg), -1);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgWriteFailed});
}

TEST_F(Lists, IdSearchFindsMembersAtEitherEndOnce) {
    KensakuPresenter k(*t, found, msg);
    EXPECT_FALSE(k.KensakuButtonClick("X09Y09Z09"));
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgIdNotFound});
    // X00Y00Z01 is end I of member 12 and end J of member 3.
    EXPECT_TRUE(k.KensakuButtonClick("X00Y00Z01extra"));
    EXPECT_EQ(found.OnKensaku, 1);
    EXPECT_EQ(found.KensakuID, "X00Y00Z01");
    collect_found(*t, found);
    ASSERT_EQ(found.rows.size(), 2u);
    EXPECT_EQ(found.rows[0].no, 12);
    EXPECT_EQ(found.rows[1].no, 3);
    const Grid g = find_grid(found);
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[0].size(), 8u);
    EXPECT_EQ(g[2][1], "3");
    EXPECT_TRUE(k.Button1Click());
    EXPECT_EQ(found.OnKensaku, 0);
}

class FakeDiagramView : public ShowStressView {
  public:
    std::string scale;
    int repaints = 0;
    void set_scale_text(const std::string& text) override { scale = text; }
    void set_tau(int, const std::string&) override {}
    void set_fai(int, const std::string&) override {}
    void select_zumen(int) override {}
    void select_shu(int) override {}
    void repaint() override { ++repaints; }
};

TEST_F(Lists, DiagramScaleMakesTheLargestOrdinateAsLongAsTheShortestMember) {
    found.rows = {t->stress[0], t->stress[1]};  // both 100 long, forces -300 and 150
    FakeDiagramView dv;
    ShowStressPresenter p(found, 30.0f, 30.0f, dv);
    p.FormShow();
    EXPECT_FLOAT_EQ(p.scale(), 100.0f / 300.0f);
    EXPECT_EQ(dv.scale, "   0.333");
    render::RecordingCanvas c(600, 400);
    p.FormPaint(c);
    const auto lines = c.of(render::RecordingCanvas::Kind::Line);
    // Per member its line, then three dotted diagram lines.
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].pen.width, 2);
    EXPECT_EQ(lines[1].pen.style, render::kDotted);
    // The legend: what the lines are, the scale in use and the unit.
    EXPECT_EQ(c.texts(),
              (std::vector<std::string>{
                  "太い実線: 部材",
                  "点線: 軸力図。部材からの距離 = 値 × 0.3333 cm/kgf (最大の値が最短の部材の長さ)",
                  "軸力の単位 kgf"}));
    // A kind without any force keeps the diagram on the members.
    p.set_kind(kTorsion);
    EXPECT_EQ(p.scale(), 0.0f);
    render::RecordingCanvas m(600, 400);
    p.FormPaint(m);
    EXPECT_EQ(m.texts().back(), "ねじりモーメントの単位 kgf·cm");
}

}  // namespace
}  // namespace tarvik::analysis
