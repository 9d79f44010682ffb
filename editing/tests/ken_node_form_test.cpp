#include <gtest/gtest.h>

#include "editing/ken_node_form.h"
#include "editing/tests/fake_views.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::editing {
namespace {

class FakeHost : public KenNodeHost {
public:
    PickMode mode = PickMode::kKousoku;
    int repaints = 0;
    bool finished = false;
    // Flags of node 0 at each repaint, to see the search marks before the question.
    std::vector<int> flags_seen;
    model::ModelStore* m = nullptr;

    PickMode pick_mode() const override { return mode; }
    void repaint_main() override {
        ++repaints;
        if (m) flags_seen.push_back(m->node[0].flag);
    }
    void node_search_finished() override { finished = true; }
};

class FakeKenView : public KenNodeView, public testing::FakeLevelRange {
public:
    std::string tau_label, fai_label;
    int tau = -1, fai = -1, drawing = -1;

    void set_angles(int t, int f) override {
        tau = t;
        fai = f;
    }
    void set_tau_label(const std::string& t) override { tau_label = t; }
    void set_fai_label(const std::string& t) override { fai_label = t; }
    void select_drawing(int i) override { drawing = i; }
};

// A 3 x 1 x 2 grid of levels: posts at x = 0, 100, 200 joined at the top.
class NodeSearchWindow : public ::testing::Test {
protected:
    NodeSearchWindow() : core(m), form(m, core, params, host, view, msg) {
        for (float x : {0.0f, 100.0f, 200.0f}) tarvik::testing::add_member(m, msg, x, 0, 0, x, 0, 300);
        tarvik::testing::add_member(m, msg, 0, 0, 300, 100, 0, 300);
        tarvik::testing::add_member(m, msg, 100, 0, 300, 200, 0, 300);
        EXPECT_EQ(model::save_level_name(m, msg), 0);
        host.m = &m;
    }
    model::ModelStore m;
    tarvik::testing::ScriptedMessages msg;
    render::ViewParams params;
    KenNodeCore core;
    FakeHost host;
    FakeKenView view;
    KenNodePresenter form;
};

TEST_F(NodeSearchWindow, ShowingFillsTheFullRangeAndTheAngles) {
    params.TAU = 0;
    params.FAI = 90;
    form.FormShow();
    EXPECT_EQ(view.texts, (LevelTexts{"X00", "X02", "Y00", "Y00", "Z00", "Z01"}));
    EXPECT_EQ(view.xmax, "     2");
    EXPECT_EQ(view.zmax, "     1");
    EXPECT_EQ(view.total, "6");
    EXPECT_EQ(view.tau, 0);
    EXPECT_EQ(view.fai, 90);
    EXPECT_EQ(view.drawing, 3);  // 平面図
}

TEST_F(NodeSearchWindow, SearchNarrowsTheLevelWindowAndRepaints) {
    form.FormShow();
    view.texts = {"X01", "", "", "", "Z01", ""};
    form.KenSpeedButtonClick();
    EXPECT_EQ(view.count, "2");
    EXPECT_EQ(core.XlevelMin, 1);
    EXPECT_EQ(core.XlevelMax, 2);
    EXPECT_EQ(core.ZlevelMin, 1);
    EXPECT_EQ(host.repaints, 1);
}

TEST_F(NodeSearchWindow, TextsThatAreNoLevelCodeAreRefusedAndTheSearchIsNotRun) {
    struct Case {
        LevelTexts texts;
        const char* refused;  // the text the message names; null when accepted
    };
    const Case cases[] = {
        {{"X01", "X2", "", "", "Z01", ""}, nullptr},
        {{"", "", "Y00", "Y00", "", "Z1"}, nullptr},
        {{"X3A", "", "", "", "", ""}, "「X3A」はX方向の階の記号ではありません"},
        {{"", "Y01", "", "", "", ""}, "「Y01」はX方向の階の記号ではありません"},
        {{"", "", "ABC", "", "", ""}, "「ABC」はY方向の階の記号ではありません"},
        {{"", "", "", "", "Z", ""}, "「Z」はZ方向の階の記号ではありません"},
        {{"", "", "", "", "", "Z123"}, "「Z123」はZ方向の階の記号ではありません"},
        {{"", "", "", "", " Z01", ""}, "「 Z01」はZ方向の階の記号ではありません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts[0] + "|" + c.texts[1] + "|" + c.texts[2] + "|" + c.texts[5]);
        form.FormShow();
        msg.shown.clear();
        host.repaints = 0;
        view.count = "7";
        view.texts = c.texts;
        form.KenSpeedButtonClick();
        if (!c.refused) {
            EXPECT_TRUE(msg.shown.empty());
            EXPECT_EQ(host.repaints, 1);
            continue;
        }
        ASSERT_EQ(msg.shown.size(), 1u);
        EXPECT_EQ(msg.shown[0].rfind(c.refused, 0), 0u) << msg.shown[0];
        EXPECT_EQ(view.count, "");
        EXPECT_EQ(host.repaints, 0);
        // The ranges stay the full range: nothing was taken as level 0.
        EXPECT_EQ(core.XlevelMin, 0);
        EXPECT_EQ(core.XlevelMax, 2);
        EXPECT_EQ(core.YlevelMin, 0);
        EXPECT_EQ(core.ZlevelMax, 1);
    }
}

TEST_F(NodeSearchWindow, EditingARangeClearsTheCount) {
    form.FormShow();
    view.texts = {"X01", "", "", "", "Z01", ""};
    form.KenSpeedButtonClick();
    EXPECT_EQ(view.count, "2");
    form.RangeEditChange();
    EXPECT_EQ(view.count, "");
}

TEST_F(NodeSearchWindow, SelectAllAsksAfterShowingTheMarks) {
    form.FormShow();
    view.texts = {"X00", "X00", "", "", "Z00", "Z00"};  // node 0 only
    form.KenSpeedButtonClick();
    msg.answers = {true};
    host.flags_seen.clear();
    form.ZenSentakuSpeedButtonClick();
    EXPECT_EQ(msg.asked, std::vector<std::string>{kAskKousoku});
    ASSERT_GE(host.flags_seen.size(), 2u);
    EXPECT_EQ(host.flags_seen.front(), model::kSearchMark);  // marked, then asked
    EXPECT_EQ(m.node[0].flag, model::kPickSupport);
    EXPECT_TRUE(host.finished);
    EXPECT_EQ(core.XlevelMax, 2);  // back to the full range

    // No clears the marks of the nodes inside, including earlier ones.
    host.mode = PickMode::kKajyu;
    msg.answers = {false};
    form.ZenSentakuSpeedButtonClick();  // full range: every node
    EXPECT_EQ(msg.asked.back(), kAskKajyu);
    for (int i = 0; i < m.N_Node; ++i) EXPECT_EQ(m.node[i].flag, 0);
}

TEST_F(NodeSearchWindow, AnglesRepaintTheMainWindowDirectly) {
    form.FormShow();
    form.TauScrollBarChange(45);
    EXPECT_EQ(params.TAU, 45.0f);
    EXPECT_EQ(view.tau_label, "45");
    form.ZumenSelRadioGroupClick(1);  // 正面図
    EXPECT_EQ(params.TAU, 90.0f);
    EXPECT_EQ(params.FAI, 0.0f);
    EXPECT_EQ(view.fai_label, "0");
    EXPECT_EQ(host.repaints, 2);
}

TEST_F(NodeSearchWindow, CloseEndsTheSearch) {
    form.FormShow();
    view.texts = {"X01", "X01", "", "", "", ""};
    form.KenSpeedButtonClick();
    form.CloseButtonClick();
    EXPECT_TRUE(host.finished);
    EXPECT_EQ(core.XlevelMin, 0);
    EXPECT_EQ(core.XlevelMax, 2);
}

}  // namespace
}  // namespace tarvik::editing
