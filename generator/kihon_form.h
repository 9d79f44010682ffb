// The basic-data window "基本データ" (TKihonForm): the unit counts and sizes,
// member sections, storey heights and the three choices (columns, storeys,
// top shape). Toolkit-free: the window is reached through KihonView.
#pragma once

#include <array>
#include <string>

#include "generator/basic_data.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::generator {

enum class KihonField {
    Xtuka,       // XtukaEdit, integer
    Ytuka,       // YtukaEdit, integer
    TukaHaba,    // TukaHabaEdit
    TukaTakasa,  // TukaTakasaEdit
    Hashira,     // HashiraEdit
    Waku,        // WakuEdit
    Gen,         // GenEdit
    Sha,         // ShaEdit
    Suji,        // SujiEdit
    Lowest,      // LowestEdit
    No1HashiraHeight,
    No2HashiraHeight,
    No3HashiraHeight,
    YaneTakasa,   // display only
    YaneHashira,  // display only
    Takasa,       // display only
};
inline constexpr int kKihonFieldCount = 16;

enum class KihonGroup { Sumi, Sou, Yane };

class KihonView {
  public:
    virtual ~KihonView() = default;
    virtual std::string field_text(KihonField f) const = 0;
    virtual void set_field_text(KihonField f, const std::string& text) = 0;
    virtual void set_field_enabled(KihonField f, bool enabled) = 0;
    // Selecting an item is not a user's click: it raises no event. -1 selects none.
    virtual void select_item(KihonGroup g, int item) = 0;
    virtual void set_busy(bool busy) = 0;
    // Opens the roof window modally on the same basic data; its result
    // (1 OK, 0 Cancel).
    virtual int open_yane_form(BasicData& d) = 0;
    virtual void close_window(int result) = 0;
};

// Caption of a field for messages.
const char* field_caption(KihonField f);

class KihonPresenter {
  public:
    // The first material of m is kept and given back on Cancel.
    KihonPresenter(BasicData& d, model::ModelStore& m, KihonView& view, model::MessageService& msg)
        : d_(d), m_(m), view_(view), msg_(msg) {}

    // Opening: current values into the fields, groups selected, copies kept.
    void FormShow();
    void SumiRadioGroupClick(int item);
    void SouRadioGroupClick(int item);
    void YaneRadioGroupClick(int item);
    void OKButtonClick();
    void CheckButtonClick();  // "調": validation without closing
    void CancelButtonClick();

    // The validation of OK and "調": 1 passed, 0 failed (message shown).
    int validate();

    int sumi_item() const { return sumi_item_; }
    int sou_item() const { return sou_item_; }
    int yane_item() const { return yane_item_; }

  private:
    void show_real(KihonField f, const char* format, float v);
    void enable_storey_fields();
    bool read_fields(BasicData& into);

    BasicData& d_;
    model::ModelStore& m_;
    KihonView& view_;
    model::MessageService& msg_;
    int sumi_item_ = 0;
    int sou_item_ = -1;
    int yane_item_ = -1;

    // Kept at opening for Cancel.
    BasicData saved_;
    float saved_young_ = 0.0f;
    float saved_mitudo_ = 0.0f;
};

}  // namespace tarvik::generator
