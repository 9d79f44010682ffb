#include "generator/basic_data.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include "model/maintenance.h"
#include "model/model_store.h"
#include "ui/fields.h"

namespace tarvik::generator {
namespace {

using ui::trim;

bool sou_item_valid(int sou_item) {
    return sou_item >= 0 && sou_item < kMaxSou;
}

}  // namespace

BasicData default_basic_data() {
    BasicData d;
    d.yane_takasa = static_cast<float>(d.nx * static_cast<double>(d.tuka_haba) * 0.25);
    d.Takasa = static_cast<float>(static_cast<double>(d.lowest_level) + d.tuka_takasa);
    return d;
}

int yane_item_of(int yane_mode) {
    switch (yane_mode) {
        case kYaneNothing:
            return kYaneItemNothing;
        case kYaneRoof:
            return kYaneItemRoof;
        case kYaneEaves:
            return kYaneItemEaves;
        default:
            return -1;
    }
}

bool parse_int_text(std::string_view text, int& value) {
    const std::string s(trim(text));
    if (s.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (errno != 0 || end != s.c_str() + s.size()) return false;
    if (v < -2147483647L || v > 2147483647L) return false;
    value = static_cast<int>(v);
    return true;
}

bool parse_real_text(std::string_view text, float& value) {
    const std::string s(trim(text));
    if (s.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (errno != 0 || end != s.c_str() + s.size()) return false;
    // Only plain finite numbers that a float can hold.
    if (!std::isfinite(v) || std::fabs(v) > 3.0e38) return false;
    value = static_cast<float>(v);
    return true;
}

std::string not_a_number_message(std::string_view caption) {
    return "「" + std::string(caption) + "」には数値を入力してください";
}

std::string not_positive_message(std::string_view caption) {
    return "「" + std::string(caption) + "」には正の値を入力してください";
}

int check_values(const BasicData& d, model::MessageService& msg) {
    const auto refuse = [&msg](const char* caption) {
        msg.show_message(not_positive_message(caption));
        return 0;
    };
    if (d.nx < 1) return refuse(kCapXtuka);
    if (d.ny < 1) return refuse(kCapYtuka);
    const struct {
        float v;
        const char* caption;
    } reals[] = {
        {d.tuka_haba, kCapTukaHaba}, {d.tuka_takasa, kCapTukaTakasa}, {d.hashira_haba, kCapHashira},
        {d.waku_haba, kCapWaku},     {d.gen_haba, kCapGen},           {d.shazai_haba, kCapSha},
        {d.sujikai_haba, kCapSuji},
    };
    for (const auto& r : reals)
        if (!(r.v > 0.0f)) return refuse(r.caption);
    return 1;
}

float compute_takasa(const BasicData& d, int sumi_item, int yane_item) {
    const double L = d.lowest_level;
    const double t = d.tuka_takasa;
    const double h1 = d.hashira_takasa[0];
    const double h2 = d.hashira_takasa[1];
    const double h3 = d.hashira_takasa[2];
    const bool columns = sumi_item == kSumiType1 || sumi_item == kSumiType2;
    if (yane_item == kYaneItemRoof) {
        const double roof = static_cast<double>(d.yane_hashira) + d.yane_takasa;
        switch (d.N_Sou) {
            case 1:
                return static_cast<float>(L + h1 + t + roof);
            case 2:
                return static_cast<float>(L + h1 + t + h2 + t + roof);
            default:
                return d.Takasa;  // no roof on three storeys
        }
    }
    if (!columns) return static_cast<float>(L + t);
    switch (d.N_Sou) {
        case 2:
            return static_cast<float>(L + h1 + t + h2 + t);
        case 3:
            return static_cast<float>(L + h1 + t + h2 + t + h3 + t);
        default:
            return static_cast<float>(L + h1 + t);
    }
}

int check_choices(BasicData& d, int sumi_item, int sou_item, int yane_item,
                  model::MessageService& msg) {
    const int n_sou = sou_item_valid(sou_item) ? sou_item + 1 : d.N_Sou;
    const bool columns = sumi_item == kSumiType1 || sumi_item == kSumiType2;
    if (columns) {
        if (!(d.hashira_takasa[0] > 0.0f)) {
            msg.show_message(kMsgHashiraHeight1);
            return 0;
        }
        // Every storey that is made needs a height; a storey of no height
        // would put its columns and braces on top of each other.
        if (n_sou >= 2 && !(d.hashira_takasa[1] > 0.0f)) {
            msg.show_message(kMsgHashiraHeight2);
            return 0;
        }
        if (n_sou == 3 && !(d.hashira_takasa[2] > 0.0f)) {
            msg.show_message(kMsgHashiraHeight3);
            return 0;
        }
        d.SumiType = sumi_item;
        d.SouMode = 1;
    } else {
        if (n_sou > 1 || (yane_item != -1 && yane_item != kYaneItemNothing)) {
            msg.show_message(kMsgNoColumns);
            return 0;
        }
        // A check with columns earlier in the same window must not leave the
        // floor standing on columns.
        d.SumiType = kSumiNone;
        d.SouMode = 0;
    }
    if (yane_item == -1) {
        msg.show_message(kMsgNoTopShape);
        return 0;
    }
    // A storey count never chosen means the one storey the floor always has.
    d.N_Sou = n_sou >= 1 && n_sou <= kMaxSou ? n_sou : 1;
    // Refused here, a house too large for the member table can be made
    // smaller while the window is still open.
    BasicData wanted = d;
    wanted.YaneMode = yane_item == kYaneItemRoof    ? kYaneRoof
                      : yane_item == kYaneItemEaves ? kYaneEaves
                                                    : kYaneNothing;
    if (check_capacity(wanted, msg) == 0) return 0;
    if (check_extent(d, sumi_item, yane_item, msg) == 0) return 0;
    d.Takasa = compute_takasa(d, sumi_item, yane_item);
    return 1;
}

bool assign_basic_value(BasicData& d, std::string_view assignment, std::string& error) {
    const auto eq = assignment.find('=');
    if (eq == std::string_view::npos) {
        error = "expected name=value: " + std::string(assignment);
        return false;
    }
    const std::string_view name = trim(assignment.substr(0, eq));
    const std::string_view text = assignment.substr(eq + 1);

    const struct {
        const char* name;
        int* field;
    } ints[] = {
        {"nx", &d.nx},
        {"ny", &d.ny},
        {"SumiType", &d.SumiType},
        {"N_Sou", &d.N_Sou},
        {"YaneMode", &d.YaneMode},
        {"yane_type", &d.yane_type},
        {"yane_hashira_type", &d.yane_hashira_type},
    };
    const struct {
        const char* name;
        float* field;
    } reals[] = {
        {"tuka_haba", &d.tuka_haba},
        {"tuka_takasa", &d.tuka_takasa},
        {"hashira_haba", &d.hashira_haba},
        {"waku_haba", &d.waku_haba},
        {"gen_haba", &d.gen_haba},
        {"shazai_haba", &d.shazai_haba},
        {"sujikai_haba", &d.sujikai_haba},
        {"lowest_level", &d.lowest_level},
        {"hashira_takasa1", &d.hashira_takasa[0]},
        {"hashira_takasa2", &d.hashira_takasa[1]},
        {"hashira_takasa3", &d.hashira_takasa[2]},
        {"yane_takasa", &d.yane_takasa},
        {"yane_hashira", &d.yane_hashira},
        {"futosa", &d.futosa},
        {"keta_haba", &d.keta_haba},
        {"keta_atumi", &d.keta_atumi},
        {"sumi_haba", &d.sumi_haba},
        {"sumi_atumi", &d.sumi_atumi},
        {"hira_haba", &d.hira_haba},
        {"hira_atumi", &d.hira_atumi},
        {"hiuchi_haba", &d.hiuchi_haba},
        {"hiuchi_atumi", &d.hiuchi_atumi},
        {"moya_haba", &d.moya_haba},
        {"moya_atumi", &d.moya_atumi},
    };
    for (const auto& f : ints) {
        if (name != f.name) continue;
        if (!parse_int_text(text, *f.field)) {
            error = "not an integer: " + std::string(assignment);
            return false;
        }
        return true;
    }
    for (const auto& f : reals) {
        if (name != f.name) continue;
        if (!parse_real_text(text, *f.field)) {
            error = "not a number: " + std::string(assignment);
            return false;
        }
        return true;
    }
    error = "unknown basic data name: " + std::string(name);
    return false;
}

long long house_member_count(const BasicData& d) {
    const long long nx = std::max(d.nx, 0);
    const long long ny = std::max(d.ny, 0);
    // Posts, frame, chords, diagonals and side trusses.
    long long floor = 4 + 8 * (nx + ny) + 4 * nx * ny + 4 * nx * ny;
    if (nx > 0 && ny > 0) floor += 8 * (nx + ny) - 4;
    if (d.SouMode != 1) return floor;
    const long long columns = d.SumiType == kSumiType1 ? 96 : 72;
    const long long storeys = d.N_Sou == 2 ? 2 : d.N_Sou == 3 ? 3 : 1;
    long long total = storeys * (floor + columns);
    if (d.YaneMode == kYaneRoof && storeys <= 2) total += columns + 52;
    if (d.YaneMode == kYaneEaves) total += 8 * nx + 8 * ny + 8;
    return total;
}

int check_extent(const BasicData& d, int sumi_item, int yane_item, model::MessageService& msg) {
    // In double, so that the sums themselves cannot overflow.
    const double plan = std::max(d.nx, d.ny) * std::fabs(static_cast<double>(d.tuka_haba));
    const double t = std::fabs(static_cast<double>(d.tuka_takasa));
    double height = std::fabs(static_cast<double>(d.lowest_level)) + t;
    if (sumi_item == kSumiType1 || sumi_item == kSumiType2)
        for (int k = 0; k < std::clamp(d.N_Sou, 1, kMaxSou); ++k)
            height += std::fabs(static_cast<double>(d.hashira_takasa[k])) + t;
    if (yane_item == kYaneItemRoof || yane_item == kYaneItemEaves)
        height += std::fabs(static_cast<double>(d.yane_hashira)) +
                  std::fabs(static_cast<double>(d.yane_takasa));
    // Negated, so that a NaN is refused too.
    if (!(plan <= kMaxExtent) || !(height <= kMaxExtent)) {
        msg.show_message(kMsgTooLarge);
        return 0;
    }
    return 1;
}

int check_capacity(const BasicData& d, model::MessageService& msg) {
    if (house_member_count(d) <= model::kMaxBeam) return 1;
    msg.show_message(model::table_full_message(model::kBeamTable, model::kMaxBeam));
    return 0;
}

BasicData largest_house_data() {
    BasicData d = default_basic_data();
    d.SumiType = kSumiType1;
    d.N_Sou = 2;
    d.YaneMode = kYaneRoof;
    d.SouMode = 1;
    // Square plans grow until one more unit a side would not fit.
    for (int n = 4;; ++n) {
        BasicData next = d;
        next.nx = n + 1;
        next.ny = n + 1;
        d.nx = n;
        d.ny = n;
        if (house_member_count(next) > model::kMaxBeam) break;
    }
    d.yane_takasa = static_cast<float>(d.nx * static_cast<double>(d.tuka_haba) * 0.25);
    d.Takasa = compute_takasa(d, kSumiType1, kYaneItemRoof);
    return d;
}

}  // namespace tarvik::generator
