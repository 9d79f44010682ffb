#include "analysis/solver_messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string_view>
#include <vector>

namespace tarvik::analysis {
namespace {

constexpr std::string_view kPrefix = "veltosol: ";

bool has(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The integer after `key` in the text; -1 when there is none.
long long number_after(std::string_view text, std::string_view key) {
    const size_t at = text.find(key);
    if (at == std::string_view::npos) return -1;
    const std::string rest(text.substr(at + key.size()));
    char* end = nullptr;
    const long long v = std::strtoll(rest.c_str(), &end, 10);
    return end == rest.c_str() ? -1 : v;
}

// The solver's table names and what the user calls them.
struct TableName {
    const char* solver;
    const char* japanese;
};
constexpr TableName kTables[] = {
    {"the stiffness store table", "剛性マトリクスの記憶域 (項数)"},
    {"the neighbour table", "節点のつながりの表 (1節点に集まる部材の数)"},
    {"the singular equation table", "剛性がほぼ0の自由度の表"},
    {"the X level table", "X方向の階の数"},
    {"the Y level table", "Y方向の階の数"},
    {"the Z level table", "Z方向の階の数"},
    {"the node table", "節点数"},
    {"the member table", "部材数"},
    {"the section table", "断面の種類の数"},
    {"the material table", "材料の種類の数"},
    {"the support table", "支点数"},
    {"the load table", "荷重節点数"},
};

std::string capacity_sentence(std::string_view line) {
    const char* table = "表";
    for (const TableName& t : kTables)
        if (has(line, t.solver)) {
            table = t.japanese;
            break;
        }
    std::string s = std::string("解析できる上限を超えています: ") + table;
    const long long given = number_after(line, "the file gives ");
    const long long needs = number_after(line, "the skyline needs ");
    if (given >= 0) s += " " + std::to_string(given);
    if (needs >= 0) s += " " + std::to_string(needs);
    const long long limit = number_after(line, "(limit ");
    if (limit >= 0) s += " (上限 " + std::to_string(limit) + ")";
    s += "。\n模型を小さくするか、いくつかに分けて解析してください";
    return s;
}

// Malformed models: what the solver found, in the user's words.
struct ModelFault {
    const char* solver;
    const char* japanese;
};
constexpr ModelFault kModelFaults[] = {
    {"is not connected to any member", "どの部材にもつながっていない節点があります"},
    {"the member graph is not connected", "骨組が一つにつながっていません (離れた部材があります)"},
    {"zero or undefined length", "長さが0の部材があります (両端が同じ位置です)"},
    {"has both ends at node", "両端が同じ節点の部材があります"},
    {"refers to node", "ない節点を指す部材、支点または荷重があります"},
    {"has material number", "部材の断面・材料番号が断面表・材料表にありません"},
    {"negative count", "個数が負の表があります"},
    {"the node table gives", "節点の表と個数の行とで節点数が合いません"},
};

std::string model_sentence(std::string_view line) {
    std::string s = "解析データの模型が正しくありません";
    for (const ModelFault& f : kModelFaults)
        if (has(line, f.solver)) {
            s += ": ";
            s += f.japanese;
            break;
        }
    s += "。\n模型を確かめてから解析し直してください";
    return s;
}

std::string read_sentence(std::string_view line) {
    std::string s = "解析データVELTOSOL.INを読めません";
    const long long at = number_after(line, "VELTOSOL.IN line ");
    if (at >= 0) s += " (" + std::to_string(at) + " 行目)";
    if (has(line, "end of file"))
        s += ": ファイルが途中で終わっています";
    else if (has(line, "conversion error"))
        s += ": 数値のはずの所に数値でない値があります";
    s += "。\n解析データを書き出し直してから解析してください";
    return s;
}

}  // namespace

std::string solver_failure_line(const std::string& diagnostic) {
    std::istringstream in(diagnostic);
    std::string line, last;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) last = line;
    }
    return last;
}

std::string explain_solver_line(const std::string& line_in, int status) {
    std::string_view line(line_in);
    if (line.substr(0, kPrefix.size()) == kPrefix) line.remove_prefix(kPrefix.size());
    if (has(line, "exceeds the capacity of")) return capacity_sentence(line);
    if (has(line, " is longer than "))
        return "解析データVELTOSOL.INが大きすぎて、解析できる上限を超えています。\n"
               "模型を小さくするか、いくつかに分けて解析してください";
    if (has(line, "end of file") || has(line, "conversion error")) return read_sentence(line);
    if (line.substr(0, 12) == "VELTOSOL.IN:") return model_sentence(line);
    if (line.substr(0, 7) == "cannot ")
        return "解析のファイルを開けないか、書き込めません。\n"
               "作業フォルダの書き込み権限と空き容量を確かめてください";
    if (has(line, "not enough memory"))
        return "解析に使うメモリが足りません。ほかのプログラムを閉じてから解析し直してください";
    char buf[128];
    std::snprintf(buf, sizeof buf, "解析計算に失敗しました (終了コード %d)", status);
    return buf;
}

std::string solver_failure_message(const SolverRun& run) {
    const std::string line = solver_failure_line(run.diagnostic);
    std::string text;
    if (!run.exited) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "解析計算が異常終了しました (シグナル %d)", run.signal);
        text = buf;
    } else {
        text = explain_solver_line(line, run.status);
    }
    if (!line.empty()) text += "\n\n" + line;
    return text;
}

}  // namespace tarvik::analysis
