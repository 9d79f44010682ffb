#include "analysis/analysis_run.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "analysis/solver_messages.h"
#include "files/honegumi.h"
#include "files/replace_file.h"
#include "model/spy.h"

namespace tarvik::analysis {
namespace {

inline constexpr const char* kMsgReadError = "Read Error";

std::string format_message(const char* format, double value) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

std::string format_message(const char* format, int value) {
    char buf[512];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

// 0 read, -1 not openable, -2 a read error.
int read_file(const std::string& path, std::string& bytes) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return -1;
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return f.bad() ? -2 : 0;
}

}  // namespace

int run_analysis(const AnalysisContext& ctx, model::MessageService& msg, AnalysisOutcome& out,
                 AnalysisHost* host) {
    out = AnalysisOutcome{};
    model::spy("構造解析実施 cDirectory %s", ctx.cDirectory.c_str());
    // Without a fresh input the solver would analyse whatever model an older
    // run left there, and its results would be shown as this model's.
    if (files::save_honegumi(ctx.store, ctx.cDirectory + "/" + files::kVeltoInputName, msg) != 0) {
        msg.show_message(kMsgInputFailed);
        return -1;
    }
    const std::string solver = find_solver(ctx.cDirectory, ctx.program_dir, ctx.install_dir);
    model::spy("実行ファイル名 %s", solver.c_str());
    if (solver.empty()) {
        msg.show_message(kMsgNoProcess);
        return -1;
    }

    if (host) host->set_busy(true);
    out.run = run_solver(solver, ctx.cDirectory);
    if (host) host->set_busy(false);
    model::spy("Elapsed %.2f sec status %d", out.run.seconds, out.run.status);

    if (!out.run.started) {
        msg.show_message(kMsgNoProcess);
        return -1;
    }
    if (!out.run.ok()) {
        // The solver names the cause in English on its last line: the user
        // reads what it means, and the line itself below.
        msg.show_message(solver_failure_message(out.run));
        return -1;
    }
    out.ran = true;
    msg.show_message(
        format_message(kMsgFinished, static_cast<double>(static_cast<float>(out.run.seconds))));

    out.stability = check_stability(ctx.cDirectory);
    if (out.stability.instability)
        msg.show_message(format_message(kMsgUnstable, out.stability.instability_at));
    if (out.stability.near_zero_diagonals > 0)
        msg.show_message(format_message(kMsgNearZero, out.stability.near_zero_diagonals));
    return 0;
}

int save_results(const std::string& cDirectory, const std::string& path,
                 model::MessageService& msg) {
    std::string lst, dsp;
    const std::string lst_path = cDirectory + "/" + kListFileName;
    model::spy("LST_FILE %s", lst_path.c_str());
    int rc = read_file(lst_path, lst);
    if (rc != 0) {
        msg.show_message(rc == -1 ? kMsgLstFileOpen : kMsgReadError);
        return -1;
    }
    const std::string dsp_path = cDirectory + "/" + kDispFileName;
    model::spy("DSP_FILE %s", dsp_path.c_str());
    rc = read_file(dsp_path, dsp);
    if (rc != 0) {
        msg.show_message(rc == -1 ? kMsgDspFileOpen : kMsgReadError);
        return -1;
    }
    if (files::save_file(path, lst + dsp, kMsgOutOpen, kMsgWriteError, msg) != 0) return -1;
    msg.show_message(kMsgSaved);
    return 0;
}

int KaisekiMenuClick(const AnalysisContext& ctx, model::MessageService& msg, AnalysisHost& host) {
    AnalysisOutcome out;
    if (run_analysis(ctx, msg, out, &host) != 0) return -1;
    host.set_busy(true);
    host.show_results();
    host.set_busy(false);
    return 0;
}

void SaigoKaisekiMenuClick(AnalysisHost& host) {
    host.set_busy(true);
    host.show_results();
    host.set_busy(false);
}

int KekkaHozonMenuClick(const AnalysisContext& ctx, model::MessageService& msg,
                        AnalysisHost& host) {
    const std::string path = host.save_file_name(kOutFilter, kOutExt);
    if (path.empty()) return 1;
    return save_results(ctx.cDirectory, path, msg);
}

ResultSummary summarize(const ResultTables& t) {
    ResultSummary s;
    s.nodes = t.N_Setuten;
    s.members = t.N_Stress;
    // Both tables are sorted, largest first.
    if (t.N_Disp > 0) {
        s.has_disp = true;
        s.max_disp = t.disp[0].disp_abs;
        s.max_disp_node = t.disp[0].name;
        s.max_disp_no = t.disp[0].old_no;
    }
    if (t.N_Stress > 0) {
        const StressRecord& r = t.stress[0];
        s.has_force = true;
        s.max_force = r.force;
        s.max_force_member = r.no;
        s.max_force_i = r.iname;
        s.max_force_j = r.jname;
    }
    // As the drawings colour them: a zero force counts with compression.
    for (int k = 0; k < t.N_Stress; ++k) {
        const float f = t.stress[k].force;
        if (f > 0.0f)
            ++s.tension;
        else
            ++s.compression;
        if (f == 0.0f) ++s.zero;
    }
    return s;
}

}  // namespace tarvik::analysis
