#include "editing/field_dialog.h"

namespace tarvik::editing {

void FieldDialog::show(int field, const char* format, float v) {
    const std::string text = cformat(format, static_cast<double>(v));
    if (shown_.size() <= static_cast<size_t>(field)) shown_.resize(static_cast<size_t>(field) + 1);
    shown_[static_cast<size_t>(field)] = {text, v, true};
    view_.set_field(field, text);
}

bool FieldDialog::read_float(int field, float& value) {
    const std::string text = view_.field(field);
    if (static_cast<size_t>(field) < shown_.size()) {
        const Shown& s = shown_[static_cast<size_t>(field)];
        if (s.set && s.text == text) {
            value = s.value;
            return true;
        }
    }
    if (parse_float(text, value)) return true;
    msg_.show_message(not_a_number_message(layout_.fields[field].caption, text, false));
    return false;
}

bool FieldDialog::read_int(int field, int& value) {
    const std::string text = view_.field(field);
    if (parse_int(text, value)) return true;
    msg_.show_message(not_a_number_message(layout_.fields[field].caption, text, true));
    return false;
}

}  // namespace tarvik::editing
