// The DXF export: the line image of "TEMP.DAT" (the last hidden-line or
// perspective wire image) as a DXF drawing of LINE entities in one colour,
// for CAD programs. The layout is a fixed table section followed by one LINE
// per line record; every line ends with CR LF.
#pragma once

#include <string>
#include <string_view>

#include "model/message_service.h"
#include "ui/texts.h"

namespace tarvik::files {

inline constexpr int kDxfTemplateLines = 274;
// Extents whose smallest magnitude is below this are taken as a projected
// image (units of the eye distance) and enlarged by kDxfSmallScale; drawings
// already in model units are written as they stand. The magnitudes are capped
// at kDxfScaleCap before the test.
inline constexpr double kDxfScaleLimit = 0.1;
inline constexpr double kDxfSmallScale = 1000.0;
inline constexpr double kDxfScaleCap = 9999.0;

// Colour codes of the line width and colour window: 1..6 as the items, -1
// when the window was cancelled.
inline constexpr int kDxfColourDefault = 2;
inline constexpr int kDxfColourCancelled = -1;

// The DXF colour number (group 62) of a colour code, written in five columns
// ("    4" cyan .. "    5" blue); "    7" for any other code.
const char* dxf_colour_number(int code);

// Scale of the extents xmin, ymin, xmax, ymax (see kDxfScaleLimit).
double dxf_scale(float xmin, float ymin, float xmax, float ymax);

enum class TempCheck { kOk, kShort, kPartial, kNotFinite };

// The DXF text of a whole "TEMP.DAT" image (header and line records, as read)
// drawn in colour code. Leaves out untouched and says why when the bytes are
// not a header and whole line records of finite numbers.
TempCheck format_dxf(std::string_view temp_bytes, int code, std::string& out);
// Message of a failed check.
const char* temp_check_message(TempCheck c);

// make_dxf_file: reads temp_path, writes dxf_path (replacing an existing file
// only with a complete one). 0, or -1 after the message of the failure.
int make_dxf_file(const std::string& temp_path, const std::string& dxf_path, int code,
                  model::MessageService& msg);

}  // namespace tarvik::files
