// The condition search: which members a set of level ranges selects, the
// preview, the saved axis data and the capacity of the result list.
#include <gtest/gtest.h>

#include <filesystem>

#include "editing/ident_form.h"
#include "editing/tests/fake_views.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"
#include "render/recording_canvas.h"
#include "testing/temp_dir.h"

namespace tarvik::editing {
namespace {

using render::RecordingCanvas;

class FakeIdentView : public IdentView, public testing::FakeLevelRange {
public:
    std::array<std::string, 3> shifts;
    int preview_repaints = 0;
    std::string save_name;             // answer of the save dialog
    std::vector<std::string> filters;  // filters the save dialog was shown with

    std::array<std::string, 3> shift_texts() const override { return shifts; }
    void set_shift_texts(const std::array<std::string, 3>& t) override { shifts = t; }
    void repaint_preview() override { ++preview_repaints; }
    std::string save_file_name(std::string_view filter, std::string_view) override {
        filters.emplace_back(filter);
        return save_name;
    }
    void close_window() override {}
};

// Levels X 0..300 (four), Y 0 and 100, Z 0 and 300: a post at every plan
// point, and top beams along X between neighbouring posts.
class ConditionSearch : public ::testing::Test {
protected:
    ConditionSearch() : form(m, params, view, msg) {
        for (float y : {0.0f, 100.0f}) {
            for (float x : {0.0f, 100.0f, 200.0f, 300.0f})
                tarvik::testing::add_member(m, msg, x, y, 0, x, y, 300, 12, 12);
            for (float x : {0.0f, 100.0f, 200.0f})
                tarvik::testing::add_member(m, msg, x, y, 300, x + 100, y, 300, 10, 15);
        }
        params.TAU = 45.0f;
        form.FormShow();  // names the levels
    }

    // Runs "検" on the range texts.
    void select(LevelTexts t) {
        view.texts = t;
        form.LevelSpeedButtonClick();
    }

    model::ModelStore m;
    render::ViewParams params;
    FakeIdentView view;
    tarvik::testing::ScriptedMessages msg;
    IdentPresenter form;
    test_support::TempDir scratch{"ident_test"};
    const std::filesystem::path& dir = scratch.path();
};

TEST_F(ConditionSearch, OpeningNamesTheLevelsAndShowsCountsAndShifts) {
    EXPECT_STREQ(m.node[0].id, "X00Y00Z00");
    EXPECT_EQ(view.xmax, "     3");
    EXPECT_EQ(view.ymax, "     1");
    EXPECT_EQ(view.zmax, "     1");
    EXPECT_EQ(view.total, "14");
    EXPECT_EQ(view.count, "0");
    EXPECT_EQ(view.shifts, (std::array<std::string, 3>{"      0.0", "      0.0", "      0.0"}));
    EXPECT_GE(view.preview_repaints, 1);
    RecordingCanvas c(200, 150);
    form.Image1Paint(c);
    ASSERT_EQ(c.items().size(), 1u);  // white, nothing drawn
    EXPECT_EQ(c.items()[0].brush, render::kWhite);
}

TEST_F(ConditionSearch, LevelRangesSelectMembersWithBothEndsInside) {
    struct Case {
        LevelTexts texts;
        int selected;
    };
    const Case cases[] = {
        // X02 alone: both ends at X level 2 or more, over all Y and Z: the
        // posts at x = 200 and 300 and the beams between them; the beam from
        // 100 to 200 crosses the boundary and stays out.
        {{"X02", "", "", "", "", ""}, 6},
        {{"", "X01", "", "", "", ""}, 6},             // posts at 0, 100 and the beam between
        {{"X01", "X02", "Y01", "", "", ""}, 3},       // one row: two posts and their beam
        {{"", "", "", "", "Z01", ""}, 6},             // only the top beams
        {{"", "", "Y00", "Y00", "", "Z00"}, 0},       // no member lies in the bottom plane
        {{"", "", "", "", "", "Z01"}, 14},            // the whole model
        {{"X3", "", "", "", "", ""}, 2},              // digits as far as they go
    };
    for (const Case& c : cases) {
        select(c.texts);
        EXPECT_EQ(static_cast<int>(form.selection().size()), c.selected) << c.texts[0] << c.texts[1];
        EXPECT_EQ(view.count, std::to_string(c.selected));
    }
    EXPECT_TRUE(msg.shown.empty());
}

TEST_F(ConditionSearch, WithoutAnAxisLetterNothingHappens) {
    select({"X02", "", "", "", "", ""});
    ASSERT_EQ(form.selection().size(), 6u);
    params.TAU = 45.0f;
    const int repaints = view.preview_repaints;
    for (const LevelTexts& t : {LevelTexts{"", "", "", "", "", ""},
                                LevelTexts{"Y02", "Z01", "X00", "", "", ""}}) {
        select(t);
        EXPECT_EQ(form.selection().size(), 6u);
        EXPECT_EQ(view.count, "6");
    }
    EXPECT_EQ(view.preview_repaints, repaints);
    EXPECT_EQ(params.TAU, 45.0f);
    // A selection resets the view angles of the preview.
    select({"", "", "", "", "", "Z01"});
    EXPECT_EQ(params.TAU, 30.0f);
    EXPECT_EQ(params.FAI, 30.0f);
}

TEST_F(ConditionSearch, ShiftedMembersArePreviewedAndSavedAsAxisData) {
    view.shifts = {"    10.0", "-20", " 5"};
    select({"X03", "", "", "", "", ""});
    ASSERT_EQ(form.selection().size(), 2u);
    EXPECT_EQ(form.selection()[1].ys, 80.0f);
    EXPECT_EQ(form.selection()[1].zl, 305.0f);

    // Two black lines, fitted inside the picture.
    RecordingCanvas c(200, 150);
    form.Image1Paint(c);
    const auto lines = c.of(RecordingCanvas::Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& l : lines) {
        EXPECT_EQ(l.pen, (RecordingCanvas::Pen{render::kSolid, 1, render::kBlack}));
        for (int x : {l.x1, l.x2}) EXPECT_TRUE(x >= 0 && x <= 200) << x;
        for (int y : {l.y1, l.y2}) EXPECT_TRUE(y >= 0 && y <= 150) << y;
        EXPECT_EQ(l.x1, l.x2);  // a vertical post stays vertical
    }

    view.save_name = (dir / "posts.jik").string();
    form.OkButtonClick();
    EXPECT_EQ(view.filters, std::vector<std::string>{"軸データ (*.JIK)|*.jik"});
    EXPECT_EQ(test_support::read_bytes(dir / "posts.jik"),
              "1 310.000000 -20.000000 5.000000 310.000000 -20.000000 305.000000 12.000000 "
              "12.000000\r\n"
              "1 310.000000 80.000000 5.000000 310.000000 80.000000 305.000000 12.000000 "
              "12.000000\r\n"
              "999\r\n");
    EXPECT_EQ(msg.shown, std::vector<std::string>{"軸ファイルを作製しました"});

    // Cancelling the save dialog writes nothing.
    view.save_name.clear();
    form.OkButtonClick();
    EXPECT_EQ(msg.shown.size(), 1u);
}

TEST_F(ConditionSearch, AnEmptySelectionSavesOnlyTheEndLine) {
    select({"", "", "Y00", "Y00", "", "Z00"});
    ASSERT_TRUE(form.selection().empty());
    view.save_name = (dir / "none.jik").string();
    form.OkButtonClick();
    EXPECT_EQ(test_support::read_bytes(dir / "none.jik"), "999\r\n");
    // A folder that does not exist cannot take the file.
    view.save_name = (dir / "missing" / "none.jik").string();
    form.OkButtonClick();
    EXPECT_EQ(msg.last(), "Error: Unable to open JIKU_FILE");
}

TEST_F(ConditionSearch, AShiftThatIsNoNumberStopsTheSelection) {
    view.shifts = {"0", "1O", "0"};
    select({"X02", "", "", "", "", ""});
    EXPECT_TRUE(form.selection().empty());
    EXPECT_EQ(msg.shown, std::vector<std::string>{"原点移動Yの値「1O」は数値ではありません"});
}

// 60 x 60 posts: more members than the result list holds.
TEST(ConditionSearchCapacity, BeyondTheListSelectionIsRefusedWithTheLimit) {
    model::ModelStore m;
    tarvik::testing::ScriptedMessages msg;
    for (int i = 0; i < 60; ++i)
        for (int j = 0; j < 60; ++j) tarvik::testing::add_member(m, msg, i * 50.0f, j * 50.0f, 0, i * 50.0f, j * 50.0f, 200);
    ASSERT_EQ(m.N_Beam, 3600);
    render::ViewParams params;
    FakeIdentView view;
    IdentPresenter form(m, params, view, msg);
    form.FormShow();
    ASSERT_TRUE(msg.shown.empty());

    view.texts = {"", "X49", "", "", "", ""};  // 50 x 60: exactly the capacity
    form.LevelSpeedButtonClick();
    EXPECT_EQ(form.selection().size(), static_cast<size_t>(kMaxIdent));
    EXPECT_TRUE(msg.shown.empty());

    view.texts = {"", "X50", "", "", "", ""};  // 51 x 60
    form.LevelSpeedButtonClick();
    EXPECT_TRUE(form.selection().empty());
    EXPECT_EQ(view.count, "0");
    EXPECT_EQ(msg.shown, std::vector<std::string>{"検索データ数が上限 3000 を超えるため選択できません"});
    RecordingCanvas c(100, 100);
    form.Image1Paint(c);
    EXPECT_TRUE(c.of(RecordingCanvas::Kind::Line).empty());
}

}  // namespace
}  // namespace tarvik::editing
