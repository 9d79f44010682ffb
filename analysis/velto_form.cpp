#include "analysis/velto_form.h"

#include <chrono>
#include <cstdio>

#include "model/spy.h"

namespace tarvik::analysis {
namespace {

inline constexpr const char* kMsgNotYet = "この機能はまだ使えません";

}  // namespace

const char* velto_menu_caption(VeltoMenu item) {
    switch (item) {
        case VeltoMenu::SaveDxfMenu:
            return "DXF保存";
        case VeltoMenu::KekkaSaveMenu:
            return "計算結果の保存";
        case VeltoMenu::OwariExit:
            return "戻る";
        case VeltoMenu::JikuListMenu:
            return "リスト表示";
        case VeltoMenu::JikuIroMenu:
            return "太さ色分";
        case VeltoMenu::KakumaruMenu:
            return "角丸表示";
        case VeltoMenu::SetutenListMenu:
            return "リスト表示";
        case VeltoMenu::Scale1Menu:
            return "変位1倍";
        case VeltoMenu::Scale5Menu:
            return "変位5倍";
        case VeltoMenu::Scale10Menu:
            return "変位10倍";
        case VeltoMenu::ScaleAutoMenu:
            return "変位自動";
        case VeltoMenu::StressMenu:
            return "リスト表示";
        case VeltoMenu::MaxPowerMenu:
            return "ID検索";
        case VeltoMenu::N1:
            return "視点";
        case VeltoMenu::SetutenMeishouMenu:
            return "節点名";
        case VeltoMenu::BuzaiBangouMenu:
            return "部材番号";
        case VeltoMenu::KoteiSetutenMenu:
            return "固定節点";
        case VeltoMenu::KajyuSetutenMenu:
            return "荷重節点";
        case VeltoMenu::Count:
            break;
    }
    return "";
}

VeltoPresenter::VeltoPresenter(model::ModelStore& m, render::ViewParams& params,
                               std::string cDirectory, VeltoView& view, model::MessageService& msg,
                               render::StrokeText& text, SolidResults* solid)
    : m_(m),
      params_(params),
      dir_(std::move(cDirectory)),
      view_(view),
      msg_(msg),
      text_(text),
      solid_(solid),
      t_(std::make_unique<ResultTables>()) {}

void VeltoPresenter::FormCreate(int width, int height) {
    W_ = width;
    H_ = height;
    view_.set_menu_enabled(VeltoMenu::SaveDxfMenu, false);
    view_.set_busy(true);
    loaded_ = load_results(dir_, m_, *t_, msg_);
    view_.set_busy(false);
    // A window whose files could not be read opens all the same and draws nothing.
    if (!loaded_) return;
    KekkaMode_ = kModeSign;
    TAU_ = params_.TAU;
    FAI_ = params_.FAI;
}

void VeltoPresenter::FormResize(int width, int height) {
    W_ = width;
    H_ = height;
    view_.repaint();
}

void VeltoPresenter::FormPaint(render::Canvas& c) {
    c.clear(render::kWhite);
    const render::ViewParams angles = angles_of(TAU_, FAI_);
    switch (KekkaMode_) {
        case kModeSign:
        case kModeThickness:
            draw_axial(win_, c, angles, *t_, KekkaMode_);
            break;
        case kModeDisplaced:
            draw_displaced(win_, c, angles, *t_);
            break;
        case kModeSolid:
        case kModeHidden:
            if (solid_) solid_->paint(KekkaMode_, win_, c, params_, msg_);
            return;  // the labels belong to the parallel projection
        default:
            return;
    }
    labels_thinned_ = draw_result_labels(win_, c, angles, *t_, m_, labels_, text_);
    draw_legend(c, KekkaMode_, *t_, disp_);
    if (labels_thinned_) draw_thinned_note(c);
}

void VeltoPresenter::Timer1Timer() {
    if (KekkaMode_ != kModeSolid || !solid_) return;
    if (params_.Rho != Rho_ || params_.Theta != Theta_ || params_.Phi != Phi_) {
        Rho_ = params_.Rho;
        Theta_ = params_.Theta;
        Phi_ = params_.Phi;
        view_.repaint();
    }
    if (params_.PersRequest == 1) {
        params_.PersRequest = 0;
        view_.set_timer(false);
        view_.set_busy(true);
        const auto start = std::chrono::steady_clock::now();
        const bool ok = solid_->hidden_lines(win_, params_, W_, H_, msg_);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        view_.set_busy(false);
        if (!ok) return;
        KekkaMode_ = kModeHidden;
        view_.set_menu_enabled(VeltoMenu::SaveDxfMenu, true);
        view_.repaint();
        char buf[96];
        std::snprintf(buf, sizeof buf, kMsgHiddenDone,
                      static_cast<double>(static_cast<float>(seconds)));
        msg_.show_message(buf);
    }
}

void VeltoPresenter::SaveDxfMenuClick() {
    const std::string temp =
        dir_.empty() ? std::string(render::kTempFileName) : dir_ + "/" + render::kTempFileName;
    files::dxf_save_command(view_, msg_, temp);
}

void VeltoPresenter::KekkaSaveMenuClick() {
    if (t_->N_Stress == 0) {
        msg_.show_message(kMsgNoData);
        return;
    }
    const std::string path = view_.save_file_name(kKekkaSaveFilter, "");
    if (path.empty()) return;
    save_stress_table(path, *t_, msg_);
}

void VeltoPresenter::OwariExitClick() {
    params_.TAU = render::kStartTau;
    params_.FAI = render::kStartFai;
    view_.set_timer(false);
    view_.show_view_window(false);
    view_.close_window();
}

void VeltoPresenter::JikuListMenuClick() {
    view_.run_list_window(kListAxial);
}
void VeltoPresenter::SetutenListMenuClick() {
    view_.run_list_window(kListDisp);
}
void VeltoPresenter::StressMenuClick() {
    view_.run_stress_window();
}

void VeltoPresenter::JikuIroMenuClick() {
    if (!loaded_) return;
    KekkaMode_ = kModeThickness;
    view_.repaint();
}

void VeltoPresenter::KakumaruMenuClick() {
    if (!solid_) {
        msg_.show_message(kMsgNotYet);
        return;
    }
    if (!loaded_) return;
    view_.set_busy(true);
    const bool built = solid_->build(*t_, msg_);
    view_.set_busy(false);
    if (!built) {
        msg_.show_message(kMsgSolidFailed);
        return;
    }
    // The eye of the solid view starts where the program started.
    params_.X0 = params_.Y0 = params_.Z0 = render::kStartViewPoint;
    params_.Rho = Rho_ = render::kStartRho;
    params_.Theta = Theta_ = render::kStartTheta;
    params_.Phi = Phi_ = render::kStartPhi;
    params_.PersRequest = 0;
    KekkaMode_ = kModeSolid;
    view_.repaint();
    view_.show_view_window(true);
    view_.set_timer(true);
}

void VeltoPresenter::MaxPowerMenuClick() {
    found_.OnKensaku = -1;
    view_.run_kensaku_window();
    if (found_.OnKensaku == 1)
        collect_found(*t_, found_);
    else
        found_.rows.clear();
    view_.run_find_window();
}

void VeltoPresenter::N1Click() {
    view_.run_isome_window();
    TAU_ = params_.TAU;
    FAI_ = params_.FAI;
    view_.repaint();
}

void VeltoPresenter::ScaleAutoMenuClick() {
    scale_menu(auto_displacement_scale(*t_), true);
}

void VeltoPresenter::scale_menu(float scale, bool automatic) {
    if (get_new_beam(*t_, scale, msg_) != 0) return;
    disp_ = {scale, automatic};
    KekkaMode_ = kModeDisplaced;
    view_.repaint();
}

void VeltoPresenter::toggle(int& flag, VeltoMenu item) {
    flag = flag == 1 ? 0 : 1;
    view_.set_menu_checked(item, flag == 1);
    view_.repaint();
}

}  // namespace tarvik::analysis
