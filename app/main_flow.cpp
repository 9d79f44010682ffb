#include "app/main_flow.h"

#include <unistd.h>

#include <cstring>
#include <string>

#include "model/maintenance.h"
#include "model/spy.h"

namespace tarvik::app {

namespace {

// FNV-1a, 64 bits, over the bytes of each value in turn.
class Fingerprint {
public:
    template <typename T>
    void add(const T& v) {
        const auto* p = reinterpret_cast<const unsigned char*>(&v);
        for (size_t i = 0; i < sizeof v; ++i) byte(p[i]);
    }
    // A code up to its end, then one separator so that "AB" "C" and "A" "BC" differ.
    void add_code(const char (&code)[model::kCodeSize]) {
        for (int i = 0; i < model::kCodeSize && code[i] != '\0'; ++i)
            byte(static_cast<unsigned char>(code[i]));
        byte(0);
    }
    std::uint64_t value() const { return h_; }

private:
    void byte(unsigned char c) {
        h_ ^= c;
        h_ *= 1099511628211ull;
    }
    std::uint64_t h_ = 14695981039346656037ull;
};

}  // namespace

std::uint64_t model_fingerprint(const model::ModelStore& m) {
    Fingerprint f;
    const bool saved_plan = m.OnSaveOld == 1;
    f.add(m.N_Node);
    f.add(saved_plan);
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        f.add(n.no);
        f.add_code(n.id);
        f.add(n.x);
        f.add(n.y);
        f.add(n.z);
        f.add(n.flag);
        if (saved_plan) {
            f.add(m.old_node[i].X);
            f.add(m.old_node[i].Y);
        }
    }
    f.add(m.N_Beam);
    for (int k = 0; k < m.N_Beam; ++k) {
        const model::Beam& b = m.beam[k];
        f.add(b.no);
        f.add_code(b.idi);
        f.add_code(b.idj);
        for (int32_t v : {b.noi, b.noj, b.size, b.mat, b.flag}) f.add(v);
        for (float v : {b.xs, b.ys, b.zs, b.xl, b.yl, b.zl, b.haba, b.atumi}) f.add(v);
    }
    return f.value();
}

bool start_up(model::MessageService& msg) {
    if (!model::spy_open(model::kSpyFileName)) {
        msg.show_message(kSpyOpenError);
        return false;
    }
    model::spy("Spy Start");
    std::string dir(4096, '\0');
    if (::getcwd(dir.data(), dir.size()) == nullptr) dir.assign(1, '.');
    model::spy("cDirectory %s", dir.c_str());
    return true;
}

int completeness_check(const model::ModelStore& m) {
    return model::check_all_beam(m);
}

void clear_node_marks(model::ModelStore& m) {
    for (int i = 0; i < m.N_Node; ++i) m.node[i].flag = 0;
}

int model_ready_step(model::ModelStore& m, MainFlowState& state, model::MessageService& msg) {
    if (model::check_size(m, msg) != 0) return -1;
    model::assign_materials(m);
    if (model::save_level_name(m, msg) != 0) return -1;
    state.XlevelMin = state.YlevelMin = state.ZlevelMin = 0;
    state.XlevelMax = m.N_X - 1;
    state.YlevelMax = m.N_Y - 1;
    state.ZlevelMax = m.N_Z - 1;
    state.PaintMode = Paint::kModel;
    return 0;
}

void build_fix_load_lists(model::ModelStore& m, MainFlowState& state, const NodeDataValues& values,
                          model::MessageService& msg) {
    state.Pick = NodePick::kSetuten;
    if (state.FixLoadBuilt != 0) return;
    m.N_Fix = 0;
    m.N_Load = 0;
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        if (n.flag != model::kPickSupport) continue;
        model::Fix f{};
        model::set_code(f.id, n.id);
        f.no = n.no;
        f.xfix = values.xfix != 0 ? 1 : 0;
        f.yfix = values.yfix != 0 ? 1 : 0;
        f.zfix = values.zfix != 0 ? 1 : 0;
        if (model::add_fix(m, f, msg) < 0) break;
    }
    for (int i = 0; i < m.N_Node; ++i) {
        const model::Node& n = m.node[i];
        if (n.flag != model::kPickLoad) continue;
        model::Load l{};
        model::set_code(l.id, n.id);
        l.no = n.no;
        l.px = values.px;
        l.py = values.py;
        l.pz = values.pz;
        if (model::add_load(m, l, msg) < 0) break;
    }
    model::spy("N_Fix %d N_Load %d", m.N_Fix, m.N_Load);
}

bool finish_node_data(const model::ModelStore& m, MainFlowState& state) {
    if (m.N_Fix >= 1 && m.N_Load >= 1) {
        state.FixLoadBuilt = 1;
        return true;
    }
    return false;
}

int read_jiku_model(model::ModelStore& m, render::ModelBox& box, const std::string& path,
                    model::MessageService& msg) {
    generator::JikuRead read;
    const int lines = read_jiku_model(m, box, path, read, msg);
    return lines < 0 ? -1 : lines;
}

int read_jiku_model(model::ModelStore& m, render::ModelBox& box, const std::string& path,
                    generator::JikuRead& read, model::MessageService& msg) {
    box.reset();
    read.box = &box;
    model::spy("Enter read_jiku_model() %s", path.c_str());
    const int lines = generator::load_jiku_data(m, path, read, msg);
    if (lines < 0) return kJikuNotRead;
    if (model::check_size(m, msg) != 0) return kJikuUpkeepRefused;
    model::assign_materials(m);
    if (model::save_level_name(m, msg) != 0) return kJikuUpkeepRefused;
    return lines;
}

}  // namespace tarvik::app
