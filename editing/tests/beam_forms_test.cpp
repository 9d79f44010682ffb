// The member data window, its section, material and member dialogs, and the
// member data dialog, driven through their presenters.
#include <gtest/gtest.h>

#include <cmath>

#include "editing/beam_form.h"
#include "editing/sel_beam_form.h"
#include "editing/tests/fake_views.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::editing {
namespace {

using testing::DialogStep;
using testing::Press;

// A portal of 12 x 12 posts and a 12 x 24 beam, sized and named as the main
// window does after making a model.
class BeamWindow : public testing::ListWindowTest<SelBeamPresenter, BeamEditExchange,
                                                  testing::FakeSelBeamView,
                                                  testing::ScriptedBeamDialogs> {
  protected:
    BeamWindow() {
        tarvik::testing::add_member(m, msg, 0, 0, 0, 0, 0, 300);
        tarvik::testing::add_member(m, msg, 300, 0, 0, 300, 0, 300);
        tarvik::testing::add_member(m, msg, 0, 0, 300, 300, 0, 300, 12, 24);
        EXPECT_EQ(model::check_size(m, msg), 0);
        model::assign_materials(m);
        EXPECT_EQ(model::save_level_name(m, msg), 0);
    }
    void hen_size(int row, DialogStep step) {
        click(&SelBeamPresenter::SizeStringGridSelectCell, row,
              &SelBeamPresenter::HabahenSpeedButtonClick, step);
    }
};

TEST_F(BeamWindow, GridsShowMembersSectionsAndMaterials) {
    open();
    ASSERT_EQ(m.N_Size, 2);
    const GridRows& beams = view.grids[BeamGrid::Zen];
    ASSERT_EQ(beams.size(), 4u);
    EXPECT_EQ(beams[0], (std::vector<std::string>{"No", "IDi", "IDj", "形状", "物性"}));
    EXPECT_EQ(beams[3],
              (std::vector<std::string>{"    3", "X00Y00Z01", "X01Y00Z01", "    2", "    2"}));
    const GridRows& sizes = view.grids[BeamGrid::Size];
    ASSERT_EQ(sizes.size(), 3u);
    EXPECT_EQ(sizes[0], (std::vector<std::string>{"No", "巾", "厚み", "断面積", "垂直2次",
                                                  "水平2次", "ねじれ", "ColdAngle"}));
    EXPECT_EQ(sizes[1],
              (std::vector<std::string>{"    1", "    12.0", "    12.0", " 1.440e+02", " 1.728e+03",
                                        " 1.728e+03", " 2.915e+03", "     0.0"}));
    const GridRows& mats = view.grids[BeamGrid::Mat];
    ASSERT_EQ(mats.size(), 3u);
    EXPECT_EQ(mats[0], (std::vector<std::string>{"No", "ヤング率", "ポアソン比", "質量密度"}));
    EXPECT_EQ(mats[2], (std::vector<std::string>{"    2", " 1.000e+05", "   0.300", " 5.000e-04"}));
    EXPECT_EQ(view.counts[BeamGrid::Zen], "3");
    EXPECT_EQ(view.counts[BeamGrid::Size], "2");
    EXPECT_EQ(view.counts[BeamGrid::Mat], "2");
}

struct BetaRow {
    float b, d;
    double beta;
};

class SectionBeta : public BeamWindow, public ::testing::WithParamInterface<BetaRow> {};

TEST_P(SectionBeta, ChangedSectionGetsItsConstants) {
    const BetaRow r = GetParam();
    open();
    hen_size(0, {{{HenSizePresenter::kHaba, cformat("%g", r.b)},
                  {HenSizePresenter::kAtumi, cformat("%g", r.d)}}});
    EXPECT_EQ(x.size_result, kResultOK);
    const model::SizeEntry& e = m.size[0];
    EXPECT_EQ(e.haba, r.b);
    EXPECT_EQ(e.atumi, r.d);
    const double b = r.b, d = r.d;
    EXPECT_FLOAT_EQ(e.A, static_cast<float>(b * d));
    EXPECT_FLOAT_EQ(e.Iy, static_cast<float>(b * d * d * d / 12));
    EXPECT_FLOAT_EQ(e.Iz, static_cast<float>(d * b * b * b / 12));
    EXPECT_FLOAT_EQ(e.J, static_cast<float>(r.beta * d * b * b * b));
    // The members keep their own section; the grid shows the new entry.
    EXPECT_EQ(m.beam[0].haba, 12.0f);
    EXPECT_EQ(view.grids[BeamGrid::Size][1][1], cformat("%8.1f", r.b));
}

INSTANTIATE_TEST_SUITE_P(Rows, SectionBeta,
                         ::testing::Values(BetaRow{12, 24, 0.229},   // r = 2.0
                                           BetaRow{10, 10, 0.1406},  // square
                                           BetaRow{24, 12, 0.1406},  // wide and flat
                                           BetaRow{10, 11, 0.166}, BetaRow{12, 18, 0.196},
                                           BetaRow{10, 25, 0.249}, BetaRow{10, 30, 0.263},
                                           BetaRow{10, 40, 0.281}, BetaRow{12, 60, 0.291},
                                           BetaRow{10, 100, 0.312}, BetaRow{12, 130, 0.333}));

TEST_F(BeamWindow, SectionOfTwelveByTwentyFour) {
    open();
    hen_size(0, {{{HenSizePresenter::kHaba, "12"},
                  {HenSizePresenter::kAtumi, "24"},
                  {HenSizePresenter::kAngle, "30"}}});
    EXPECT_FLOAT_EQ(m.size[0].J, 0.229f * 24 * 12 * 12 * 12);
    EXPECT_EQ(m.size[0].angle, 30.0f);
    EXPECT_EQ(dialogs.seen[0].shown,
              (std::vector<std::string>{"     1", "     12.0", "     12.0", "      0.0"}));
}

TEST_F(BeamWindow, UnchangedSectionGivesResultZero) {
    // A marker in a derived constant shows whether anything was recomputed.
    m.size[1].J = 1.0f;
    open();
    hen_size(1, {});
    EXPECT_EQ(x.size_result, kResultCancel);
    EXPECT_TRUE(dialogs.seen[0].view.closed);
    EXPECT_EQ(m.size[1].J, 1.0f);
    EXPECT_EQ(view.builds[BeamGrid::Size], 1);  // not refreshed

    // The same when the width has more decimals than the field shows.
    m.size[1].haba = 12.34f;
    hen_size(1, {});
    EXPECT_EQ(x.size_result, kResultCancel);
    EXPECT_EQ(m.size[1].haba, 12.34f);
}

TEST_F(BeamWindow, NonPositiveSectionIsRefusedAndCancelRestores) {
    const model::SizeEntry before = m.size[0];
    open();
    hen_size(0, {{{HenSizePresenter::kHaba, "0"}}, {Press::OK}});
    EXPECT_EQ(msg.last(), kBadHaba);
    EXPECT_FALSE(dialogs.seen.back().view.closed);
    EXPECT_EQ(x.size_result, kResultNone);
    hen_size(0, {{{HenSizePresenter::kHaba, "15"}, {HenSizePresenter::kAtumi, "-3"}},
                 {Press::OK, Press::Cancel}});
    EXPECT_EQ(msg.last(), kBadAtumi);
    EXPECT_EQ(x.size_result, kResultCancel);
    EXPECT_EQ(m.size[0].haba, before.haba);
    EXPECT_EQ(m.size[0].atumi, before.atumi);
    EXPECT_EQ(m.size[0].J, before.J);
    hen_size(0, {{{HenSizePresenter::kAngle, "x"}}, {Press::OK}});
    EXPECT_EQ(msg.last(), "Cold Angleの値「x」は数値ではありません");
}

TEST_F(BeamWindow, MaterialChecksInOrderAndStores) {
    open();
    form->MatStringGridSelectCell(1);
    dialogs.steps.push_back(
        {{{HenMatPresenter::kYoung, "0"}, {HenMatPresenter::kPoisson, "0"}}, {Press::OK}});
    form->MathenSpeedButtonClick();
    EXPECT_EQ(msg.last(), kBadYoung);
    dialogs.steps.push_back({{{HenMatPresenter::kPoisson, "0"}}, {Press::OK}});
    form->MathenSpeedButtonClick();
    EXPECT_EQ(msg.last(), kBadPoisson);
    dialogs.steps.push_back({{{HenMatPresenter::kMitudo, "-1e-4"}}, {Press::OK, Press::Cancel}});
    form->MathenSpeedButtonClick();
    EXPECT_EQ(msg.last(), kBadMitudo);
    EXPECT_EQ(x.mat_result, kResultCancel);
    EXPECT_EQ(m.mat[1].poisson, 0.3f);
    EXPECT_EQ(view.builds[BeamGrid::Mat], 1);

    dialogs.steps.push_back(
        {{{HenMatPresenter::kYoung, "9.0e4"}, {HenMatPresenter::kPoisson, "0.25"}}});
    form->MathenSpeedButtonClick();
    EXPECT_EQ(dialogs.seen.back().shown,
              (std::vector<std::string>{"     2", "  1.000e+05", "    0.300", "  5.000e-04"}));
    EXPECT_EQ(x.mat_result, kResultOK);
    EXPECT_EQ(m.mat[1].young, 90000.0f);
    EXPECT_EQ(m.mat[1].poisson, 0.25f);
    EXPECT_EQ(m.mat[1].mitudo, 0.0005f);  // untouched field: the exact value
    EXPECT_EQ(m.mat[0].young, 100000.0f);
    EXPECT_EQ(view.grids[BeamGrid::Mat][2][1], " 9.000e+04");
}

TEST_F(BeamWindow, MemberDetailsAndPersistingSelections) {
    open();
    form->ZenStringGridSelectCell(2);
    dialogs.steps.push_back({});
    form->ShousaiSpeedButtonClick();
    EXPECT_EQ(dialogs.opened.back(), "部材詳細");
    EXPECT_EQ(dialogs.seen.back().shown,
              (std::vector<std::string>{"     3", "     2", "X00Y00Z01", "     4", "X01Y00Z01",
                                        "      0.0", "      0.0", "    300.0", "    300.0",
                                        "      0.0", "    300.0", "     12.0", "     24.0"}));
    EXPECT_TRUE(dialogs.seen.back().view.closed);
    form->SizeStringGridSelectCell(1);
    form->MatStringGridSelectCell(7);  // beyond the table: ignored
    form->OKButtonClick();
    EXPECT_TRUE(view.closed);

    view = testing::FakeSelBeamView{};
    open();
    EXPECT_EQ(view.selected[BeamGrid::Zen], 2);
    EXPECT_EQ(view.selected[BeamGrid::Size], 1);
    EXPECT_EQ(view.selected[BeamGrid::Mat], 0);
}

TEST(BeamWindowEmpty, ButtonsSayWhyTheyCannotWork) {
    model::ModelStore m;
    tarvik::testing::ScriptedMessages msg;
    BeamEditExchange x;
    testing::FakeSelBeamView view;
    testing::ScriptedBeamDialogs dialogs{m, x, msg};
    SelBeamPresenter form(m, x, view, dialogs, msg);
    form.FormCreate();
    form.HabahenSpeedButtonClick();
    form.MathenSpeedButtonClick();
    form.ShousaiSpeedButtonClick();
    EXPECT_EQ(msg.shown, (std::vector<std::string>{kNoSizeRows, kNoMatRows, kNoBeamRows}));
    EXPECT_TRUE(dialogs.opened.empty());
}

// --- the member data dialog ----------------------------------------------

using BeamDataDialog = testing::DataDialogTest<BeamWindow, BeamFormPresenter, BeamDataExchange,
                                               &BeamDataExchange::SelectBeam>;

TEST_F(BeamDataDialog, OkAndAllMembers) {
    EXPECT_EQ(BeamFormPresenter::Layout().left, 32);
    EXPECT_STREQ(BeamFormPresenter::Layout().extra_caption, "全データ同一巾・厚みにする");
    auto d = run(0, {{{kHaba, "10.5"}, {kAtumi, "15"}}});
    EXPECT_EQ(data.result, kResultOK);
    EXPECT_EQ(m.beam[0].haba, 10.5f);
    EXPECT_EQ(m.beam[0].atumi, 15.0f);
    EXPECT_EQ(m.beam[1].haba, 12.0f);

    d = run(1, {{{kHaba, "9"}, {kAtumi, "18"}}, {Press::Extra}});
    EXPECT_EQ(data.result, kResultAll);
    EXPECT_EQ(m.beam[1].haba, 9.0f);
    EXPECT_EQ(m.beam[1].atumi, 18.0f);
    EXPECT_EQ(m.beam[2].haba, 12.0f);  // the caller gives it to the others
}

TEST_F(BeamDataDialog, CancelAfterTypingLeavesTheMember) {
    run(2, {{{kHaba, "30"}, {kAtumi, "40"}}, {Press::Cancel}});
    EXPECT_EQ(data.result, kResultCancel);
    EXPECT_EQ(m.beam[2].haba, 12.0f);
    EXPECT_EQ(m.beam[2].atumi, 24.0f);

    auto d = run(2, {{{kHaba, "0"}}, {Press::OK}});
    EXPECT_EQ(msg.last(), kBadHaba);
    EXPECT_FALSE(d.view.closed);
    d = run(2, {{{kAtumi, "deep"}}, {Press::Extra}});
    EXPECT_EQ(msg.last(), "厚みの値「deep」は数値ではありません");
    EXPECT_EQ(m.beam[2].atumi, 24.0f);
    EXPECT_EQ(data.result, kResultNone);

    run(7, {});
    EXPECT_EQ(data.result, kResultCancel);
    EXPECT_EQ(msg.last(), kNoBeamRows);
}

}  // namespace
}  // namespace tarvik::editing
