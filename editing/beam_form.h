// The member data dialog TBeamForm "軸データ": the width and depth of one
// member, opened by the hand-drawn editor; or, with "全データ同一巾・厚みにする",
// the width and depth its caller then gives every member.
#pragma once

#include "editing/beam_dialogs.h"
#include "editing/field_dialog.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::editing {

inline constexpr int kBeamFormLeft = 32, kBeamFormTop = 32;

// What the member data dialog shares with its caller.
struct BeamDataExchange {
    int SelectBeam = 0;        // 0-based member index
    int result = kResultNone;  // 1 OK, 2 apply to all members, 0 cancel
};

// Cancel puts back the width and depth the member had at opening.
class BeamFormPresenter
    : public RecordEditDialog<BeamFormPresenter, BeamDataExchange, model::Beam> {
  public:
    static const DialogLayout& Layout();

    using RecordEditDialog::RecordEditDialog;

    // False (result 0, a message) when the member does not exist.
    bool FormCreate();
    void OKButtonClick();
    // "全データ同一巾・厚みにする": this member's section, result 2.
    void ZenDataButtonClick();

  private:
    friend RecordEditDialog;
    bool store_section();
    void restore(const model::Beam& kept);
};

}  // namespace tarvik::editing
