#include "files/dxf_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

#include "files/replace_file.h"
#include "files/text_format.h"
#include "model/spy.h"
#include "render/trio_file.h"

namespace tarvik::files {
namespace {

void line(std::string& out, const char* text) {
    out += text;
    out += "\r\n";
}

void group(std::string& out, const char* code, const char* value) {
    line(out, code);
    line(out, value);
}

// One line type of the LTYPE table: name, description, pattern length and
// dash lengths (negative = gap), as CAD programs expect them of a drawing in
// millimetres.
struct LineType {
    const char* name;
    const char* description;
    const char* items;
    const char* length;
    const char* dashes[6];
};

// The description of CONTINUOUS is "実線" in CP932, the code page of every
// Japanese text the program writes.
constexpr LineType kLineTypes[] = {
    {"CONTINUOUS", "\x8e\xc0\x90\xfc", "     0", "0.0", {}},
    {"DASHED1", "--  --  --  --  --  -- ", "     2", "2.5", {"1.25", "-1.25"}},
    {"DASHED2", "----    ----    ----   ", "     2", "5.0", {"2.5", "-2.5"}},
    {"DASHED3", "------  ------  ------", "     2", "5.0", {"3.75", "-1.25"}},
    {"CENTER1", "----- - ----- - ----- - ", "     4", "10.0", {"6.25", "-1.25", "1.25", "-1.25"}},
    {"CENTER2", "----------  --  ----------", "     4", "20.0", {"12.5", "-2.5", "2.5", "-2.5"}},
    {"PHANTOM1", "--- - - --- - - --- - -", "     6", "10.0",
     {"3.25", "-1.25", "1.25", "-1.25", "1.25", "-1.25"}},
    {"PHANTOM2", "--------  -  -  --------", "     6", "20.0",
     {"10.0", "-2.5", "1.25", "-2.5", "1.25", "-2.5"}},
    {"DOT", "-   -   -   -   -   ", "     2", "2.5", {"0.625", "-1.875"}},
};

void extent(std::string& out, const char* name, double x, double y) {
    group(out, "  9", name);
    line(out, " 10");
    appendf(out, " %f\r\n", x);
    line(out, " 20");
    appendf(out, " %f\r\n", y);
}

void section(std::string& out, const char* name) {
    group(out, "  0", "SECTION");
    group(out, "  2", name);
}

// A table's head: its name and how many entries follow.
void table(std::string& out, const char* name, const char* count) {
    group(out, "  0", "TABLE");
    group(out, "  2", name);
    group(out, " 70", count);
}

// An entry's head: its kind and name, flag 64 (referenced).
void entry(std::string& out, const char* kind, const char* name) {
    group(out, "  0", kind);
    group(out, "  2", name);
    group(out, " 70", "    64");
}

// The STANDARD text style after its head: height free, width factor 1,
// no oblique angle, no last height, no generation flags, its fonts.
constexpr const char* kStandardStyle[][2] = {
    {" 40", "0.0"}, {" 41", "1.0"}, {" 50", "0.0"}, {" 42", "0.0"},
    {" 71", "     0"}, {"  3", "TXT"}, {"  4", "BIGFONT"}};

// The 274 lines before the first entity: HEADER with the extents, TABLES
// with the line types, the text style and the two layers, and the opening
// of ENTITIES.
void dxf_template(std::string& out, const double ext[4]) {
    section(out, "HEADER");
    extent(out, "$EXTMIN", ext[0], ext[1]);
    extent(out, "$EXTMAX", ext[2], ext[3]);
    group(out, "  0", "ENDSEC");

    section(out, "TABLES");
    table(out, "LTYPE", "     9");
    for (const LineType& t : kLineTypes) {
        entry(out, "LTYPE", t.name);
        group(out, "  3", t.description);
        group(out, " 72", "    65");  // alignment 'A'
        group(out, " 73", t.items);
        group(out, " 40", t.length);
        for (const char* d : t.dashes)
            if (d) group(out, " 49", d);
    }
    group(out, "  0", "ENDTAB");

    table(out, "STYLE", "     1");
    entry(out, "STYLE", "STANDARD");
    for (const auto& g : kStandardStyle) group(out, g[0], g[1]);
    group(out, "  0", "ENDTAB");

    table(out, "LAYER", "     2");
    for (const char* name : {"0-0", "ADD_LINE"}) {
        entry(out, "LAYER", name);
        group(out, " 62", "     7");
        group(out, "  6", "CONTINUOUS");
    }
    group(out, "  0", "ENDTAB");
    group(out, "  0", "ENDSEC");

    section(out, "ENTITIES");
}

void coordinate(std::string& out, const char* code, double v) {
    line(out, code);
    appendf(out, " %f\r\n", v);
}

}  // namespace

const char* dxf_colour_number(int code) {
    switch (code) {
        case 1: return "    4";  // cyan
        case 2: return "    7";  // black on white paper (white on black)
        case 3: return "    3";  // green
        case 4: return "    2";  // yellow
        case 5: return "    6";  // magenta
        case 6: return "    5";  // blue
        default: return "    7";
    }
}

double dxf_scale(float xmin, float ymin, float xmax, float ymax) {
    double m = kDxfScaleCap;
    for (float v : {xmin, ymin, xmax, ymax}) m = std::fmin(m, std::fabs(static_cast<double>(v)));
    return m < kDxfScaleLimit ? kDxfSmallScale : 1.0;
}

const char* temp_check_message(TempCheck c) {
    switch (c) {
        case TempCheck::kShort: return kMsgDxfTempShort;
        case TempCheck::kPartial: return kMsgDxfTempPartial;
        case TempCheck::kNotFinite: return kMsgDxfTempValue;
        case TempCheck::kOk: break;
    }
    return "";
}

TempCheck format_dxf(std::string_view temp_bytes, int code, std::string& out) {
    using render::kTempHeaderSize;
    using render::kTempLineSize;
    if (temp_bytes.size() < kTempHeaderSize) return TempCheck::kShort;
    if ((temp_bytes.size() - kTempHeaderSize) % kTempLineSize != 0) return TempCheck::kPartial;
    const auto* bytes = reinterpret_cast<const unsigned char*>(temp_bytes.data());

    render::TempHeaderBytes hb;
    std::copy_n(bytes, kTempHeaderSize, hb.begin());
    const render::TempHeader h = render::decode_temp_header(hb);
    const size_t n = (temp_bytes.size() - kTempHeaderSize) / kTempLineSize;
    std::vector<render::TempLine> lines(n);
    for (size_t k = 0; k < n; ++k) {
        render::TempLineBytes lb;
        std::copy_n(bytes + kTempHeaderSize + k * kTempLineSize, kTempLineSize, lb.begin());
        lines[k] = render::decode_temp_line(lb);
    }
    // The image is scaled in place, in float as it is stored. A coordinate
    // that is not a number, or that the scale carries beyond float, would be
    // written as "nan" or "inf", which no CAD program reads.
    const double s = dxf_scale(h.world[0], h.world[1], h.world[2], h.world[3]);
    bool finite = true;
    auto scaled = [&](float v) {
        const double d = static_cast<double>(v) * s;
        if (!(std::fabs(d) <= std::numeric_limits<float>::max())) {
            finite = false;
            return 0.0f;
        }
        return static_cast<float>(d);
    };
    const double ext[4] = {scaled(h.world[0]), scaled(h.world[1]), scaled(h.world[2]),
                           scaled(h.world[3])};
    for (render::TempLine& l : lines) {
        l.xs = scaled(l.xs);
        l.ys = scaled(l.ys);
        l.xl = scaled(l.xl);
        l.yl = scaled(l.yl);
    }
    if (!finite) return TempCheck::kNotFinite;

    const char* colour = dxf_colour_number(code);
    std::string text;
    text.reserve(8192 + n * 200);
    dxf_template(text, ext);
    for (const render::TempLine& l : lines) {
        group(text, " 0", "LINE");
        group(text, " 8", "0-0");
        group(text, " 6", "CONTINUOUS");
        group(text, " 62", colour);
        coordinate(text, " 10", l.xs);
        coordinate(text, " 20", l.ys);
        coordinate(text, " 11", l.xl);
        coordinate(text, " 21", l.yl);
    }
    group(text, " 0", "ENDSEC");
    group(text, " 0", "EOF");
    out = std::move(text);
    return TempCheck::kOk;
}

int make_dxf_file(const std::string& temp_path, const std::string& dxf_path, int code,
                  model::MessageService& msg) {
    model::spy("Enter make_dxf_file() TEMP_FILE %s", temp_path.c_str());
    std::ifstream in(temp_path, std::ios::binary);
    if (!in) {
        msg.show_message(kMsgDxfTempOpen);
        return -1;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        msg.show_message(kMsgDxfTempOpen);
        return -1;
    }
    std::string dxf;
    const TempCheck c = format_dxf(bytes, code, dxf);
    if (c != TempCheck::kOk) {
        msg.show_message(temp_check_message(c));
        return -1;
    }
    return save_file(dxf_path, dxf, kMsgDxfOpen, kMsgDxfWrite, msg);
}

}  // namespace tarvik::files
