// The axis data reader: members ("1" square, "3" round) and truss unit fields
// ("2") of a ".jik" file appended to the model store, the model's bounds
// widened, bar solids handed on when a solid model is being built, and the
// timber volume tallied by height into "Youseki.dat". The writer is
// files/jiku_file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::render {
struct ModelBox;
struct SolidModel;
}  // namespace tarvik::render

namespace tarvik::generator {

inline constexpr int kMaxTakasa = 100;  // height classes of the tally

// Longest line read, without its line end; the first word's longest form.
inline constexpr int kMaxJikuLine = 254;
inline constexpr int kMaxFirstWord = 32;

// Pi as the round member's equal-area square takes it.
inline constexpr double kJikuPi = 3.141592654;

// Heights closer than this (cm) share a class of the tally.
inline constexpr float kTakasaTolerance = 0.1f;

struct HeightClass {
    float Takasa = 0;   // cm
    int Used = 0;       // members
    float Youseki = 0;  // m^3
};

// What a read works with besides the model store.
struct JikuRead {
    render::ModelBox* box = nullptr;      // widened by every end point (caller resets it)
    render::SolidModel* solid = nullptr;  // when set, each member's bar solid is appended
    std::string directory;                // where "Youseki.dat" is written ("" = current dir)
    std::vector<HeightClass> tally;       // filled by the read, sorted by Takasa
};

// Appends the members of the file to m; the number of data lines (members and
// unit fields), or -1 after a message. Lines before a refused line stay read.
int load_jiku_data(model::ModelStore& m, const std::string& path, JikuRead& r,
                   model::MessageService& msg);

// The same over text already in memory ("Youseki.dat" is written as for a
// file); name stands for the file in messages.
int read_jiku_text(model::ModelStore& m, std::string_view text, const std::string& name,
                   JikuRead& r, model::MessageService& msg);

// The text of "Youseki.dat" for a sorted tally (Shift-JIS, LF lines).
std::string format_youseki(const std::vector<HeightClass>& tally, int N_Beam);

}  // namespace tarvik::generator
