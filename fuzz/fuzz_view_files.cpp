// libFuzzer target: the binary view files as the views read them. The first
// byte picks the case, the rest is the file content:
//   0 "TRIO.DAT": the world of the member boxes, the member-box drawing, the
//     view and edge files made from it, then everything made from those;
//   1 "VIEW.DAT" and "VECT.DAT": the next two bytes give the length of the
//     view file (little-endian), the rest is the edge file; the bounds, the
//     perspective wire, the plain image and the hidden-line image by both
//     routines, which must give the same lines;
//   2 "TEMP.DAT": the line image read and drawn.
// Refusals are fine; what counts is that nothing crashes, reads out of bounds
// or trips a sanitizer, and that the fast and the plain hidden-line routines
// agree on every pair of files they accept.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "render/hidden_line.h"
#include "render/projection.h"
#include "render/recording_canvas.h"
#include "render/solid.h"
#include "testing/temp_dir.h"
#include "ui/message_service.h"

namespace {

using namespace tarvik::render;

ViewWindow window() {
    ViewWindow w;
    w.W = 640;
    w.H = 480;
    w.Crt = {0, 0, 640, 480};
    return w;
}

// The hidden-line image of the view and edge files by one routine; false when
// make_pers refused them.
bool image(const SolidModel& s, const ViewParams& p, HiddenLineMethod method,
           std::vector<TempLine>& lines) {
    tarvik::ui::SilentMessages msg(true);
    ViewWindow w = window();
    RecordingCanvas c;
    if (make_pers(w, &c, s, p, msg, method, nullptr, 1) != 0) return false;
    TempHeader h;
    return read_temp_file(s.path(kTempFileName), h, lines);
}

// Everything that reads "VIEW.DAT" and "VECT.DAT".
void use_view_files(const SolidModel& s, const ViewParams& p) {
    tarvik::ui::SilentMessages msg(true);
    ViewBounds b;
    calcu_view(s, b, msg);
    ViewWindow w = window();
    RecordingCanvas c;
    draw_view(w, c, s, msg);
    save_view(w, s, msg);
    std::vector<TempLine> fast, plain;
    const bool fast_ok = image(s, p, HiddenLineMethod::kFast, fast);
    const bool plain_ok = image(s, p, HiddenLineMethod::kPlain, plain);
    if (fast_ok != plain_ok || fast != plain) {
        std::fprintf(stderr, "fast and plain hidden-line images differ: %d %zu, %d %zu\n", fast_ok,
                     fast.size(), plain_ok, plain.size());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using test_support::TempDir;
    if (size == 0) return 0;
    static const TempDir scratch("fuzz_view_files");
    const std::string dir = scratch.path().string();
    const int which = data[0] % 3;
    ++data;
    --size;
    tarvik::ui::SilentMessages msg(true);
    ViewParams p;
    coeff(p);
    SolidModel s(dir);

    switch (which) {
        case 0: {
            scratch.write(kTrioFileName, data, size);
            // The count the writer would have kept; a torn last record counts.
            s.N_TRIO = static_cast<int32_t>((size + kTrioRecordSize - 1) / kTrioRecordSize);
            ViewWindow w = window();
            RecordingCanvas c;
            for (TrioReader r : {TrioReader::kTegaki, TrioReader::kGenerator}) {
                get_jiku_world(w, p, dir, s.N_TRIO, r, msg);
                draw_member_boxes(w, c, p, s, r, msg);
            }
            if (make_view(s, p.coeffs, p.X0, p.Y0, p.Z0, msg) == 0) use_view_files(s, p);
            break;
        }
        case 1: {
            std::size_t n = 0;
            if (size >= 2) {
                n = std::size_t{data[0]} | std::size_t{data[1]} << 8;
                data += 2;
                size -= 2;
            }
            if (n > size) n = size;
            scratch.write(kViewFileName, data, n);
            scratch.write(kVectFileName, data + n, size - n);
            use_view_files(s, p);
            break;
        }
        default: {
            scratch.write(kTempFileName, data, size);
            TempHeader h;
            std::vector<TempLine> lines;
            read_temp_file(s.path(kTempFileName), h, lines);
            ViewWindow w = window();
            RecordingCanvas c;
            show_temp_data(w, c, s, msg);
            break;
        }
    }
    return 0;
}
