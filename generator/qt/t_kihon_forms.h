// The generator's windows on Qt: the basic data, the roof data and the unit
// window. All behaviour is in their presenters.
#pragma once

#include <QAction>
#include <QButtonGroup>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <array>
#include <memory>
#include <string>

#include "files/qt/t_dxf_color_form.h"
#include "generator/kihon_form.h"
#include "generator/kihon_unit_form.h"
#include "generator/yane_form.h"
#include "render/canvas.h"
#include "ui/qt/qt_messages.h"
#include "render/view_params.h"
#include "render/view_window.h"

#include "render/solid.h"
#include "views/display_modes.h"
#include "views/qt/view_windows.h"


namespace tarvik::generator {

class TYaneForm : public QDialog, public YaneView {
    Q_OBJECT
public:
    TYaneForm(BasicData& d, QWidget* parent = nullptr);
    std::string field_text(YaneField f) const override;
    void set_field_text(YaneField f, const std::string& text) override;
    void close_window(int result) override;
    int result_value() const { return presenter_.result(); }

    std::array<QLineEdit*, kYaneFieldCount> fields{};

private:
    ui::QtMessages msg_;
    YanePresenter presenter_;
};

class TKihonForm : public QDialog, public KihonView {
    Q_OBJECT
public:
    TKihonForm(BasicData& d, model::ModelStore& m, QWidget* parent = nullptr);
    std::string field_text(KihonField f) const override;
    void set_field_text(KihonField f, const std::string& text) override;
    void set_field_enabled(KihonField f, bool enabled) override;
    void select_item(KihonGroup g, int item) override;
    void set_busy(bool busy) override;
    int open_yane_form(BasicData& d) override;
    void close_window(int result) override;

    std::array<QLineEdit*, kKihonFieldCount> fields{};
    QButtonGroup* SumiRadioGroup = nullptr;
    QButtonGroup* SouRadioGroup = nullptr;
    QButtonGroup* YaneRadioGroup = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QButtonGroup* group(KihonGroup g) const;
    ui::QtMessages msg_;
    KihonPresenter presenter_;
};

// The unit window: generates the house from the basic data and draws it.
class TKihonUnitForm : public QDialog, public KihonUnitView {
    Q_OBJECT
public:
    // directory: where the solid and image files of the views are written.
    TKihonUnitForm(model::ModelStore& m, render::ViewParams& params, const std::string& directory,
                   QWidget* parent = nullptr);
    ~TKihonUnitForm() override;

    void open_kihon_form(BasicData& d) override;
    void set_menu_enabled(UnitMenu item, bool enabled) override;
    void set_busy(bool busy) override;
    void set_view_angles(float tau, float fai) override;
    void show_angle_window() override;
    void show_plan(bool with_nodes) override;
    void show_wire() override;
    void show_solid() override;
    void repaint() override;
    void show_help(int topic) override;
    void close_window() override;
    void open_zahyou_idou(ZahyouIdouExchange& x) override;
    void open_ident_form() override;
    std::string save_file_name(std::string_view filter, std::string_view default_ext) override;
    int run_dxf_colour_window() override;

    // Runs the window: the basic-data window first; nothing more when it is
    // cancelled.
    int run();
    KihonUnitPresenter& presenter() { return presenter_; }
    QWidget* drawing() const { return drawing_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void paint(render::Canvas& c);

    // Member solids of each generation go to the triangle file of the views.
    class Solids : public BarSolids {
    public:
        Solids(render::SolidModel& s, model::MessageService& msg) : s_(s), msg_(msg) {}
        int make_kakuzai2(float xs, float ys, float zs, float xl, float yl, float zl, float haba,
                          float atumi) override {
            return render::make_kakuzai2(s_, xs, ys, zs, xl, yl, zl, haba, atumi, msg_);
        }

    private:
        render::SolidModel& s_;
        model::MessageService& msg_;
    };

    model::ModelStore& m_;
    render::ViewParams& params_;
    BasicData d_;
    ui::QtMessages msg_;
    render::SolidModel solids_;
    Solids bar_solids_;
    KihonUnitPresenter presenter_;
    render::ViewWindow win_;
    views::DrawingContext ctx_;
    views::ViewWindows view_windows_{params_, this};
    bool view_form_shown_ = false;
    QWidget* drawing_ = nullptr;
    std::array<QAction*, 3> exports_{};
    files::QtExportDialogs export_dialogs_;
    std::string directory_;
    QTimer timer_;
    bool with_nodes_ = true;
    int mode_ = 0;  // what the drawing shows: 0 nothing, 1 plan, 3 axis model, 4 viewpoint model
    bool closing_ = false;
};

// Opens the unit window modally on the model store, as the main window's
// "基本データ選択" does.
void run_kihon_unit_form(QWidget* parent, model::ModelStore& m, render::ViewParams& params,
                         const std::string& directory);

}  // namespace tarvik::generator
