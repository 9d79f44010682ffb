// The hand-drawn editor "手書データ" on Qt. All behaviour is in
// TegakiPresenter; this class builds the menus, keeps the picture and
// forwards the mouse, the menus and the timer.
#pragma once

#include <QDialog>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <map>
#include <string>

#include "editing/tegaki_form.h"
#include "files/qt/t_dxf_color_form.h"
#include "render/solid.h"
#include "ui/qt/qt_messages.h"

class QAction;

namespace tarvik::views {
class TIsomeForm;
class TViewForm;
}  // namespace tarvik::views

namespace tarvik::editing {

class TegakiPicture;

class TTegakiForm : public QDialog, public TegakiView {
    Q_OBJECT
  public:
    // directory: the working folder of the run, where the solid and image
    // files of the views are written and the file dialogs start.
    TTegakiForm(model::ModelStore& m, render::ViewParams& params, const std::string& directory,
                QWidget* parent = nullptr);
    ~TTegakiForm() override;

    void set_menu_enabled(TegakiMenu item, bool enabled) override;
    void repaint() override;
    void draw_now(const std::function<void(render::Canvas&)>& draw) override;
    void set_busy(bool busy) override;
    std::string open_file_name(std::string_view filter) override;
    std::string save_file_name(std::string_view filter, std::string_view default_ext) override;
    int run_dxf_colour_window() override;
    void show_isome_window() override;
    void show_view_window() override;
    int run_node_form(NodeDataExchange& x) override;
    int run_beam_form(BeamDataExchange& x) override;
    void show_help() override;
    void close_window() override;

    TegakiPresenter& presenter() { return presenter_; }
    QWidget* drawing() const;
    QAction* action(TegakiMenu item) const { return actions_.at(item); }
    // The menu commands that change no enabled state, by caption.
    QAction* command(const char* caption) const { return commands_.at(caption); }
    views::TViewForm* view_form() const { return view_form_; }

  protected:
    // The close box leaves as "戻る" does, asking first.
    void reject() override;
    // Keys do nothing here, Escape included.
    void keyPressEvent(QKeyEvent*) override {}

  private:
    void finish();

    model::ModelStore& m_;
    render::ViewParams& params_;
    std::string dir_;
    ui::QtMessages msg_;
    render::SolidModel solids_;
    files::QtExportDialogs export_dialogs_;
    TegakiPresenter presenter_;
    TegakiPicture* picture_ = nullptr;
    QMenu* show_menu_ = nullptr;  // "表示", which ends with "全体表示"
    QTimer timer_;
    std::map<TegakiMenu, QAction*> actions_;
    std::map<std::string, QAction*> commands_;
    views::TIsomeForm* isome_ = nullptr;
    views::TViewForm* view_form_ = nullptr;
};

// Creates the editor on the model store, shows it modally and destroys it.
void run_tegaki_form(QWidget* parent, model::ModelStore& m, render::ViewParams& params,
                     const std::string& directory);

}  // namespace tarvik::editing
