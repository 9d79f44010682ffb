// Smoke test of the result windows on Qt over the results of a real run of
// the generated house; screenshots go to the build folder for review.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTableWidget>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "analysis/analysis_run.h"
#include "analysis/qt/print.h"
#include "analysis/qt/t_kekka_form.h"
#include "analysis/qt/t_show_stress_form.h"
#include "analysis/qt/t_velto_form.h"
#include "files/tests/test_dir.h"
#include "generator/generator.h"
#include "model/maintenance.h"
#include "model/tests/scripted_messages.h"
#include "testing/qt_shots.h"

namespace tarvik::analysis {
namespace {

using tarvik::testing::ScriptedMessages;
using test_support::save_shot;

struct VeltoQt : ::testing::Test {
    tarvik::testing::TempDir dir;
    std::unique_ptr<model::ModelStore> m = std::make_unique<model::ModelStore>();
    render::ViewParams params;
    ScriptedMessages msg;
    render::StrokeText text{render::StrokeFont::builtin()};

    void SetUp() override {
#ifndef VELTOSOL_PATH
        GTEST_SKIP() << "veltosol is not part of this build";
#else
        generator::BasicData d = generator::default_basic_data();
        std::ostringstream notes;
        generator::Generator gen(*m, d, msg, notes);
        ASSERT_EQ(gen.generate(), 0);
        ASSERT_EQ(model::check_size(*m, msg), 0);
        model::assign_materials(*m);
        ASSERT_EQ(model::save_level_name(*m, msg), 0);
        // Supports on the corners of the lowest level, loads on every top node.
        float zmin = 1e30f, zmax = -1e30f;
        for (int i = 0; i < m->N_Node; ++i) {
            zmin = std::min(zmin, m->node[i].z);
            zmax = std::max(zmax, m->node[i].z);
        }
        for (int i = 0; i < m->N_Node; ++i) {
            const model::Node& n = m->node[i];
            if (n.z == zmin && m->N_Fix < 100) {
                model::Fix f{};
                model::set_code(f.id, n.id);
                f.no = n.no;
                f.xfix = f.yfix = f.zfix = 1;
                model::add_fix(*m, f, msg);
            } else if (n.z == zmax) {
                model::Load l{};
                model::set_code(l.id, n.id);
                l.no = n.no;
                l.px = 20.0f;
                l.pz = -200.0f;
                model::add_load(*m, l, msg);
            }
        }
        AnalysisOutcome out;
        AnalysisContext ctx{*m, dir.path().string(),
                            std::filesystem::path(VELTOSOL_PATH).parent_path().string()};
        ASSERT_EQ(run_analysis(ctx, msg, out), 0)
            << (msg.shown.empty() ? std::string() : msg.shown.back());
#endif
    }
};

TEST_F(VeltoQt, ResultsWindowListsAndDiagram) {
    TVeltoForm f(*m, params, dir.path().string(), text, 1280);
    ASSERT_TRUE(f.presenter().loaded());
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8(kVeltoCaption));
    EXPECT_FALSE(f.action(VeltoMenu::SaveDxfMenu)->isEnabled());
    f.show();
    save_shot(f, "velto_sign.png");
    f.action(VeltoMenu::JikuIroMenu)->trigger();
    EXPECT_EQ(f.presenter().KekkaMode(), kModeThickness);
    save_shot(f, "velto_thickness.png");
    f.action(VeltoMenu::Scale10Menu)->trigger();
    EXPECT_EQ(f.presenter().KekkaMode(), kModeDisplaced);
    f.action(VeltoMenu::SetutenMeishouMenu)->trigger();
    f.action(VeltoMenu::KoteiSetutenMenu)->trigger();
    EXPECT_TRUE(f.action(VeltoMenu::SetutenMeishouMenu)->isChecked());
    save_shot(f, "velto_displaced_labels.png");
    // The automatic scale: the house visibly deformed, its legend saying by how much.
    f.action(VeltoMenu::SetutenMeishouMenu)->trigger();
    f.action(VeltoMenu::KoteiSetutenMenu)->trigger();
    f.action(VeltoMenu::ScaleAutoMenu)->trigger();
    EXPECT_TRUE(f.presenter().disp_scale().automatic);
    EXPECT_GT(f.presenter().disp_scale().scale, 10.0f);
    save_shot(f, "velto_displaced_auto_legend.png");

    // The solid view, then its hidden-line image (the time message is closed
    // by a timer, as a user would).
    f.action(VeltoMenu::KakumaruMenu)->trigger();
    ASSERT_EQ(f.presenter().KekkaMode(), kModeSolid);
    save_shot(f, "velto_solid.png");
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    closer.start(100);
    params.PersRequest = 1;
    f.presenter().Timer1Timer();
    closer.stop();
    EXPECT_EQ(f.presenter().KekkaMode(), kModeHidden);
    EXPECT_TRUE(f.action(VeltoMenu::SaveDxfMenu)->isEnabled());
    save_shot(f, "velto_hidden.png");
    f.presenter().OwariExitClick();
    EXPECT_EQ(params.TAU, 30.0f);

    TKekkaForm list(kListAxial, f.presenter().tables(), f.presenter().store(),
                    f.presenter().found(), msg, &f);
    EXPECT_EQ(list.StringGrid1->rowCount(), m->N_Beam + 1);
    list.filter->edit(ListField::ZMin)->setText("Z01");
    list.filter->LevelSpeedButton->click();
    EXPECT_FALSE(list.filter->edit(ListField::KensakuNum)->text().isEmpty());
    list.show();
    save_shot(list, "kekka_axial_filtered.png");
    EXPECT_TRUE(print_grid(&list, list.windowTitle(), list.presenter().grid(),
                           test_support::shot_path("kekka_axial.pdf")));
    EXPECT_GT(std::filesystem::file_size(test_support::shot_path("kekka_axial.pdf").toStdString()),
              0u);

    TKekkaForm disp(kListDisp, f.presenter().tables(), f.presenter().store(), f.presenter().found(),
                    msg, &f);
    EXPECT_EQ(disp.StringGrid1->rowCount(), m->N_Node + 1);
    disp.show();
    save_shot(disp, "kekka_disp.png");

    TStressForm stress(f.presenter().tables(), f.presenter().store(), f.presenter().found(), msg,
                       &f);
    stress.filter->edit(ListField::ZMin)->setText("Z01");
    stress.filter->edit(ListField::ZMax)->setText("Z02");
    stress.filter->LevelSpeedButton->click();
    stress.show();
    save_shot(stress, "stress_filtered.png");
    ASSERT_FALSE(f.presenter().found().rows.empty());

    TShowStressForm diagram(f.presenter().found(), 30.0f, 30.0f, &f);
    diagram.show();
    save_shot(diagram, "stress_diagram_axial.png");
    diagram.ShuRadioGroup->button(2)->click();
    EXPECT_EQ(diagram.presenter().kind(), kMoment);
    save_shot(diagram, "stress_diagram_moment.png");
    EXPECT_TRUE(print_drawing(
        &diagram, diagram.windowTitle(),
        [&](render::Canvas& c) { diagram.presenter().FormPaint(c); },
        test_support::shot_path("stress_diagram.pdf")));

    f.presenter().found().KensakuID = f.presenter().tables().stress[0].iname;
    collect_found(f.presenter().tables(), f.presenter().found());
    TFindForm find(f.presenter().found(), &f);
    EXPECT_GE(find.StringGrid1->rowCount(), 2);
    find.show();
    save_shot(find, "find.png");
}

}  // namespace
}  // namespace tarvik::analysis

int main(int argc, char** argv) {
    // The windows are made without a display, also when the tests are listed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
