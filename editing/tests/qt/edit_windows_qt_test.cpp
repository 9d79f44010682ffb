// Smoke tests of the editing windows on Qt: they open on a small model,
// forward to their presenters and run their dialogs modally. Run under the
// offscreen platform; pictures of the windows are left in the build folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>
#include <functional>

#include "editing/qt/edit_windows.h"
#include "editing/qt/t_beam_forms.h"
#include "editing/qt/t_ident_form.h"
#include "editing/qt/t_jiku_form.h"
#include "editing/qt/t_node_forms.h"
#include "editing/qt/t_sel_beam_form.h"
#include "editing/qt/t_sel_node_form.h"
#include "editing/tests/qt/qt_helpers.h"
#include "model/maintenance.h"
#include "views/qt/t_isome_form.h"
#include "views/qt/t_view_form.h"
#include "model/tests/model_builder.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::editing {
namespace {

// The text of a grid cell; a cell that was never filled fails the test
// instead of being read through a null item.
QString cell(const QTableWidget* grid, int row, int col) {
    const QTableWidgetItem* it = grid->item(row, col);
    if (!it) ADD_FAILURE() << "no cell at " << row << "," << col;
    return it ? it->text() : QString();
}

void type(QLineEdit* edit, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

class EditWindows : public ::testing::Test {
  protected:
    EditWindows() {
        for (float x : {0.0f, 300.0f}) tarvik::testing::add_member(m, msg, x, 0, 0, x, 0, 250);
        tarvik::testing::add_member(m, msg, 0, 0, 250, 300, 0, 250, 12, 24);
        model::check_size(m, msg);
        model::assign_materials(m);
        model::save_level_name(m, msg);
        model::Fix f{"X00Y00Z00", 1, 1, 1, 1};
        model::add_fix(m, f, msg);
        model::Load l{"X00Y00Z01", 2, 0, 0, -200};
        model::add_load(m, l, msg);
    }
    model::ModelStore m;
    tarvik::testing::ScriptedMessages msg;
};

TEST_F(EditWindows, SelNodeFormShowsTheModelAndAddsASupport) {
    NodeEditExchange x;
    TSelNodeForm f(m, x);
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("節点選択"));
    EXPECT_EQ(f.ZenStringGrid->rowCount(), 4);
    EXPECT_EQ(f.ZenStringGrid->columnCount(), 5);
    EXPECT_EQ(f.ZenStringGrid->horizontalHeaderItem(2)->text(), "X(cm)");
    EXPECT_EQ(cell(f.ZenStringGrid, 1, 1), "X00Y00Z01");
    EXPECT_EQ(f.FixStringGrid->rowCount(), 1);
    EXPECT_EQ(cell(f.LoadStringGrid, 0, 5), "  -200.0");
    EXPECT_EQ(f.ZenEdit->text(), "4");
    EXPECT_EQ(f.ZenStringGrid->currentRow(), 0);
    f.show();
    save_shot(f, "sel_node_form.png");

    f.ZenStringGrid->setCurrentCell(2, 1);  // as a click on the row does
    EXPECT_EQ(x.SelectNodeFix, 2);
    EXPECT_EQ(x.SelectNodeLoad, 2);
    in_next_dialog([](TFieldDialog& d) {
        EXPECT_EQ(d.fields[SelFixPresenter::kCode]->text(), "X01Y00Z00");
        EXPECT_TRUE(d.fields[SelFixPresenter::kCode]->isReadOnly());
        d.fields[SelFixPresenter::kXfix]->setText("5");
        d.OKButton->click();
    });
    f.AddFixSpeedButton->click();
    ASSERT_EQ(m.N_Fix, 2);
    EXPECT_EQ(m.fix[1].xfix, 1);
    EXPECT_EQ(f.FixStringGrid->rowCount(), 2);
    EXPECT_EQ(f.FixEdit->text(), "2");
    EXPECT_EQ(m.node[2].flag, model::kPickSupport);

    // The close box of a dialog is its Cancel.
    in_next_dialog([](TFieldDialog& d) {
        d.fields[LoadEditPresenter::kPz]->setText("-1");
        d.close();  // the close box
    });
    f.ModLoadSpeedButton->click();
    EXPECT_EQ(m.load[0].pz, -200.0f);
    EXPECT_EQ(x.edit_result, kResultCancel);

    type(f.KensakuEdit, "x01y00z01");
    EXPECT_EQ(f.KensakuEdit->text(), "X01Y00Z01");
    f.KensakuButton1->click();

    f.resize(520, 360);  // still usable when small
    save_shot(f, "sel_node_form_small.png");
    f.OKButton->click();
    EXPECT_FALSE(f.isVisible());
}

TEST_F(EditWindows, SelBeamFormShowsTheTablesAndChangesASection) {
    BeamEditExchange x;
    TSelBeamForm f(m, x);
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("部材データ"));
    EXPECT_EQ(f.ZenStringGrid->rowCount(), 3);
    EXPECT_EQ(f.SizeStringGrid->columnCount(), 8);
    EXPECT_EQ(f.SizeStringGrid->horizontalHeaderItem(7)->text(), "ColdAngle");
    EXPECT_EQ(f.MatStringGrid->columnCount(), 4);
    EXPECT_EQ(f.SizeEdit->text(), "2");
    f.show();
    save_shot(f, "sel_beam_form.png");

    f.SizeStringGrid->setCurrentCell(1, 0);
    EXPECT_EQ(x.SelectSize, 1);
    in_next_dialog([](TFieldDialog& d) {
        d.fields[HenSizePresenter::kHaba]->setText("15");
        d.OKButton->click();
    });
    f.HabahenSpeedButton->click();
    EXPECT_EQ(m.size[1].haba, 15.0f);
    EXPECT_EQ(cell(f.SizeStringGrid, 1, 1), "    15.0");

    in_next_dialog([](TFieldDialog& d) {
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8("部材詳細"));
        EXPECT_EQ(d.CancelButton, nullptr);
        d.OKButton->click();
    });
    f.ShousaiSpeedButton->click();
    f.OKButton->click();
    EXPECT_FALSE(f.isVisible());
}

TEST_F(EditWindows, DialogsOfTheEditors) {
    NodeEditExchange x;
    TFixEditForm del(m, x, FixEditUse::Delete);
    EXPECT_TRUE(del.fields[FixEditPresenter::kXfix]->isReadOnly());
    EXPECT_EQ(del.MessageLabel->text(), QString::fromUtf8("この固定節点を削除します"));
    save_shot(del, "fix_edit_delete.png");
    TLoadEditForm load(m, x);
    ASSERT_NE(load.ExtraButton, nullptr);
    EXPECT_EQ(load.ExtraButton->text(), QString::fromUtf8("同"));
    save_shot(load, "load_edit.png");

    BeamDataExchange bx;
    bx.SelectBeam = 2;
    TBeamForm beam(m, bx);
    EXPECT_EQ(beam.pos(), QPoint(32, 32));
    EXPECT_EQ(beam.fields[kAtumi]->text(), "     24.0");
    save_shot(beam, "beam_form.png");
    beam.fields[kHaba]->setText("20");
    beam.ExtraButton->click();
    EXPECT_EQ(bx.result, kResultAll);
    EXPECT_EQ(m.beam[2].haba, 20.0f);

    NodeDataExchange nx;
    nx.SelectNode = 1;
    TNodeForm node(m, nx);
    node.fields[NodeFormPresenter::kZ]->setText("999");
    node.OKButton->click();
    EXPECT_EQ(m.node[1].z, 999.0f);
    EXPECT_EQ(nx.last_z, 999.0f);

    // A node that does not exist: the window refuses and is never shown.
    nx.SelectNode = 40;
    QTimer::singleShot(0, [] {
        if (auto* box = QApplication::activeModalWidget()) box->close();  // the message
    });
    EXPECT_EQ(run_node_form(nullptr, m, nx), kResultCancel);
}

TEST_F(EditWindows, ConditionSearchSelectsPreviewsAndSaves) {
    QTemporaryDir dir;
    render::ViewParams params;
    TIdentForm f(m, params, dir.path().toStdString());
    f.show();
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("条件検索"));
    EXPECT_EQ(f.EditSouNum->text(), "3");
    EXPECT_EQ(f.LabelXmax->text(), "     1");
    EXPECT_EQ(f.IdouEdits[0]->text(), "      0.0");
    EXPECT_EQ(f.LevelSpeedButton->text(), QString::fromUtf8("検"));
    f.edits[0]->setText("x01");  // typed in lower case, read in upper case
    f.IdouEdits[2]->setText("10");
    f.LevelSpeedButton->click();
    EXPECT_EQ(f.EditKensakuNum->text(), "1");
    ASSERT_EQ(f.presenter().selection().size(), 1u);
    EXPECT_EQ(f.presenter().selection()[0].zl, 260.0f);
    f.edits[0]->clear();
    f.LevelSpeedButton->click();  // nothing names an axis: the selection stays
    EXPECT_EQ(f.EditKensakuNum->text(), "1");
    f.edits[5]->setText("Z01");
    f.LevelSpeedButton->click();
    EXPECT_EQ(f.EditKensakuNum->text(), "3");
    save_shot(f, "ident_form.png");

    const QString path = dir.filePath("all.jik");
    when_shown<QFileDialog>([path](QFileDialog& d) {
        d.selectFile(path);
        static_cast<QDialog&>(d).accept();  // as the dialog's Save button does
        when_shown<QMessageBox>([](QMessageBox& box) {
            EXPECT_EQ(box.text(), QString::fromUtf8("軸ファイルを作製しました"));
            box.accept();
        });
    });
    f.OkButton->click();
    EXPECT_TRUE(QFileInfo::exists(path));
    f.Button1->click();
    EXPECT_FALSE(f.isVisible());
}

TEST_F(EditWindows, AxisDataWindowShowsItsViews) {
    QTemporaryDir dir;
    render::ViewParams params;
    params.TAU = 60.0f;
    TJikuForm f(m, params, dir.path().toStdString());
    EXPECT_EQ(f.windowTitle(), QString::fromUtf8("軸データ入力"));
    EXPECT_EQ(params.TAU, 30.0f);
    QStringList tops;
    for (QAction* a : f.findChild<QMenuBar*>()->actions()) tops << a->text();
    EXPECT_EQ(tops, (QStringList{QString::fromUtf8("ファイル"), QString::fromUtf8("表示"),
                                 QString::fromUtf8("ヘルプ")}));
    EXPECT_FALSE(f.FaceHozonMenu->isEnabled());
    ASSERT_NE(f.view_windows().isome(), nullptr);
    EXPECT_TRUE(f.view_windows().isome()->isVisible());
    f.resize(640, 480);
    f.show();
    save_shot(f, "jiku_form.png");

    f.presenter().JikuModelMenuClick();
    EXPECT_TRUE(f.FaceHozonMenu->isEnabled());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("TRIO.DAT")));
    save_shot(f, "jiku_form_axis.png");
    f.presenter().ShitenZahyouMenuClick();
    ASSERT_NE(f.view_windows().view(), nullptr);
    EXPECT_TRUE(f.view_windows().view()->isVisible());
    save_shot(f, "jiku_form_viewpoint.png");
    f.presenter().ModoruMenuClick();
    EXPECT_FALSE(f.view_windows().isome()->isVisible());
}

}  // namespace
}  // namespace tarvik::editing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no window system.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
