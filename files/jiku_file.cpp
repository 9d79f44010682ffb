#include "files/jiku_file.h"

#include <cmath>

#include "files/replace_file.h"
#include "files/text_format.h"
#include "model/text_code.h"
#include "model/spy.h"

namespace tarvik::files {
namespace {

constexpr const char* kGroupComment[] = {
    "// 無印",
    "// スペース床の柱部",
    "// スペース床の枠材",
    "// スペース床の弦材",
    "// スペース床の斜材",
    "// スペース床の筋交",
    "// 小屋組の柱",
    "// 屋根柱",
    "// 屋根桁",
    "// 隅合掌",
    "// 平合掌",
    "// 火打平合掌",
    "// 母屋",
};
constexpr int kGroupCount = static_cast<int>(sizeof kGroupComment / sizeof kGroupComment[0]);

// One member line; the reader takes the eight values back with six decimals.
void member_line(std::string& out, float xs, float ys, float zs, float xl, float yl, float zl,
                 float haba, float atumi) {
    appendf(out, "1 %f %f %f %f %f %f %f %f\r\n", xs, ys, zs, xl, yl, zl, haba, atumi);
}

// The subtotal comment in Shift-JIS: the group just ended and the running
// total, m^3.
void subtotal_line(std::string& out, double group, double total) {
    std::string line;
    appendf(line, "// 以上の積算容量 小計 volume %7.3f Total Volume %7.3f\r\n", group, total);
    out += model::to_cp932(line);
}

void group_line(std::string& out, int kind) {
    std::string line;
    if (kind >= 0 && kind < kGroupCount)
        line = kGroupComment[kind];
    else
        appendf(line, "// %d", kind);  // a kind the table does not name stays a comment
    out += model::to_cp932(line + "\r\n");
}

// Saves the text and tells the outcome, the success too.
int save_and_tell(const std::string& path, const std::string& text, model::MessageService& msg) {
    if (save_file(path, text, kJikuOpenError, kJikuWriteError, msg) != 0) return -1;
    msg.show_message(kJikuDone);
    return 0;
}

}  // namespace

const char* jiku_group_comment(int kind) {
    return kind >= 0 && kind < kGroupCount ? kGroupComment[kind] : "";
}

double jiku_volume(float xs, float ys, float zs, float xl, float yl, float zl, float haba,
                   float atumi) {
    const double dx = static_cast<double>(xl) - xs;
    const double dy = static_cast<double>(yl) - ys;
    const double dz = static_cast<double>(zl) - zs;
    return std::sqrt(dx * dx + dy * dy + dz * dz) * haba * atumi * 0.000001;  // cm^3 to m^3
}

std::string format_jiku_file(const model::ModelStore& m, JikuShift shift) {
    std::string out;
    out.reserve(static_cast<size_t>(m.N_Beam) * 100 + 256);
    int group = 0;
    double group_volume = 0.0;
    double total = 0.0;
    for (int i = 0; i < m.N_Beam; ++i) {
        const model::Beam& b = m.beam[i];
        if (b.kind != group) {
            subtotal_line(out, group_volume, total);
            group_line(out, b.kind);
            group = b.kind;
            group_volume = 0.0;
        }
        member_line(out, b.xs + shift.dx, b.ys + shift.dy, b.zs + shift.dz, b.xl + shift.dx,
                    b.yl + shift.dy, b.zl + shift.dz, b.haba, b.atumi);
        const double v = jiku_volume(b.xs, b.ys, b.zs, b.xl, b.yl, b.zl, b.haba, b.atumi);
        group_volume += v;
        total += v;
    }
    subtotal_line(out, group_volume, total);
    out += "999\r\n";
    return out;
}

std::string format_jiku_members(const std::vector<JikuMember>& list) {
    std::string out;
    out.reserve(list.size() * 100 + 8);
    for (const JikuMember& j : list)
        member_line(out, j.xs, j.ys, j.zs, j.xl, j.yl, j.zl, j.haba, j.atumi);
    out += "999\r\n";
    return out;
}

int save_jiku_file(const model::ModelStore& m, const std::string& path, JikuShift shift,
                   model::MessageService& msg) {
    model::spy("Enter save_jiku_file() %s", path.c_str());
    model::spy("dx %8.1f dy %8.1f dz %8.1f", shift.dx, shift.dy, shift.dz);
    return save_and_tell(path, format_jiku_file(m, shift), msg);
}

int save_jiku_members(const std::vector<JikuMember>& list, const std::string& path,
                      model::MessageService& msg) {
    model::spy("Enter save_jiku_members() %s N %d", path.c_str(), static_cast<int>(list.size()));
    return save_and_tell(path, format_jiku_members(list), msg);
}

}  // namespace tarvik::files
