// The axis data file (".jik") as written: one "1 ..." line per member (two end
// points and the section), grouped by member kind with volume subtotals, or a
// chosen list of members. The reader is generator/jiku_data.
#pragma once

#include <string>
#include <vector>

#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::files {

// Added to every end point written (cm).
struct JikuShift {
    float dx = 0, dy = 0, dz = 0;
};

// One "1 xs ys zs xl yl zl haba atumi" line (cm).
struct JikuMember {
    float xs, ys, zs, xl, yl, zl, haba, atumi;
};

// The comment line that opens the group of a member kind (0..12), UTF-8
// without the line end; "" for a kind outside the table.
const char* jiku_group_comment(int kind);

// Volume of a member in m^3: length x haba x atumi, all in cm.
double jiku_volume(float xs, float ys, float zs, float xl, float yl, float zl, float haba,
                   float atumi);

// The file text of the whole model (Shift-JIS comments, CR LF lines). Members
// go out in table order; the current group starts as kind 0, and each member
// of another kind opens a new group: the subtotal comment of the group just
// ended (its volume and the running total, m^3) and the comment of the new
// kind. Then the final subtotal and "999". Member order, and so member
// numbers, survive a read of the file.
std::string format_jiku_file(const model::ModelStore& m, JikuShift shift);

// The file text of a member list: its "1 ..." lines and "999", CR LF.
std::string format_jiku_members(const std::vector<JikuMember>& list);

// Whole model as axis data, every end point moved by shift. The file is
// replaced only by a complete one. 0 after kJikuDone; -1 after kJikuOpenError
// (cannot be created) or kJikuWriteError (writing or closing failed).
int save_jiku_file(const model::ModelStore& m, const std::string& path, JikuShift shift,
                   model::MessageService& msg);

// Given members (already shifted) as "1 ..." lines and "999"; reports as
// save_jiku_file.
int save_jiku_members(const std::vector<JikuMember>& list, const std::string& path,
                      model::MessageService& msg);

}  // namespace tarvik::files
