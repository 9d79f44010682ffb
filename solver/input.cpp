// Reading VELTOSOL.IN (records up to the supports, then the loads) with the
// echo listing, the structure part of VELTOSOL.STA and the level echo.
#include <cmath>
#include <string>

#include "fortran_format.h"
#include "solver.h"

namespace veltosol {

namespace {

std::string_view name_view(const Name& n) { return std::string_view(n.data(), n.size()); }
std::string_view mode_view(const Mode& m) { return std::string_view(m.data(), m.size()); }

std::string nth(const char* what, int k, int n) {
    return std::string(what) + " " + std::to_string(k) + " of " + std::to_string(n);
}

// Counts read from the file: negative ones are malformed, large ones beyond a table.
void check_count(int n, int limit, const char* table) {
    if (n < 0) bad_model(std::string("negative count ") + std::to_string(n) + " for the " + table);
    if (n > limit) capacity_exceeded(table, limit, "the file gives " + std::to_string(n));
}

void check_node(const Solver& s, int n, const std::string& where) {
    if (n < 1 || n > s.NOD)
        bad_model(where + " refers to node " + std::to_string(n) + ", outside 1 to " +
                  std::to_string(s.NOD));
}

// Writes one (10I5)-style list of integers.
void write_ints(std::string& out, const Format& f, const std::vector<int>& v) {
    std::vector<FmtValue> vals(v.begin(), v.end());
    f.write(out, vals.data(), vals.size());
}

const Format fI5(" (' ',I5)");
const Format fE125(" (' ',E12.5)");
const Format f10I5("(10I5)");
const Format f3I5("(3I5)");

void read_levels(Solver& s, FileSet& f, ListReader& in) {
    static const char* axis[3] = {"X", "Y", "Z"};
    for (int a = 0; a < 3; ++a) {
        int n = 0;
        in.begin(std::string(axis[a]) + " level count");
        in.integer(n);
        check_count(n, kMaxLevels, (std::string(axis[a]) + " level").c_str());
        f.zlv.write(fI5({n}));
        s.levels[a].assign(static_cast<std::size_t>(n), 0.0f);
        float value = 0.0f;
        for (int i = 0; i < n; ++i) {
            in.begin(nth((std::string(axis[a]) + " level").c_str(), i + 1, n));
            in.real(value);
            s.levels[a][static_cast<std::size_t>(i)] = value;
            f.zlv.write(fE125({static_cast<double>(value)}));
        }
    }
}

void read_members(Solver& s, FileSet& f, ListReader& in) {
    static const Format head(
        "(5X,'NOD=',I5,2X,'NEL=',I5,/,5X,'No   Iin    Jout  Shape   Material Angle  I_Name ',"
        "' J_name')");
    static const Format line("(2X,I5,2X,I5,2X,I5,2X,I5,2X,I5,2X,F10.2,2X,A9,2X,A9)");
    in.begin("the node and member counts");
    in.integer(s.NOD);
    in.integer(s.NEL);
    check_count(s.NOD, kMaxNodes, "node");
    check_count(s.NEL, kMaxMembers, "member");
    f.both(head({s.NOD, s.NEL}));
    f.trace(free_line({"NOD", s.NOD, "NEL", s.NEL}));

    Member rec;
    rec.i_name.fill(' ');
    rec.j_name.fill(' ');
    int number = 0;
    for (int e = 1; e <= s.NEL; ++e) {
        in.begin(nth("member record", e, s.NEL));
        in.integer(number);
        in.integer(rec.iin);
        in.integer(rec.jout);
        in.integer(rec.shape);
        in.integer(rec.mte);
        in.real(rec.angle);
        in.text(rec.i_name.data(), kNameLength);
        in.text(rec.j_name.data(), kNameLength);
        f.both(line({e, rec.iin, rec.jout, rec.shape, rec.mte, rec.angle, name_view(rec.i_name),
                     name_view(rec.j_name)}));
        const std::string where = "member " + std::to_string(e);
        check_node(s, rec.iin, where);
        check_node(s, rec.jout, where);
        if (rec.iin == rec.jout) bad_model(where + " has both ends at node " + std::to_string(rec.iin));
        s.member[e] = rec;
    }
}

void renumber(Solver& s, FileSet& f) {
    int bound = SETUP(s);
    f.trace(free_line({"PASS SETUP"}));
    f.trace(free_line({"ENTER OPTNUM"}));
    check_connected(s);
    OPTNUM(s, bound);
    f.trace(free_line({"PASS OPTNUM"}));
    for (int e = 1; e <= s.NEL; ++e) {
        s.member[e].iin = s.NEWNO[s.member[e].iin];
        s.member[e].jout = s.NEWNO[s.member[e].jout];
    }
}

void read_properties(Solver& s, FileSet& f, ListReader& in) {
    static const Format shead(
        "(5X,'N_Shape ',I5,/,5X,'No        Ixx         Iyy           Area','           Stk')");
    static const Format sline("(5X,I5,2X,E12.5,2X,E12.5,2X,E12.5,2X,E12.5)");
    static const Format mhead(
        "(5X,'N_Material',I5,/,5X,'No        Younge        Poison      Density')");
    static const Format mline("(5X,I5,2X,E12.5,2X,E12.5,2X,E12.5)");
    int number = 0;
    in.begin("the section count");
    in.integer(s.n_shape);
    check_count(s.n_shape, kMaxSections, "section");
    f.both(shead({s.n_shape}));
    Section sec;
    for (int r = 1; r <= s.n_shape; ++r) {
        in.begin(nth("section row", r, s.n_shape));
        in.integer(number);
        in.real(sec.ixx);
        in.real(sec.iyy);
        in.real(sec.area);
        in.real(sec.stk);
        s.section[r] = sec;
        f.both(sline({r, sec.ixx, sec.iyy, sec.area, sec.stk}));
    }
    in.begin("the material count");
    in.integer(s.n_material);
    check_count(s.n_material, kMaxMaterials, "material");
    f.both(mhead({s.n_material}));
    Material mat;
    for (int r = 1; r <= s.n_material; ++r) {
        in.begin(nth("material row", r, s.n_material));
        in.integer(number);
        in.real(mat.young);
        in.real(mat.poisson);
        in.real(mat.density);
        s.material[r] = mat;
        f.both(mline({r, mat.young, mat.poisson, mat.density}));
    }
    for (int e = 1; e <= s.NEL; ++e) {
        int m = s.member[e].mte;
        if (m < 1 || m > s.n_shape || m > s.n_material)
            bad_model("member " + std::to_string(e) + " has material number " + std::to_string(m) +
                      " but there are " + std::to_string(s.n_shape) + " section rows and " +
                      std::to_string(s.n_material) + " material rows");
    }
}

void read_nodes(Solver& s, FileSet& f, ListReader& in) {
    static const Format head("(5X,'NOD',I5,/,5X,'No     X           Y           Z           Name')");
    static const Format echo("(5X,I5,2X,F10.1,2X,F10.1,2X,F10.3,2X,A9)");
    static const Format lst_count("(2X,I5)");
    static const Format lst_line("(5X,I5,2X,I5,1X,F10.1,2X,F10.1,2X,F10.3,2X,A9)");
    const int nod_counts = s.NOD;
    in.begin("the node count");
    in.integer(s.NOD);
    if (s.NOD != nod_counts)
        bad_model("the node table gives " + std::to_string(s.NOD) +
                  " nodes but the counts line gives " + std::to_string(nod_counts));
    f.both(head({s.NOD}));
    f.lst.write(lst_count({s.NOD}));
    NodeRec rec;
    rec.name.fill(' ');
    int number = 0;
    for (int k = 1; k <= s.NOD; ++k) {
        in.begin(nth("node record", k, s.NOD));
        in.integer(number);
        in.real(rec.x);
        in.real(rec.y);
        in.real(rec.z);
        in.text(rec.name.data(), kNameLength);
        const int n = s.NEWNO[k];
        s.node[n] = rec;
        s.OLDNO[n] = k;
        s.leading_no[k] = number;
        f.both(echo({n, rec.x, rec.y, rec.z, name_view(rec.name)}));
        f.lst.write(lst_line({n, number, rec.x, rec.y, rec.z, name_view(rec.name)}));
    }
}

void read_supports(Solver& s, FileSet& f, ListReader& in) {
    static const Format head("(5X,'N_FIX = ',I5,/,5X,'No    Node         Mode')");
    static const Format line("(5X,I5,2X,I5,2X,A9)");
    in.begin("the support count");
    in.integer(s.n_fix);
    check_count(s.n_fix, kMaxSupports, "support");
    f.both(head({s.n_fix}));
    Support rec;
    rec.mode.fill(' ');
    for (int j = 1; j <= s.n_fix; ++j) {
        in.begin(nth("support record", j, s.n_fix));
        in.integer(rec.node);
        in.text(rec.mode.data(), kModeLength);
        f.both(line({j, rec.node, mode_view(rec.mode)}));
        check_node(s, rec.node, "support " + std::to_string(j));
        s.support[j] = rec;
    }
    // Restraint lists, direction by direction, supports in file order.
    for (int k = 0; k < 6; ++k) {
        s.restraint[k].clear();
        for (int j = 1; j <= s.n_fix; ++j)
            if (s.support[j].mode[k] == '1') s.restraint[k].push_back(s.NEWNO[s.support[j].node]);
    }
    std::string counts;
    for (int k = 0; k < 6; ++k) counts += ' ' + std::to_string(s.restraint[k].size());
    f.out.write(counts + "\r\n");
    for (int k = 0; k < 6; ++k) {
        if (s.restraint[k].empty()) continue;
        std::string line_text;
        for (int n : s.restraint[k]) line_text += ' ' + std::to_string(n);
        f.out.write(line_text + "\r\n");
    }
}

void echo_tables(Solver& s, FileSet& f) {
    static const Format h8("(/,5X,'NELM',8X,'E',14X,'V',12X,'L')");
    static const Format l8("(5X,I5,3E15.7)");
    static const Format h9("(/,5X,'NELM',6X,'IXX',12X,'IYY',13X,'A',14X,'K')");
    static const Format l9("(5X,I5,4E15.7)");
    static const Format h10("(/,5X,'NELM',12X,'I',2X,'J')");
    static const Format l10("(5X,I5,5X,'INDV =',2I5)");
    static const Format h11(
        "(/,5X,'NELM',8X,'XB-X',6X,'XB-Y',6X,'XB-Z',6X,'YB-X',6X,'YB-Y',6X,'YB-Z')");
    static const Format l11("(5X,I5,5X,6F10.5)");
    static const Format h12("(5X,'NELM',8X,'ZB-X',6X,'ZB-Y',6X,'ZB-Z')");
    static const Format l12("(5X,I5,5X,3F10.5)");
    static const Format h13("(/,5X,'UVW',5X,'TOTAL',12X,'NODE')");
    static const Format l13("(5X,I5,5X,I5,8X,20I5)");
    static const Format h14("(/,12X,'X',15X,'Y',15X,'Z')");
    static const Format l14("(5X,3E15.7)");
    static const Format h15("(/,5X,'NPIN =',I5)");
    std::string t;
    h8.write(t, {});
    for (int e = 1; e <= s.NEL; ++e) {
        const Material& m = s.material[s.member[e].mte];
        l8.write(t, {e, m.young, m.poisson, s.member[e].length});
    }
    h9.write(t, {});
    for (int e = 1; e <= s.NEL; ++e) {
        const Section& c = s.section[s.member[e].mte];
        l9.write(t, {e, c.ixx, c.iyy, c.area, c.stk});
    }
    h10.write(t, {});
    for (int e = 1; e <= s.NEL; ++e) l10.write(t, {e, s.member[e].indv[0], s.member[e].indv[1]});
    h11.write(t, {});
    for (int e = 1; e <= s.NEL; ++e) {
        const auto& d = s.member[e].dcos;
        l11.write(t, {e, d[0], d[1], d[2], d[3], d[4], d[5]});
    }
    h12.write(t, {});
    for (int e = 1; e <= s.NEL; ++e) {
        const auto& d = s.member[e].dcos;
        l12.write(t, {e, d[6], d[7], d[8]});
    }
    h13.write(t, {});
    for (int k = 0; k < 6; ++k) {
        std::vector<FmtValue> v{k + 1, static_cast<int>(s.restraint[k].size())};
        v.insert(v.end(), s.restraint[k].begin(), s.restraint[k].end());
        l13.write(t, v.data(), v.size());
    }
    h14.write(t, {});
    for (int n = 1; n <= s.NOD; ++n) l14.write(t, {s.node[n].x, s.node[n].y, s.node[n].z});
    h15.write(t, {0});
    f.both(t);
}

}  // namespace

void FWRITE(Solver& s, FileSet& f) {
    static const Format f3F("(3F10.3)");
    static const Format f9F("(9F10.3)");
    std::string t;
    f3I5.write(t, {s.NOD, s.NEL});
    std::vector<int> ends;
    ends.reserve(2 * static_cast<std::size_t>(s.NEL));
    for (int e = 1; e <= s.NEL; ++e) {
        ends.push_back(s.member[e].iin);
        ends.push_back(s.member[e].jout);
    }
    write_ints(t, f10I5, ends);
    for (int n = 1; n <= s.NOD; ++n) f3F.write(t, {s.node[n].x, s.node[n].y, s.node[n].z});
    for (int e = 1; e <= s.NEL; ++e) {
        const auto& d = s.member[e].dcos;
        f9F.write(t, {d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8]});
    }
    f3I5.write(t, {0});  // NPIN
    std::vector<int> indv;
    indv.reserve(2 * static_cast<std::size_t>(s.NEL));
    for (int e = 1; e <= s.NEL; ++e) {
        indv.push_back(s.member[e].indv[0]);
        indv.push_back(s.member[e].indv[1]);
    }
    write_ints(t, f10I5, indv);
    for (int k = 0; k < 6; ++k) {
        f10I5.write(t, {static_cast<int>(s.restraint[k].size())});
        if (!s.restraint[k].empty()) write_ints(t, f10I5, s.restraint[k]);
    }
    f.sta.write(t);
}

void INPUT(Solver& s, FileSet& f, ListReader& in) {
    read_levels(s, f, in);
    read_members(s, f, in);
    {
        ScopedSeconds clock(s.times ? &s.times->inner_compute : nullptr);
        renumber(s, f);
    }
    read_properties(s, f, in);
    read_nodes(s, f, in);
    DRCCOS(s);
    f.trace(free_line({"PASS DRCCOS"}));
    read_supports(s, f, in);
    for (int e = 1; e <= s.NEL; ++e) s.member[e].indv = {0, 0};  // every end rigid
    echo_tables(s, f);
    FWRITE(s, f);
    f.trace(free_line({"PASS FWRITE"}));
}

void INPUT2(Solver& s, FileSet& f, ListReader& in) {
    static const Format head(
        "(5X,'INPUT2 N_LOAD= ',I5,/,5X,'NO',2X,'Node',2X,'X_mov',2X,'Y_mov',2X,'Z_mov',2X,"
        "'X_rot',2X,'Y_rot',2X,'Z_rot')");
    static const Format line(
        "(5X,I2,2X,A12,2X,I5,2X,E12.5,2X,E12.5,2X,E12.5,2X,E12.5,2X,E12.5,2X,E12.5)");
    static const Format pass1020("(2X,'PASS 1020')");
    static const Format applied("(/,5X,'---APPLIED FORCE---')");
    static const Format direction("(5X,'DRICTION =',I1)");
    static const Format entry("(5X,'NOD =',I5,2X,'LOAD =',E15.7)");
    static const Format sta_entry("(I5,E15.7)");

    f.trace(free_line({"ENTER INPUT2"}));
    in.begin("the load count");
    in.integer(s.n_load);
    check_count(s.n_load, kMaxLoads, "load");
    f.both(head({s.n_load}));
    for (auto& l : s.load_list) l.clear();

    LoadRec rec;
    rec.name.fill(' ');
    for (int i = 1; i <= s.n_load; ++i) {
        in.begin(nth("load record", i, s.n_load));
        in.text(rec.name.data(), kNameLength);
        in.integer(rec.node);
        for (double& v : rec.value) in.real(v);
        const auto& v = rec.value;
        f.both(line({i, name_view(rec.name), rec.node, v[0], v[1], v[2], v[3], v[4], v[5]}));
        check_node(s, rec.node, "load " + std::to_string(i));
        for (int k = 0; k < 6; ++k)
            if (v[static_cast<std::size_t>(k)] != 0.0)
                s.load_list[k].push_back({rec.node, v[static_cast<std::size_t>(k)]});
    }
    f.console_only(pass1020({}));

    for (int q = 1; q <= s.NEQ; ++q) s.R[q] = 0.0;
    std::string counts;
    for (int k = 0; k < 6; ++k) counts += ' ' + std::to_string(s.load_list[k].size());
    f.out.write(counts + "\r\n");
    for (int k = 0; k < 6; ++k) {
        if (s.load_list[k].empty()) continue;
        f.out.write(free_line({"M=", static_cast<int>(s.load_list[k].size())}));
        for (const LoadEntry& le : s.load_list[k]) {
            f.out.write(free_line({le.node, le.value}));
            const int n = s.NEWNO[le.node];
            const int g = 6 * (n - 1) + k + 1;
            f.out.write(free_line({"K=", g}));
            const int q = s.ID[g];
            if (q != 0) {
                f.out.write(free_line({"KK=", q}));
                s.R[q] += le.value;  // loads on a restrained freedom are dropped
            }
        }
    }
    f.out.write(free_line({"PASS 20"}));

    // The lists again, now from the summed load vector, by new node number.
    for (int k = 0; k < 6; ++k) {
        s.load_list[k].clear();
        for (int n = 1; n <= s.NOD; ++n) {
            const int q = s.ID[6 * (n - 1) + k + 1];
            if (q != 0 && std::fabs(s.R[q]) >= 1.0e-10) s.load_list[k].push_back({n, s.R[q]});
        }
    }
    f.out.write(free_line({"PASS 40"}));

    std::string t;
    applied.write(t, {});
    for (int k = 0; k < 6; ++k) {
        if (s.load_list[k].empty()) continue;
        direction.write(t, {k + 1});
        for (const LoadEntry& le : s.load_list[k]) entry.write(t, {le.node, le.value});
    }
    f.both(t);

    std::string sta;
    std::vector<FmtValue> c;
    for (int k = 0; k < 6; ++k) c.emplace_back(static_cast<int>(s.load_list[k].size()));
    f3I5.write(sta, c.data(), c.size());
    for (int k = 0; k < 6; ++k)
        for (const LoadEntry& le : s.load_list[k]) sta_entry.write(sta, {le.node, le.value});
    f3I5.write(sta, {0});
    f.sta.write(sta);
}

}  // namespace veltosol
