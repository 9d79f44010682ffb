// The roof window "屋根データ入力" (TYaneForm): roof height, roof column
// height and the sections of the roof members. Toolkit-free: the window is
// reached through YaneView.
#pragma once

#include <string>

#include "generator/basic_data.h"
#include "model/message_service.h"
#include "ui/texts.h"

namespace tarvik::generator {

// The fields, row by row: "屋根種類" (タイプ, 高さ), "屋根柱" (タイプ, 高さ,
// 太さ), then 巾 and 厚み of "屋根桁", "隅合掌", "平合掌", "火打合掌", "母屋".
enum class YaneField {
    YaneType,  // integer
    YaneTakasa,
    HashiraType,  // integer
    YaneHashira,
    Futosa,
    KetaHaba,
    KetaAtumi,
    SumiHaba,
    SumiAtumi,
    HiraHaba,
    HiraAtumi,
    HiuchiHaba,
    HiuchiAtumi,
    MoyaHaba,
    MoyaAtumi,
};
inline constexpr int kYaneFieldCount = 15;

class YaneView {
  public:
    virtual ~YaneView() = default;
    virtual std::string field_text(YaneField f) const = 0;
    virtual void set_field_text(YaneField f, const std::string& text) = 0;
    virtual void close_window(int result) = 0;
};

// Row and column caption of a field, e.g. "屋根桁 巾", for messages.
std::string yane_field_caption(YaneField f);

class YanePresenter {
  public:
    YanePresenter(BasicData& d, YaneView& view, model::MessageService& msg)
        : d_(d), view_(view), msg_(msg) {}

    // Opening: roof column type from SumiType, fields filled, values kept.
    void FormShow();
    // Reads every field; text that is not a number or a height or section
    // that is not positive is refused with a message (the window stays open,
    // nothing is stored). Otherwise result 1 and the window closes.
    void OKButtonClick();
    // The kept values back, result 0, the window closes.
    void CancelButtonClick();

    int result() const { return result_; }

  private:
    BasicData& d_;
    YaneView& view_;
    model::MessageService& msg_;
    int result_ = -1;
    BasicData saved_;
};

}  // namespace tarvik::generator
