// The line width and colour window "DXFの線の太さ" of the DXF export: six
// radio items, the second chosen when it opens; OK gives the colour code of
// the chosen item (position + 1), Cancel gives -1. Toolkit-free: the Qt class
// TDxfColorForm shows it.
#pragma once

#include <array>

#include "ui/texts.h"

namespace tarvik::files {

class DxfColorView {
  public:
    virtual ~DxfColorView() = default;
    virtual void select_item(int index) = 0;
    // Position of the chosen item, -1 when none.
    virtual int selected_item() const = 0;
    virtual void close_window() = 0;
};

class DxfColorPresenter {
  public:
    explicit DxfColorPresenter(DxfColorView& view) : view_(view) {}

    void FormCreate();
    void OKButtonClick();
    void CancelButtonClick();

    // The colour code: the last OK or Cancel; -1 until then, so that closing
    // the window any other way counts as Cancel.
    int code() const { return code_; }

  private:
    DxfColorView& view_;
    int code_ = -1;
};

}  // namespace tarvik::files
