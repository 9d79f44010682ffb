// The node search window TKenNodeForm: a tool window beside the main window
// while supports or loads are picked. It narrows the level window the main
// window draws through, and turns every node inside it into a support or a
// loaded node at once.
#pragma once

#include <string>

#include "editing/ken_node.h"
#include "model/message_service.h"
#include "render/view_params.h"
#include "ui/texts.h"

namespace tarvik::editing {

inline constexpr int kKenNodeLeft = 32, kKenNodeTop = 32;
inline constexpr int kYesNoLeft = 430, kYesNoTop = 32;

// What the node search needs of the main window.
class KenNodeHost {
public:
    virtual ~KenNodeHost() = default;
    virtual PickMode pick_mode() const = 0;
    virtual void repaint_main() = 0;
    // The node search is done; the main window's timer hides it.
    virtual void node_search_finished() = 0;
};

// The level range fields both search windows show: the six range texts, the
// highest level of each axis, a total and a count. Virtual base, so that one
// Qt implementation serves both windows' views.
class LevelRangeView {
public:
    virtual ~LevelRangeView() = default;
    virtual LevelTexts range_texts() const = 0;  // EditXmin .. EditZmax, upper case
    virtual void set_range_texts(const LevelTexts& texts) = 0;
    virtual void set_level_max(const std::string& x, const std::string& y,
                               const std::string& z) = 0;  // LabelXmax .. LabelZmax
    virtual void set_total(const std::string& text) = 0;   // ZenNodeEdit, EditSouNum
    virtual void set_count(const std::string& text) = 0;   // KenNumEdit, EditKensakuNum
};

// LabelXmax .. LabelZmax from the model's level lists (" %5d" of N - 1).
void show_level_max(LevelRangeView& view, const model::ModelStore& m);

class KenNodeView : public virtual LevelRangeView {
public:
    // Setting positions raises no change event.
    virtual void set_angles(int tau, int fai) = 0;         // both bars
    virtual void set_tau_label(const std::string& text) = 0;
    virtual void set_fai_label(const std::string& text) = 0;
    virtual void select_drawing(int index) = 0;            // ZumenSelRadioGroup
};

class KenNodePresenter {
public:
    // The questions of "選" go to ask (shown in the window TYesNoForm).
    KenNodePresenter(model::ModelStore& m, KenNodeCore& core, render::ViewParams& params,
                 KenNodeHost& host, KenNodeView& view, model::MessageService& ask)
        : m_(m), core_(core), p_(params), host_(host), view_(view), ask_(ask) {}

    void FormShow();
    // "検": refuses a range text that is not a level code with a message.
    void KenSpeedButtonClick();
    // A range text was edited: the count no longer belongs to the ranges.
    void RangeEditChange();
    void ZenSentakuSpeedButtonClick();
    void CloseButtonClick();
    void TauScrollBarChange(int position);
    void FaiScrollBarChange(int position);
    void ZumenSelRadioGroupClick(int index);

private:
    void show_angles();

    model::ModelStore& m_;
    KenNodeCore& core_;
    render::ViewParams& p_;
    KenNodeHost& host_;
    KenNodeView& view_;
    model::MessageService& ask_;
};

}  // namespace tarvik::editing
