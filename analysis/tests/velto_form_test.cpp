// The results window presenter on result files in a scratch folder.
#include "analysis/velto_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <cmath>
#include <memory>

#include "analysis/solid_results.h"
#include "analysis/tests/fakes.h"
#include "analysis/tests/result_set.h"
#include "files/tests/test_dir.h"
#include "model/tests/scripted_messages.h"
#include "render/recording_canvas.h"
#include "views/label_thinning.h"

namespace tarvik::analysis {
namespace {

using tarvik::testing::crlf_lines;
using tarvik::testing::ScriptedMessages;
using tarvik::testing::TempDir;
using testing::FakeVeltoView;

const std::string kZlv = crlf_lines({"     2", "  0.00000E+00", "  0.60000E+03", "     1",
                                     "  0.00000E+00", "     2", "  0.00000E+00", "  0.30000E+03"});
const std::string kLst = crlf_lines({
    "      3",
    "         1      1        0.0         0.0       0.000  X00Y00Z00",
    "         2      2        0.0         0.0     300.000  X00Y00Z01",
    "         3      3      600.0         0.0     300.000  X01Y00Z01",
    "      2",
    "      1      1      1  X00Y00Z00      2      2  X00Y00Z01  -0.20000E+03",
    "  -0.2000E+03 -0.2000E+03  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  "
    "0.0000E+00",
    "   0.0000E+00  0.0000E+00  0.0000E+00",
    "      2      2      2  X00Y00Z01      3      3  X01Y00Z01   0.10000E+02",
    "   0.1000E+02  0.1000E+02  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  0.0000E+00  "
    "0.0000E+00",
    "   0.0000E+00  0.0000E+00  0.0000E+00",
});
const std::string kDsp = crlf_lines({
    "     3",
    "      1     1 X00Y00Z00      0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  "
    "0.00000E+00",
    "      2     2 X00Y00Z01      0.10000E+01  0.00000E+00 -0.10000E+01  0.00000E+00  0.00000E+00  "
    "0.00000E+00",
    "      3     3 X01Y00Z01      0.10000E+01  0.00000E+00 -0.20000E+01  0.00000E+00  0.00000E+00  "
    "0.00000E+00",
});

struct Velto : ::testing::Test {
    TempDir dir;
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    render::ViewParams params;
    ScriptedMessages msg;
    FakeVeltoView view;
    render::StrokeText text{render::StrokeFont::builtin()};
    std::unique_ptr<VeltoPresenter> p;

    void open(bool with_files = true) {
        if (with_files) {
            tarvik::testing::write_bytes(dir.file(kLevelFileName), kZlv);
            tarvik::testing::write_bytes(dir.file(kListFileName), kLst);
            tarvik::testing::write_bytes(dir.file(kDispFileName), kDsp);
            testing::stamp_as_one_run(dir.path().string());
        }
        params.TAU = 45.0f;
        params.FAI = 20.0f;
        p = std::make_unique<VeltoPresenter>(*m, params, dir.path().string(), view, msg, text);
        view.found = &p->found();
        view.tables = &p->tables();
        view.msg = &msg;
        view.params = &params;
        p->FormCreate(800, 600);
    }
    size_t lines(int colour = -1) {
        render::RecordingCanvas c(800, 600);
        p->FormPaint(c);
        size_t n = 0;
        for (const auto& l : c.of(render::RecordingCanvas::Kind::Line))
            if (colour < 0 || l.pen.colour == colour) ++n;
        return n;
    }
};

TEST_F(Velto, OpensInTheSignModeWithTheMainAngles) {
    open();
    EXPECT_TRUE(p->loaded());
    EXPECT_EQ(p->KekkaMode(), kModeSign);
    EXPECT_EQ(p->TAU(), 45.0f);
    EXPECT_FALSE(view.enabled[VeltoMenu::SaveDxfMenu]);
    EXPECT_EQ(m->N_Z, 2);
    EXPECT_EQ(lines(render::kRed), 1u);
    EXPECT_EQ(lines(render::kBlue), 1u);
}

TEST_F(Velto, WithoutItsFilesTheWindowDrawsNothing) {
    open(false);
    EXPECT_FALSE(p->loaded());
    EXPECT_EQ(p->KekkaMode(), kModeNone);
    EXPECT_EQ(msg.shown, std::vector<std::string>{kMsgZlvOpen});
    EXPECT_EQ(lines(), 0u);
    p->JikuIroMenuClick();
    EXPECT_EQ(p->KekkaMode(), kModeNone);
}

TEST_F(Velto, MagnificationSwitchesToTheDisplacedShape) {
    open();
    p->Scale10MenuClick();
    EXPECT_EQ(p->KekkaMode(), kModeDisplaced);
    EXPECT_FLOAT_EQ(p->tables().new_node[0].z, 280.0f);
    EXPECT_EQ(lines(render::kRed), 2u);
    p->JikuIroMenuClick();
    EXPECT_EQ(p->KekkaMode(), kModeThickness);
}

// How far each displaced node lies from its node, by node number.
std::map<int, double> moves(const ResultTables& t) {
    std::map<int, double> d;
    for (int i = 0; i < t.N_NewNode; ++i) {
        const DisplacedNode& n = t.new_node[i];
        for (int k = 0; k < t.N_Setuten; ++k) {
            const ResultNode& r = t.setuten[k];
            if (r.OldNo != n.old_no) continue;
            d[n.old_no] = std::sqrt(double(n.x - r.x) * (n.x - r.x) + double(n.y - r.y) * (n.y - r.y) +
                                    double(n.z - r.z) * (n.z - r.z));
        }
    }
    return d;
}

TEST_F(Velto, AutomaticScaleMovesTheLargestDisplacementATenthOfTheFrame) {
    open();
    // The frame spans 600 along X and 300 along Z; node 3 moves most, by √5.
    p->ScaleAutoMenuClick();
    EXPECT_EQ(p->KekkaMode(), kModeDisplaced);
    EXPECT_TRUE(p->disp_scale().automatic);
    std::map<int, double> d = moves(p->tables());
    ASSERT_EQ(d.size(), 3u);
    EXPECT_NEAR(d[3], 0.1 * 600.0, 1e-3);
    EXPECT_NEAR(d[2], 0.1 * 600.0 * std::sqrt(2.0) / std::sqrt(5.0), 1e-3);  // in proportion
    EXPECT_EQ(d[1], 0.0);

    // The fixed magnifications move every node by that many displacements.
    for (float scale : {1.0f, 5.0f, 10.0f}) {
        SCOPED_TRACE(scale);
        if (scale == 1.0f) p->Scale1MenuClick();
        if (scale == 5.0f) p->Scale5MenuClick();
        if (scale == 10.0f) p->Scale10MenuClick();
        EXPECT_FALSE(p->disp_scale().automatic);
        EXPECT_EQ(p->disp_scale().scale, scale);
        d = moves(p->tables());
        EXPECT_NEAR(d[3], scale * std::sqrt(5.0), 1e-4);
        EXPECT_NEAR(d[2], scale * std::sqrt(2.0), 1e-4);
    }
    EXPECT_EQ(velto_menu_caption(VeltoMenu::ScaleAutoMenu), std::string("変位自動"));
    EXPECT_EQ(velto_menu_caption(VeltoMenu::Scale10Menu), std::string("変位10倍"));

    // Nothing moves: the automatic scale is 1, not a division by zero.
    auto still = std::make_unique<ResultTables>();
    still->N_Setuten = 1;
    still->N_Disp = 1;
    EXPECT_EQ(auto_displacement_scale(*still), 1.0f);
}

TEST_F(Velto, LegendSaysWhatColoursThicknessUnitAndScaleMean) {
    open();
    auto legend = [this] {
        render::RecordingCanvas c(800, 600);
        p->FormPaint(c);
        // In the top margin the fit leaves free, clear of the frame.
        for (const auto& t : c.of(render::RecordingCanvas::Kind::Text))
            EXPECT_LT(t.y1, kFitMargin) << t.text;
        std::vector<int> swatches;
        for (const auto& f : c.of(render::RecordingCanvas::Kind::FillRect))
            swatches.push_back(f.brush);
        return std::pair{c.texts(), swatches};
    };
    auto has = [](const std::vector<std::string>& texts, const std::string& part) {
        for (const std::string& t : texts)
            if (t.find(part) != std::string::npos) return true;
        return false;
    };
    auto [sign, sign_swatches] = legend();
    EXPECT_TRUE(has(sign, "赤: 引張 (軸力 > 0)"));
    EXPECT_TRUE(has(sign, "青: 圧縮 (軸力 ≦ 0)"));
    EXPECT_TRUE(has(sign, "軸力の単位 kgf (最大の大きさ 200.0 kgf)"));
    EXPECT_EQ(sign_swatches, (std::vector<int>{render::kRed, render::kBlue}));

    p->JikuIroMenuClick();
    auto [thick, thick_swatches] = legend();
    EXPECT_TRUE(has(thick, "線の太さ: 最大軸力に対する割合、10%ごとに1"));
    EXPECT_TRUE(has(thick, "kgf"));
    EXPECT_EQ(thick_swatches.size(), 3u);

    p->Scale5MenuClick();
    auto [five, five_swatches] = legend();
    EXPECT_TRUE(has(five, "黒: 変形前"));
    EXPECT_TRUE(has(five, "赤: 変形後 (変位 ×5)"));
    EXPECT_TRUE(has(five, "最大変位 2.236 cm (節点 X01Y00Z01)"));
    EXPECT_EQ(five_swatches, (std::vector<int>{render::kBlack, render::kRed}));

    p->ScaleAutoMenuClick();
    auto [automatic, automatic_swatches] = legend();
    EXPECT_TRUE(has(automatic, "赤: 変形後 (変位 自動 ×26.83: 最大変位が模型の大きさの1/10)"));
}

TEST_F(Velto, LabelTogglesFlipTheirCheckAndDrawTheirText) {
    open();
    const size_t plain = lines();
    p->SetutenMeishouMenuClick();
    EXPECT_TRUE(view.checked[VeltoMenu::SetutenMeishouMenu]);
    EXPECT_GT(lines(), plain);
    p->SetutenMeishouMenuClick();
    EXPECT_FALSE(view.checked[VeltoMenu::SetutenMeishouMenu]);
    EXPECT_EQ(lines(), plain);
    p->BuzaiBangouMenuClick();
    EXPECT_GT(lines(), plain);
}

// Labels that would fall on one another: the less important is left out and
// the drawing says so; labels that stand apart are all drawn.
TEST_F(Velto, CrowdedLabelsAreThinnedAndTheDrawingSaysSo) {
    open();
    p->KoteiSetutenMenuClick();
    p->KajyuSetutenMenuClick();
    auto note = [this] {
        render::RecordingCanvas c(800, 600);
        p->FormPaint(c);
        const std::vector<std::string> texts = c.texts();
        return std::count(texts.begin(), texts.end(), std::string(views::kLabelsThinned));
    };
    m->N_Fix = 1;
    m->fix[0] = {"", 2, 1, 1, 1};
    EXPECT_EQ(note(), 0);
    EXPECT_FALSE(p->labels_thinned());
    const size_t apart = lines();

    // A load on the supported node writes its label over the support's.
    m->N_Load = 1;
    m->load[0] = {"", 2, 10.0f, 0.0f, -5.0f};
    EXPECT_EQ(note(), 1);
    EXPECT_TRUE(p->labels_thinned());
    EXPECT_EQ(lines(), apart);  // the support's label stays, the load's is left out

    m->load[0].no = 3;
    EXPECT_EQ(note(), 0);
    EXPECT_GT(lines(), apart);
}

TEST_F(Velto, IdSearchOpensTheFoundListEvenAfterCancel) {
    open();
    view.kensaku_answer = "X00Y00Z01";
    p->MaxPowerMenuClick();
    ASSERT_FALSE(view.events.empty());
    EXPECT_EQ(view.events.back(), "find 2");
    view.kensaku_answer.clear();
    p->MaxPowerMenuClick();
    EXPECT_EQ(view.events.back(), "find 0");
}

TEST_F(Velto, ViewMenuTakesTheNewAnglesAndReturnResetsThem) {
    open();
    p->N1Click();
    EXPECT_EQ(p->TAU(), 90.0f);
    EXPECT_EQ(p->FAI(), 0.0f);
    p->OwariExitClick();
    EXPECT_EQ(params.TAU, 30.0f);
    EXPECT_EQ(params.FAI, 30.0f);
    ASSERT_FALSE(view.events.empty());
    EXPECT_EQ(view.events.back(), "close");
}

TEST_F(Velto, SavingTheTableAsksForANameOnlyWithData) {
    open();
    view.save_name = dir.file("table.txt");
    p->KekkaSaveMenuClick();
    EXPECT_TRUE(std::filesystem::exists(view.save_name));
    EXPECT_TRUE(msg.shown.empty());
}

}  // namespace
}  // namespace tarvik::analysis

namespace tarvik::analysis {
namespace {

TEST_F(Velto, SolidViewBuildsBarsThenTheHiddenLineImageOnRequest) {
    open();
    ViewSolidResults solid(*m, dir.path().string());
    p = std::make_unique<VeltoPresenter>(*m, params, dir.path().string(), view, msg, text, &solid);
    p->FormCreate(800, 600);
    params.Rho = 1234.0;
    p->KakumaruMenuClick();
    ASSERT_EQ(p->KekkaMode(), kModeSolid) << (msg.shown.empty() ? "" : msg.shown.back());
    // The compression post a square bar (12 triangles), the tension beam a
    // hexagonal bar (two caps of six, six sides of two).
    EXPECT_EQ(solid.solids().N_TRIO, 12 + 24);
    EXPECT_EQ(params.Rho, 4000.0);
    EXPECT_EQ(params.Theta, 20.0);
    EXPECT_EQ(params.Phi, 70.0);
    EXPECT_NE(std::find(view.events.begin(), view.events.end(), "view on"), view.events.end());
    EXPECT_NE(std::find(view.events.begin(), view.events.end(), "timer on"), view.events.end());
    EXPECT_GT(lines(), 0u);

    // The view window asks for hidden lines: the next tick builds the image.
    params.PersRequest = 1;
    p->Timer1Timer();
    EXPECT_EQ(p->KekkaMode(), kModeHidden) << (msg.shown.empty() ? "" : msg.shown.back());
    ASSERT_FALSE(msg.shown.empty());
    EXPECT_EQ(msg.shown.back().rfind("陰線処理を終了しまし", 0), 0u);
    EXPECT_TRUE(view.enabled[VeltoMenu::SaveDxfMenu]);
    EXPECT_TRUE(std::filesystem::exists(dir.file("TEMP.DAT")));
    EXPECT_GT(lines(), 0u);

    // "DXF保存" writes that image; a cancelled colour window writes nothing.
    view.save_name = dir.file("result.dxf");
    view.colour = -1;
    p->SaveDxfMenuClick();
    EXPECT_FALSE(std::filesystem::exists(view.save_name));
    view.colour = 3;
    msg.shown.clear();
    p->SaveDxfMenuClick();
    EXPECT_EQ(msg.shown, std::vector<std::string>{files::kDxfDone});
    std::ifstream dxf(view.save_name, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(dxf)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(" 0\r\nLINE\r\n"), std::string::npos);
    EXPECT_NE(text.find(" 62\r\n    3\r\n"), std::string::npos);
}

TEST_F(Velto, SolidViewWithoutItsFileLeavesTheMode) {
    open();
    ViewSolidResults solid(*m, dir.file("no/such/folder"));
    p = std::make_unique<VeltoPresenter>(*m, params, dir.path().string(), view, msg, text, &solid);
    p->FormCreate(800, 600);
    p->KakumaruMenuClick();
    EXPECT_EQ(p->KekkaMode(), kModeSign);
    ASSERT_FALSE(msg.shown.empty());
    EXPECT_EQ(msg.shown.back(), kMsgSolidFailed);
}

}  // namespace
}  // namespace tarvik::analysis
