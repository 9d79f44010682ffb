#include "files/dxf_color_form.h"

#include "files/dxf_file.h"

namespace tarvik::files {

void DxfColorPresenter::FormCreate() {
    code_ = kDxfColourCancelled;
    view_.select_item(kDxfColourDefault - 1);
}

void DxfColorPresenter::OKButtonClick() {
    const int item = view_.selected_item();
    // The group always holds a choice; without one the default stands.
    code_ = item >= 0 && item < static_cast<int>(kDxfColorItems.size()) ? item + 1
                                                                         : kDxfColourDefault;
    view_.close_window();
}

void DxfColorPresenter::CancelButtonClick() {
    code_ = kDxfColourCancelled;
    view_.close_window();
}

}  // namespace tarvik::files
