#include "generator/generator.h"
#include "generator/member_maker.h"
#include "generator/storey_copy.h"
#include "model/spy.h"

namespace tarvik::generator {

int Generator::make_yane2() {
    model::spy("Enter make_yane2()");
    const StoreyLevels lv = storey_levels(d_);
    const int top = d_.N_Sou == 2 ? 1 : 0;  // index of the top storey
    const double Zr = lv[6 * top + 5];      // roof storey base: top of the top floor

    // The roof storey is a storey of roof-column height without a floor.
    d_.hashira_takasa[top + 1] = d_.yane_hashira;
    const double yh = d_.yane_hashira;

    // The first storey's column heights and their images in the roof storey.
    const double L = d_.lowest_level;
    const double h1 = d_.hashira_takasa[0];
    const double from[5] = {L, L + h1 * 0.25, L + h1 * 0.5, L + h1 * 0.75, L + h1};
    const double to[5] = {Zr, Zr + yh * 0.25, Zr + yh * 0.5, Zr + yh * 0.75, Zr + yh};
    model::spy("GaichuStart %5d GaichuEnd %5d", GaichuStart, GaichuEnd);
    MemberMaker mk(m_, msg_);
    const LevelMap map{from, to, 5, "(1)", "(2)", true};
    if (copy_members(mk, GaichuStart, GaichuEnd, map) < 0) return -1;

    const double a = d_.tuka_haba;
    const double W = d_.nx * a;
    const double D = d_.ny * a;
    const double Zg = Zr + yh;                                         // girder plane
    const double Za = Zg + d_.yane_takasa;                             // apex
    const double Zm = Zg + static_cast<double>(d_.yane_takasa) * 0.5;  // hip and rafter nodes
    const double Mx = W * 0.5;
    const double My = D * 0.5;
    // Integer halving of the unit counts: for an odd count the quarter point
    // stays on the half-unit grid.
    const double qx = (d_.nx / 2) * a * 0.5;
    const double qy = (d_.ny / 2) * a * 0.5;

    const P3 apex{Mx, My, Za};
    const P3 corner[4] = {{0.0, 0.0, Zg}, {W, 0.0, Zg}, {W, D, Zg}, {0.0, D, Zg}};
    const P3 hip[4] = {{qx, qy, Zm}, {W - qx, qy, Zm}, {W - qx, D - qy, Zm}, {qx, D - qy, Zm}};
    const P3 column_top[4] = {{Mx, 0.0, Zg}, {W, My, Zg}, {Mx, D, Zg}, {0.0, My, Zg}};
    const P3 rafter[4] = {{Mx, qy, Zm}, {W - qx, My, Zm}, {Mx, D - qy, Zm}, {qx, My, Zm}};

    model::spy("第4の柱");
    for (const P3& c : column_top) mk.add({c.x, c.y, Zr}, c, kKindRoofColumn, d_.futosa, d_.futosa);

    // Girders round the perimeter, each side through the roof-storey column
    // tops one unit from the corners and the roof column at its middle.
    model::spy("４本の枠材");
    const P3 girder[4][5] = {
        {{0.0, 0.0, Zg}, {a, 0.0, Zg}, {Mx, 0.0, Zg}, {W - a, 0.0, Zg}, {W, 0.0, Zg}},
        {{W, 0.0, Zg}, {W, a, Zg}, {W, My, Zg}, {W, D - a, Zg}, {W, D, Zg}},
        {{W, D, Zg}, {W - a, D, Zg}, {Mx, D, Zg}, {a, D, Zg}, {0.0, D, Zg}},
        {{0.0, D, Zg}, {0.0, D - a, Zg}, {0.0, My, Zg}, {0.0, a, Zg}, {0.0, 0.0, Zg}},
    };
    for (const auto& side : girder)
        for (int k = 0; k < 4; ++k)
            mk.add(side[k], side[k + 1], kKindGirder, d_.keta_haba, d_.keta_atumi);

    model::spy("２×４本の隅合掌");
    for (int c = 0; c < 4; ++c) {
        mk.add(corner[c], hip[c], kKindHip, d_.sumi_haba, d_.sumi_atumi);
        mk.add(hip[c], apex, kKindHip, d_.sumi_haba, d_.sumi_atumi);
    }
    model::spy("２本の隅合掌");
    for (int c = 0; c < 4; ++c) {
        mk.add(column_top[c], rafter[c], kKindRafter, d_.hira_haba, d_.hira_atumi);
        mk.add(rafter[c], apex, kKindRafter, d_.hira_haba, d_.hira_atumi);
    }
    model::spy("２本の隅合掌");
    for (int c = 0; c < 4; ++c) {
        mk.add(column_top[c], hip[c], kKindAngleRafter, d_.hiuchi_haba, d_.hiuchi_atumi);
        mk.add(column_top[c], hip[(c + 1) % 4], kKindAngleRafter, d_.hiuchi_haba, d_.hiuchi_atumi);
    }
    model::spy("２本の母屋");
    for (int c = 0; c < 4; ++c) {
        mk.add(rafter[c], hip[c], kKindPurlin, d_.moya_haba, d_.moya_atumi);
        mk.add(rafter[c], hip[(c + 1) % 4], kKindPurlin, d_.moya_haba, d_.moya_atumi);
    }
    return mk.result();
}

}  // namespace tarvik::generator
