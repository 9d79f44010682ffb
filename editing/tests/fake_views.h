// Fake views of the editing windows and scripted openers of their dialogs:
// each dialog opened runs its presenter against a fake view with the fields
// typed and the buttons pressed as a test prepared.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editing/beam_dialogs.h"
#include "editing/field_dialog.h"
#include "editing/ken_node_form.h"
#include "editing/node_dialogs.h"
#include "editing/sel_beam_form.h"
#include "editing/sel_node_form.h"
#include "model/tests/scripted_messages.h"

namespace tarvik::editing::testing {

// The level range fields of a search window, as its presenter last set them.
class FakeLevelRange : public virtual LevelRangeView {
  public:
    LevelTexts texts;
    std::string xmax, ymax, zmax, total, count;

    LevelTexts range_texts() const override { return texts; }
    void set_range_texts(const LevelTexts& t) override { texts = t; }
    void set_level_max(const std::string& x, const std::string& y, const std::string& z) override {
        xmax = x;
        ymax = y;
        zmax = z;
    }
    void set_total(const std::string& t) override { total = t; }
    void set_count(const std::string& t) override { count = t; }
};

class FakeFieldView : public FieldDialogView {
  public:
    explicit FakeFieldView(const DialogLayout& layout)
        : fields(layout.fields.size()), editable(layout.fields.size()) {
        for (size_t i = 0; i < layout.fields.size(); ++i) editable[i] = layout.fields[i].editable;
    }
    std::vector<std::string> fields;
    std::vector<bool> editable;
    std::string message;
    bool closed = false;

    void set_field(int f, const std::string& t) override { fields.at(static_cast<size_t>(f)) = t; }
    std::string field(int f) const override { return fields.at(static_cast<size_t>(f)); }
    void set_editable(int f, bool e) override { editable.at(static_cast<size_t>(f)) = e; }
    void set_message(const std::string& t) override { message = t; }
    void close_window() override { closed = true; }
};

enum class Press { OK, Cancel, Extra };

// What the user does in one opening of a dialog: fields typed, then buttons
// pressed in turn.
struct DialogStep {
    std::map<int, std::string> typed;
    std::vector<Press> presses{Press::OK};
};

// The fields each opened dialog showed (before typing) and its state at the end.
struct DialogSeen {
    std::vector<std::string> shown;
    FakeFieldView view;
    bool opened = false;
};

template <class Presenter>
void play(Presenter& p, FakeFieldView& v, const DialogStep& step) {
    for (const auto& [f, text] : step.typed) v.set_field(f, text);
    for (Press b : step.presses) {
        if (v.closed) break;
        switch (b) {
            case Press::OK:
                if constexpr (requires { p.OKButtonClick(); })
                    p.OKButtonClick();
                else
                    p.CloseButtonClick();
                break;
            case Press::Cancel:
                if constexpr (requires { p.CancelButtonClick(); }) p.CancelButtonClick();
                break;
            case Press::Extra:
                if constexpr (requires { p.DouButtonClick(); }) p.DouButtonClick();
                if constexpr (requires { p.ZenDataButtonClick(); }) p.ZenDataButtonClick();
                break;
        }
    }
}

// Runs one dialog the way its window would: made, filled, then the step played.
template <class Presenter, class... Args>
DialogSeen run_dialog(const DialogStep& step, model::MessageService& msg, Args&&... args) {
    FakeFieldView view(Presenter::Layout());
    DialogSeen seen{{}, view, false};
    Presenter p(std::forward<Args>(args)..., view, msg);
    seen.opened = p.FormCreate();
    seen.shown = view.fields;
    if (seen.opened) play(p, view, step);
    seen.view = view;
    return seen;
}

// A list window's grids, counts and selections as the presenter last set them.
template <class View, class Grid>
class FakeGridView : public View {
  public:
    std::map<Grid, GridRows> grids;
    std::map<Grid, std::string> counts;
    std::map<Grid, int> selected;
    std::map<Grid, int> builds;
    bool closed = false;

    void set_grid(Grid g, const GridRows& rows) override {
        grids[g] = rows;
        ++builds[g];
    }
    void set_count(Grid g, const std::string& t) override { counts[g] = t; }
    void select_row(Grid g, int r) override { selected[g] = r; }
    void close_window() override { closed = true; }
};

class FakeSelNodeView : public FakeGridView<SelNodeView, NodeGrid> {
  public:
    std::map<NodeGrid, int> top;
    std::string kensaku;

    void set_top_row(NodeGrid g, int r) override { top[g] = r; }
    std::string kensaku_text() const override { return kensaku; }
    void set_kensaku_text(const std::string& t) override { kensaku = t; }
};

using FakeSelBeamView = FakeGridView<SelBeamView, BeamGrid>;

// The data dialog of a list window's test Window, opened on its model: run
// opens Presenter on record row (field Select of the exchange data), its
// result reset first, as its caller opens it.
template <class Window, class Presenter, class Exchange, int Exchange::*Select>
class DataDialogTest : public Window {
  protected:
    DialogSeen run(int row, const DialogStep& step) {
        data.*Select = row;
        data.result = kResultNone;
        return run_dialog<Presenter>(step, this->msg, this->m, data);
    }
    Exchange data;
};

// Opens a list window's dialogs from a script; a dialog opened without a
// step left for it is a test failure.
template <class Dialogs, class Exchange>
class ScriptedDialogs : public Dialogs {
  public:
    ScriptedDialogs(model::ModelStore& m, Exchange& x, model::MessageService& msg)
        : m_(m), x_(x), msg_(msg) {}
    std::deque<DialogStep> steps;
    std::vector<std::string> opened;  // dialog captions, in order
    std::vector<DialogSeen> seen;

  protected:
    template <class P, class... Extra>
    void run(Extra... extra) {
        opened.push_back(P::Layout().caption);
        if (steps.empty()) {
            ADD_FAILURE() << "unexpected dialog " << P::Layout().caption;
            return;
        }
        const DialogStep step = steps.front();
        steps.pop_front();
        seen.push_back(run_dialog<P>(step, msg_, m_, x_, extra...));
    }

  private:
    model::ModelStore& m_;
    Exchange& x_;
    model::MessageService& msg_;
};

class ScriptedNodeDialogs : public ScriptedDialogs<SelNodeDialogs, NodeEditExchange> {
  public:
    using ScriptedDialogs::ScriptedDialogs;
    void open_sel_fix() override { run<SelFixPresenter>(); }
    void open_sel_load() override { run<SelLoadPresenter>(); }
    void open_fix_edit(FixEditUse use) override { run<FixEditPresenter>(use); }
    void open_load_edit() override { run<LoadEditPresenter>(); }
    void open_del_node() override { run<DelNodePresenter>(); }
};

class ScriptedBeamDialogs : public ScriptedDialogs<SelBeamDialogs, BeamEditExchange> {
  public:
    using ScriptedDialogs::ScriptedDialogs;
    void open_hen_size() override { run<HenSizePresenter>(); }
    void open_hen_mat() override { run<HenMatPresenter>(); }
    void open_show_beam() override { run<ShowBeamPresenter>(); }
};

// A list window under test: its presenter on a model of the test's, with a
// fake view and scripted dialogs. open() makes the window anew, as the main
// window does for every command; click() selects a row of the first grid,
// queues the step of the dialog it opens and presses a button.
template <class Presenter, class Exchange, class View, class Dialogs>
class ListWindowTest : public ::testing::Test {
  protected:
    void open() {
        form = std::make_unique<Presenter>(m, x, view, dialogs, msg);
        form->FormCreate();
    }
    void click(void (Presenter::*select)(int), int row, void (Presenter::*button)(),
               DialogStep step) {
        (form.get()->*select)(row);
        dialogs.steps.push_back(step);
        (form.get()->*button)();
    }

    model::ModelStore m;
    tarvik::testing::ScriptedMessages msg;
    Exchange x;
    View view;
    Dialogs dialogs{m, x, msg};
    std::unique_ptr<Presenter> form;
};

}  // namespace tarvik::editing::testing
