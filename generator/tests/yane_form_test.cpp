// The roof window through its presenter.
#include "generator/yane_form.h"

#include <map>
#include <string>
#include <vector>

#include "gen_test_util.h"

namespace tarvik::generator::testing {
namespace {

struct FakeYaneView : YaneView {
    std::map<YaneField, std::string> text;
    int closed = -2;
    std::string field_text(YaneField f) const override { return text.at(f); }
    void set_field_text(YaneField f, const std::string& t) override { text[f] = t; }
    void close_window(int result) override { closed = result; }
};

struct YaneForm : ::testing::Test {
    BasicData d = default_basic_data();
    FakeYaneView view;
    ScriptedMessages msg;
    YanePresenter p{d, view, msg};

    YaneForm() {
        d.SumiType = kSumiType2;
        p.FormShow();
    }
};

TEST_F(YaneForm, OpeningShowsTheRoofValues) {
    ASSERT_EQ(view.text.size(), static_cast<size_t>(kYaneFieldCount));
    EXPECT_EQ(view.text[YaneField::YaneType], "     1");
    EXPECT_EQ(view.text[YaneField::HashiraType], "     2");  // from the column type
    EXPECT_EQ(view.text[YaneField::YaneTakasa], "    180.0");
    EXPECT_EQ(view.text[YaneField::YaneHashira], "     240.0");
    EXPECT_EQ(view.text[YaneField::KetaAtumi], "      18.0");
    EXPECT_EQ(view.text[YaneField::MoyaAtumi], "      12.0");
    EXPECT_EQ(p.result(), -1);
}

TEST_F(YaneForm, OkReadsEveryField) {
    view.text[YaneField::YaneType] = "2";
    view.text[YaneField::YaneTakasa] = "150.5";
    view.text[YaneField::Futosa] = "15";
    view.text[YaneField::HiuchiHaba] = "10.5";
    view.text[YaneField::MoyaAtumi] = "9";
    p.OKButtonClick();
    EXPECT_TRUE(msg.shown.empty());
    EXPECT_EQ(p.result(), 1);
    EXPECT_EQ(view.closed, 1);
    EXPECT_EQ(d.yane_type, 2);
    EXPECT_EQ(d.yane_takasa, 150.5f);
    EXPECT_EQ(d.futosa, 15.0f);
    EXPECT_EQ(d.hiuchi_haba, 10.5f);
    EXPECT_EQ(d.moya_atumi, 9.0f);
    EXPECT_EQ(d.keta_atumi, 18.0f);
}

TEST_F(YaneForm, RefusedFieldsStoreNothingAndKeepTheWindowOpen) {
    view.text[YaneField::YaneTakasa] = "150";
    view.text[YaneField::SumiAtumi] = "x18";
    p.OKButtonClick();
    EXPECT_EQ(msg.shown, std::vector<std::string>{"「隅合掌 厚み」には数値を入力してください"});
    EXPECT_EQ(d.yane_takasa, 180.0f);
    EXPECT_EQ(view.closed, -2);
    EXPECT_EQ(p.result(), -1);

    msg.shown.clear();
    view.text[YaneField::SumiAtumi] = "18";
    view.text[YaneField::YaneHashira] = "0";
    p.OKButtonClick();
    EXPECT_EQ(msg.shown, std::vector<std::string>{"「屋根柱 高さ」には正の値を入力してください"});
    EXPECT_EQ(d.yane_takasa, 180.0f);
}

TEST_F(YaneForm, CancelLeavesEveryRoofValueAsItWasAtOpening) {
    const BasicData before = d;
    view.text[YaneField::YaneTakasa] = "100";
    view.text[YaneField::KetaHaba] = "bad";
    p.OKButtonClick();    // refused
    d.keta_haba = 99.0f;  // changed behind the window's back
    p.CancelButtonClick();
    EXPECT_EQ(p.result(), 0);
    EXPECT_EQ(view.closed, 0);
    EXPECT_EQ(d.yane_takasa, before.yane_takasa);
    EXPECT_EQ(d.yane_hashira, before.yane_hashira);
    EXPECT_EQ(d.keta_haba, before.keta_haba);
    EXPECT_EQ(d.moya_atumi, before.moya_atumi);
}

}  // namespace
}  // namespace tarvik::generator::testing
