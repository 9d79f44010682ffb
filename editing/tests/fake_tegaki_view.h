// The hand-drawn editor's screen for tests: menus, the picture drawn at once
// (markers and rubber band), file dialogs answered from a script, and the
// node and member data dialogs run through their presenters with the fields
// typed as the test prepared.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "editing/tegaki_form.h"
#include "editing/tests/fake_views.h"
#include "render/recording_canvas.h"

namespace tarvik::editing::testing {

class FakeTegakiView : public TegakiView {
  public:
    FakeTegakiView(model::ModelStore& m, model::MessageService& msg) : m_(m), msg_(msg) {}

    std::map<TegakiMenu, bool> menus;
    int repaints = 0;
    render::RecordingCanvas live{kTegakiWidth, 456};  // what draw_now drew
    std::vector<std::string> events;                  // windows, cursor, closing
    std::deque<std::string> file_names;               // answers of the file dialogs
    std::deque<DialogStep> node_steps, beam_steps;    // one per dialog opened
    std::vector<std::string> node_seen;               // "No" field of each node dialog
    int dxf_colour = 1;
    bool closed = false;

    void set_menu_enabled(TegakiMenu item, bool on) override { menus[item] = on; }
    void repaint() override { ++repaints; }
    void draw_now(const std::function<void(render::Canvas&)>& draw) override { draw(live); }
    void set_busy(bool busy) override { events.push_back(busy ? "busy" : "arrow"); }
    std::string open_file_name(std::string_view filter) override { return next("open", filter); }
    std::string save_file_name(std::string_view filter, std::string_view) override {
        return next("save", filter);
    }
    int run_dxf_colour_window() override { return dxf_colour; }
    void show_isome_window() override { events.push_back("isome"); }
    void show_view_window() override { events.push_back("view"); }
    int run_node_form(NodeDataExchange& x) override {
        const DialogSeen seen = run_dialog<NodeFormPresenter>(step(node_steps), msg_, m_, x);
        node_seen.push_back(seen.shown.at(NodeFormPresenter::kNo));
        return x.result;
    }
    int run_beam_form(BeamDataExchange& x) override {
        run_dialog<BeamFormPresenter>(step(beam_steps), msg_, m_, x);
        return x.result;
    }
    void show_help() override { events.push_back("help"); }
    void close_window() override { closed = true; }

  private:
    std::string next(const char* what, std::string_view filter) {
        events.push_back(std::string(what) + " " + std::string(filter));
        if (file_names.empty()) return "";
        std::string f = file_names.front();
        file_names.pop_front();
        return f;
    }
    static DialogStep step(std::deque<DialogStep>& steps) {
        if (steps.empty()) {
            ADD_FAILURE() << "unexpected dialog";
            return DialogStep{{}, {Press::Cancel}};
        }
        DialogStep s = steps.front();
        steps.pop_front();
        return s;
    }
    model::ModelStore& m_;
    model::MessageService& msg_;
};

}  // namespace tarvik::editing::testing
