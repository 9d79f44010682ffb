// The unit window "…基本ユニット" (TKihonUnitForm): opens the basic-data
// window, runs the generation and shows the result in one of four displays.
// Toolkit-free: drawing and the other windows are reached through
// KihonUnitView.
#pragma once

#include <iostream>
#include <ostream>

#include "files/export_commands.h"
#include "generator/basic_data.h"
#include "generator/generator.h"
#include "generator/zahyou_idou_form.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::generator {

inline constexpr int kHelpTopic = 11;
inline constexpr float kResetTau = 30.0f;  // degrees, view angles set by the displays
inline constexpr float kResetFai = 30.0f;

// Display states.
inline constexpr int kDisplayWireNodes = 1;  // "節点付ワイヤモデル": regenerate, plan with nodes
inline constexpr int kDisplayWire = 2;       // "節点なしワイヤモデル": plan without nodes
inline constexpr int kDisplayAxis = 3;       // "軸モデル"
inline constexpr int kDisplayViewpoint = 4;  // "視点座標モデル"

enum class UnitMenu {
    JikuSave,  // "軸データ保存" with "全データ変換" and "検索データ変換"
    DxfSave,   // "DXF保存"
    FaceSave,  // viewer face file
};

// The save dialog and the DXF colour window come from the export commands.
class KihonUnitView : public files::ExportDialogs {
  public:
    // Opens the basic-data window modally on d; it sets d.N_Kihon.
    virtual void open_kihon_form(BasicData& d) = 0;
    virtual void set_menu_enabled(UnitMenu item, bool enabled) = 0;
    virtual void set_busy(bool busy) = 0;
    // The shared view angles of the parallel projection, and the window
    // that shows them.
    virtual void set_view_angles(float tau, float fai) = 0;
    virtual void show_angle_window() = 0;
    // Display state 1 and 2: plan projection of the model, every member
    // drawn, the nodes marked when with_nodes.
    virtual void show_plan(bool with_nodes) = 0;
    // Display state 3: the axis (wire) model; state 4: the viewpoint model
    // of member solids.
    virtual void show_wire() = 0;
    virtual void show_solid() = 0;
    virtual void repaint() = 0;
    virtual void show_help(int topic) = 0;
    virtual void close_window() = 0;
    // "座標移動", modal, on x; it sets x.result.
    virtual void open_zahyou_idou(ZahyouIdouExchange& x) = 0;
    // The condition search "条件検索", modal.
    virtual void open_ident_form() = 0;
};

class KihonUnitPresenter {
  public:
    // solids may be null until the solid view is wired; out receives the
    // generation's plain-text notes.
    KihonUnitPresenter(model::ModelStore& m, BasicData& d, KihonUnitView& view,
                       model::MessageService& msg, BarSolids* solids = nullptr,
                       std::ostream& out = std::cout)
        : m_(m), d_(d), view_(view), msg_(msg), solids_(solids), out_(out) {}

    // Defaults, N_Kihon = -1, the basic-data window; after OK display state 1.
    void FormCreate();
    // Cancelled basic data: the window closes here without generating.
    // Display state 1 regenerates before drawing.
    void FormPaint();

    void WireNodeMenuClick();   // "節点付ワイヤモデル"
    void WireMenuClick();       // "節点なしワイヤモデル"
    void JikuModelMenuClick();  // "軸モデル"
    void ShitenMenuClick();     // "視点座標モデル"
    void ModoruMenuClick();     // "戻る"
    void FormClose();           // leaving the window by any way
    void HelpMenuClick();
    // "全データ変換": the shift in "座標移動", then the whole model as axis
    // data moved by it.
    void ZenDataHenkanMenuClick();
    // "検索データ変換": the members chosen in the condition search.
    void KensakuDataHenkanMenuClick() { view_.open_ident_form(); }
    void DxfSaveMenuClick();   // "DXF保存": the last perspective image as DXF
    void FaceSaveMenuClick();  // the viewer face file of the member solids
    // The timer served a perspective request: the image exists, so it can
    // be exported.
    void PersRequestDone();
    void VersionMenuClick() {}

    int display_state() const { return state_; }
    // Result of the last generation (0 or -1); 1 before any.
    int last_generation() const { return last_generation_; }

    // The solid files of this window (its "TRIO.DAT", vertex table and
    // "TEMP.DAT"); the export commands do nothing without them.
    void set_solid_model(const render::SolidModel* s) { solid_model_ = s; }

  private:
    void enter_state(int state);

    model::ModelStore& m_;
    BasicData& d_;
    KihonUnitView& view_;
    model::MessageService& msg_;
    BarSolids* solids_;
    const render::SolidModel* solid_model_ = nullptr;
    std::ostream& out_;
    int state_ = 0;
    int last_generation_ = 1;
    files::JikuShift shift_;  // the last shift confirmed in "座標移動"
};

}  // namespace tarvik::generator
