#include "app/batch.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <ostream>

#include "analysis/analysis_run.h"
#include "analysis/capacity_check.h"
#include "app/batch_exports.h"
#include "app/main_flow.h"
#include "editing/ken_node.h"
#include "files/honegumi.h"
#include "files/jiku_file.h"
#include "files/tegaki.h"
#include "generator/basic_data.h"
#include "generator/generator.h"
#include "generator/jiku_data.h"
#include "model/folder_lock.h"
#include "model/model_store.h"
#include "render/hidden_image_job.h"

namespace tarvik::app {
namespace {

constexpr const char* kUsage =
    "usage: tarvik-batch [options] MODEL.man\n"
    "       tarvik-batch [options] --jik AXIS.jik\n"
    "       tarvik-batch [options] --generate [NAME=VALUE,...]\n"
    "  --jik FILE           read an axis data file instead of a structure data file; the\n"
    "                       timber volume tally by height is printed and written to\n"
    "                       Youseki.dat in the current directory\n"
    "  --generate VALUES    make the model with the frame generator instead of reading a file:\n"
    "                       the basic data of the window's defaults, changed by VALUES\n"
    "                       (comma-separated NAME=VALUE, e.g. nx=8,SumiType=1,YaneMode=1;\n"
    "                       an empty text keeps every default)\n"
    "  --fix BOX            mark the nodes inside BOX as supports (repeatable)\n"
    "  --load BOX           mark the nodes inside BOX as loaded nodes (repeatable)\n"
    "  --fix-code XYZ       translation codes of the supports built, 1 fixed 0 free"
    " (default 111)\n"
    "  --load-value PX,PY,PZ  forces of the loads built (default 0,0,-200)\n"
    "  --bon FILE           write the solver input to FILE\n"
    "  --velto              write the solver input as VELTOSOL.IN in the current directory\n"
    "  --man FILE           write the structure data file after the upkeep\n"
    "  --write-jik FILE     write the model as an axis data file after the upkeep\n"
    "  --jik-shift DX,DY,DZ move every end point written by --write-jik (cm, default 0,0,0)\n"
    "  --hidden RHO,THETA,PHI  write the hidden-line image TEMP.DAT (and TRIO.DAT, VIEW.DAT,\n"
    "                       VECT.DAT) in the current directory, eye at distance RHO, angles\n"
    "                       THETA, PHI; --plain uses the plain routine instead of the fast one\n"
    "  --analyse            analyse the model with veltosol in the current directory\n"
    "                       (found there, else beside tarvik-batch); print a summary\n"
    "  --save-results FILE  with --analyse: save the listing and the displacements to FILE\n"
    "  --wait SECONDS       how long to wait for another job in the current directory to\n"
    "                       finish before giving up (default 30; 0 gives up at once)\n"
    "  -h, --help           show this text\n"
    "  --version            show the version\n"
    "BOX: up to three ranges of level codes separated by commas, each Xnn or Xnn-Xmm\n"
    "(likewise Y, Z); an axis left out spans all its levels. Example: X00-X02,Z00\n";

struct Options {
    std::string input;
    std::string jik;  // axis data file read instead of input
    bool generate = false;
    std::vector<std::string> basic_values;  // NAME=VALUE of the generator's basic data
    std::vector<std::string> fix_boxes;
    std::vector<std::string> load_boxes;
    NodeDataValues values;
    std::string bon;
    bool velto = false;
    std::string man;
    std::string write_jik;
    bool shift_given = false;
    files::JikuShift shift;
    std::string hidden;
    bool plain = false;
    bool analyse = false;
    std::string save_results;
    double wait = kDefaultWait;
    bool help = false;
    ExportOptions exports;
};

// One axis range of a box: "Xnn" or "Xnn-Xnn" (one or two digits, the same
// letter on both sides). Gives the axis (0 X, 1 Y, 2 Z) and the two texts.
bool parse_axis_range(const std::string& p, int& axis, std::string& lo, std::string& hi) {
    auto level = [](const std::string& s, size_t at, size_t& end) {
        if (at >= s.size() || (s[at] != 'X' && s[at] != 'Y' && s[at] != 'Z')) return false;
        end = at + 1;
        while (end < s.size() && end - at <= 2 && std::isdigit(static_cast<unsigned char>(s[end])))
            ++end;
        return end - at >= 2 && end - at <= 3;
    };
    size_t end = 0;
    if (!level(p, 0, end)) return false;
    axis = p[0] - 'X';
    lo = p.substr(0, end);
    if (end == p.size()) {
        hi = lo;
        return true;
    }
    size_t end2 = 0;
    if (p[end] != '-' || !level(p, end + 1, end2) || end2 != p.size() || p[end + 1] != p[0])
        return false;
    hi = p.substr(end + 1);
    return true;
}

// A box becomes the six range texts of the node search window.
bool parse_box(const std::string& box, editing::LevelTexts& texts) {
    texts = {};
    bool seen[3] = {false, false, false};
    size_t start = 0;
    while (true) {
        const size_t comma = box.find(',', start);
        const std::string p =
            box.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int axis = 0;
        std::string lo, hi;
        if (!parse_axis_range(p, axis, lo, hi) || seen[axis]) return false;
        seen[axis] = true;
        texts[2 * axis] = lo;
        texts[2 * axis + 1] = hi;
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool parse_fix_code(const std::string& s, NodeDataValues& v) {
    if (s.size() != 3) return false;
    for (char c : s)
        if (c != '0' && c != '1') return false;
    v.xfix = s[0] - '0';
    v.yfix = s[1] - '0';
    v.zfix = s[2] - '0';
    return true;
}

// Three numbers a float holds, separated by commas.
bool parse_three(const std::string& s, float (&f)[3]) {
    const char* p = s.c_str();
    for (int k = 0; k < 3; ++k) {
        char* end = nullptr;
        const double d = std::strtod(p, &end);
        if (end == p || !std::isfinite(d) || std::fabs(d) > 3.0e38) return false;
        f[k] = static_cast<float>(d);
        if (k < 2 && *end != ',') return false;
        if (k == 2 && *end != '\0') return false;
        p = end + 1;
    }
    return true;
}

bool parse_load_value(const std::string& s, NodeDataValues& v) {
    // Only forces a float holds, as the basic data take them.
    float f[3];
    if (!parse_three(s, f)) return false;
    v.px = f[0];
    v.py = f[1];
    v.pz = f[2];
    return true;
}

bool parse_args(const std::vector<std::string>& args, Options& o, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        // An empty name (an unset variable in a script) would silently write
        // nothing.
        auto file_name = [&](std::string& into) {
            if (!value(into)) return false;
            if (into.empty()) {
                error = a + " needs a file name, not an empty text";
                return false;
            }
            return true;
        };
        std::string v;
        // The export options have their own block.
        if (const int taken = parse_export_option(args, i, o.exports, error); taken != 0) {
            if (taken < 0) return false;
            continue;
        }
        if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--fix" || a == "--load") {
            if (!value(v)) return false;
            editing::LevelTexts texts;
            if (!parse_box(v, texts)) {
                error = "bad level box '" + v + "'";
                return false;
            }
            (a == "--fix" ? o.fix_boxes : o.load_boxes).push_back(v);
        } else if (a == "--fix-code") {
            if (!value(v)) return false;
            if (!parse_fix_code(v, o.values)) {
                error = "bad support code '" + v + "' (three digits 0 or 1)";
                return false;
            }
        } else if (a == "--load-value") {
            if (!value(v)) return false;
            if (!parse_load_value(v, o.values)) {
                error = "bad load value '" + v + "' (PX,PY,PZ)";
                return false;
            }
        } else if (a == "--bon") {
            if (!file_name(o.bon)) return false;
        } else if (a == "--man") {
            if (!file_name(o.man)) return false;
        } else if (a == "--jik") {
            if (!file_name(o.jik)) return false;
        } else if (a == "--write-jik") {
            if (!file_name(o.write_jik)) return false;
        } else if (a == "--jik-shift") {
            if (!value(v)) return false;
            float f[3];
            if (!parse_three(v, f)) {
                error = "bad shift '" + v + "' (DX,DY,DZ in cm)";
                return false;
            }
            o.shift = {f[0], f[1], f[2]};
            o.shift_given = true;
        } else if (a == "--velto") {
            o.velto = true;
        } else if (a == "--hidden") {
            if (!value(o.hidden)) return false;
            double rho, theta, phi;
            if (!render::parse_eye(o.hidden, rho, theta, phi)) {
                error = "bad eye '" + o.hidden + "' (RHO,THETA,PHI, RHO above 0)";
                return false;
            }
        } else if (a == "--generate") {
            if (!value(v)) return false;
            std::string item;
            for (std::size_t p = 0; p <= v.size(); ++p) {
                if (p == v.size() || v[p] == ',') {
                    if (!item.empty()) o.basic_values.push_back(item);
                    item.clear();
                } else {
                    item += v[p];
                }
            }
            generator::BasicData probe = generator::default_basic_data();
            for (const std::string& bv : o.basic_values)
                if (!generator::assign_basic_value(probe, bv, error)) return false;
            o.generate = true;
        } else if (a == "--plain") {
            o.plain = true;
        } else if (a == "--analyse") {
            o.analyse = true;
        } else if (a == "--save-results") {
            if (!file_name(o.save_results)) return false;
        } else if (a == "--wait") {
            if (!value(v)) return false;
            char* end = nullptr;
            o.wait = std::strtod(v.c_str(), &end);
            if (v.empty() || *end != '\0' || !(o.wait >= 0.0 && o.wait <= kMaxWait)) {
                error = "bad wait '" + v + "' (seconds, 0 to 86400)";
                return false;
            }
        } else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a;
            return false;
        } else if (o.input.empty()) {
            o.input = a;
        } else {
            error = "more than one model file";
            return false;
        }
    }
    if (!o.save_results.empty() && !o.analyse) {
        error = "--save-results needs --analyse";
        return false;
    }
    if (o.shift_given && o.write_jik.empty()) {
        error = "--jik-shift needs --write-jik";
        return false;
    }
    if (int(o.generate) + int(!o.input.empty()) + int(!o.jik.empty()) > 1) {
        error = "a model file, --jik and --generate exclude each other";
        return false;
    }
    if (!o.help && o.input.empty() && !o.generate && o.jik.empty()) {
        error = "no model file given";
        return false;
    }
    return true;
}

// Marks the nodes of each box through the node search, as the user would with
// "拘束節点指定" or "荷重節点指定" and the "選" button.
void mark_boxes(model::ModelStore& m, const std::vector<std::string>& boxes, editing::PickMode mode,
                model::MessageService& msg) {
    editing::KenNodeCore ken(m);
    for (const std::string& box : boxes) {
        editing::LevelTexts texts;
        parse_box(box, texts);
        ken.open();
        ken.KenSpeedButtonClick(texts);
        ken.ZenSentakuSpeedButtonClick(mode, msg);
    }
}

// The folder of the running program: the solver's second place.
std::string program_dir() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

// Runs the solver on the model as "構造解析実施" does, reads its results and
// prints what they say; saves them when asked.
int analyse(model::ModelStore& m, const Options& o, model::MessageService& msg, std::ostream& out) {
    const analysis::AnalysisContext ctx{m, ".", program_dir()};
    analysis::AnalysisOutcome run;
    if (analysis::run_analysis(ctx, msg, run) != 0) return kExitAnalysis;
    auto t = std::make_unique<analysis::ResultTables>();
    if (!analysis::load_results(ctx.cDirectory, m, *t, msg)) {
        msg.show_message(
            "error: the results of the solver cannot be read or hold a value out of range");
        return kExitAnalysis;
    }
    const analysis::ResultSummary s = analysis::summarize(*t);
    out << std::fixed;
    out << "analysis " << std::setprecision(2) << run.run.seconds << " sec\n";
    out << "result nodes " << s.nodes << "\n"
        << "result members " << s.members << "\n";
    if (s.has_disp)
        out << "largest displacement " << std::setprecision(4) << s.max_disp << " cm at node "
            << s.max_disp_no << " " << s.max_disp_node << "\n";
    if (s.has_force)
        out << "largest axial force " << std::setprecision(2) << s.max_force << " in member "
            << s.max_force_member << " from " << s.max_force_i << " to " << s.max_force_j << "\n";
    // A zero force is counted with compression, as the drawings colour it.
    out << "tension members " << s.tension << "\n"
        << "compression members " << s.compression << "\n"
        << "members without axial force " << s.zero << "\n";
    if (!run.stability.meaningful()) out << "results not meaningful: the frame is unstable\n";
    out.unsetf(std::ios::floatfield);
    if (!o.save_results.empty() && analysis::save_results(ctx.cDirectory, o.save_results, msg) != 0)
        return kExitWrite;
    return run.stability.meaningful() ? kExitOk : kExitUnstable;
}

// The volume tally of an axis data read, as "Youseki.dat" has it.
void print_tally(int lines, const std::vector<generator::HeightClass>& tally, std::ostream& out) {
    out << "axis data lines " << lines << "\n"
        << "height classes " << tally.size() << "\n"
        << std::fixed;
    double sum = 0.0;
    for (const generator::HeightClass& c : tally) {
        sum += c.Youseki;
        out << "height " << std::setprecision(1) << c.Takasa << " members " << c.Used << " volume "
            << std::setprecision(3) << c.Youseki << "\n";
    }
    out << "timber volume " << std::setprecision(3) << sum << "\n";
    out.unsetf(std::ios::floatfield);
}

// The axis data writer says when it has made its file; the batch front end
// says so on its summary, not among the messages.
class JikuWriteMessages : public model::MessageService {
  public:
    JikuWriteMessages(model::MessageService& msg, std::ostream& out, const std::string& path)
        : msg_(msg), out_(out), path_(path) {}
    void show_message(std::string_view text) override {
        if (text == files::kJikuDone)
            out_ << "axis data file " << path_ << "\n";
        else
            msg_.show_message(text);
    }
    bool ask_yes_no(std::string_view q) override { return msg_.ask_yes_no(q); }

  private:
    model::MessageService& msg_;
    std::ostream& out_;
    const std::string& path_;
};

void print_summary(const model::ModelStore& m, std::ostream& out) {
    out << "nodes " << m.N_Node << "\n"
        << "members " << m.N_Beam << "\n"
        << "sizes " << m.N_Size << "\n"
        << "levels " << m.N_X << " " << m.N_Y << " " << m.N_Z << "\n"
        << "supports " << m.N_Fix << "\n"
        << "loads " << m.N_Load << "\n";
}

}  // namespace

void PrintingMessages::show_message(std::string_view text) {
    err_ << "tarvik-batch: " << text << "\n";
}

bool PrintingMessages::ask_yes_no(std::string_view) {
    return true;
}

int run_batch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    std::string error;
    if (!parse_args(args, o, error)) {
        err << "tarvik-batch: error: " << error << "\n" << kUsage << kExportUsage;
        return kExitUsage;
    }
    if (o.help) {
        out << kUsage << kExportUsage;
        return kExitOk;
    }

    // The exchange files of the current directory are this job's from the
    // first read to the last write: a second job there waits or gives up.
    std::unique_ptr<model::FolderLock> lock;
    if (o.velto || !o.hidden.empty() || o.analyse || !o.jik.empty()) {
        lock = std::make_unique<model::FolderLock>("", o.wait);
        if (!lock->may_proceed()) {
            err << "tarvik-batch: error: the working folder is busy: another job holds "
                << model::kLockFileName << " in the current directory\n";
            return kExitBusy;
        }
    }

    PrintingMessages msg(err);
    auto store = std::make_unique<model::ModelStore>();
    model::ModelStore& m = *store;
    MainFlowState state;

    if (o.generate) {
        // As the basic-data window: the values, the choices, then the unit
        // window's generation.
        generator::BasicData d = generator::default_basic_data();
        std::string error;
        bool top_given = false;
        for (const std::string& bv : o.basic_values) {
            generator::assign_basic_value(d, bv, error);
            top_given = top_given || bv.rfind("YaneMode=", 0) == 0;
        }
        // The window has no top shape chosen at first; a floor without columns
        // can only carry nothing, so that is what an unnamed choice means.
        if (!top_given && d.SumiType == generator::kSumiNone) d.YaneMode = generator::kYaneNothing;
        if (generator::check_values(d, msg) == 0 ||
            generator::check_choices(d, d.SumiType, d.N_Sou - 1,
                                     generator::yane_item_of(d.YaneMode), msg) == 0 ||
            generator::check_capacity(d, msg) == 0) {
            err << "tarvik-batch: error: the basic data were refused\n";
            return kExitModel;
        }
        if (generator::Generator(m, d, msg, err).generate() != 0) {
            err << "tarvik-batch: error: the generation failed\n";
            return kExitModel;
        }
    } else if (!o.jik.empty()) {
        // As "軸データ編集": the read with its upkeep; the tally goes to the
        // current directory.
        render::ModelBox box;
        generator::JikuRead read;
        const int lines = read_jiku_model(m, box, o.jik, read, msg);
        if (lines == kJikuNotRead) {
            err << "tarvik-batch: error: cannot read " << o.jik << "\n";
            return kExitRead;
        }
        if (lines < 0) {
            err << "tarvik-batch: error: the model upkeep was refused\n";
            return kExitModel;
        }
        print_tally(lines, read.tally, out);
    } else {
        bool complete = true;
        if (files::load_tegaki_data(m, o.input, msg, &complete) != 0) {
            err << "tarvik-batch: error: cannot read " << o.input << "\n";
            return kExitRead;
        }
        if (!complete)
            err << "tarvik-batch: warning: " << o.input
                << " ends early or holds a malformed value; read as far as it goes\n";
    }

    if (completeness_check(m) < 0) {
        err << "tarvik-batch: error: the model is not complete (no members, a member not"
               " complete, or a member end without its node)\n";
        return kExitModel;
    }
    if (model_ready_step(m, state, msg) != 0) {
        err << "tarvik-batch: error: the model upkeep was refused\n";
        return kExitModel;
    }
    // The structure data keep the editor's node flags: the file is written
    // before the flags are taken over by the pick marks (the upkeep does not
    // look at node flags, so the order does not change it).
    if (!o.man.empty() && files::save_tegaki_data(m, o.man, msg) != 0) return kExitWrite;
    if (!o.write_jik.empty()) {
        JikuWriteMessages jmsg(msg, out, o.write_jik);
        if (files::save_jiku_file(m, o.write_jik, o.shift, jmsg) != 0) return kExitWrite;
    }
    if (!o.hidden.empty() && render::hidden_image_job(m, "", o.hidden, o.plain, msg, out) != 0)
        return kExitWrite;

    clear_node_marks(m);
    mark_boxes(m, o.fix_boxes, editing::PickMode::kKousoku, msg);
    mark_boxes(m, o.load_boxes, editing::PickMode::kKajyu, msg);
    build_fix_load_lists(m, state, o.values, msg);
    const bool ready = finish_node_data(m, state);
    print_summary(m, out);
    // With its supports known, a model beyond the solver's tables is told
    // before any solver input is written.
    const std::string over = analysis::capacity_message(analysis::capacity_check(m));
    for (size_t at = 0; at < over.size();) {
        const size_t end = std::min(over.find('\n', at), over.size());
        err << "tarvik-batch: warning: " << over.substr(at, end - at) << "\n";
        at = end + 1;
    }
    if (o.exports.any() && run_exports(m, o.exports, msg, out) != 0) return kExitWrite;

    if (o.bon.empty() && !o.velto && !o.analyse) return kExitOk;
    if (!ready) {
        err << "tarvik-batch: error: the solver input needs at least one support (--fix) and"
               " one load (--load)\n";
        return kExitNoFixLoad;
    }
    if (!o.bon.empty() && files::save_honegumi(m, o.bon, msg) != 0) return kExitWrite;
    if (o.velto && files::save_honegumi(m, files::kVeltoInputName, msg) != 0) return kExitWrite;
    if (o.analyse) return analyse(m, o, msg, out);
    return kExitOk;
}

}  // namespace tarvik::app
