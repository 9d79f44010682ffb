// The results window TVeltoForm ("計算結果表示"): reads the result files when
// it is created, draws the axial forces, the displaced shape or the solid
// view with optional labels, and opens the lists, the ID search and the
// saving of the axial force table.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "analysis/result_draw.h"
#include "analysis/result_lists.h"
#include "analysis/result_tables.h"
#include "files/export_commands.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "render/canvas.h"
#include "render/stroke_text.h"
#include "render/view_params.h"
#include "render/view_window.h"
#include "ui/texts.h"

namespace tarvik::analysis {

inline constexpr int kVeltoTimerMs = 100;

enum class VeltoMenu {
    SaveDxfMenu,
    KekkaSaveMenu,
    OwariExit,
    JikuListMenu,
    JikuIroMenu,
    KakumaruMenu,
    SetutenListMenu,
    Scale1Menu,
    Scale5Menu,
    Scale10Menu,
    ScaleAutoMenu,
    StressMenu,
    MaxPowerMenu,
    N1,
    SetutenMeishouMenu,
    BuzaiBangouMenu,
    KoteiSetutenMenu,
    KajyuSetutenMenu,
    Count
};
// Caption of an item, and of the menus that hold them.
const char* velto_menu_caption(VeltoMenu item);

// The save dialog and the DXF colour window come from the export commands.
class VeltoView : public files::ExportDialogs {
  public:
    virtual void repaint() = 0;
    virtual void set_busy(bool busy) = 0;
    virtual void set_menu_enabled(VeltoMenu item, bool enabled) = 0;
    virtual void set_menu_checked(VeltoMenu item, bool checked) = 0;
    // Modal windows on the presenter's tables.
    virtual void run_list_window(int kind) = 0;  // TKekkaForm, kind 1 or 2
    virtual void run_stress_window() = 0;        // TStressForm
    virtual void run_kensaku_window() = 0;       // TKensakuForm (sets the found flag)
    virtual void run_find_window() = 0;          // TFindForm
    virtual void run_isome_window() = 0;         // TIsomeForm
    // The view window of the solid view, modeless.
    virtual void show_view_window(bool visible) = 0;
    virtual void set_timer(bool running) = 0;
    virtual void close_window() = 0;
};

// The solid view: builds the bar solids of the results, shows them and runs
// the hidden-line image. Implemented over the views' solid model.
class SolidResults {
  public:
    virtual ~SolidResults() = default;
    // Writes the bars of every member into the face file; false after the
    // message of a failure.
    virtual bool build(const ResultTables& t, model::MessageService& msg) = 0;
    // Draws the solid view (mode 6) or the hidden-line image (mode 7).
    virtual void paint(int mode, render::ViewWindow& w, render::Canvas& c, render::ViewParams& p,
                       model::MessageService& msg) = 0;
    // Builds the hidden-line image; false after a message.
    virtual bool hidden_lines(render::ViewWindow& w, render::ViewParams& p, int W, int H,
                              model::MessageService& msg) = 0;
};

class VeltoPresenter {
  public:
    VeltoPresenter(model::ModelStore& m, render::ViewParams& params, std::string cDirectory,
                   VeltoView& view, model::MessageService& msg, render::StrokeText& text,
                   SolidResults* solid = nullptr);

    // Creation: reads the result files and sets the window up.
    void FormCreate(int width, int height);
    void FormPaint(render::Canvas& c);
    void FormResize(int width, int height);
    void Timer1Timer();

    void SaveDxfMenuClick();
    void KekkaSaveMenuClick();
    void OwariExitClick();
    void JikuListMenuClick();
    void JikuIroMenuClick();
    void KakumaruMenuClick();
    void SetutenListMenuClick();
    void Scale1MenuClick() { scale_menu(1.0f); }
    void Scale5MenuClick() { scale_menu(5.0f); }
    void Scale10MenuClick() { scale_menu(10.0f); }
    // "変位自動": the largest displacement a fixed share of the frame's size.
    void ScaleAutoMenuClick();
    void StressMenuClick();
    void MaxPowerMenuClick();
    void N1Click();
    void SetutenMeishouMenuClick() { toggle(labels_.node_names, VeltoMenu::SetutenMeishouMenu); }
    void BuzaiBangouMenuClick() { toggle(labels_.member_numbers, VeltoMenu::BuzaiBangouMenu); }
    void KoteiSetutenMenuClick() { toggle(labels_.supports, VeltoMenu::KoteiSetutenMenu); }
    void KajyuSetutenMenuClick() { toggle(labels_.loads, VeltoMenu::KajyuSetutenMenu); }

    // State and tables, for the window, the list windows and tests.
    int KekkaMode() const { return KekkaMode_; }
    bool loaded() const { return loaded_; }
    ResultTables& tables() { return *t_; }
    const ResultTables& tables() const { return *t_; }
    FoundTable& found() { return found_; }
    const model::ModelStore& store() const { return m_; }
    render::ViewParams& params() { return params_; }
    model::MessageService& messages() { return msg_; }
    const render::ViewWindow& window() const { return win_; }
    render::ViewWindow& window() { return win_; }  // its zoom, for the mouse
    const LabelToggles& labels() const { return labels_; }
    bool labels_thinned() const { return labels_thinned_; }  // at the last paint
    DispScale disp_scale() const { return disp_; }
    float TAU() const { return TAU_; }
    float FAI() const { return FAI_; }

  private:
    void scale_menu(float scale, bool automatic = false);
    void toggle(int& flag, VeltoMenu item);

    model::ModelStore& m_;
    render::ViewParams& params_;
    std::string dir_;
    VeltoView& view_;
    model::MessageService& msg_;
    render::StrokeText& text_;
    SolidResults* solid_;
    std::unique_ptr<ResultTables> t_;
    FoundTable found_;
    render::ViewWindow win_;
    LabelToggles labels_;
    bool labels_thinned_ = false;
    DispScale disp_;  // of the displaced shape last made
    int KekkaMode_ = kModeNone;
    bool loaded_ = false;
    float TAU_ = render::kStartTau, FAI_ = render::kStartFai;
    int W_ = 0, H_ = 0;
    // The solid view's own copies of the eye.
    double Rho_ = render::kStartRho, Theta_ = render::kStartTheta, Phi_ = render::kStartPhi;
};

}  // namespace tarvik::analysis
