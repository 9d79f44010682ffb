// What the small editing dialogs share: a window described as a column of
// captioned fields (some editable), a message line and up to three buttons;
// the text of the grids; and reading numbers typed into fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/message_service.h"

namespace tarvik::editing {

// Results of every dialog: set to kResultNone before it opens.
inline constexpr int kResultNone = -1;
inline constexpr int kResultCancel = 0;
inline constexpr int kResultOK = 1;
inline constexpr int kResultAll = 2;  // apply to all records / a support was changed

// printf-style text of one value ("%5d", "%8.1f", "%10.3e" ...).
std::string cformat(const char* format, int v);
std::string cformat(const char* format, double v);

// A grid as the window shows it: row 0 is the heading row, then one row per
// record.
using GridRows = std::vector<std::vector<std::string>>;

// Reads a number typed into a field. Blanks around it are allowed (the
// fields are filled with "%8.1f" and the like); anything else that is not a
// finite float, or an integer for an integer field, is refused.
bool parse_float(std::string_view text, float& value);
bool parse_int(std::string_view text, int& value);

// "<caption>の値「<text>」は数値ではありません" (or 整数 for an integer field).
std::string not_a_number_message(const char* caption, std::string_view text, bool integer);

struct FieldLayout {
    const char* caption;
    bool editable;
    // Heading shown above the first field of a group; "" separates the group
    // by a rule without a heading.
    const char* group = nullptr;
};

struct DialogLayout {
    const char* caption;  // window title
    std::vector<FieldLayout> fields;
    const char* ok_caption = "OK";
    const char* cancel_caption = "Cancel";  // nullptr: the dialog has no Cancel button
    const char* extra_caption = nullptr;    // a third button, with
    const char* extra_label = nullptr;      // a label beside it
    bool has_message = false;               // MessageLabel under the fields
    int left = -1, top = -1;                // fixed place on the screen; -1: the toolkit's
};

class FieldDialogView {
  public:
    virtual ~FieldDialogView() = default;
    virtual void set_field(int field, const std::string& text) = 0;
    virtual std::string field(int field) const = 0;
    virtual void set_editable(int field, bool editable) = 0;
    virtual void set_message(const std::string& text) = 0;  // MessageLabel
    virtual void close_window() = 0;
};

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

}  // namespace tarvik::editing
