// The basic-data window through its presenter.
#include "generator/kihon_form.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gen_test_util.h"
#include "generator/yane_form.h"

namespace tarvik::generator::testing {
namespace {

struct FakeKihonView : KihonView {
    std::map<KihonField, std::string> text;
    std::map<KihonField, bool> enabled;
    std::map<KihonGroup, int> selected;
    std::vector<bool> busy;
    int closed = -2;  // result of close_window; -2 while open
    int yane_opened = 0;
    // What the roof window does: edits d and returns its result.
    std::function<int(BasicData&)> yane = [](BasicData&) { return 1; };

    std::string field_text(KihonField f) const override {
        const auto it = text.find(f);
        return it == text.end() ? std::string() : it->second;
    }
    void set_field_text(KihonField f, const std::string& t) override { text[f] = t; }
    void set_field_enabled(KihonField f, bool e) override { enabled[f] = e; }
    void select_item(KihonGroup g, int item) override { selected[g] = item; }
    void set_busy(bool b) override { busy.push_back(b); }
    int open_yane_form(BasicData& d) override {
        ++yane_opened;
        return yane(d);
    }
    void close_window(int result) override { closed = result; }
};

struct KihonForm : ::testing::Test {
    BasicData d = default_basic_data();
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    FakeKihonView view;
    ScriptedMessages msg;
    KihonPresenter p{d, *m, view, msg};

    KihonForm() { p.FormShow(); }

    // Choices as the user clicks them.
    void choose(int sumi, int sou, int yane) {
        p.SumiRadioGroupClick(sumi);
        if (sou >= 0) p.SouRadioGroupClick(sou);
        if (yane >= 0) p.YaneRadioGroupClick(yane);
    }
};

TEST_F(KihonForm, OpeningShowsTheValuesAndChoices) {
    EXPECT_EQ(view.text[KihonField::Xtuka], "    8");
    EXPECT_EQ(view.text[KihonField::TukaHaba], "    90.0");
    EXPECT_EQ(view.text[KihonField::Gen], "    10.0");
    EXPECT_EQ(view.text[KihonField::Lowest], "     50.0");
    EXPECT_EQ(view.text[KihonField::No3HashiraHeight], "    240.0");
    EXPECT_EQ(view.text[KihonField::YaneTakasa], "    180.0");
    EXPECT_EQ(view.selected[KihonGroup::Sumi], 0);
    EXPECT_EQ(view.selected[KihonGroup::Sou], -1);   // no storey count chosen yet
    EXPECT_EQ(view.selected[KihonGroup::Yane], -1);  // no top shape chosen yet
    EXPECT_FALSE(view.enabled[KihonField::YaneTakasa]);
    EXPECT_FALSE(view.enabled[KihonField::YaneHashira]);
    EXPECT_TRUE(view.enabled[KihonField::No1HashiraHeight]);
    EXPECT_FALSE(view.enabled[KihonField::No2HashiraHeight]);
}

TEST_F(KihonForm, OpeningClearsSouMode) {
    d.SouMode = 1;
    p.FormShow();
    EXPECT_EQ(d.SouMode, 0);
}

TEST_F(KihonForm, StoreyChoiceEnablesItsHeights) {
    p.SouRadioGroupClick(1);
    EXPECT_EQ(d.N_Sou, 2);
    EXPECT_TRUE(view.enabled[KihonField::No2HashiraHeight]);
    EXPECT_FALSE(view.enabled[KihonField::No3HashiraHeight]);
    p.SouRadioGroupClick(2);
    EXPECT_TRUE(view.enabled[KihonField::No3HashiraHeight]);
    p.SouRadioGroupClick(0);
    EXPECT_FALSE(view.enabled[KihonField::No2HashiraHeight]);
    EXPECT_FALSE(view.enabled[KihonField::No3HashiraHeight]);
}

// One row per refusal: the choices, a height typed in, and the message.
struct Refusal {
    int sumi, sou, yane;
    KihonField field;
    const char* text;
    const char* message;
};

class KihonRefusals : public KihonForm, public ::testing::WithParamInterface<Refusal> {};

TEST_P(KihonRefusals, ShowTheirMessageAndKeepTheWindowOpen) {
    const Refusal& r = GetParam();
    choose(r.sumi, r.sou, r.yane);
    view.text[r.field] = r.text;
    p.OKButtonClick();
    EXPECT_EQ(msg.shown, std::vector<std::string>{r.message});
    EXPECT_EQ(view.closed, -2);
    EXPECT_EQ(d.N_Kihon, -1);
}

INSTANTIATE_TEST_SUITE_P(
    InOrder, KihonRefusals,
    ::testing::Values(
        // Columns come first: their heights.
        Refusal{1, 0, -1, KihonField::No1HashiraHeight, "0", "柱高さを入力してください 01"},
        Refusal{2, 1, 0, KihonField::No2HashiraHeight, "0.0", "柱高さを入力してください 02"},
        Refusal{1, 2, 0, KihonField::No3HashiraHeight, "-5", "柱高さを入力してください 03"},
        // Three storeys need the second height too.
        Refusal{1, 2, 0, KihonField::No2HashiraHeight, "0", "柱高さを入力してください 02"},
        // A second storey's height is not looked at for one storey.
        Refusal{1, 0, -1, KihonField::No2HashiraHeight, "0", "屋根形状が指定されていない"},
        // No columns with more than the floor.
        Refusal{0, 1, 0, KihonField::Lowest, "50", "柱なしが指定されている"},
        Refusal{0, 0, 2, KihonField::Lowest, "50", "柱なしが指定されている"},
        Refusal{0, -1, -1, KihonField::Lowest, "50", "屋根形状が指定されていない"},
        // Numbers come before every choice.
        Refusal{1, 0, -1, KihonField::TukaHaba, "9o.0", "「束巾」には数値を入力してください"},
        Refusal{0, 0, 0, KihonField::Xtuka, "8.5", "「X束数」には数値を入力してください"},
        Refusal{0, 0, 0, KihonField::Ytuka, "0", "「Y束数」には正の値を入力してください"},
        Refusal{0, 0, 0, KihonField::Sha, "  ", "「斜材巾」には数値を入力してください"}));

TEST_F(KihonForm, TextThatIsNotANumberStoresNothing) {
    choose(0, 0, 0);
    view.text[KihonField::Xtuka] = "5";
    view.text[KihonField::Lowest] = "abc";
    p.OKButtonClick();
    EXPECT_EQ(d.nx, 8);
    EXPECT_EQ(d.lowest_level, 50.0f);
    EXPECT_EQ(view.closed, -2);
    // Corrected, it passes.
    view.text[KihonField::Lowest] = " 60.0 ";
    msg.shown.clear();
    p.OKButtonClick();
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_EQ(d.nx, 5);
    EXPECT_EQ(d.lowest_level, 60.0f);
    EXPECT_EQ(view.closed, 1);
}

TEST_F(KihonForm, OkWithTheFloorAloneStoresAndCloses) {
    choose(0, 0, 0);
    p.OKButtonClick();
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_EQ(d.N_Kihon, 1);
    EXPECT_EQ(view.closed, 1);
    EXPECT_EQ(d.SouMode, 0);
    EXPECT_EQ(d.Takasa, 95.0f);
    EXPECT_EQ(view.text[KihonField::Takasa], "     95.0");
    EXPECT_EQ(view.busy, (std::vector<bool>{true, false}));
}

TEST_F(KihonForm, CheckShowsTheHeightWithoutClosing) {
    choose(1, 1, 2);  // type I, two storeys, eaves
    p.CheckButtonClick();
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_EQ(view.closed, -2);
    EXPECT_EQ(d.SouMode, 1);
    EXPECT_EQ(d.SumiType, 1);
    EXPECT_EQ(d.YaneMode, kYaneEaves);
    EXPECT_EQ(d.Takasa, 50.0f + 240 + 45 + 240 + 45);
    EXPECT_EQ(view.text[KihonField::Takasa], "    620.0");
}

TEST_F(KihonForm, NoStoreyCountChosenMeansOneStorey) {
    choose(1, -1, 0);
    p.OKButtonClick();
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_EQ(d.N_Sou, 1);
    EXPECT_EQ(view.selected[KihonGroup::Sou], 0);
    EXPECT_EQ(d.Takasa, 335.0f);
}

TEST_F(KihonForm, DroppingTheColumnsAfterACheckTakesTheFloorOffThem) {
    choose(1, 0, 0);
    p.CheckButtonClick();
    ASSERT_EQ(d.SouMode, 1);
    p.SumiRadioGroupClick(0);
    p.OKButtonClick();
    EXPECT_EQ(d.SouMode, 0);
    EXPECT_EQ(d.SumiType, 0);
}

TEST_F(KihonForm, ConfirmedRoofShowsItsValuesAndClearsTheStoreysAbove) {
    choose(1, 0, -1);
    view.yane = [](BasicData& b) {
        b.yane_takasa = 200.0f;
        return 1;
    };
    p.YaneRadioGroupClick(1);
    EXPECT_EQ(view.yane_opened, 1);
    EXPECT_EQ(d.YaneMode, kYaneRoof);
    EXPECT_EQ(view.text[KihonField::YaneTakasa], "    200.0");
    EXPECT_EQ(view.text[KihonField::YaneHashira], "    240.0");
    EXPECT_EQ(d.hashira_takasa[1], 0.0f);
    EXPECT_EQ(d.hashira_takasa[2], 0.0f);
    EXPECT_EQ(view.text[KihonField::No2HashiraHeight], "      0.0");
    p.OKButtonClick();
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_EQ(d.Takasa, 50.0f + 240 + 45 + 240 + 200);
}

TEST_F(KihonForm, RoofOnTwoStoreysClearsTheThirdOnly) {
    choose(1, 1, 1);
    EXPECT_EQ(d.hashira_takasa[1], 240.0f);
    EXPECT_EQ(d.hashira_takasa[2], 0.0f);
}

TEST_F(KihonForm, RoofOnThreeStoreysPassesWithTheHeightUnchanged) {
    choose(2, 2, -1);
    view.text[KihonField::No3HashiraHeight] = "200";
    p.YaneRadioGroupClick(1);  // clears the third height
    view.text[KihonField::No3HashiraHeight] = "200";
    p.OKButtonClick();
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_EQ(d.N_Sou, 3);
    EXPECT_EQ(d.Takasa, 95.0f);
}

TEST_F(KihonForm, CancelledRoofReturnsToNothingOnTop) {
    choose(1, 0, -1);
    view.yane = [](BasicData&) { return 0; };
    p.YaneRadioGroupClick(1);
    EXPECT_EQ(view.selected[KihonGroup::Yane], 0);
    EXPECT_EQ(p.yane_item(), 0);
    EXPECT_EQ(d.YaneMode, kYaneNothing);
    EXPECT_EQ(d.yane_takasa, 0.0f);
    EXPECT_EQ(d.hashira_takasa[1], 240.0f);
}

TEST_F(KihonForm, NothingOrEavesOnTopClearTheRoofValues) {
    p.YaneRadioGroupClick(2);
    EXPECT_EQ(d.YaneMode, kYaneEaves);
    EXPECT_EQ(d.yane_takasa, 0.0f);
    EXPECT_EQ(d.yane_hashira, 0.0f);
    EXPECT_EQ(view.text[KihonField::YaneHashira], "      0.0");
    p.YaneRadioGroupClick(0);
    EXPECT_EQ(d.YaneMode, kYaneNothing);
}

TEST_F(KihonForm, CancelGivesBackTheUnitValuesAndTheFirstMaterial) {
    m->mat[0].young = 1234.0f;
    m->mat[0].mitudo = 0.25f;
    p.FormShow();
    view.text[KihonField::Xtuka] = "5";
    view.text[KihonField::Suji] = "7.5";
    choose(0, 0, 0);
    p.CheckButtonClick();
    ASSERT_EQ(d.nx, 5);
    m->mat[0].young = 1.0f;
    m->mat[0].mitudo = 2.0f;
    p.CancelButtonClick();
    EXPECT_EQ(d.nx, 8);
    EXPECT_EQ(d.sujikai_haba, 9.0f);
    EXPECT_EQ(m->mat[0].young, 1234.0f);
    EXPECT_EQ(m->mat[0].mitudo, 0.25f);
    EXPECT_EQ(d.N_Kihon, 0);
    EXPECT_EQ(view.closed, 0);
}

// The roof window opened from the basic-data window on the same data.
TEST_F(KihonForm, RoofWindowOnTheSameData) {
    struct FakeYaneView : YaneView {
        std::map<YaneField, std::string> text;
        std::string field_text(YaneField f) const override { return text.at(f); }
        void set_field_text(YaneField f, const std::string& t) override { text[f] = t; }
        void close_window(int) override {}
    };
    view.yane = [this](BasicData& b) {
        FakeYaneView yv;
        YanePresenter yp(b, yv, msg);
        yp.FormShow();
        yv.text[YaneField::YaneHashira] = "300";
        yp.OKButtonClick();
        return yp.result();
    };
    choose(1, 0, 1);
    EXPECT_EQ(d.yane_hashira, 300.0f);
    EXPECT_EQ(d.yane_hashira_type, 1);
    EXPECT_EQ(view.text[KihonField::YaneHashira], "    300.0");
}

}  // namespace
}  // namespace tarvik::generator::testing
