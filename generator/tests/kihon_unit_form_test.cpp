// The unit window: opening, generation on paint and its displays.
#include "generator/kihon_unit_form.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editing/tests/fake_views.h"
#include "gen_test_util.h"
#include "model/tests/model_builder.h"
#include "testing/temp_dir.h"

namespace tarvik::generator::testing {
namespace {

struct FakeUnitView : KihonUnitView {
    std::vector<std::string> calls;
    std::map<UnitMenu, bool> menu;
    int kihon_result = 1;   // what the basic-data window ends with
    int seen_n_kihon = 99;  // N_Kihon while the basic-data window was open
    BasicData seen;         // the data it was opened on
    float tau = 0.0f, fai = 0.0f;
    int help_topic = 0;
    int n_sou = 1, yane = kYaneNothing;  // the storeys and top the user confirms

    void open_kihon_form(BasicData& d) override {
        calls.push_back("kihon");
        seen = d;
        seen_n_kihon = d.N_Kihon;
        if (kihon_result == 1) {
            // Type I columns, one storey, nothing on top.
            d.SumiType = kSumiType1;
            d.SouMode = 1;
            d.N_Sou = n_sou;
            d.YaneMode = yane;
        }
        d.N_Kihon = kihon_result;
    }
    void set_menu_enabled(UnitMenu item, bool e) override { menu[item] = e; }
    void set_busy(bool b) override { calls.push_back(b ? "busy" : "idle"); }
    void set_view_angles(float t, float f) override {
        tau = t;
        fai = f;
        calls.push_back("angles");
    }
    void show_angle_window() override { calls.push_back("angle window"); }
    void show_plan(bool with_nodes) override {
        calls.push_back(with_nodes ? "plan+nodes" : "plan");
    }
    void show_wire() override { calls.push_back("wire"); }
    void show_solid() override { calls.push_back("solid"); }
    void repaint() override { calls.push_back("repaint"); }
    void show_help(int topic) override { help_topic = topic; }
    void close_window() override { calls.push_back("close"); }
    std::string save_name;  // answer of the save dialog
    int colour = 2;         // answer of the DXF colour window
    std::string save_file_name(std::string_view filter, std::string_view) override {
        calls.push_back("save " + std::string(filter));
        return save_name;
    }
    int run_dxf_colour_window() override {
        calls.push_back("colour");
        return colour;
    }
    // What the user does in each opening of "座標移動", and what it showed.
    std::deque<editing::testing::DialogStep> zahyou_steps;
    std::vector<std::vector<std::string>> zahyou_shown;
    model::MessageService* msg = nullptr;
    void open_zahyou_idou(ZahyouIdouExchange& x) override {
        calls.push_back("座標移動");
        ASSERT_FALSE(zahyou_steps.empty());
        const auto seen = editing::testing::run_dialog<ZahyouIdouPresenter>(zahyou_steps.front(), *msg, x);
        zahyou_steps.pop_front();
        zahyou_shown.push_back(seen.shown);
    }
    void open_ident_form() override { calls.push_back("条件検索"); }
};

struct UnitForm : ::testing::Test {
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    BasicData d;
    FakeUnitView view;
    ScriptedMessages msg;
    std::ostringstream out;
    KihonUnitPresenter p{*m, d, view, msg, nullptr, out};
    UnitForm() { view.msg = &msg; }
};

TEST_F(UnitForm, OpeningResetsTheDefaultsBeforeTheBasicDataWindow) {
    d.nx = 3;
    d.tuka_haba = 60.0f;
    d.N_Kihon = 1;
    p.FormCreate();
    EXPECT_EQ(view.seen.nx, 8);
    EXPECT_EQ(view.seen.tuka_haba, 90.0f);
    EXPECT_EQ(view.seen.yane_takasa, 180.0f);
    EXPECT_EQ(view.seen_n_kihon, -1);
    EXPECT_FALSE(view.menu[UnitMenu::JikuSave]);
    EXPECT_FALSE(view.menu[UnitMenu::DxfSave]);
    EXPECT_FALSE(view.menu[UnitMenu::FaceSave]);
    EXPECT_EQ(p.display_state(), kDisplayWireNodes);
}

// A roof asked for on three storeys is left out: said once in a message box
// before the window shows the house, printed at every generation as before.
TEST_F(UnitForm, ARoofLeftOutIsToldOnceInAMessage) {
    const struct {
        int n_sou, yane;
        bool told;
    } cases[] = {{3, kYaneRoof, true}, {2, kYaneRoof, false}, {3, kYaneNothing, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n_sou);
        view.n_sou = c.n_sou;
        view.yane = c.yane;
        msg.shown.clear();
        out.str("");
        p.FormCreate();
        const std::vector<std::string> told =
            c.told ? std::vector<std::string>{kOutNoRoofOn3} : std::vector<std::string>{};
        EXPECT_EQ(msg.shown, told);
        p.FormPaint();
        p.FormPaint();
        EXPECT_EQ(msg.shown, told);
        EXPECT_EQ(out.str(), c.told ? "３層屋根付は含まれません\n３層屋根付は含まれません\n" : "");
    }
}

TEST_F(UnitForm, CancelledBasicDataClosesAtTheFirstPaintWithoutGenerating) {
    view.kihon_result = 0;
    p.FormCreate();
    p.FormPaint();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"kihon", "close"}));
    EXPECT_EQ(m->N_Beam, 0);
    EXPECT_EQ(m->N_Node, 0);
}

TEST_F(UnitForm, EveryPaintInStateOneRegeneratesTheSameModel) {
    p.FormCreate();
    p.FormPaint();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"kihon", "busy", "idle", "plan+nodes"}));
    EXPECT_EQ(p.last_generation(), 0);
    EXPECT_EQ(m->N_Beam, 864);
    EXPECT_EQ(m->N_Node, 281);
    model::ModelStore first = *m;
    p.FormPaint();
    EXPECT_TRUE(same_tables(first, *m));
}

TEST_F(UnitForm, DisplayMenusResetTheAnglesAndDrawTheirModel) {
    p.FormCreate();
    p.FormPaint();
    view.calls.clear();
    p.WireMenuClick();
    EXPECT_EQ(view.tau, 30.0f);
    EXPECT_EQ(view.fai, 30.0f);
    p.FormPaint();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"angles", "angle window", "repaint", "plan"}));
    EXPECT_EQ(p.display_state(), kDisplayWire);

    view.calls.clear();
    p.JikuModelMenuClick();
    p.FormPaint();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"angles", "angle window", "repaint", "wire"}));

    view.calls.clear();
    p.ShitenMenuClick();
    p.FormPaint();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"repaint", "solid"}));

    view.calls.clear();
    p.WireNodeMenuClick();
    p.FormPaint();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"angles", "angle window", "repaint", "busy",
                                                    "idle", "plan+nodes"}));
}

TEST_F(UnitForm, AxisModelEnablesItsExports) {
    p.FormCreate();
    p.JikuModelMenuClick();
    EXPECT_TRUE(view.menu[UnitMenu::JikuSave]);
    EXPECT_TRUE(view.menu[UnitMenu::FaceSave]);
    EXPECT_FALSE(view.menu[UnitMenu::DxfSave]);
}

// The viewer face item comes with the axis model, the DXF item with the
// first perspective image; both write this window's solid files.
TEST_F(UnitForm, ExportItemsFollowTheirDisplaysAndWriteTheWindowsFiles) {
    p.FormCreate();
    p.JikuModelMenuClick();
    EXPECT_TRUE(view.menu[UnitMenu::FaceSave]);
    EXPECT_FALSE(view.menu[UnitMenu::DxfSave]);
    p.PersRequestDone();
    EXPECT_TRUE(view.menu[UnitMenu::DxfSave]);

    const test_support::TempDir scratch("unit_exports");
    const std::filesystem::path& dir = scratch.path();
    render::SolidModel solids(dir.string());
    p.set_solid_model(&solids);
    { std::ofstream((dir / render::kTrioFileName).string()); }
    view.calls.clear();
    view.save_name = (dir / "unit.dat").string();
    p.FaceSaveMenuClick();
    // No "TEMP.DAT" yet: the DXF command names the missing file.
    view.save_name = (dir / "unit.dxf").string();
    p.DxfSaveMenuClick();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"save ビューアデータ(*.dat)|*.dat",
                                                    "save DXFファイル(*.DXF)|*.dxf", "colour"}));
    EXPECT_EQ(msg.shown, (std::vector<std::string>{files::kFaceDone, "Error: Unable to open TEMP_FILE"}));
    EXPECT_TRUE(std::filesystem::exists(dir / "unit.dat"));
    EXPECT_FALSE(std::filesystem::exists(dir / "unit.dxf"));
}

// "全データ変換": the shift window first, then the save dialog; the file
// holds every member moved by the shift.
TEST_F(UnitForm, WholeModelAsAxisDataMovedByTheShift) {
    using editing::testing::DialogStep;
    using editing::testing::Press;
    tarvik::testing::add_member(*m, msg, 0, 0, 0, 0, 0, 300);
    tarvik::testing::add_member(*m, msg, 0, 0, 300, 400, 0, 300, 12, 24);
    const test_support::TempDir scratch("unit_jiku");
    const std::filesystem::path& dir = scratch.path();
    view.save_name = (dir / "moved.jik").string();

    // Cancelled, or a shift that is no number and then cancelled: no file.
    view.zahyou_steps = {DialogStep{{}, {Press::Cancel}},
                         DialogStep{{{ZahyouIdouPresenter::kY, "1O"}}, {Press::OK, Press::Cancel}}};
    p.ZenDataHenkanMenuClick();
    p.ZenDataHenkanMenuClick();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"座標移動", "座標移動"}));
    EXPECT_EQ(msg.shown, std::vector<std::string>{"Y軸移動量(cm)の値「1O」は数値ではありません"});
    EXPECT_EQ(view.zahyou_shown[0],
              (std::vector<std::string>{"      0.0", "      0.0", "      0.0"}));

    view.calls.clear();
    msg.shown.clear();
    view.zahyou_steps = {DialogStep{{{ZahyouIdouPresenter::kX, "100"},
                                    {ZahyouIdouPresenter::kZ, "-50.5"}}}};
    p.ZenDataHenkanMenuClick();
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"座標移動", "save 軸データ (*.JIK)|*.jik"}));
    EXPECT_EQ(msg.shown, std::vector<std::string>{files::kJikuDone});
    std::ifstream in(dir / "moved.jik", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("1 100.000000 0.000000 -50.500000 100.000000 0.000000 249.500000 "
                        "12.000000 12.000000\r\n"
                        "1 100.000000 0.000000 249.500000 500.000000 0.000000 249.500000 "
                        "12.000000 24.000000\r\n"),
              std::string::npos)
        << text;
    EXPECT_TRUE(text.size() >= 5 && text.substr(text.size() - 5) == "999\r\n");

    // The window shows the last shift again; the search item opens its window.
    view.zahyou_steps = {DialogStep{{}, {Press::Cancel}}};
    p.ZenDataHenkanMenuClick();
    EXPECT_EQ(view.zahyou_shown.back(),
              (std::vector<std::string>{"    100.0", "      0.0", "    -50.5"}));
    p.KensakuDataHenkanMenuClick();
    EXPECT_EQ(view.calls.back(), "条件検索");
}

TEST_F(UnitForm, LeavingResetsTheAngles) {
    p.FormCreate();
    p.ModoruMenuClick();
    p.FormClose();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"kihon", "close", "angles"}));
    p.HelpMenuClick();
    EXPECT_EQ(view.help_topic, 11);
}

}  // namespace
}  // namespace tarvik::generator::testing
