// The upkeep of the model store: lookup-or-add of nodes by exact coordinates,
// member deletion, the completeness and size checks, the material table and
// the level naming that gives every node its code "X%02dY%02dZ%02d".
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::model {

// "<table>の数が上限 <limit> を超えるため追加できません"
std::string table_full_message(const char* table, int limit);

// Copies text into a code field, cut to fit (31 characters and a zero).
void set_code(char (&field)[kCodeSize], const char* text);

// Node number (1-based) of the node at exactly (x, y, z), the first in table
// order; appends a node when none matches. -1 (with a message) when the node
// table is full.
int find_or_add_node(ModelStore& m, float x, float y, float z, MessageService& msg);

// The same answer by scanning the whole table (the reference the index must
// match; also used by the benchmark).
int find_node_by_scan(const ModelStore& m, float x, float y, float z);

// The grid levels of one axis: the first n entries of val.
struct AxisLevels {
    std::array<float, kMaxLevel> val{};
    int n = 0;
};

// Replaces the level lists of the three axes (X, Y, Z) at once.
void set_levels(ModelStore& m, const std::array<AxisLevels, 3>& levels);

// A complete member (flag kBeamComplete, no size or material yet) from node
// noi at s to node noj at e; add_beam gives it its number.
Beam complete_member(int noi, int noj, const std::array<float, 3>& s, const std::array<float, 3>& e,
                     float haba, float atumi, int kind);

// Appends a member, giving it no = N_Beam + 1. Returns the number, or -1 with a
// message when the member table is full.
int add_beam(ModelStore& m, const Beam& b, MessageService& msg);

// Appends a support / a load; -1 with a message when the table is full.
int add_fix(ModelStore& m, const Fix& f, MessageService& msg);
int add_load(ModelStore& m, const Load& l, MessageService& msg);

// Index of the first node whose plan point lies strictly closer than the
// search radius to (X, Y), or -1.
int search_2dim_node(const ModelStore& m, float X, float Y);

// Index of the first member whose plan segment crosses the line
// (fxs, fys)-(fxl, fyl), ends included; the crossing point goes to cross_X,
// cross_Y. -1 when none.
int search_cross_beam(const ModelStore& m, float fxs, float fys, float fxl, float fyl,
                      float& cross_X, float& cross_Y);

// Removes member n (0-based) and rebuilds the node table from the remaining
// members by plan position. 0, or -1 when n is out of range or the rebuilt node
// table would not fit (store unchanged then).
int del_beam(ModelStore& m, int n);

// Copies node i's code and coordinates into the members that start or end there.
void update_node_in_beams(ModelStore& m, int i);

void set_all_sections(ModelStore& m, float haba, float atumi);

// 1 when the model has members, all complete and all referring to existing
// nodes; -1 otherwise.
int check_all_beam(const ModelStore& m);

// Torsion coefficient beta of a rectangular section with side ratio r = h / b.
double torsion_beta(float r);

// Rebuilds the size table from the members (width, thickness, length) with the
// section constants. 0; -1 with a message when a member's width or thickness
// is not positive and finite, or when more than kMaxSize entries would be
// needed (store unchanged then).
int check_size(ModelStore& m, MessageService& msg);

// One material per size entry with the default values; mat = size.
void assign_materials(ModelStore& m);

// Rebuilds the level lists from the node coordinates and names every node
// "X%02dY%02dZ%02d" by its level positions. 0; -1 with a message when an axis
// has more than kMaxLevel distinct values (store unchanged then).
int save_level_name(ModelStore& m, MessageService& msg);

// Level index of a range text such as "X03": empty gives empty_default,
// otherwise the 2nd and 3rd characters read as far as they are digits.
int parse_level_text(std::string_view text, int empty_default);

// Whether a range text of an axis ('X', 'Y' or 'Z') is a level code of that
// axis: empty (the whole range), or the axis letter and one or two digits.
bool is_level_text(std::string_view text, char axis);

// The six range texts of a search window in the order X min, X max, Y min,
// Y max, Z min, Z max: the message for the first one that is not a level code
// of its axis ("「X3a」は階の記号ではありません ..."), empty when all are.
std::string check_level_texts(const std::array<std::string, 6>& texts, const ModelStore& m);

// Names the nodes by cutting each axis of the model's box into 100 codes.
// 1, or -1 when a node is not complete (flag other than 2).
int name_nodes_by_box(ModelStore& m);

// Level position of a code on an axis (0 X, 1 Y, 2 Z): the two characters
// after the axis letter, read as a decimal number as far as they are digits.
int code_level(const char* id, int axis);

// Number of nodes whose code positions lie in the box, bounds included.
int count_nodes_in_box(const ModelStore& m, int ix0, int ix1, int iy0, int iy1, int iz0, int iz1);

void save_old_node(ModelStore& m);
void load_old_node(ModelStore& m);

// Writes the node and member tables to the trace.
void check_all_node_beam(const ModelStore& m);

}  // namespace tarvik::model
