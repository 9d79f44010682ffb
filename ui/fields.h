// What the presenters of every window share, without a toolkit: the text of a
// value as a field or grid shows it, reading numbers typed into fields, the
// rows of a grid and the description of a dialog made of captioned fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvik::ui {

// printf-style text of one value ("%5d", "%8.1f", "%10.3e" ...).
std::string cformat(const char* format, int v);
std::string cformat(const char* format, double v);

// The text without the blanks (space, tab, CR, LF) around it.
std::string_view trim(std::string_view s);

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

// A dialog made from a DialogLayout, as its presenter sees it.
class FieldDialogView {
  public:
    virtual ~FieldDialogView() = default;
    virtual void set_field(int field, const std::string& text) = 0;
    virtual std::string field(int field) const = 0;
    virtual void set_editable(int field, bool editable) = 0;
    virtual void set_message(const std::string& text) = 0;  // MessageLabel
    virtual void close_window() = 0;
};

}  // namespace tarvik::ui
