// What the file tests share: the scratch folder, whole-file bytes, CR LF lines.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace tarvik::testing {

using test_support::read_bytes;
using test_support::TempDir;
using test_support::write_bytes;

// Joins lines with CR LF after each.
inline std::string crlf_lines(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines) s += std::string(l) + "\r\n";
    return s;
}

// The lines of a CR LF text without their line ends; a last line without
// one ends in "<no CR LF>", so that a comparison shows it.
inline std::vector<std::string> split_crlf(const std::string& text) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            out.push_back(text.substr(at) + "<no CR LF>");
            break;
        }
        out.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

}  // namespace tarvik::testing
