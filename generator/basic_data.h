// The basic data of a generated frame: unit counts and sizes, member
// sections, storey heights, column type, storey count, top shape and the roof
// values. Lengths in cm. The unit window resets them to the defaults below
// each time it opens; the basic-data and roof windows edit them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/message_service.h"
#include "ui/texts.h"

namespace tarvik::generator {

// SumiType: columns under the space floor.
inline constexpr int kSumiNone = 0;
inline constexpr int kSumiType1 = 1;
inline constexpr int kSumiType2 = 2;

// YaneMode: what stands on the top storey.
inline constexpr int kYaneNothing = 0;
inline constexpr int kYaneRoof = 1;
inline constexpr int kYaneEaves = -1;

// Radio items of the top shape group, in their order in the window.
inline constexpr int kYaneItemNothing = 0;  // "屋根庇無し"
inline constexpr int kYaneItemRoof = 1;     // "屋根付"
inline constexpr int kYaneItemEaves = 2;    // "庇付"

inline constexpr int kMaxSou = 3;
static_assert(kCapHashiraHeight.size() == kMaxSou, "one column-height caption a storey");

struct BasicData {
    // The space floor.
    int nx = 8;                  // units along X
    int ny = 8;                  // units along Y
    float tuka_haba = 90.0f;     // unit width
    float tuka_takasa = 45.0f;   // unit height (depth of the space floor)
    float hashira_haba = 12.0f;  // floor posts and outer columns
    float waku_haba = 12.0f;     // frame members
    float gen_haba = 10.0f;      // chords
    float shazai_haba = 9.0f;    // diagonals
    float sujikai_haba = 9.0f;   // side braces
    float lowest_level = 50.0f;  // z of the lowest level
    std::array<float, kMaxSou> hashira_takasa{240.0f, 240.0f, 240.0f};  // column height per storey

    // The roof.
    float yane_takasa = 180.0f;   // girders to apex; nx * tuka_haba * 0.25 for the defaults
    float yane_hashira = 240.0f;  // roof column height
    int yane_type = 1;            // kept and edited, drives nothing
    int yane_hashira_type = 0;    // kept and edited, drives nothing
    float futosa = 12.0f;         // roof columns (width and thickness)
    float keta_haba = 12.0f, keta_atumi = 18.0f;      // girders
    float sumi_haba = 12.0f, sumi_atumi = 18.0f;      // hip rafters
    float hira_haba = 12.0f, hira_atumi = 18.0f;      // common rafters
    float hiuchi_haba = 12.0f, hiuchi_atumi = 18.0f;  // angle-brace rafters
    float moya_haba = 12.0f, moya_atumi = 12.0f;      // purlins

    float Takasa = 95.0f;  // computed top height, shown only
    int SumiType = kSumiNone;
    int N_Sou = 0;  // storeys 1..3, 0 until chosen
    int YaneMode = kYaneEaves;
    int SouMode = 0;   // 1 when the space floor stands on columns
    int N_Kihon = -1;  // basic-data window: 1 OK, 0 Cancel, -1 open
};

// The defaults with the roof height that belongs to them.
BasicData default_basic_data();

// Radio item of the top shape group for a YaneMode (the window and the batch
// front end speak in items).
int yane_item_of(int yane_mode);

// Unit counts and sizes must be positive: a zero count or size makes members
// of no length or no section, which neither the size table nor the solver can
// take. 1 when they are; otherwise a message names the first bad field and 0
// is returned.
int check_values(const BasicData& d, model::MessageService& msg);

// What validation stores besides the numbers: the checks on the choices, in
// the window's order, with its messages. sumi_item, sou_item and yane_item are
// the selected radio items (-1 none). On success SumiType, SouMode, N_Sou and
// Takasa are set and 1 is returned; otherwise a message was shown and 0 is
// returned.
int check_choices(BasicData& d, int sumi_item, int sou_item, int yane_item,
                  model::MessageService& msg);

// Largest distance of a generated node from the origin, cm. Far beyond any
// frame, and small enough that member lengths squared still fit a float.
inline constexpr double kMaxExtent = 1.0e18;

// The plan (units times unit width) and the height of the house as chosen
// (lowest level, storeys, top) must be finite and within kMaxExtent. 1 when
// they are; otherwise kMsgTooLarge is shown and 0 returned.
int check_extent(const BasicData& d, int sumi_item, int yane_item, model::MessageService& msg);

// What validation checks last: the house must fit the member table. 1 when
// it does; otherwise the table's capacity message is shown and 0 returned.
int check_capacity(const BasicData& d, model::MessageService& msg);

// The computed top height for the current choices (unchanged for a roof on
// three storeys, which is not generated).
float compute_takasa(const BasicData& d, int sumi_item, int yane_item);

// "name=value" with a field name of BasicData (nx, tuka_haba, hashira_takasa2,
// SumiType, ...). False with a reason in error when the name is unknown or the
// value is not a number of the field's kind.
bool assign_basic_value(BasicData& d, std::string_view assignment, std::string& error);

// Parsing of field text as the windows read it: blanks around the number are
// allowed, anything else is not.
bool parse_int_text(std::string_view text, int& value);
bool parse_real_text(std::string_view text, float& value);

// "「<caption>」には数値を入力してください"
std::string not_a_number_message(std::string_view caption);
// "「<caption>」には正の値を入力してください"
std::string not_positive_message(std::string_view caption);

// Members the generation makes from d at most (exactly, unless pieces of no
// length are left out): the floor, the columns, the storey copies and the
// roof or the eaves frame, as SouMode, N_Sou and YaneMode choose.
long long house_member_count(const BasicData& d);

// The house with the most units (square plan, type I columns, two storeys and
// a roof) whose generated tables fit the capacities of the model store.
BasicData largest_house_data();

}  // namespace tarvik::generator
