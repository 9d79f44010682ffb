#include "generator/jiku_data.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "files/jiku_file.h"
#include "files/replace_file.h"
#include "files/text_format.h"
#include "generator/bunkai_shazai.h"
#include "model/text_code.h"
#include "model/maintenance.h"
#include "model/spy.h"
#include "render/solid.h"
#include "render/view_params.h"
#include "ui/fields.h"

namespace tarvik::generator {
namespace {

constexpr int kCodeMember = 1;
constexpr int kCodeField = 2;
constexpr int kCodeRound = 3;
constexpr int kCodeEnd = 999;

// Numbers after the code: a member's six coordinates and two sides, a round
// member's six coordinates and radius, a field's twelve parameters.
constexpr int kMemberValues = 8;
constexpr int kRoundValues = 7;
constexpr int kFieldValues = 12;

bool is_blank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string message(const char* format, const std::string& name, int line, int n) {
    std::string s;
    files::appendf(s, format, name.c_str(), line, n);
    return s;
}

// The free-format values after the first word of a line.
class LineValues {
  public:
    explicit LineValues(std::string_view rest) : s_(rest) {}

    enum class Got { kOk, kMissing, kBad };

    Got next(std::string_view& token) {
        while (pos_ < s_.size() && is_blank(s_[pos_])) ++pos_;
        if (pos_ >= s_.size()) return Got::kMissing;
        const size_t start = pos_;
        while (pos_ < s_.size() && !is_blank(s_[pos_])) ++pos_;
        token = s_.substr(start, pos_ - start);
        return Got::kOk;
    }
    // A finite number a float holds.
    Got next_float(float& v) {
        std::string_view t;
        const Got g = next(t);
        if (g != Got::kOk) return g;
        return ui::parse_float(t, v) ? Got::kOk : Got::kBad;
    }
    Got next_int(int& v) {
        std::string_view t;
        const Got g = next(t);
        if (g != Got::kOk) return g;
        return ui::parse_int(t, v) ? Got::kOk : Got::kBad;
    }

  private:
    std::string_view s_;
    size_t pos_ = 0;
};

// One read: the store, the caller's settings and where in the text it is.
class Reader {
  public:
    Reader(model::ModelStore& m, const std::string& name, JikuRead& r, model::MessageService& msg)
        : m_(m), name_(name), r_(r), msg_(msg) {
        r_.tally.clear();
    }

    enum class Step { kNext, kEnd, kFail };

    // One line without its LF (a CR before it is dropped here). The first
    // call starts the read.
    Step take(std::string_view s);
    // After the last line: the tally sorted and written. The line count, or
    // -1 after a message.
    int finish();

  private:
    Step line(std::string_view s);
    Step member(std::string_view rest, bool round);
    Step field(std::string_view rest);
    // Refusal of the current line by one of the line messages.
    Step refuse(const char* format, int n = 0) {
        msg_.show_message(message(format, name_, line_no_, n));
        return Step::kFail;
    }
    Step refuse_values(LineValues::Got g, int needed) {
        return g == LineValues::Got::kMissing ? refuse(kMsgJikuShortLine, needed)
                                              : refuse(kMsgJikuBadNumber);
    }
    void widen(float x, float y, float z) {
        if (r_.box) r_.box->widen(x, y, z);
    }
    int write_youseki();

    model::ModelStore& m_;
    const std::string& name_;
    JikuRead& r_;
    model::MessageService& msg_;
    int line_no_ = 0;
    int count_ = 0;
};

Reader::Step Reader::take(std::string_view s) {
    if (!s.empty() && s.back() == '\r') s.remove_suffix(1);
    ++line_no_;
    if (s.size() > static_cast<size_t>(kMaxJikuLine)) return refuse(kMsgJikuLineLong, kMaxJikuLine);
    if (s.substr(0, 3) == "999") return Step::kEnd;
    return line(s);
}

int Reader::finish() {
    // Heights ascending by neighbour exchange.
    auto& t = r_.tally;
    for (size_t pass = 0; pass + 1 < t.size(); ++pass)
        for (size_t k = 0; k + 1 < t.size() - pass; ++k)
            if (t[k].Takasa > t[k + 1].Takasa) std::swap(t[k], t[k + 1]);
    if (write_youseki() != 0) return -1;
    model::spy("load_jiku_data lines %d N_Beam %d N_Takasa %d", count_, m_.N_Beam,
               static_cast<int>(t.size()));
    return count_;
}

Reader::Step Reader::line(std::string_view s) {
    size_t p = 0;
    while (p < s.size() && is_blank(s[p])) ++p;
    size_t q = p;
    while (q < s.size() && !is_blank(s[q])) ++q;
    const std::string_view word = s.substr(p, q - p);
    // A first word with "//" anywhere in it makes the line a comment.
    if (word.find("//") != std::string_view::npos) return Step::kNext;
    if (word.size() > static_cast<size_t>(kMaxFirstWord)) {
        msg_.show_message(kMsgFirstWordLong);
        return Step::kFail;
    }
    if (q >= s.size()) {
        msg_.show_message(kMsgFirstWord);
        return Step::kFail;
    }
    // The word read as an integer as far as it is one ("1x" is 1).
    const long long code = std::strtoll(std::string(word).c_str(), nullptr, 10);
    const std::string_view rest = s.substr(q);
    Step step;
    switch (code) {
        case kCodeMember:
            step = member(rest, false);
            break;
        case kCodeRound:
            step = member(rest, true);
            break;
        case kCodeField:
            step = field(rest);
            break;
        case kCodeEnd:
            return Step::kEnd;
        default:
            msg_.show_message(kMsgFirstWord);
            return Step::kFail;
    }
    if (step == Step::kNext) ++count_;
    return step;
}

Reader::Step Reader::member(std::string_view rest, bool round) {
    LineValues values(rest);
    const int needed = round ? kRoundValues : kMemberValues;
    float v[kMemberValues] = {};
    for (int k = 0; k < needed; ++k)
        if (const auto g = values.next_float(v[k]); g != LineValues::Got::kOk)
            return refuse_values(g, needed);
    const float xs = v[0], ys = v[1], zs = v[2], xl = v[3], yl = v[4], zl = v[5];
    float haba = v[6], atumi = v[7];
    const float radius = v[6];
    if (round) {
        // The side of the square of the circle's area.
        haba = atumi = static_cast<float>(std::sqrt(kJikuPi * radius * radius));
    }

    // The tally class is settled first, so that a line the tally cannot take
    // is refused before any of it is stored.
    const auto h = static_cast<float>((static_cast<double>(zs) + zl) / 2.0);
    int cls = -1;
    if (!round) {
        for (size_t k = 0; k < r_.tally.size() && cls < 0; ++k)
            if (std::fabs(r_.tally[k].Takasa - h) < kTakasaTolerance) cls = static_cast<int>(k);
        if (cls < 0 && static_cast<int>(r_.tally.size()) >= kMaxTakasa)
            return refuse(kMsgTakasaFull, kMaxTakasa);
    }

    model::Beam b{};
    b.noi = model::find_or_add_node(m_, xs, ys, zs, msg_);
    if (b.noi < 0) return Step::kFail;
    b.noj = model::find_or_add_node(m_, xl, yl, zl, msg_);
    if (b.noj < 0) return Step::kFail;
    b.xs = xs, b.ys = ys, b.zs = zs;
    b.xl = xl, b.yl = yl, b.zl = zl;
    b.haba = haba;
    b.atumi = atumi;
    b.size = -1;
    b.mat = -1;
    if (model::add_beam(m_, b, msg_) < 0) return Step::kFail;
    widen(xs, ys, zs);
    widen(xl, yl, zl);
    // A refused solid is reported when the solid file is closed.
    if (r_.solid) render::make_enchu2(*r_.solid, xs, ys, zs, xl, yl, zl, radius, msg_);

    if (!round) {
        const auto vol =
            static_cast<float>(files::jiku_volume(xs, ys, zs, xl, yl, zl, haba, atumi));
        if (cls < 0) {
            r_.tally.push_back({h, 1, vol});
        } else {
            r_.tally[cls].Used += 1;
            r_.tally[cls].Youseki += vol;
        }
    }
    return Step::kNext;
}

Reader::Step Reader::field(std::string_view rest) {
    LineValues values(rest);
    UnitField f;
    f.ntask = kCodeField;
    float* const parts[] = {&f.tuka_haba, &f.tuka_takasa, &f.hashira_haba, &f.waku_haba,
                            &f.gen_haba,  &f.shazai_haba, &f.sujikai_haba, &f.x_kaishi,
                            &f.y_kaishi,  &f.z_kaishi};
    for (int* n : {&f.nx, &f.ny})
        if (const auto g = values.next_int(*n); g != LineValues::Got::kOk)
            return refuse_values(g, kFieldValues);
    for (float* x : parts)
        if (const auto g = values.next_float(*x); g != LineValues::Got::kOk)
            return refuse_values(g, kFieldValues);
    if (f.nx < 0 || f.ny < 0) return refuse(kMsgJikuBadUnitCount);

    // Only the field's diagonals widen the bounds.
    Box3 box;
    if (bunkai_shazai(m_, f, box, msg_) != 0) return Step::kFail;
    if (box.X_MIN <= box.X_MAX) {
        widen(box.X_MIN, box.Y_MIN, box.Z_MIN);
        widen(box.X_MAX, box.Y_MAX, box.Z_MAX);
    }
    return Step::kNext;
}

int Reader::write_youseki() {
    const std::string path =
        r_.directory.empty() ? std::string(kYousekiFile) : r_.directory + "/" + kYousekiFile;
    return files::save_file(path, format_youseki(r_.tally, m_.N_Beam), kMsgYousekiOpen,
                            kMsgYousekiWrite, msg_);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void cant_open(const std::string& path, model::MessageService& msg) {
    std::string s;
    files::appendf(s, kMsgJikuCantOpen, path.c_str());
    msg.show_message(s);
}

}  // namespace

std::string format_youseki(const std::vector<HeightClass>& tally, int N_Beam) {
    std::string s;
    files::appendf(s, "   部材総数 %5d 高さ区分数 %d\n", N_Beam, static_cast<int>(tally.size()));
    s += "    No    高さ   部材数 容積　積算値\n";
    double sum = 0.0;
    int no = 0;
    for (const HeightClass& c : tally) {
        sum += c.Youseki;
        files::appendf(s, " %5d  %7.1f %5d %7.3f %7.3f\n", ++no, c.Takasa, c.Used, c.Youseki, sum);
    }
    return model::to_cp932(s);
}

int read_jiku_text(model::ModelStore& m, std::string_view text, const std::string& name,
                   JikuRead& r, model::MessageService& msg) {
    Reader reader(m, name, r, msg);
    size_t pos = 0;
    while (pos < text.size()) {
        // A line ends with LF or CR LF; the last one may have no line end.
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const Reader::Step step = reader.take(text.substr(pos, end - pos));
        if (step == Reader::Step::kFail) return -1;
        if (step == Reader::Step::kEnd) break;
        pos = end + 1;
    }
    return reader.finish();
}

int load_jiku_data(model::ModelStore& m, const std::string& path, JikuRead& r,
                   model::MessageService& msg) {
    model::spy("Enter load_jiku_data()");
    File in(std::fopen(path.c_str(), "rb"));
    if (!in) {
        cant_open(path, msg);
        return -1;
    }
    Reader reader(m, path, r, msg);
    // Lines are taken one at a time; one longer than the reader allows is
    // cut just past that length (it is refused as it stands).
    std::string line;
    line.reserve(kMaxJikuLine + 2);
    bool more = true;
    while (more) {
        line.clear();
        int c;
        while ((c = std::getc(in.get())) != EOF && c != '\n')
            if (line.size() < static_cast<size_t>(kMaxJikuLine) + 2) line += static_cast<char>(c);
        if (std::ferror(in.get())) {
            cant_open(path, msg);
            return -1;
        }
        more = c != EOF;
        if (!more && line.empty()) break;  // the last line had its line end
        const Reader::Step step = reader.take(line);
        if (step == Reader::Step::kFail) return -1;
        if (step == Reader::Step::kEnd) break;
    }
    return reader.finish();
}

}  // namespace tarvik::generator
