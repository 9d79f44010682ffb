// What the small editing dialogs share: their results, and a presenter base
// that reads the captioned fields of a dialog described by a DialogLayout.
#pragma once

#include <string>
#include <vector>

#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/fields.h"
#include "ui/texts.h"

namespace tarvik::editing {

// Results of every dialog: set to kResultNone before it opens.
inline constexpr int kResultNone = -1;
inline constexpr int kResultCancel = 0;
inline constexpr int kResultOK = 1;
inline constexpr int kResultAll = 2;  // apply to all records / a support was changed

using ui::cformat;
using ui::DialogLayout;
using ui::FieldDialogView;
using ui::FieldLayout;
using ui::GridRows;
using ui::not_a_number_message;
using ui::parse_float;
using ui::parse_int;

// Common part of the dialog presenters: reading the fields with the message
// for text that is not a number. Every OK reads all its fields before it
// stores anything, so a bad field leaves the record as it was.
class FieldDialog {
  public:
    FieldDialog(const DialogLayout& layout, FieldDialogView& view, model::MessageService& msg)
        : layout_(layout), view_(view), msg_(msg) {}

    const DialogLayout& layout() const { return layout_; }

  protected:
    // A field whose text is still the one shown gives back the exact value
    // shown, not its rounded text: OK without typing changes nothing.
    bool read_float(int field, float& value);
    bool read_int(int field, int& value);
    void show(int field, const char* format, float v);
    void show(int field, const char* format, int v) { view_.set_field(field, cformat(format, v)); }
    void show(int field, const std::string& text) { view_.set_field(field, text); }

    const DialogLayout& layout_;
    FieldDialogView& view_;
    model::MessageService& msg_;

  private:
    struct Shown {
        std::string text;
        float value = 0.0f;
        bool set = false;
    };
    std::vector<Shown> shown_;
};

// The base of a presenter that edits the model together with its window's
// exchange record; Self::Layout() describes the dialog.
template <class Self, class Exchange>
class ModelFieldDialog : public FieldDialog {
  public:
    ModelFieldDialog(model::ModelStore& m, Exchange& x, FieldDialogView& view,
                     model::MessageService& msg)
        : FieldDialog(Self::Layout(), view, msg), m_(m), x_(x) {}

  protected:
    model::ModelStore& m_;
    Exchange& x_;
};

// The base of a dialog that edits one record of the model in place; its
// answer goes to the exchange field Result. FormCreate ends in opened(record),
// which keeps the record as shown for Cancel to put back through
// Self::restore(kept), or in not_found() when there is no record: the dialog
// is then not shown, and OK and Cancel leave the model alone.
template <class Self, class Exchange, class Kept, int Exchange::*Result = &Exchange::result>
class RecordEditDialog : public ModelFieldDialog<Self, Exchange> {
  public:
    using ModelFieldDialog<Self, Exchange>::ModelFieldDialog;

    void CancelButtonClick() {
        if (open_) static_cast<Self&>(*this).restore(kept_);
        answer(kResultCancel);
    }

  protected:
    bool opened(const Kept& shown) {
        kept_ = shown;
        open_ = true;
        return true;
    }
    bool not_found() {
        this->x_.*Result = kResultCancel;
        return false;
    }
    // Gives the caller its answer and closes the dialog.
    void answer(int result) {
        this->x_.*Result = result;
        this->view_.close_window();
    }
    bool is_open() const { return open_; }
    const Kept& kept() const { return kept_; }

  private:
    Kept kept_{};
    bool open_ = false;
};

}  // namespace tarvik::editing
