// One unit field of the axis data: a complete space floor at any origin with
// its own sections, described by one text line.
#pragma once

#include <string_view>

#include "generator/space_floor.h"
#include "model/message_service.h"
#include "model/model_store.h"

namespace tarvik::generator {

// The thirteen numbers of a field line, in their order.
struct UnitField {
    int ntask = 0;  // written to the trace only
    int nx = 0, ny = 0;
    float tuka_haba = 0.0f, tuka_takasa = 0.0f;
    float hashira_haba = 0.0f, waku_haba = 0.0f, gen_haba = 0.0f;
    float shazai_haba = 0.0f, sujikai_haba = 0.0f;
    float x_kaishi = 0.0f, y_kaishi = 0.0f, z_kaishi = 0.0f;  // origin, z of the bottom plane
};

// Reads "%d %d %d %f %f %f %f %f %f %f %f %f %f". False when the line holds
// fewer than thirteen numbers.
bool parse_unit_field(std::string_view line, UnitField& f);

// Members the field makes at most (exactly, unless pieces of no length are
// left out), for up to kMaxCountedUnits units a side; a larger field counts as
// one of that many units a side, which no member table holds either.
inline constexpr long long kMaxCountedUnits = 1 << 20;
long long field_member_count(const UnitField& f);

// Appends the field's members (without emptying the member table): diagonals,
// the top layer, the bottom layer, the corner posts and the side trusses. The
// diagonals' end points widen box. 0; -1 when the line is short or gives a
// negative unit count (nothing is made, the trace says why) or a table is full (message shown; a field that
// cannot fit the member table is refused before any of it is made).
int bunkai_shazai(model::ModelStore& m, std::string_view line, Box3& box,
                  model::MessageService& msg);
int bunkai_shazai(model::ModelStore& m, const UnitField& f, Box3& box, model::MessageService& msg);

}  // namespace tarvik::generator
