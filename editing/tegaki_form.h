// The hand-drawn editor TTegakiForm "手書データ": members drawn as lines
// between two clicks in a flat plan (one plan unit is one pixel, plan Y
// upward), then model coordinates for each node and a section for each
// member through the node and member data dialogs, the three-dimensional
// views, the ".man" file and the exports. Works on the model store in place.
//
// Toolkit-free: the screen, the dialogs and the view windows are reached
// through TegakiView; messages through the message service.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "editing/beam_form.h"
#include "editing/node_form.h"
#include "files/export_commands.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "render/canvas.h"
#include "render/solid.h"
#include "render/view_params.h"
#include "render/view_window.h"
#include "ui/texts.h"
#include "views/display_modes.h"

namespace tarvik::editing {

inline constexpr int kTegakiLeft = 120, kTegakiTop = 120;
inline constexpr int kTegakiWidth = 696, kTegakiHeight = 480;
inline constexpr int kTegakiTimerMs = 100;

// Display modes: 1 is the plan; 0 and 2 to 5 are the shared drawings.
inline constexpr int kTegakiPlan = 1;

// The menu items whose enabled state the editor changes.
enum class TegakiMenu {
    ShinkiMenu,        // "新規データ"
    ReadTegakiMenu,    // "手書データ読込"
    SaveTegakiMenu,    // "手書データ保存"
    DxfHozonMenu,      // "DXF保存"
    FaceSaveMenu,      // the viewer face file
    ModoriMenu,        // "戻る"
    BuzaiShiteiMenu,   // "部材指定"
    BuzaiSakujyoMenu,  // "部材削除"
    SetutenDataMenu,   // "節点データ"
    BuzaiDataMenu,     // "部材データ"
    Show1,             // "表示"
};
const char* tegaki_menu_caption(TegakiMenu item);

enum class TegakiButton { Left, Right, Other };

// The screen, the modal dialogs and the view windows of the editor. The save
// dialog and the DXF colour window come from the export commands.
class TegakiView : public files::ExportDialogs {
  public:
    virtual void set_menu_enabled(TegakiMenu item, bool enabled) = 0;
    // The whole picture again, through FormPaint.
    virtual void repaint() = 0;
    // Draws on the picture as it stands now (markers, the rubber band) and
    // shows it at once; the next repaint replaces it.
    virtual void draw_now(const std::function<void(render::Canvas&)>& draw) = 0;
    virtual void set_busy(bool busy) = 0;
    // The chosen file, empty when cancelled; filter "caption|pattern".
    virtual std::string open_file_name(std::string_view filter) = 0;
    virtual void show_isome_window() = 0;  // "アイソメ"
    virtual void show_view_window() = 0;   // "視点"
    // The node and member data dialogs, modal; each returns x.result.
    virtual int run_node_form(NodeDataExchange& x) = 0;
    virtual int run_beam_form(BeamDataExchange& x) = 0;
    virtual void show_help() = 0;
    virtual void close_window() = 0;
};

// The editor's run-wide parts: the model, the shared view parameters and the
// solid files of the views.
struct TegakiContext {
    model::ModelStore& model;
    render::ViewParams& params;
    render::SolidModel& solids;
};

class TegakiPresenter {
  public:
    TegakiPresenter(TegakiContext ctx, TegakiView& view, model::MessageService& msg);

    // W, H: the drawing area as measured at creation, pixels.
    void FormCreate(int W, int H);
    void FormPaint(render::Canvas& c);
    // The 100 ms timer: view changes and the perspective request.
    void onTick();

    void FormMouseDown(TegakiButton b, int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(TegakiButton b, int x, int y);

    void ShinkiMenuClick();
    void ReadTegakiMenuClick();
    void SaveTegakiMenuClick();
    void DxfHozonMenuClick();
    void FaceSaveMenuClick();
    void ModoriMenuClick();
    // Whether the window may close (asked from the close box too); a decided
    // close is not asked again.
    bool FormCloseQuery();
    void BuzaiShiteiMenuClick();
    void BuzaiSakujyoMenuClick();
    void SetutenDataMenuClick();
    void BuzaiDataMenuClick();
    void WireModelMenuClick();
    void JikuModelMenuClick();
    void ShitenZahyouMenuClick();
    void TegakiModoriMenuClick();
    void HelpMenuClick();
    void AboutMenuClick() {}

    // State, for the window and for tests.
    int iMouse() const { return iMouse_; }
    int OnBuzaiShitei() const { return OnBuzaiShitei_; }
    int OnBuzaiSakujyo() const { return OnBuzaiSakujyo_; }
    int OnSetutenData() const { return OnSetutenData_; }
    int OnBuzaiData() const { return OnBuzaiData_; }
    int display_mode() const { return win_.mode; }
    int saved() const { return saved_; }
    bool enabled(TegakiMenu item) const;
    const render::ViewWindow& view_window() const { return win_; }
    render::ViewWindow& view_window() { return win_; }  // the window's zoom and pan
    bool rubber_band_drawn() const { return band_drawn_; }

  private:
    enum class Mode { Draw, Delete, NodeData, BeamData };
    void set_mode(Mode mode);
    void enable(TegakiMenu item, bool on);
    void plan_world();
    float plan_x(int px) const;
    float plan_y(int py) const;
    void mark(double X, double Y, int kind);
    void draw_band(render::Canvas& c, int x, int y) const;
    void erase_band();
    bool rubber_band_follows() const;
    void changed();
    bool rebuild_trio();
    bool save_to_file();

    void drop_pending_member();
    void pick_member();
    void start_member();
    void end_member();
    void node_data();
    // The node under plan point (X, Y), or a new one; -1 (message shown)
    // when the node table is full.
    int node_for_click(float X, float Y, bool& is_new);
    void meet_node(model::Node& n, float& x, float& y, float& z);

    model::ModelStore& m_;
    render::ViewParams& params_;
    render::SolidModel& solids_;
    TegakiView& view_;
    model::MessageService& msg_;
    render::ViewWindow win_;
    views::DrawingContext ctx_;

    int iMouse_ = 0;
    int OnBuzaiShitei_ = 1;
    int OnBuzaiSakujyo_ = 0;
    int OnSetutenData_ = 0;
    int OnBuzaiData_ = 0;
    int saved_ = 0;
    int down_x_ = 0, down_y_ = 0, up_x_ = 0, up_y_ = 0;
    int start_x_ = 0, start_y_ = 0;  // down point of the member's start click
    bool band_drawn_ = false;
    int band_x_ = 0, band_y_ = 0;
    bool closing_ = false;
    std::map<TegakiMenu, bool> enabled_;
    NodeDataExchange node_x_;
    BeamDataExchange beam_x_;
};

}  // namespace tarvik::editing
