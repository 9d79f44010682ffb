// The frame generator: builds a whole timber frame from the basic data into
// the model store. Every routine appends members whose end nodes are found
// again by exact coordinates, so a run can be repeated on the same store and
// gives the same tables.
#pragma once

#include <array>
#include <iostream>
#include <ostream>

#include "generator/basic_data.h"
#include "model/message_service.h"
#include "model/model_store.h"
#include "ui/texts.h"

namespace tarvik::generator {

// Tolerance of the storey copy's level search, cm.
inline constexpr double kLevelTolerance = 0.1;

// Maker of the member solids for the shaded displays (the square bar of the
// views). The generator only calls it, member by member.
class BarSolids {
  public:
    virtual ~BarSolids() = default;
    virtual int make_kakuzai2(float xs, float ys, float zs, float xl, float yl, float zl,
                              float haba, float atumi) = 0;
};

// Heights of the three storeys: per storey, its column bottom, the brace
// centre, the column middle, the upper brace centre, the floor bottom and the
// floor top (index 6 s + k for storey s = 0, 1, 2).
using StoreyLevels = std::array<double, 18>;
StoreyLevels storey_levels(const BasicData& d);

class Generator {
  public:
    // out receives the few plain-text notes the generation prints.
    Generator(model::ModelStore& m, BasicData& d, model::MessageService& msg,
              std::ostream& out = std::cout)
        : m_(m), d_(d), msg_(msg), out_(out) {}

    // The whole generation in its fixed order: floor, columns, upper storeys,
    // roof or eaves frame, node sort, member solids (when solids is given).
    // 0; -1 when a routine failed (its message was shown; what was made stays).
    int generate(BarSolids* solids = nullptr);

    // Each routine: 0, or -1 when a table is full (message shown).
    int make_hashira();  // empties the member table, then the four floor posts
    int make_waku();
    int make_genzai();
    int make_shazai();
    int make_sujikai();
    int make_gaichu();  // outer columns of type I (SumiType 1) or II (otherwise)
    // Storey copies; -1 also when a height maps to no storey level.
    int make_2kai();
    int make_3kai();
    int make_terrace();
    int make_yane2();

    // Member range made by the last make_gaichu (used by the roof).
    int GaichuStart = 0;
    int GaichuEnd = 0;

  private:
    int copy_storey(int source_count, int storey, const char* fail_start, const char* fail_end);

    model::ModelStore& m_;
    BasicData& d_;
    model::MessageService& msg_;
    std::ostream& out_;
};

// Orders the nodes by number, dropping those numbered -1; the count, or -1
// with a message when two nodes carry one number (table unchanged then).
int sort_node(model::ModelStore& m, model::MessageService& msg);

// Builds the solid of every member with solids (which may be null: only the
// checks run). Stops at a member of no width or depth, noting it on out.
// The number of solids made, or -1 when stopped.
int make_men(const model::ModelStore& m, BarSolids* solids, std::ostream& out);

// Whether the roof the data ask for is left out: roofs are made on one or two
// storeys only (the generation prints kOutNoRoofOn3 then).
bool roof_left_out(const BasicData& d);

// Generates the house of largest_house_data() into m (for timing).
int generate_largest_house(model::ModelStore& m, model::MessageService& msg,
                           std::ostream& out = std::cout);

}  // namespace tarvik::generator
