// The axis data window "軸データ入力" (TJikuForm): shows a model the main
// window has just read from an axis data file in the wire, member-box and
// perspective views, and exports it as DXF or as the viewer face file. It
// edits nothing: mouse and keys do nothing here. The drawings are the shared
// display modes; this window numbers them 1 (wire with node markers) and 2
// (wire without) where the shared routines have one wire mode.
#pragma once

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

inline constexpr int kCheckTimerMs = 100;  // change detection of the view parameters

// Display modes of this window.
inline constexpr int kJikuBlank = views::kModeBlank;  // during a perspective build
inline constexpr int kJikuWireNodes = 1;              // "節点付ワイヤモデル"
inline constexpr int kJikuWire = 2;                   // "節点なしワイヤモデル"
inline constexpr int kJikuMemberBox = views::kModeMemberBox;  // "軸モデル"
inline constexpr int kJikuPersWire = views::kModePersWire;    // "視点座標モデル"
inline constexpr int kJikuHidden = views::kModeHidden;        // after "Pers"

// The menu items whose state changes.
enum class JikuMenu { DxfHozonMenu, FaceHozonMenu };

// The save dialog and the DXF colour window come from the export commands.
class JikuView : public files::ExportDialogs {
public:
    virtual void set_menu_enabled(JikuMenu item, bool enabled) = 0;
    virtual void set_busy(bool busy) = 0;
    virtual void show_isome_form() = 0;  // "アイソメ"
    virtual void show_view_form() = 0;   // "視点"
    virtual void repaint() = 0;
    virtual void show_help() = 0;
    virtual void close_window() = 0;
};

class JikuPresenter {
public:
    // solids: the run's solid files (their folder is the working folder).
    JikuPresenter(model::ModelStore& m, render::ViewParams& params, render::SolidModel& solids,
                  JikuView& view, model::MessageService& msg)
        : m_(m),
          p_(params),
          solids_(solids),
          view_(view),
          msg_(msg),
          ctx_{win_, params, solids, m, msg, render::TrioReader::kJikuire} {}

    // Angles 30/30 and the window's copies equal, wire with markers, the
    // "アイソメ" window open, the viewer face item off.
    void FormCreate();
    // Measures the drawing area (for this and the next fits) and draws the
    // display mode.
    void FormPaint(render::Canvas& c);
    // Every kCheckTimerMs: redraw when the view parameters changed, serve a
    // perspective request (drawn on live as it goes, when given), and the DXF
    // command becomes usable.
    void CheckTimerTimer(render::Canvas* live = nullptr);

    void DxfHozonMenuClick();   // "DXF保存"
    void FaceHozonMenuClick();  // the viewer face file
    void ModoruMenuClick();     // "戻る"
    void SetutenWireMenuClick();    // "節点付ワイヤモデル"
    void WireModelMenuClick();      // "節点なしワイヤモデル"
    void JikuModelMenuClick();      // "軸モデル"
    void ShitenZahyouMenuClick();   // "視点座標モデル"
    void HelpClick() { view_.show_help(); }
    void About1Click() {}

    int display_mode() const { return win_.mode; }
    const render::ViewWindow& view_window() const { return win_; }
    render::ViewWindow& view_window() { return win_; }  // its zoom, for the mouse

private:
    void reset_angles();
    // The wire views: angles reset, "アイソメ", no pending perspective.
    void show_wire(int mode);
    // A new "TRIO.DAT" of the model and World fitted to it. False after a
    // message.
    bool rebuild_trio();
    void enter_mode(int mode);

    model::ModelStore& m_;
    render::ViewParams& p_;
    render::SolidModel& solids_;
    JikuView& view_;
    model::MessageService& msg_;
    render::ViewWindow win_;
    views::DrawingContext ctx_;
};

}  // namespace tarvik::editing
