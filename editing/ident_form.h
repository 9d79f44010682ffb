// The condition search "条件検索" (TIdentForm), opened from the generator's
// unit window: selects the members whose two ends lie within ranges of grid
// levels, previews them, and saves them, shifted by an origin shift, as an
// axis data file. It changes nothing in the model but the level names it
// refreshes on opening and the shared view angles.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editing/ken_node_form.h"
#include "files/jiku_file.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "render/canvas.h"
#include "render/projection.h"
#include "render/view_params.h"
#include "ui/texts.h"

namespace tarvik::editing {

// Capacity of the result list, in members. A selection beyond it is refused
// as a whole (the user narrows the ranges), never cut short silently.
inline constexpr int kMaxIdent = 3000;
// "検索データ数が上限 3000 を超えるため選択できません".
std::string ident_full_message();

// The preview's bounds start beyond any model and narrow to the selected
// ends (projected units).
inline constexpr float kIdentBoundStart = 9999.9f;

// The window's controls besides the level ranges it shares with the node
// search.
class IdentView : public virtual LevelRangeView {
public:
    // IdouXEdit, IdouYEdit, IdouZEdit.
    virtual std::array<std::string, 3> shift_texts() const = 0;
    virtual void set_shift_texts(const std::array<std::string, 3>& texts) = 0;
    // Asks for Image1 to be painted again.
    virtual void repaint_preview() = 0;
    // The save dialog: the chosen file, empty when cancelled.
    virtual std::string save_file_name(std::string_view filter, std::string_view default_ext) = 0;
    virtual void close_window() = 0;
};

class IdentPresenter {
public:
    IdentPresenter(model::ModelStore& m, render::ViewParams& params, IdentView& view,
                   model::MessageService& msg)
        : m_(m), p_(params), view_(view), msg_(msg) {}

    // Level names refreshed; counts, shifts and the highest levels shown; the
    // preview cleared.
    void FormShow();
    // "検": the selection. Does nothing unless at least one range text starts
    // with its axis letter, or when a shift is not a number (message shown).
    void LevelSpeedButtonClick();
    // "Save": the selection as an axis data file ("999" alone when empty).
    void OkButtonClick();
    void Button1Click() { view_.close_window(); }
    // Image1: white, then the selected members as black lines, fitted to the
    // image.
    void Image1Paint(render::Canvas& c) const;

    // The selected members, end points shifted.
    const std::vector<files::JikuMember>& selection() const { return list_; }

private:
    bool read_shift(files::JikuShift& shift);
    void clear_selection();

    model::ModelStore& m_;
    render::ViewParams& p_;
    IdentView& view_;
    model::MessageService& msg_;
    std::vector<files::JikuMember> list_;
    // Projected ends of the selected members (preview), and their bounds.
    std::vector<std::array<render::ProjPoint, 2>> preview_;
    float xmin_ = kIdentBoundStart, ymin_ = kIdentBoundStart;
    float xmax_ = -kIdentBoundStart, ymax_ = -kIdentBoundStart;
};

}  // namespace tarvik::editing
