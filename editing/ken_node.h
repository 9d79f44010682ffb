// Node search by level ranges of the node codes ("節点検索"): counting the
// nodes inside a box of levels and marking them as supports or loaded nodes.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::editing {

// Which picking mode the main window is in while the node search is used.
enum class PickMode { kNone, kKousoku /* supports */, kKajyu /* loaded nodes */ };

// The six range texts in the order of the node search window's fields:
// EditXmin, EditXmax, EditYmin, EditYmax, EditZmin, EditZmax.
using LevelTexts = std::array<std::string, 6>;

// Toolkit-free core of the node search window (TKenNodeForm): level ranges of
// node codes, counting and bulk marking of the nodes inside them.
class KenNodeCore {
  public:
    explicit KenNodeCore(model::ModelStore& m) : m_(m) { reset_ranges(); }

    // Shown again: ranges back to the full range of the model's levels.
    void open() { reset_ranges(); }

    // "検": takes the six range texts and counts the nodes inside.
    int KenSpeedButtonClick(const LevelTexts& texts);

    // "選": marks the nodes inside the ranges and asks whether they become
    // supports (Kousoku) or loaded nodes (Kajyu); No clears their marks.
    // Ranges go back to the full range afterwards. Returns the count inside.
    int ZenSentakuSpeedButtonClick(PickMode mode, model::MessageService& msg);

    void CloseButtonClick() { reset_ranges(); }

    // The two halves of "選" for a window that repaints between them: the
    // nodes inside get the search mark (returns how many are inside), then the
    // answer turns every marked node into a support, a loaded node or a plain
    // node, and the ranges go back to the full range.
    int mark_inside();
    void apply_answer(PickMode mode, bool yes);

    int last_count() const { return last_count_; }

    int XlevelMin = 0, XlevelMax = -1;
    int YlevelMin = 0, YlevelMax = -1;
    int ZlevelMin = 0, ZlevelMax = -1;

  private:
    void reset_ranges();
    int count_inside() const;
    bool inside(const model::Node& n) const;

    model::ModelStore& m_;
    int last_count_ = 0;
};

}  // namespace tarvik::editing
