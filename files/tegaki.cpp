#include "files/tegaki.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "files/replace_file.h"
#include "files/text_format.h"
#include "model/maintenance.h"
#include "model/spy.h"

namespace tarvik::files {
namespace {

using model::Beam;
using model::ModelStore;
using model::Node;

// Free-format reader over whitespace-separated tokens. Once a read fails (end
// of text or a malformed number) every later read fails too.
class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool ok() const { return ok_; }

    bool read_int(int32_t& v) {
        std::string tok;
        if (!next(tok)) return false;
        errno = 0;
        char* end = nullptr;
        const long value = std::strtol(tok.c_str(), &end, 10);
        if (end != tok.c_str() + tok.size() || errno == ERANGE || value < INT32_MIN ||
            value > INT32_MAX)
            return fail();
        v = static_cast<int32_t>(value);
        return true;
    }

    // Finite decimal numbers only: a NaN or infinite coordinate would make
    // every comparison and level of the model meaningless.
    bool read_float(float& v) {
        std::string tok;
        if (!next(tok)) return false;
        char* end = nullptr;
        const float value = std::strtof(tok.c_str(), &end);
        if (end != tok.c_str() + tok.size() || !std::isfinite(value)) return fail();
        v = value;
        return true;
    }

    // A code token: exactly two characters is an empty quoted code; any other
    // loses its double quotes. Cut to fit the code field.
    bool read_code(char (&field)[model::kCodeSize]) {
        std::string tok;
        if (!next(tok)) return false;
        std::string code;
        if (tok.size() != 2)
            for (char c : tok)
                if (c != '"') code += c;
        model::set_code(field, code.c_str());
        return true;
    }

  private:
    bool fail() {
        ok_ = false;
        return false;
    }

    bool next(std::string& tok) {
        if (!ok_) return false;
        auto is_space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
        while (pos_ < text_.size() && is_space(text_[pos_])) ++pos_;
        if (pos_ >= text_.size()) return fail();
        const size_t start = pos_;
        while (pos_ < text_.size() && !is_space(text_[pos_])) ++pos_;
        tok.assign(text_.substr(start, pos_ - start));
        return true;
    }

    std::string_view text_;
    size_t pos_ = 0;
    bool ok_ = true;
};

void read_node(Scanner& s, Node& n) {
    s.read_int(n.no) && s.read_code(n.id) && s.read_float(n.x) && s.read_float(n.y) &&
        s.read_float(n.z) && s.read_float(n.X) && s.read_float(n.Y) && s.read_int(n.flag);
}

void read_beam(Scanner& s, Beam& b) {
    s.read_int(b.no) && s.read_code(b.idi) && s.read_code(b.idj) && s.read_int(b.noi) &&
        s.read_int(b.noj) && s.read_float(b.xs) && s.read_float(b.ys) && s.read_float(b.zs) &&
        s.read_float(b.xl) && s.read_float(b.yl) && s.read_float(b.zl) && s.read_int(b.size) &&
        s.read_int(b.mat) && s.read_float(b.haba) && s.read_float(b.atumi) && s.read_float(b.XS) &&
        s.read_float(b.YS) && s.read_float(b.XL) && s.read_float(b.YL) && s.read_int(b.flag);
}

bool count_fits(int count, int limit, const char* what, model::MessageService& msg) {
    if (count >= 0 && count <= limit) return true;
    model::spy("TEGAKI_FILE %s count %d refused", what, count);
    std::string text = std::string("手書データの") + what + "の数 " + std::to_string(count);
    if (count < 0)
        text += " が正しくありません";
    else
        text += " が上限 " + std::to_string(limit) + " を超えています";
    msg.show_message(text);
    return false;
}

// Reads the text; with apply false nothing is stored and only the counts are
// checked, so that a refused file leaves the store untouched.
bool scan(ModelStore& m, std::string_view text, bool apply, model::MessageService& msg,
          bool& complete) {
    Scanner s(text);
    int32_t n_node = m.N_Node;
    if (s.read_int(n_node)) {
        if (!count_fits(n_node, model::kMaxNode, model::kNodeTable, msg)) return false;
        if (apply) m.N_Node = n_node;
    }
    for (int i = 0; i < n_node && s.ok(); ++i) {
        Node n = apply ? m.node[i] : Node{};
        read_node(s, n);
        if (!apply) continue;
        m.node[i] = n;
        m.old_node[i] = {n.X, n.Y};
        m.OnSaveOld = 1;
    }
    int32_t n_beam = m.N_Beam;
    if (s.read_int(n_beam)) {
        if (!count_fits(n_beam, model::kMaxBeam, model::kBeamTable, msg)) return false;
        if (apply) m.N_Beam = n_beam;
    }
    for (int i = 0; i < n_beam && s.ok(); ++i) {
        Beam b = apply ? m.beam[i] : Beam{};
        b.kind = 0;  // the file does not keep the kind
        read_beam(s, b);
        if (apply) m.beam[i] = b;
    }
    complete = s.ok();
    return true;
}

}  // namespace

std::string format_tegaki(const ModelStore& m) {
    std::string out;
    out.reserve(static_cast<size_t>(m.N_Node) * 80 + static_cast<size_t>(m.N_Beam) * 200 + 64);
    const bool saved = m.OnSaveOld == 1;
    appendf(out, " %5d\r\n", m.N_Node);
    for (int i = 0; i < m.N_Node; ++i) {
        const Node& n = m.node[i];
        const float X = saved ? m.old_node[i].X : n.X;
        const float Y = saved ? m.old_node[i].Y : n.Y;
        appendf(out, " %d %c%s%c %f %f %f %f %f %d\r\n", n.no, '"', n.id, '"', n.x, n.y, n.z, X, Y,
                n.flag);
    }
    appendf(out, " %5d\r\n", m.N_Beam);
    for (int k = 0; k < m.N_Beam; ++k) {
        const Beam& b = m.beam[k];
        float XS = b.XS, YS = b.YS, XL = b.XL, YL = b.YL;
        // With a saved copy the plan end points are those of the end nodes.
        if (saved && b.noi >= 1 && b.noi <= m.N_Node) {
            XS = m.old_node[b.noi - 1].X;
            YS = m.old_node[b.noi - 1].Y;
        }
        if (saved && b.noj >= 1 && b.noj <= m.N_Node) {
            XL = m.old_node[b.noj - 1].X;
            YL = m.old_node[b.noj - 1].Y;
        }
        appendf(out, " %d %c%s%c %c%s%c %d %d %f %f %f %f %f %f %d %d %f %f %f %f %f %f %d\r\n",
                b.no, '"', b.idi, '"', '"', b.idj, '"', b.noi, b.noj, b.xs, b.ys, b.zs, b.xl, b.yl,
                b.zl, b.size, b.mat, b.haba, b.atumi, XS, YS, XL, YL, b.flag);
    }
    return out;
}

int save_tegaki_data(const ModelStore& m, const std::string& file_name,
                     model::MessageService& msg) {
    model::spy("Enter save_tegaki_data() file_name %s", file_name.c_str());
    if (save_file(file_name, format_tegaki(m), kTegakiOpenError, kTegakiWriteError, msg) != 0)
        return -1;
    model::spy("TEGAKI_FILE %s Open", file_name.c_str());
    return 0;
}

int read_tegaki_text(ModelStore& m, std::string_view text, model::MessageService& msg,
                     bool* complete) {
    bool whole = false;
    if (!scan(m, text, false, msg, whole)) return -1;
    scan(m, text, true, msg, whole);
    m.node_table_changed();
    if (!whole) model::spy("TEGAKI_FILE ends early or holds a malformed value");
    if (complete != nullptr) *complete = whole;
    return 0;
}

int load_tegaki_data(ModelStore& m, const std::string& file_name, model::MessageService& msg,
                     bool* complete) {
    model::spy("Enter load_tegaki_data() file_name %s", file_name.c_str());
    std::error_code ec;
    std::ifstream in;
    if (!std::filesystem::is_directory(file_name, ec)) in.open(file_name, std::ios::binary);
    if (!in.is_open()) {
        msg.show_message(kTegakiOpenError);
        return -1;
    }
    model::spy("TEGAKI_FILE %s Open", file_name.c_str());
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        msg.show_message(kTegakiOpenError);
        return -1;
    }
    return read_tegaki_text(m, buffer.str(), msg, complete);
}

}  // namespace tarvik::files
