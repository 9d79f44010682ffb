#include "analysis/result_tables.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

#include "analysis/text_scan.h"
#include "model/maintenance.h"
#include "model/spy.h"

namespace tarvik::analysis {
namespace {

// Marks a displaced node that no result node matched.
constexpr int kNoNode = std::numeric_limits<int>::min();

std::string over_capacity(const char* table, int limit) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%sの数が上限 %d を超えるため読み込めません", table, limit);
    return buf;
}

// A count followed by that many values; false on a short list or one beyond
// the capacity (message then).
bool read_levels(TextScan& in, int& n, std::array<float, model::kMaxLevel>& values,
                 model::MessageService& msg) {
    if (!in.next_int(n) || n < 0) return false;
    if (n > model::kMaxLevel) {
        msg.show_message(over_capacity(kLevelTable, model::kMaxLevel));
        return false;
    }
    for (int i = 0; i < n; ++i)
        if (!in.next_float(values[i])) return false;
    return true;
}

}  // namespace

void set_name(char (&field)[kNameSize], std::string_view text) {
    const size_t n = std::min(text.size(), static_cast<size_t>(kNameSize - 1));
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, kNameSize - n);
}

bool same_code(const char* a, const char* b) {
    return std::strncmp(a, b, kCompareLength) == 0;
}

int read_zlv(std::string_view text, model::ModelStore& m, model::MessageService& msg) {
    TextScan in(text);
    std::array<model::AxisLevels, 3> lv{};
    for (model::AxisLevels& a : lv)
        if (!read_levels(in, a.n, a.val, msg)) return -1;
    // The store's lists change only once the whole file was read.
    model::set_levels(m, lv);
    return 0;
}

int read_velto(std::string_view text, ResultTables& t, model::MessageService& msg) {
    model::spy("Enter read_velto()");
    TextScan in(text);
    t.N_Setuten = 0;
    t.N_Stress = 0;

    int n_node = 0;
    if (!in.next_int(n_node) || n_node < 0) return -1;
    if (n_node > kMaxSetuten) {
        msg.show_message(over_capacity(kSetutenTable, kMaxSetuten));
        return -1;
    }
    for (int i = 0; i < n_node; ++i) {
        int new_no = 0;
        ResultNode& r = t.setuten[i];
        std::string_view name;
        if (!in.next_int(new_no) || !in.next_int(r.OldNo) || !in.next_float(r.x) ||
            !in.next_float(r.y) || !in.next_float(r.z) || !in.next_token(name))
            return -1;
        set_name(r.pname, name);
        t.N_Setuten = i + 1;
    }
    // Ascending node numbers; equal numbers keep the file order.
    std::stable_sort(t.setuten.begin(), t.setuten.begin() + t.N_Setuten,
                     [](const ResultNode& a, const ResultNode& b) { return a.OldNo < b.OldNo; });

    int n_stress = 0;
    if (!in.next_int(n_stress) || n_stress < 0) return -1;
    if (n_stress > kMaxStress) {
        msg.show_message(over_capacity(kStressTable, kMaxStress));
        return -1;
    }
    for (int k = 0; k < n_stress; ++k) {
        StressRecord& s = t.stress[k];
        s = StressRecord{};
        int new_noi = 0, new_noj = 0;
        std::string_view iname, jname;
        if (!in.next_int(s.no) || !in.next_int(new_noi) || !in.next_int(s.old_noi) ||
            !in.next_token(iname) || !in.next_int(new_noj) || !in.next_int(s.old_noj) ||
            !in.next_token(jname) || !in.next_float(s.force))
            return -1;
        set_name(s.iname, iname);
        set_name(s.jname, jname);
        float* six[] = {&s.p1, &s.p2, &s.xv1, &s.xv2, &s.yv1, &s.yv2};
        for (float* v : six)
            if (!in.next_float(*v)) return -1;
        float* five[] = {&s.xm1, &s.xm2, &s.ym1, &s.ym2, &s.zm};
        for (float* v : five)
            if (!in.next_float(*v)) return -1;
        s.ym1 = -s.ym1;
        t.N_Stress = k + 1;

        if (find_result_node(t, s.iname, s.xi, s.yi, s.zi) != s.old_noi) {
            msg.show_message(kMsgNodeI);
            return -1;
        }
        if (find_result_node(t, s.jname, s.xj, s.yj, s.zj) != s.old_noj) {
            msg.show_message(kMsgNodeJ);
            return -1;
        }
    }

    float largest = 0.0f;
    for (int k = 0; k < t.N_Stress; ++k) largest = std::max(largest, std::fabs(t.stress[k].force));
    // With every force zero there is no scale: every share is 0.
    for (int k = 0; k < t.N_Stress; ++k)
        t.stress[k].percent =
            largest > 0.0f ? std::fabs(t.stress[k].force) / largest * 100.0f : 0.0f;
    std::stable_sort(
        t.stress.begin(), t.stress.begin() + t.N_Stress,
        [](const StressRecord& a, const StressRecord& b) { return a.percent > b.percent; });
    model::spy("パーセントでのソート");
    return t.N_Stress;
}

int read_dsp(std::string_view text, ResultTables& t, model::MessageService& msg) {
    model::spy("Enter read_dsp()");
    TextScan in(text);
    t.N_Disp = 0;
    int n = 0;
    if (!in.next_int(n) || n < 0) return -1;
    if (n > kMaxSetuten) {
        msg.show_message(over_capacity(kDispTable, kMaxSetuten));
        return -1;
    }
    for (int i = 0; i < n; ++i) {
        DispRecord& d = t.disp[i];
        int new_no = 0;
        std::string_view name;
        if (!in.next_int(new_no) || !in.next_int(d.old_no) || !in.next_token(name) ||
            !in.next_float(d.disp_x) || !in.next_float(d.disp_y) || !in.next_float(d.disp_z) ||
            !in.next_float(d.rad_x) || !in.next_float(d.rad_y) || !in.next_float(d.rad_z))
            return -1;
        set_name(d.name, name);
        // In double: the squares of displacements a float holds may not fit
        // one, and a magnitude of infinity is no result.
        const double abs = std::sqrt(static_cast<double>(d.disp_x) * d.disp_x +
                                     static_cast<double>(d.disp_y) * d.disp_y +
                                     static_cast<double>(d.disp_z) * d.disp_z);
        if (!(abs <= std::numeric_limits<float>::max())) {
            char buf[160];
            std::snprintf(buf, sizeof buf, kMsgDispOverflow, d.name);
            msg.show_message(buf);
            return -1;
        }
        d.disp_abs = static_cast<float>(abs);
        t.N_Disp = i + 1;
    }
    std::stable_sort(
        t.disp.begin(), t.disp.begin() + t.N_Disp,
        [](const DispRecord& a, const DispRecord& b) { return a.disp_abs > b.disp_abs; });
    return 0;
}

int find_result_node(const ResultTables& t, const char* code, float& x, float& y, float& z) {
    for (int j = 0; j < t.N_Setuten; ++j) {
        const ResultNode& r = t.setuten[j];
        if (same_code(r.pname, code)) {
            x = r.x;
            y = r.y;
            z = r.z;
            return r.OldNo;
        }
    }
    return -1;
}

int get_new_beam(ResultTables& t, float scale, model::MessageService& msg) {
    model::spy("Enter get_new_beam() N_Setuten %5d scale %8.1f", t.N_Disp, scale);
    t.N_NewNode = t.N_Disp;
    for (int i = 0; i < t.N_Disp; ++i) {
        const DispRecord& d = t.disp[i];
        DisplacedNode& nn = t.new_node[i];
        nn.old_no = kNoNode;
        for (int j = 0; j < t.N_Setuten; ++j) {
            const ResultNode& r = t.setuten[j];
            if (r.OldNo != d.old_no) continue;
            nn.old_no = d.old_no;
            std::memcpy(nn.name, r.pname, kNameSize);
            nn.x = r.x + d.disp_x * scale;
            nn.y = r.y + d.disp_y * scale;
            nn.z = r.z + d.disp_z * scale;
            if (!same_code(d.name, r.pname)) {
                char buf[200];
                std::snprintf(buf, sizeof buf, "エラー  No %5d 変位節点名  %s 原節点名 %s",
                              d.old_no, d.name, r.pname);
                msg.show_message(buf);
            }
        }
    }

    t.N_NewBeam = 0;
    for (int k = 0; k < t.N_Stress; ++k) {
        const StressRecord& s = t.stress[k];
        DisplacedBeam& b = t.new_beam[k];
        int found = 0;
        for (int i = 0; i < t.N_NewNode; ++i) {
            const DisplacedNode& nn = t.new_node[i];
            // Both tests on purpose: a member whose ends are one node counts it twice.
            if (nn.old_no == s.old_noi) {
                b.xs = nn.x;
                b.ys = nn.y;
                b.zs = nn.z;
                ++found;
            }
            if (nn.old_no == s.old_noj) {
                b.xl = nn.x;
                b.yl = nn.y;
                b.zl = nn.z;
                ++found;
            }
        }
        if (found != 2) {
            msg.show_message(kMsgMemberSearch);
            return -1;
        }
        t.N_NewBeam = k + 1;
    }
    return 0;
}

bool read_whole_file(const std::string& path, std::string& bytes) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return !f.bad();
}

bool one_result_set(const std::string& directory) {
    bool have = false;
    struct timespec first {};
    for (const char* name : {kLevelFileName, kListFileName, kDispFileName}) {
        struct stat st {};
        // A missing file is reported by its own message when it is read.
        if (::stat((directory + "/" + name).c_str(), &st) != 0) continue;
        if (!have) {
            first = st.st_mtim;
            have = true;
        } else if (st.st_mtim.tv_sec != first.tv_sec || st.st_mtim.tv_nsec != first.tv_nsec) {
            return false;
        }
    }
    return true;
}

bool load_results(const std::string& directory, model::ModelStore& m, ResultTables& t,
                  model::MessageService& msg) {
    model::spy("Enter Velto()");
    if (!one_result_set(directory)) {
        msg.show_message(kMsgMixedSet);
        return false;
    }
    std::string text;
    const std::string zlv = directory + "/" + kLevelFileName;
    model::spy("LEVEL_FILE %s", zlv.c_str());
    if (!read_whole_file(zlv, text)) {
        msg.show_message(kMsgZlvOpen);
        return false;
    }
    if (read_zlv(text, m, msg) < 0) {
        msg.show_message(kMsgZlvRead);
        return false;
    }

    const std::string lst = directory + "/" + kListFileName;
    model::spy("LST_FILE %s", lst.c_str());
    if (!read_whole_file(lst, text)) {
        msg.show_message(kMsgLstOpen);
        return false;
    }
    if (read_velto(text, t, msg) < 0) {
        msg.show_message(kMsgLstRead);
        return false;
    }

    const std::string dsp = directory + "/" + kDispFileName;
    model::spy("DISP_FILE %s", dsp.c_str());
    if (!read_whole_file(dsp, text)) {
        msg.show_message(kMsgDspOpen);
        return false;
    }
    if (read_dsp(text, t, msg) < 0) {
        msg.show_message(kMsgDspRead);
        return false;
    }
    return true;
}

}  // namespace tarvik::analysis
