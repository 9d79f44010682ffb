// Japanese text as it goes into the files the program writes: Shift-JIS
// (code page 932). Sources and the message service work in UTF-8.
#pragma once

#include <string>

namespace tarvik::model {

// UTF-8 text in CP932; a character without a CP932 form becomes '?'. ASCII
// passes unchanged.
std::string to_cp932(const std::string& utf8);

}  // namespace tarvik::model
