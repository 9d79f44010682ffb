#include "files/face_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "files/replace_file.h"
#include "files/text_format.h"
#include "model/spy.h"

namespace tarvik::files {

bool format_face_file(const render::SolidModel& s, std::string_view trio, std::string& out) {
    const size_t faces = s.N_TRIO > 0 ? static_cast<size_t>(s.N_TRIO) : 0;
    if (trio.size() / render::kTrioRecordSize < faces) return false;
    std::string text;
    text.reserve(static_cast<size_t>(s.chouten.N_CHOUTEN()) * 48 + faces * 20 + 16);
    for (const render::Vertex& v : s.chouten.vertices())
        appendf(text, " %5d %12.5e %12.5e %12.5e\r\n", v.no, v.x, v.y, v.z);
    text += "Faces:\r\n";
    for (size_t k = 0; k < faces; ++k) {
        render::TrioRecord r;
        std::copy_n(reinterpret_cast<const unsigned char*>(trio.data()) + k * render::kTrioRecordSize,
                    render::kTrioRecordSize, r.begin());
        const render::TrioTriangle t = render::decode_trio(r);
        appendf(text, " %5d %5d %5d.\r\n", t.vertex_no[0], -t.vertex_no[1], t.vertex_no[2]);
    }
    out = std::move(text);
    return true;
}

int save_face_file(const render::SolidModel& s, const std::string& file_name,
                   model::MessageService& msg) {
    model::spy("Enter save_face_file() name %s", file_name.c_str());
    model::spy("N_CHOUTEN %5d N_Trio %5d", s.chouten.N_CHOUTEN(), s.N_TRIO);
    std::ifstream in(s.path(render::kTrioFileName), std::ios::binary);
    if (!in) {
        msg.show_message(kFaceTrioOpenError);
        return -1;
    }
    const std::string trio((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string text;
    if (in.bad() || !format_face_file(s, trio, text)) {
        msg.show_message(kFaceTrioReadError);
        return -1;
    }
    return save_file(file_name, text, kFaceOutOpenError, kFaceOutWriteError, msg);
}

}  // namespace tarvik::files
