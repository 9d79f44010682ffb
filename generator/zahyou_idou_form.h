// The window "座標移動": the shift (cm) the unit window's "全データ変換" adds
// to every end point of the axis data file it writes.
#pragma once

#include "editing/field_dialog.h"
#include "files/jiku_file.h"
#include "model/message_service.h"

namespace tarvik::generator {

// What the unit window and the shift window share: the shift shown on
// opening and taken on OK, and the result (kResultNone before opening).
struct ZahyouIdouExchange {
    files::JikuShift shift;
    int result = editing::kResultNone;
};

class ZahyouIdouPresenter : public editing::FieldDialog {
  public:
    enum Field { kX, kY, kZ };
    static const ui::DialogLayout& Layout();

    ZahyouIdouPresenter(ZahyouIdouExchange& x, ui::FieldDialogView& view,
                        model::MessageService& msg)
        : FieldDialog(Layout(), view, msg), x_(x) {}

    bool FormCreate();
    // All three fields must be numbers (message otherwise, the window stays
    // open); then the shift is taken and the window closes with OK.
    void OKButtonClick();
    void CancelButtonClick();

  private:
    ZahyouIdouExchange& x_;
};

}  // namespace tarvik::generator
