// libFuzzer target: the fuzz input is read as the line image "TEMP.DAT" of
// the DXF export. Refusals are fine; a DXF that is made must hold exactly the
// template, one 16-line LINE entity per whole record and the closing lines,
// and nothing may crash, read out of bounds or trip a sanitizer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/dxf_file.h"
#include "render/trio_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvik;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The colour code from the length, so that every code and some invalid
    // ones are seen.
    const int code = static_cast<int>(size % 9) - 1;
    std::string out;
    const files::TempCheck c = files::format_dxf(bytes, code, out);
    if (c != files::TempCheck::kOk) {
        if (!out.empty()) __builtin_trap();  // a refusal writes nothing
        return 0;
    }
    size_t lines = 0;
    for (size_t at = out.find("\r\n"); at != std::string::npos; at = out.find("\r\n", at + 2))
        ++lines;
    const size_t records = (size - render::kTempHeaderSize) / render::kTempLineSize;
    if (lines != static_cast<size_t>(files::kDxfTemplateLines) + 16 * records + 4) __builtin_trap();
    if (out.find("nan") != std::string::npos || out.find("inf") != std::string::npos)
        __builtin_trap();
    return 0;
}
