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

}  // namespace tarvik::analysis::testing
