// The line width and colour window "DXFの線の太さ" of the DXF export: six
// radio items, the second chosen when it opens; OK gives the colour code of
// the chosen item (position + 1), Cancel gives -1. Toolkit-free: the Qt class
// TDxfColorForm shows it.
#pragma once

#include <array>

namespace tarvik::files {

inline constexpr const char* kDxfColorCaption = "DXFの線の太さ";
inline constexpr const char* kDxfColorGroup = "太さと色選択";
inline constexpr std::array<const char*, 6> kDxfColorItems = {
    "1 dot シアン",     "2 dot　黒 (Default)", "3 dot　緑 ",
    "4 dot　黄 ",       "5 dot　マゼンタ",     "6 dot　青",
};

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
