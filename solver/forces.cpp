// Node displacements and member end forces, with their result files.
#include "fortran_format.h"
#include "solver.h"

namespace veltosol {

void DISPT(Solver& s, FileSet& f) {
    static const Format uh("('0','NODE',11X,'U',14X,'V',14X,'W')");
    static const Format th("('0','NODE',10X,'THX',12X,'THY',12X,'THZ')");
    static const Format row("(' ',I5,5X,3E15.7)");
    static const Format count("(' ',I5)");
    static const Format sta_row("(6E15.7)");
    static const Format dsp_row("(' ',1X,I5,1X,I5,1X,A12,1X,6E13.5)");

    const int ndof = 6 * s.NOD;
    for (int g = 1; g <= ndof; ++g) s.D[g] = 0.0;
    for (int q = 1; q <= s.NEQ; ++q) s.D[s.reverse[q]] = s.R[q];

    std::string t;
    uh.write(t, {});
    for (int n = 1; n <= s.NOD; ++n) {
        const double* d = &s.D[6 * (n - 1) + 1];
        row.write(t, {n, d[0], d[1], d[2]});
    }
    th.write(t, {});
    for (int n = 1; n <= s.NOD; ++n) {
        const double* d = &s.D[6 * (n - 1) + 1];
        row.write(t, {n, d[3], d[4], d[5]});
    }
    f.both(t);

    std::string sta, dsp;
    count.write(dsp, {s.NOD});
    for (int n = 1; n <= s.NOD; ++n) {
        const double* d = &s.D[6 * (n - 1) + 1];
        sta_row.write(sta, {d[0], d[1], d[2], d[3], d[4], d[5]});
        dsp_row.write(dsp, {n, s.OLDNO[n], std::string_view(s.node[n].name.data(), kNameLength),
                            d[0], d[1], d[2], d[3], d[4], d[5]});
    }
    f.sta.write(sta);
    f.dsp.write(dsp);
}

void member_forces(const Solver& s, int e, std::array<double, 12>& fe) {
    Mat12 K;
    Vec12 u;
    EDISP(s, e, s.D.data(), u, EdispOption::kToMemberAxes);
    ELMAT(s, e, ElmatOption::kLocalAxes, K);
    for (int i = 0; i < 12; ++i) {
        double sum = 0.0;
        for (int j = 0; j < 12; ++j) sum += K[12 * i + j] * u[j];
        fe[i] = sum;
    }
}

void STRESS(Solver& s, FileSet& f) {
    static const Format heading("(/,5X,'---STRESS---',/)");
    static const Format element("(/,2X,'ELEMENT =',I8)");
    static const Format fhead("(8X,'P1',10X,'P2',10X,'VX1',9X,'VX2',9X,'VY1',9X,'VY2')");
    static const Format f6("(1X,6E12.4)");
    static const Format mhead("(8X,'MX1',9X,'MX2',9X,'MY1',9X,'MY2',9X,'MZ')");
    static const Format f5("(1X,5E12.4)");
    static const Format f8("(1X,8E12.4)");
    static const Format lst_count("(2X,I5)");
    static const Format lst_member("(2X,I5,2X,I5,2X,I5,2X,A9,2X,I5,2X,I5,2X,A9,2X,E12.5)");

    std::string listing, sta, lst;
    heading.write(listing, {});
    lst_count.write(lst, {s.NEL});
    std::array<double, 12> fe;
    for (int e = 1; e <= s.NEL; ++e) {
        {
            ScopedSeconds clock(s.times ? &s.times->inner_compute : nullptr);
            member_forces(s, e, fe);
        }
        // Forces on end 2 along the local axes (axial: tension positive),
        // moments about the local axes at each end, torsion at end 1.
        const double P = fe[8], VX = fe[6], VY = fe[7];
        const double MX1 = fe[3], MX2 = fe[9], MY1 = fe[4], MY2 = fe[10], MZ = fe[5];

        element.write(listing, {e});
        fhead.write(listing, {});
        f6.write(listing, {P, P, VX, VX, VY, VY});
        mhead.write(listing, {});
        f5.write(listing, {MX1, MX2, MY1, MY2, MZ});

        f8.write(sta, {P, P, VX, VX, VY, VY});
        f8.write(sta, {MX1, MX2, MY1, MY2, MZ});

        const Member& m = s.member[e];
        lst_member.write(lst, {e, m.iin, s.OLDNO[m.iin],
                               std::string_view(m.i_name.data(), kNameLength), m.jout,
                               s.OLDNO[m.jout], std::string_view(m.j_name.data(), kNameLength), P});
        f8.write(lst, {P, P, VX, VX, VY, VY, MX1, MX2, MY1, MY2, MZ});

        if (listing.size() > (1 << 20)) {
            f.both(listing);
            listing.clear();
        }
    }
    f.both(listing);
    f.sta.write(sta);
    f.lst.write(lst);
}

}  // namespace veltosol
