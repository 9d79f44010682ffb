// The main window's model flow without a toolkit: the upkeep after a model is
// made, support and load picking, the node data command, the level window and
// the analysis commands, over the shared application context.
#pragma once

#include <cstdint>
#include <string>

#include "generator/jiku_data.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "render/view_params.h"
#include "ui/texts.h"

namespace tarvik::app {

// What a paint request of the main window draws.
enum class Paint : int { kNothing = 0, kModel = 1 /* through the level window, with node symbols */ };

// Which node picking the main window is in: supports, loaded nodes or node
// data entry, at most one at a time.
enum class NodePick : int { kNone = 0, kKousoku, kKajyu, kSetuten };

// Main-window state that the model flow sets (the toolkit-free part of TNewForm).
struct MainFlowState {
    Paint PaintMode = Paint::kNothing;
    NodePick Pick = NodePick::kNone;
    bool KousokuPick() const { return Pick == NodePick::kKousoku; }
    bool KajyuPick() const { return Pick == NodePick::kKajyu; }
    bool SetutenPick() const { return Pick == NodePick::kSetuten; }
    int FixLoadBuilt = 0;
    // The level window: 0-based positions in Xval, Yval, Zval that are drawn.
    int XlevelMin = 0, XlevelMax = -1;
    int YlevelMin = 0, YlevelMax = -1;
    int ZlevelMin = 0, ZlevelMax = -1;
};

// What the node data command gives the supports and loads it builds from the
// node marks: every translation fixed; a downward force of 200.
struct NodeDataValues {
    int xfix = 1, yfix = 1, zfix = 1;
    float px = 0.0f, py = 0.0f, pz = model::kDefaultLoadPz;
};

// Start of the program: the trace "SPY.TXT" created anew in the current
// directory (a message when it cannot be, and the program runs on). False when
// no trace could be created.
bool start_up(model::MessageService& msg);

// Completeness check after a model was made: 1 complete, -1 not (nothing more
// may run then).
int completeness_check(const model::ModelStore& m);

// A model drawn by hand (or read from its file) comes with node flags of the
// editor; picking uses the same field for its marks, so they start at 0.
void clear_node_marks(model::ModelStore& m);

// The model-ready step: size check, material assignment and level naming, in
// this order, then the level window set to everything and drawing enabled.
// 0; -1 when a step refused (its message was shown).
int model_ready_step(model::ModelStore& m, MainFlowState& state, model::MessageService& msg);

// The list building of the node data command: unless the lists were built
// before (FixLoadBuilt), they are made anew from the node marks: a support per
// node marked 1, then a load per node marked 2, in table order.
void build_fix_load_lists(model::ModelStore& m, MainFlowState& state, const NodeDataValues& values,
                          model::MessageService& msg);

// After the node data window: with at least one support and one load the
// model is ready for analysis and the lists are only edited from then on.
bool finish_node_data(const model::ModelStore& m, MainFlowState& state);

// A fingerprint of the model as the structure data file keeps it: the node
// and member tables with their codes, coordinates, sections and flags, and the
// saved plan coordinates when there are any. The plan points that only the
// drawing's projection computes are left out, so a new view angle or window
// size changes nothing. Equal fingerprints: saving would write the same model.
std::uint64_t model_fingerprint(const model::ModelStore& m);

// The whole read of the main window's "軸データ編集" after the file was chosen:
// the bounds reset (minima 9999.9, maxima -9999.9), load_jiku_data (the tally
// "Youseki.dat" in the current directory), then on success the size check,
// the material assignment and the level naming. The line count, or -1 (the
// caller shows kJikuReadFailed).
int read_jiku_model(model::ModelStore& m, render::ModelBox& box, const std::string& path,
                    model::MessageService& msg);
// The same with the caller's read settings (tally folder, solid model); the
// bounds go to box whatever read.box says, and read.tally holds the tally.
// Tells the two failures apart: kJikuNotRead when the file was refused,
// kJikuUpkeepRefused when it was read but a step of the upkeep refused.
inline constexpr int kJikuNotRead = -1;
inline constexpr int kJikuUpkeepRefused = -2;
int read_jiku_model(model::ModelStore& m, render::ModelBox& box, const std::string& path,
                    generator::JikuRead& read, model::MessageService& msg);

}  // namespace tarvik::app
