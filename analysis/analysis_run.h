// The three analysis commands of the main window: run the solver on the model
// and show the results, show the results of the last run, and save the
// listing and the displacements as one file. The main window calls them with
// its model, its working folder and a host that gives the screen.
#pragma once

#include <string>
#include <string_view>

#include "analysis/result_tables.h"
#include "analysis/solver_run.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::analysis {

// What the commands need of the screen.
class AnalysisHost {
  public:
    virtual ~AnalysisHost() = default;
    // Hourglass cursor on or off.
    virtual void set_busy(bool busy) = 0;
    // The save dialog; empty when cancelled. The filter is "caption|pattern".
    virtual std::string save_file_name(std::string_view filter, std::string_view default_ext) = 0;
    // Creates the results window on the files of the working folder, shows it
    // modally and destroys it.
    virtual void show_results() = 0;
};

struct AnalysisContext {
    model::ModelStore& store;
    std::string cDirectory;   // the working folder of the exchange
    std::string program_dir;  // folder of the running program: the solver's second place
    std::string install_dir = kInstalledBinDir;  // the installation's programs: the third
};

// The result of one run, as the commands and the batch front end see it.
struct AnalysisOutcome {
    bool ran = false;  // the solver ran to its end and reported success
    SolverRun run;
    Stability stability;
};

// Writes VELTOSOL.IN, runs the solver and waits, and tells the user what
// became of it: a run that could not start, that failed (the solver's own
// diagnostic), the elapsed time, and results without meaning. 0 when there are
// results to show, -1 otherwise (messages shown).
int run_analysis(const AnalysisContext& ctx, model::MessageService& msg, AnalysisOutcome& out,
                 AnalysisHost* host = nullptr);

// Copies the listing and then the displacement file of cDirectory, byte for
// byte, into path; the file at path is replaced only by a complete copy.
// 0; -1 after the message of the failure.
int save_results(const std::string& cDirectory, const std::string& path,
                 model::MessageService& msg);

// "構造解析実施": run, then the results window. 0 when the window was shown.
int KaisekiMenuClick(const AnalysisContext& ctx, model::MessageService& msg, AnalysisHost& host);
// "最後の解析結果": the results window on the files of the last run.
void SaigoKaisekiMenuClick(AnalysisHost& host);
// "解析結果保存": asks for the name and saves. 0 saved, 1 cancelled, -1 failed.
int KekkaHozonMenuClick(const AnalysisContext& ctx, model::MessageService& msg, AnalysisHost& host);

// The figures the batch front end prints.
struct ResultSummary {
    int nodes = 0, members = 0;
    bool has_disp = false;
    float max_disp = 0.0f;
    std::string max_disp_node;
    int max_disp_no = 0;
    bool has_force = false;
    float max_force = 0.0f;
    int max_force_member = 0;
    std::string max_force_i, max_force_j;
    // tension + compression = members; zero counts the exact zeros among the
    // compression members.
    int tension = 0, compression = 0, zero = 0;
};
ResultSummary summarize(const ResultTables& t);

}  // namespace tarvik::analysis
