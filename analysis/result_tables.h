// The result tables of the results window: the node list and member end forces
// of the solver's listing, the node displacements, and the displaced geometry
// of one magnification. They are filled from the files the solver leaves in
// the working folder and live as long as the window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::analysis {

// Capacities of the result tables.
inline constexpr int kMaxSetuten = 3000;            // result nodes and displacement records
inline constexpr int kMaxStress = 3000;             // member force records
inline constexpr int kMaxDisplaced = 10000;         // displaced nodes and members
inline constexpr int kNameSize = model::kCodeSize;  // 32 bytes with the terminator
// Codes are compared on this many characters (the listing cuts names to nine).
inline constexpr int kCompareLength = 9;

struct ResultNode {
    char pname[kNameSize];
    int OldNo;
    float x, y, z;  // cm
};

// Forces in the solver's member axes; axial force positive in tension.
struct StressRecord {
    int no;
    char iname[kNameSize];
    char jname[kNameSize];
    int old_noi, old_noj;
    float xi, yi, zi, xj, yj, zj;
    float force;
    float percent;  // 100 |force| / the largest |force|; 0 when every force is 0
    float p1, p2;
    float xv1, xv2, yv1, yv2;
    float xm1, xm2, ym1, ym2;  // ym1 with its sign reversed
    float zm;
};

struct DispRecord {
    int old_no;
    char name[kNameSize];
    float disp_x, disp_y, disp_z;  // cm
    float rad_x, rad_y, rad_z;     // rad
    float disp_abs;
};

struct DisplacedNode {
    int old_no;
    char name[kNameSize];
    float x, y, z;
};

struct DisplacedBeam {
    float xs, ys, zs, xl, yl, zl;
};

struct ResultTables {
    std::vector<ResultNode> setuten = std::vector<ResultNode>(kMaxSetuten);
    std::vector<StressRecord> stress = std::vector<StressRecord>(kMaxStress);
    std::vector<DispRecord> disp = std::vector<DispRecord>(kMaxSetuten);
    int N_Setuten = 0;  // shared by the node list and the displacements
    int N_Stress = 0;
    int N_Disp = 0;  // records the displacement file gave (also N_Setuten then)

    std::vector<DisplacedNode> new_node = std::vector<DisplacedNode>(kMaxDisplaced);
    std::vector<DisplacedBeam> new_beam = std::vector<DisplacedBeam>(kMaxDisplaced);
    int N_NewNode = 0;
    int N_NewBeam = 0;
};

// Copies text into a name field, cut to fit.
void set_name(char (&field)[kNameSize], std::string_view text);

// True when two codes agree in their first nine characters (a shorter code
// agrees only with the same shorter code).
bool same_code(const char* a, const char* b);

// The grid levels of the level file text into the model store's lists. 0; -1
// on a short or malformed file, or a list beyond the level capacity (message).
int read_zlv(std::string_view text, model::ModelStore& m, model::MessageService& msg);

// The listing: nodes, sorted by OldNo; members with their end coordinates,
// shares of the largest force, sorted by share, largest first. N_Stress, or -1
// (tables hold what was read).
int read_velto(std::string_view text, ResultTables& t, model::MessageService& msg);

// The displacements, sorted by magnitude, largest first. 0, or -1 (also for
// a magnitude beyond the float range, after kMsgDispOverflow).
int read_dsp(std::string_view text, ResultTables& t, model::MessageService& msg);

// OldNo of the first result node whose code agrees with code (nine
// characters), with its coordinates; -1 when there is none.
int find_result_node(const ResultTables& t, const char* code, float& x, float& y, float& z);

// Displaced nodes and members at the magnification scale. 0, or -1 after
// "部材の検索に失敗しました".
int get_new_beam(ResultTables& t, float scale, model::MessageService& msg);

// True unless two of the three result files of directory that exist carry
// different modification times. The solver gives every file of one complete
// run the same time, to the nanosecond, before it puts them in place, so files
// of different runs, or a set whose replacement was cut short, differ in it.
bool one_result_set(const std::string& directory);

// The three files in directory, read in the order of the window's creation.
// True when all three were read; false after the message of the first failure.
// A set whose files come from different runs is refused before anything is
// read (the model store's grid levels stay as they were).
bool load_results(const std::string& directory, model::ModelStore& m, ResultTables& t,
                  model::MessageService& msg);

// The whole content of a file; false when it cannot be opened or read.
bool read_whole_file(const std::string& path, std::string& bytes);

}  // namespace tarvik::analysis
