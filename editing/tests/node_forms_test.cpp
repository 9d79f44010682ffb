// The node selection window and its dialogs, and the node data dialog, driven
// through their presenters.
#include <gtest/gtest.h>

#include "editing/node_form.h"
#include "editing/sel_node_form.h"
#include "editing/tests/fake_views.h"
#include "model/maintenance.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::editing {
namespace {

using testing::DialogSeen;
using testing::DialogStep;
using testing::Press;

// Three posts 300 high at x = 0, 100, 200 joined at the top: nodes in the
// order bottom, top of each post.
class NodeWindow : public testing::ListWindowTest<SelNodePresenter, NodeEditExchange,
                                                  testing::FakeSelNodeView,
                                                  testing::ScriptedNodeDialogs> {
  protected:
    NodeWindow() {
        for (float x : {0.0f, 100.0f, 200.0f})
            tarvik::testing::add_member(m, msg, x, 0, 0, x, 0, 300);
        tarvik::testing::add_member(m, msg, 0, 0, 300, 100, 0, 300);
        tarvik::testing::add_member(m, msg, 100, 0, 300, 200, 0, 300);
        EXPECT_EQ(model::save_level_name(m, msg), 0);
    }

    void add_fix(int node, DialogStep step = {}) {
        click(&SelNodePresenter::ZenStringGridSelectCell, node,
              &SelNodePresenter::AddFixSpeedButtonClick, step);
    }
    void add_load(int node, DialogStep step = {}) {
        click(&SelNodePresenter::ZenStringGridSelectCell, node,
              &SelNodePresenter::AddLoadSpeedButtonClick, step);
    }
};

TEST_F(NodeWindow, GridsShowEveryRecordWithItsFormats) {
    model::Fix f{"X00Y00Z00", 1, 1, 0, 1};
    model::add_fix(m, f, msg);
    model::Load l{"X01Y00Z01", 4, 0.0f, 12.5f, -200.0f};
    model::add_load(m, l, msg);
    open();
    const GridRows& nodes = view.grids[NodeGrid::Zen];
    ASSERT_EQ(nodes.size(), 7u);  // heading + 6 nodes
    EXPECT_EQ(nodes[0], (std::vector<std::string>{"No", "ID", "X(cm)", "Y(cm)", "Z(cm)"}));
    EXPECT_EQ(nodes[4],
              (std::vector<std::string>{"    4", "X01Y00Z01", "   100.0", "     0.0", "   300.0"}));
    const GridRows& fixes = view.grids[NodeGrid::Fix];
    ASSERT_EQ(fixes.size(), 2u);
    EXPECT_EQ(fixes[0], (std::vector<std::string>{"No", "ID", "Node", "Xmov", "Ymov", "Zmov"}));
    EXPECT_EQ(fixes[1],
              (std::vector<std::string>{"    1", "X00Y00Z00", "    1", "    1", "    0", "    1"}));
    const GridRows& loads = view.grids[NodeGrid::Load];
    EXPECT_EQ(loads[0], (std::vector<std::string>{"No", "ID", "Node", "Xkgf", "Ykgf", "Zkgf"}));
    EXPECT_EQ(loads[1], (std::vector<std::string>{"    1", "X01Y00Z01", "    4", "     0.0",
                                                  "    12.5", "  -200.0"}));
    EXPECT_EQ(view.counts[NodeGrid::Zen], "6");
    EXPECT_EQ(view.counts[NodeGrid::Fix], "1");
    EXPECT_EQ(view.counts[NodeGrid::Load], "1");
}

TEST_F(NodeWindow, SupportWithTheDefaultValuesIsVerticalFixed) {
    open();
    add_fix(2);
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.opened[0], "固定節点選択");
    // The dialog shows the selected node and the pending values 0, 0, 1.
    EXPECT_EQ(dialogs.seen[0].shown,
              (std::vector<std::string>{"     3", "X01Y00Z00", "0", "0", "1"}));
    EXPECT_EQ(x.add_result, kResultOK);
    ASSERT_EQ(m.N_Fix, 1);
    EXPECT_STREQ(m.fix[0].id, "X01Y00Z00");
    EXPECT_EQ(m.fix[0].no, 3);
    EXPECT_EQ(m.fix[0].xfix, 0);
    EXPECT_EQ(m.fix[0].yfix, 0);
    EXPECT_EQ(m.fix[0].zfix, 1);
    EXPECT_EQ(m.node[2].flag, model::kPickSupport);
    // The support grid and its count were rebuilt, the node grid was not.
    EXPECT_EQ(view.grids[NodeGrid::Fix].size(), 2u);
    EXPECT_EQ(view.counts[NodeGrid::Fix], "1");
    EXPECT_EQ(view.builds[NodeGrid::Fix], 2);
    EXPECT_EQ(view.builds[NodeGrid::Zen], 1);
}

TEST_F(NodeWindow, AnyNonZeroFixityIsStoredAsOne) {
    open();
    add_fix(0, {{{SelFixPresenter::kXfix, "2"},
                 {SelFixPresenter::kYfix, "-1"},
                 {SelFixPresenter::kZfix, " 0 "}}});
    ASSERT_EQ(m.N_Fix, 1);
    EXPECT_EQ(m.fix[0].xfix, 1);
    EXPECT_EQ(m.fix[0].yfix, 1);
    EXPECT_EQ(m.fix[0].zfix, 0);

    // The same rule when a support is changed; result 2 refreshes the grid.
    x.N_SelectFix = 0;
    dialogs.steps.push_back({{{FixEditPresenter::kXfix, "0"}, {FixEditPresenter::kZfix, "7"}}});
    form->ModFixSpeedButtonClick();
    EXPECT_EQ(x.edit_result, kResultAll);
    EXPECT_EQ(m.fix[0].xfix, 0);
    EXPECT_EQ(m.fix[0].yfix, 1);
    EXPECT_EQ(m.fix[0].zfix, 1);
    EXPECT_EQ(view.grids[NodeGrid::Fix][1][3], "    0");
    EXPECT_EQ(view.grids[NodeGrid::Fix][1][5], "    1");
    EXPECT_EQ(dialogs.seen.back().view.message, kFixChangeMessage);
    EXPECT_TRUE(dialogs.seen.back().view.editable[FixEditPresenter::kXfix]);
}

TEST_F(NodeWindow, LoadOnASupportedNodeAndItsRemoval) {
    open();
    add_fix(1);
    add_load(1);
    EXPECT_EQ(dialogs.seen[1].shown, (std::vector<std::string>{"     2", "X00Y00Z01", "     0.0",
                                                               "     0.0", " -1000.0"}));
    ASSERT_EQ(m.N_Load, 1);
    EXPECT_EQ(m.load[0].pz, -1000.0f);
    EXPECT_EQ(m.load[0].no, 2);
    EXPECT_EQ(m.node[1].flag, model::kPickLoad);

    x.N_SelectLoad = 0;
    dialogs.steps.push_back({});
    form->DelLoadSpeedButtonClick();
    EXPECT_EQ(dialogs.opened.back(), "節点荷重中止");
    EXPECT_EQ(dialogs.seen.back().view.message, kDelLoadMessage);
    for (bool e : dialogs.seen.back().view.editable) EXPECT_FALSE(e);
    EXPECT_EQ(m.N_Load, 0);
    // The node is plain again although its support stays.
    EXPECT_EQ(m.node[1].flag, 0);
    EXPECT_EQ(m.N_Fix, 1);
    EXPECT_EQ(view.grids[NodeGrid::Load].size(), 1u);
    EXPECT_EQ(view.counts[NodeGrid::Load], "0");
}

TEST_F(NodeWindow, RemovingTheMiddleSupportKeepsTheOrder) {
    open();
    add_fix(0);
    add_fix(2);
    add_fix(4);
    form->FixStringGridSelectCell(1);
    dialogs.steps.push_back({});
    form->DelFixSpeedButtonClick();
    const DialogSeen& d = dialogs.seen.back();
    EXPECT_EQ(d.view.message, kFixDeleteMessage);
    EXPECT_FALSE(d.view.editable[FixEditPresenter::kZfix]);
    EXPECT_EQ(d.shown[FixEditPresenter::kRowNo], "     2");
    EXPECT_EQ(x.edit_result, kResultOK);
    ASSERT_EQ(m.N_Fix, 2);
    EXPECT_EQ(m.fix[0].no, 1);
    EXPECT_EQ(m.fix[1].no, 5);
    EXPECT_EQ(m.node[2].flag, 0);
    EXPECT_EQ(m.node[4].flag, model::kPickSupport);
    const GridRows& g = view.grids[NodeGrid::Fix];
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[1][0], "    1");
    EXPECT_EQ(g[2][0], "    2");
    EXPECT_EQ(g[2][1], "X02Y00Z00");

    // Removing the last row leaves the selection on the new last row.
    form->FixStringGridSelectCell(1);
    dialogs.steps.push_back({});
    form->DelFixSpeedButtonClick();
    EXPECT_EQ(m.N_Fix, 1);
    EXPECT_EQ(x.N_SelectFix, 0);
    EXPECT_EQ(view.selected[NodeGrid::Fix], 0);
}

TEST_F(NodeWindow, CancelledDialogsChangeNothing) {
    open();
    add_fix(3, {{{SelFixPresenter::kXfix, "1"}}, {Press::Cancel}});
    EXPECT_EQ(x.add_result, kResultCancel);
    EXPECT_EQ(m.N_Fix, 0);
    EXPECT_EQ(m.node[3].flag, 0);
    // Cancel gives back the pending values the dialog opened with.
    EXPECT_EQ(x.pending_fix.xfix, 0);
    EXPECT_EQ(x.pending_fix.zfix, 1);

    add_fix(3);
    x.N_SelectFix = 0;
    dialogs.steps.push_back({{}, {Press::Cancel}});
    form->DelFixSpeedButtonClick();
    EXPECT_EQ(m.N_Fix, 1);
    dialogs.steps.push_back({{{FixEditPresenter::kXfix, "1"}}, {Press::Cancel}});
    form->ModFixSpeedButtonClick();
    EXPECT_EQ(m.fix[0].xfix, 0);
    EXPECT_EQ(x.edit_result, kResultCancel);
}

TEST_F(NodeWindow, DouSetsEveryLoad) {
    open();
    add_load(1);
    add_load(3);
    add_load(5, {{{SelLoadPresenter::kPx, "10"}}});
    EXPECT_EQ(m.load[2].px, 10.0f);
    form->LoadStringGridSelectCell(1);
    dialogs.steps.push_back({{{LoadEditPresenter::kPx, "0"},
                              {LoadEditPresenter::kPy, "0"},
                              {LoadEditPresenter::kPz, "-500"}},
                             {Press::Extra}});
    form->ModLoadSpeedButtonClick();
    EXPECT_EQ(x.edit_result, kResultOK);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m.load[i].px, 0.0f) << i;
        EXPECT_EQ(m.load[i].py, 0.0f) << i;
        EXPECT_EQ(m.load[i].pz, -500.0f) << i;
    }
    EXPECT_EQ(view.grids[NodeGrid::Load][3][5], "  -500.0");

    // OK changes the selected load only.
    dialogs.steps.push_back({{{LoadEditPresenter::kPy, "25.5"}}});
    form->ModLoadSpeedButtonClick();
    EXPECT_EQ(m.load[1].py, 25.5f);
    EXPECT_EQ(m.load[0].py, 0.0f);
    EXPECT_EQ(m.load[2].py, 0.0f);
}

TEST_F(NodeWindow, TextThatIsNotANumberKeepsTheDialogOpen) {
    open();
    add_load(2, {{{SelLoadPresenter::kPx, "5"}, {SelLoadPresenter::kPy, "abc"}},
                 {Press::OK, Press::Cancel}});
    ASSERT_EQ(msg.shown.size(), 1u);
    EXPECT_EQ(msg.shown[0], "Y方向荷重の値「abc」は数値ではありません");
    EXPECT_EQ(m.N_Load, 0);
    // Nothing of the OK that failed was kept, not even the good X value.
    EXPECT_EQ(x.pending_load.px, 0.0f);
    EXPECT_EQ(x.add_result, kResultCancel);

    add_fix(2, {{{SelFixPresenter::kYfix, "1.5"}}, {Press::OK}});
    EXPECT_EQ(msg.last(), "Y方向固定の値「1.5」は整数ではありません");
    EXPECT_FALSE(dialogs.seen.back().view.closed);
    EXPECT_EQ(m.N_Fix, 0);
    EXPECT_EQ(x.add_result, kResultNone);

    add_load(2);
    x.N_SelectLoad = 0;
    dialogs.steps.push_back(
        {{{LoadEditPresenter::kPx, "7"}, {LoadEditPresenter::kPz, ""}}, {Press::Extra, Press::OK}});
    form->ModLoadSpeedButtonClick();
    EXPECT_EQ(msg.last(), "Z荷重の値「」は数値ではありません");
    EXPECT_EQ(m.load[0].px, 0.0f);
}

TEST_F(NodeWindow, IdSearchScrollsToTheNode) {
    model::set_code(m.node[3].id, "X01Y02Z03");
    open();
    view.kensaku = "X01Y02Z03";
    form->KensakuButton1Click();
    EXPECT_EQ(view.top[NodeGrid::Zen], 3);
    EXPECT_TRUE(msg.shown.empty());
    // The selection does not move.
    EXPECT_EQ(x.SelectNodeFix, 0);

    view.top.clear();
    view.kensaku = "x01y02z03";
    form->KensakuEditChange();
    EXPECT_EQ(view.kensaku, "X01Y02Z03");
    form->KensakuButton1Click();
    EXPECT_EQ(view.top[NodeGrid::Zen], 3);

    for (const char* bad : {"A01Y02Z03", "X01Z02Y03", "X01", ""}) {
        view.kensaku = bad;
        form->KensakuButton1Click();
        EXPECT_EQ(msg.last(), kBadIdCode) << bad;
    }
    view.kensaku = "X09Y09Z09";
    form->KensakuButton1Click();
    EXPECT_EQ(msg.last(), kSearchFailed);
    // Eight characters are no code of any node.
    view.kensaku = "X01Y02Z0";
    form->KensakuButton1Click();
    EXPECT_EQ(msg.last(), kSearchFailed);
}

TEST_F(NodeWindow, SelectionsPersistBetweenOpenings) {
    open();
    add_fix(0);
    add_fix(1);
    add_load(2);
    form->ZenStringGridSelectCell(4);
    form->FixStringGridSelectCell(1);
    form->OKButtonClick();
    EXPECT_TRUE(view.closed);

    view = testing::FakeSelNodeView{};
    open();
    EXPECT_EQ(view.selected[NodeGrid::Zen], 4);
    EXPECT_EQ(view.selected[NodeGrid::Fix], 1);
    EXPECT_EQ(view.selected[NodeGrid::Load], 0);
    EXPECT_EQ(x.SelectNodeLoad, 4);  // both copies follow a node row selection
    // A selection beyond a table is ignored.
    form->ZenStringGridSelectCell(6);
    form->FixStringGridSelectCell(-1);
    EXPECT_EQ(x.SelectNodeFix, 4);
    EXPECT_EQ(x.N_SelectFix, 1);
}

TEST(NodeWindowEmpty, ButtonsSayWhyTheyCannotWork) {
    model::ModelStore m;
    tarvik::testing::ScriptedMessages msg;
    NodeEditExchange x;
    x.SelectNodeFix = 5;  // kept from some earlier model
    testing::FakeSelNodeView view;
    testing::ScriptedNodeDialogs dialogs{m, x, msg};
    SelNodePresenter form(m, x, view, dialogs, msg);
    form.FormCreate();
    EXPECT_EQ(view.grids[NodeGrid::Zen].size(), 1u);
    EXPECT_EQ(x.SelectNodeFix, 0);
    form.AddFixSpeedButtonClick();
    form.AddLoadSpeedButtonClick();
    form.DelFixSpeedButtonClick();
    form.ModFixSpeedButtonClick();
    form.DelLoadSpeedButtonClick();
    form.ModLoadSpeedButtonClick();
    EXPECT_EQ(msg.shown, (std::vector<std::string>{kNoNodeRows, kNoNodeRows, kNoFixRows, kNoFixRows,
                                                   kNoLoadRows, kNoLoadRows}));
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_EQ(m.N_Fix, 0);
}

TEST_F(NodeWindow, DialogsRefuseARecordThatDoesNotExist) {
    x.SelectNodeFix = 6;
    x.N_SelectLoad = 0;
    testing::FakeFieldView v1(SelFixPresenter::Layout());
    SelFixPresenter fix(m, x, v1, msg);
    EXPECT_FALSE(fix.FormCreate());
    EXPECT_EQ(x.add_result, kResultCancel);
    testing::FakeFieldView v2(LoadEditPresenter::Layout());
    LoadEditPresenter load(m, x, v2, msg);
    EXPECT_FALSE(load.FormCreate());
    load.OKButtonClick();  // a stray OK stores nowhere
    EXPECT_EQ(msg.shown, (std::vector<std::string>{kSelectNodeRow, kNoLoadRows, kNoLoadRows}));
}

TEST_F(NodeWindow, SupportTableFullIsSaidBeforeTheDialog) {
    m.N_Fix = model::kMaxFix;
    open();
    form->AddFixSpeedButtonClick();
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_EQ(msg.last(), model::table_full_message(model::kFixTable, model::kMaxFix));
}

// --- the node data dialog ------------------------------------------------

using NodeDataDialog = testing::DataDialogTest<NodeWindow, NodeFormPresenter, NodeDataExchange,
                                               &NodeDataExchange::SelectNode>;

TEST_F(NodeDataDialog, UnplacedCoordinatesStartFromTheLastEntered) {
    m.node[4].x = kUnplacedCoord;
    m.node[4].z = kUnplacedCoord;
    auto d = run(4, {{}, {Press::Cancel}});
    EXPECT_EQ(d.shown, (std::vector<std::string>{"     5", "      0.0", "      0.0", "      0.0"}));

    d = run(3, {{{NodeFormPresenter::kX, "150"}, {NodeFormPresenter::kZ, "320.5"}}});
    EXPECT_EQ(data.result, kResultOK);
    EXPECT_EQ(m.node[3].x, 150.0f);
    EXPECT_EQ(m.node[3].z, 320.5f);
    EXPECT_EQ(data.last_x, 150.0f);
    EXPECT_EQ(data.last_z, 320.5f);

    d = run(4, {});
    // X and Z come from the last node, Y is the node's own.
    EXPECT_EQ(d.shown[NodeFormPresenter::kX], "    150.0");
    EXPECT_EQ(d.shown[NodeFormPresenter::kY], "      0.0");
    EXPECT_EQ(d.shown[NodeFormPresenter::kZ], "    320.5");
    EXPECT_EQ(m.node[4].x, 150.0f);
    EXPECT_EQ(m.node[4].z, 320.5f);
}

TEST_F(NodeDataDialog, CancelRestoresAndBadTextKeepsTheNode) {
    auto d =
        run(2, {{{NodeFormPresenter::kX, "55"}, {NodeFormPresenter::kY, "1..2"}}, {Press::OK}});
    EXPECT_FALSE(d.view.closed);
    EXPECT_EQ(msg.last(), "Y値の値「1..2」は数値ではありません");
    EXPECT_EQ(m.node[2].x, 100.0f);
    EXPECT_EQ(data.result, kResultNone);

    d = run(2, {{{NodeFormPresenter::kX, "55"}}, {Press::Cancel}});
    EXPECT_EQ(data.result, kResultCancel);
    EXPECT_EQ(m.node[2].x, 100.0f);
    EXPECT_EQ(data.last_x, 0.0f);
}

TEST_F(NodeDataDialog, UntouchedFieldsKeepTheirExactValue) {
    m.node[2].x = 33.3333f;
    run(2, {});
    EXPECT_EQ(data.result, kResultOK);
    EXPECT_EQ(m.node[2].x, 33.3333f);  // not the 33.3 the field showed
    EXPECT_EQ(data.last_x, 33.3333f);
    // Moved in place: the lookup by coordinates finds the node at its new place.
    EXPECT_EQ(model::find_node_by_scan(m, 33.3333f, 0, 0), 3);
    EXPECT_EQ(model::find_or_add_node(m, 33.3333f, 0, 0, msg), 3);
}

}  // namespace
}  // namespace tarvik::editing
