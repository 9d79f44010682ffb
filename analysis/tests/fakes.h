// Fakes of the screens the analysis presenters talk to.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "analysis/analysis_run.h"
#include "analysis/result_lists.h"
#include "analysis/stress_diagram.h"
#include "analysis/velto_form.h"
#include "model/message_service.h"
#include "render/view_params.h"

namespace tarvik::analysis::testing {

class FakeHost : public AnalysisHost {
  public:
    std::vector<std::string> events;
    std::string save_name;  // answer of the save dialog
    void set_busy(bool busy) override { events.push_back(busy ? "busy" : "arrow"); }
    std::string save_file_name(std::string_view filter, std::string_view ext) override {
        events.push_back("save " + std::string(filter) + " " + std::string(ext));
        return save_name;
    }
    void show_results() override { events.push_back("results"); }
};

class FakeListView : public StressView {
  public:
    Grid grid;
    std::map<ListField, std::string> fields;
    int left = -1, top = -1;
    std::deque<int> sakujyo_answers;
    std::vector<SakujyoRow> sakujyo_shown;
    int show_stress_runs = 0;

    void set_grid(const Grid& g) override { grid = g; }
    void set_field(ListField f, const std::string& text) override { fields[f] = text; }
    std::string field(ListField f) const override {
        auto it = fields.find(f);
        return it == fields.end() ? std::string() : it->second;
    }
    void place(int l, int t) override {
        left = l;
        top = t;
    }
    int run_sakujyo(const SakujyoRow& row) override {
        sakujyo_shown.push_back(row);
        if (sakujyo_answers.empty()) return 0;
        const int a = sakujyo_answers.front();
        sakujyo_answers.pop_front();
        return a;
    }
    void run_show_stress() override { ++show_stress_runs; }
};

// The results window's screen: records what the window was asked to do;
// the search window runs its presenter with the code the test prepared.
class FakeVeltoView : public VeltoView {
  public:
    std::vector<std::string> events;
    std::map<VeltoMenu, bool> enabled, checked;
    FoundTable* found = nullptr;
    std::string kensaku_answer;  // code the user types, empty: "取消"
    ResultTables* tables = nullptr;
    model::MessageService* msg = nullptr;
    std::string save_name;
    render::ViewParams* params = nullptr;

    void repaint() override { events.push_back("repaint"); }
    void set_busy(bool b) override { events.push_back(b ? "busy" : "arrow"); }
    void set_menu_enabled(VeltoMenu m, bool e) override { enabled[m] = e; }
    void set_menu_checked(VeltoMenu m, bool c) override { checked[m] = c; }
    void run_list_window(int kind) override { events.push_back("list " + std::to_string(kind)); }
    void run_stress_window() override { events.push_back("stress"); }
    void run_kensaku_window() override {
        events.push_back("kensaku");
        KensakuPresenter k(*tables, *found, *msg);
        if (kensaku_answer.empty())
            k.Button1Click();
        else
            k.KensakuButtonClick(kensaku_answer);
    }
    void run_find_window() override {
        events.push_back("find " + std::to_string(found->rows.size()));
    }
    void run_isome_window() override {
        events.push_back("isome");
        params->TAU = 90.0f;
        params->FAI = 0.0f;
    }
    void show_view_window(bool v) override { events.push_back(v ? "view on" : "view off"); }
    void set_timer(bool r) override { events.push_back(r ? "timer on" : "timer off"); }
    std::string save_file_name(std::string_view, std::string_view) override { return save_name; }
    int colour = 2;  // what the DXF colour window ends with
    int run_dxf_colour_window() override {
        events.push_back("colour");
        return colour;
    }
    void close_window() override { events.push_back("close"); }
};

}  // namespace tarvik::analysis::testing
