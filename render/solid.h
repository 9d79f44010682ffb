// The member solids and the files built from them: the triangle file of all
// member boxes, its perspective transform into the view and edge files, the
// member-box and perspective wire drawings, and the line image file.
//
// Every file lives in the working folder of the run (SolidModel::directory)
// and is created anew by its writer. Routines return 0 (or a count) on
// success and -1 after showing their message.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "model/message_service.h"
#include "model/model_store.h"
#include "render/canvas.h"
#include "render/projection.h"
#include "render/trio_file.h"
#include "render/vertex_table.h"
#include "render/view_params.h"
#include "render/view_window.h"
#include "ui/texts.h"

namespace tarvik::render {

std::string bad_record_message(const std::string& path, long long record);

// Largest magnitude of a coordinate in the view files: 1e7 cm (100 km) for
// model and eye coordinates and for the projected coordinates that are drawn.
// No timber frame, nor the eye that views it, comes near it. Within it the
// plane constant (a product of three coordinates) stays far from overflow and
// the hidden-line test's fixed tolerances (1e-5) stay well above the rounding
// of the numbers they compare, so the fast and the plain routine see the same
// cases; far beyond it they need not, and the image would be nonsense anyway.
inline constexpr double kMaxViewCoordinate = 1e7;
// The view files are read only when every number in them can be drawn: a NaN,
// an infinity or a coordinate beyond kMaxViewCoordinate refuses the file, and
// the reader shows kMsgBadRecord with the file and the record.
// Largest magnitude of a pixel in the "TEMP.DAT" header: no window is a
// million pixels wide, and within it the pixel arithmetic cannot overflow.
inline constexpr int32_t kMaxCrtPixel = 1000000;

// Whether a record of each file holds only numbers that may be drawn. A
// "VIEW.DAT" record's projections are bounded only where they are used, at
// vertices at or beyond kNearClip (nearer ones are finite, any size).
bool trio_record_ok(const unsigned char* rec);  // kTrioRecordSize bytes
bool view_record_ok(const unsigned char* rec);  // kTrioRecordSize bytes
bool vect_record_ok(const unsigned char* rec);  // kVectRecordSize bytes
bool temp_header_ok(const TempHeader& h);
bool temp_line_ok(const TempLine& l);

// Eye points nearer than this depth (cm) are not drawn: an edge that reaches
// closer to the eye's plane, or behind it, is cut there. Any ordinary view
// keeps the whole model far beyond it.
inline constexpr double kNearClip = 1.0;

// What the solid files of one run share: the working folder, the triangle and
// edge counts, the vertex table, the running timber volume and the triangle
// file while solids are being appended to it.
struct SolidModel {
    std::string directory;  // working folder of the run ("" = current)
    int32_t N_TRIO = 0;     // triangles in "TRIO.DAT"
    int32_t N_VECT = 0;     // edges in "VECT.DAT"
    VertexTable chouten;
    double volume = 0.0;  // m^3 of all solids of the last triangle file

    // Open "TRIO.DAT" between begin_trio_file and end_trio_file.
    std::FILE* trio = nullptr;
    bool refused = false;       // the vertex table refused a solid of this build
    bool write_failed = false;  // a record could not be written

    explicit SolidModel(std::string dir = {}, int vertex_capacity = kMaxChouten)
        : directory(std::move(dir)), chouten(vertex_capacity) {}
    ~SolidModel();
    SolidModel(const SolidModel&) = delete;
    SolidModel& operator=(const SolidModel&) = delete;

    std::string path(const char* name) const;
};

// Creates "TRIO.DAT" anew for the solids that follow ("Error: Unable to open
// TRIO_FILE 01" when it cannot be made). Counts, volume and the vertex table
// start again from empty, so that the table holds exactly the vertices of this
// file and a run of many models never fills it.
int begin_trio_file(SolidModel& s, model::MessageService& msg);
// Closes the triangle file. -1 when a record or the close failed (message
// shown) or when the vertex table refused a solid; in that case the file is
// left empty and N_TRIO is 0, so that no part of the model passes for all of it.
int end_trio_file(SolidModel& s, model::MessageService& msg);

// "TRIO.DAT" from the boxes of all members in order. 0 or -1.
int make_trio_file(SolidModel& s, const model::ModelStore& m, model::MessageService& msg);

// The box of one member (section haba wide and atumi deep, cm) as 12
// triangles, each marking one box edge; appended to the open triangle file.
// 8, or -1 when the vertex table cannot take its new corners (message
// "頂点の数が上限 50000 を超えるため追加できません" once per build, nothing
// written) or a record cannot be written.
int make_kakuzai3(SolidModel& s, float xs, float ys, float zs, float xl, float yl, float zl,
                  float haba, float atumi, model::MessageService& msg);
// The same box with the older triangle order: every triangle draws two box
// edges, so each edge is drawn twice. 8 or -1.
int make_kakuzai2(SolidModel& s, float xs, float ys, float zs, float xl, float yl, float zl,
                  float haba, float atumi, model::MessageService& msg);
// A hexagonal bar of corner radius r standing for a round bar: two capped
// ends of six triangles and six side faces of two triangles. The caps draw
// the hexagon edges, one triangle of each side face its long edge; no face
// diagonal is drawn. 14 (its vertices) or -1.
int make_enchu2(SolidModel& s, float xs, float ys, float zs, float xl, float yl, float zl, float r,
                model::MessageService& msg);

// The corners c0..c7 of a member box in model coordinates (cm), as the bar
// routines compute them; exposed for the tests and the viewer export.
struct BoxCorners {
    double kakudoY = 0.0, kakudoZ = 0.0;  // elevation and azimuth, degrees
    float c[8][3];
};
BoxCorners kakuzai_corners(float xs, float ys, float zs, float xl, float yl, float zl, float haba,
                           float atumi);

// Member-box model: every marked edge of "TRIO.DAT" in the parallel
// projection, black, solid, width 1. 0, or -1 when the file cannot be opened
// (message by reader) or holds a record that cannot be drawn; nothing drawn.
int draw_member_boxes(const ViewWindow& w, Canvas& c, const ViewParams& p, const SolidModel& s,
                      TrioReader reader, model::MessageService& msg);

// "VIEW.DAT" and "VECT.DAT" from "TRIO.DAT" with the coefficient set v, model
// points taken relative to (X0, Y0, Z0). 0 or -1; a "TRIO.DAT" record that
// cannot be drawn leaves both files empty.
int make_view(SolidModel& s, const PerspectiveCoeffs& v, double X0, double Y0, double Z0,
              model::MessageService& msg);

// Bounds of the projected vertices of "VIEW.DAT" (vertices in front of the
// near depth only). They start at min 9999, max -9999. 0 or -1.
struct ViewBounds {
    float xmin = 9999.0f, ymin = 9999.0f, xmax = -9999.0f, ymax = -9999.0f;
};
int calcu_view(const SolidModel& s, ViewBounds& b, model::MessageService& msg);

// Perspective wire image: fits World (10 % margins) and Crt (top-left, the
// data's aspect) to "VIEW.DAT" and draws every marked edge. 0 or -1.
int draw_view(ViewWindow& w, Canvas& c, const SolidModel& s, model::MessageService& msg);

// The header of "TEMP.DAT" for a window: its World and its Crt.
TempHeader temp_header_of(const ViewWindow& w);

// Creates "TEMP.DAT" with its header from the window's World and Crt and
// leaves it open for the caller; null after "Error: Unable to open
// TEMP_FILE07" (or a failed header write).
std::FILE* init_temp(const ViewWindow& w, const SolidModel& s, model::MessageService& msg);

// "TEMP.DAT" with every marked edge of "VIEW.DAT", no hidden-line removal.
int save_view(const ViewWindow& w, const SolidModel& s, model::MessageService& msg);

// Sets World and Crt from the header of "TEMP.DAT" and draws its lines in
// blue. The number of lines, or -1.
int show_temp_data(ViewWindow& w, Canvas& c, const SolidModel& s, model::MessageService& msg);

// Reads "TEMP.DAT": header and lines. False when it cannot be opened, holds
// no whole header or holds a record that cannot be drawn; in the last case
// *why (when given) is the message naming the file and the record.
bool read_temp_file(const std::string& path, TempHeader& header, std::vector<TempLine>& lines,
                    std::string* why = nullptr);

// An edge in eye coordinates cut to the near depth and projected; false when
// nothing of it lies in front.
bool clip_project(const EyePoint& a, const EyePoint& b, TempLine& out);

}  // namespace tarvik::render
