// Free-format ("list-directed") reading of the solver input.
//
// Each read starts on a new line and takes as many values as it needs, going on
// to the following lines when a line runs out; whatever is left on the last line
// it touched is skipped. Values are separated by blanks or by a comma with
// optional blanks around it. An empty value (a comma with only blanks before it)
// leaves its field as it was; so does every field after a "/". "r*value" repeats
// a value r times and "r*" gives r empty values. Character values are quoted
// ('...' or "...", a doubled quote standing for one) or bare, a bare one ending
// at a blank, a comma or the end of the line; either is padded with blanks to,
// or cut at, the field's length.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veltosol {

class ReadError : public std::runtime_error {
public:
    enum class Kind { EndOfFile, Conversion };
    ReadError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

class ListReader {
public:
    explicit ListReader(std::string text);

    // Starts a read on the next line; `what` names the record in diagnostics.
    void begin(std::string what);
    // Field readers; a field that receives an empty value keeps its content.
    void integer(int& field);
    void real(double& field);
    void real(float& field);
    void text(char* field, std::size_t length);
    // Ends the read: the rest of the current line is skipped.
    void end();

    int line_number() const { return line_; }

private:
    enum class Tok { Value, Null, Slash };
    Tok next(std::string& value);
    bool at_line_end() const;
    void skip_blanks_on_line();
    [[noreturn]] void fail(ReadError::Kind kind, std::string_view detail) const;

    std::string text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    std::string what_;
    bool ended_ = false;         // a "/" ended the current read
    int repeat_left_ = 0;        // values still owed by an r* or r*value
    bool repeat_null_ = false;
    std::string repeat_value_;
    bool started_ = false;
};

}  // namespace veltosol
