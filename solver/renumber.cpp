// Node renumbering for a small stiffness profile: every node is tried as the
// start of a breadth-first numbering and the numbering with the smallest spread
// is kept.
#include <string>

#include "solver.h"

namespace veltosol {

int SETUP(Solver& s) {
    // Room for every member end at its node (a repeated member needs less),
    // so that no node's list can run into another's.
    for (int n = 1; n <= s.NOD + 1; ++n) s.neighbour_start[n] = 0;
    for (int e = 1; e <= s.NEL; ++e) {
        const int i = s.member[e].iin, j = s.member[e].jout;
        if (i == 0 || j == 0) continue;
        ++s.neighbour_start[i + 1];
        ++s.neighbour_start[j + 1];
    }
    s.neighbour_start[1] = 1;
    for (int n = 1; n <= s.NOD; ++n) {
        s.neighbour_start[n + 1] += s.neighbour_start[n];
        s.neighbour_count[n] = 0;
    }
    if (s.neighbour_start[s.NOD + 1] - 1 > kNeighbourEntries)
        capacity_exceeded("neighbour", kNeighbourEntries);

    for (int e = 1; e <= s.NEL; ++e) {
        const int ends[2] = {s.member[e].iin, s.member[e].jout};
        for (int k = 0; k < 2; ++k) {
            const int n = ends[k];
            const int b = ends[1 - k];
            if (n == 0 || b == 0) break;
            int* list = &s.neighbour[s.neighbour_start[n]];
            int& count = s.neighbour_count[n];
            bool known = false;
            for (int i = 0; i < count; ++i)
                if (list[i] == b) known = true;
            if (!known) list[count++] = b;
        }
    }
    return s.NOD;
}

void check_connected(const Solver& s) {
    if (s.NOD == 0) return;
    for (int n = 1; n <= s.NOD; ++n)
        if (s.neighbour_count[n] == 0)
            bad_model("node " + std::to_string(n) + " is not connected to any member");
    // Breadth-first search from node 1 over the neighbour table.
    std::vector<int> order(static_cast<std::size_t>(s.NOD) + 1);
    std::vector<char> seen(static_cast<std::size_t>(s.NOD) + 1, 0);
    int count = 1, head = 1;
    order[1] = 1;
    seen[1] = 1;
    while (head <= count) {
        int v = order[head++];
        const int* list = &s.neighbour[s.neighbour_start[v]];
        for (int i = 0; i < s.neighbour_count[v]; ++i) {
            int w = list[i];
            if (!seen[w]) {
                seen[w] = 1;
                order[++count] = w;
            }
        }
    }
    if (count < s.NOD) {
        int missing = 1;
        while (seen[missing]) ++missing;
        bad_model("the member graph is not connected: node " + std::to_string(missing) +
                  " cannot be reached from node 1");
    }
}

void OPTNUM(Solver& s, int bound) {
    const int nod = s.NOD;
    int best = bound;
    std::vector<int> order(static_cast<std::size_t>(nod) + 2, 0);
    std::vector<int> number(static_cast<std::size_t>(nod) + 1, 0);
    int numbered = 0;  // nodes numbered by the previous start, to be cleared
    for (int start = 1; start <= nod; ++start) {
        for (int i = 1; i <= numbered; ++i) number[order[i]] = 0;
        int spread = 0;
        order[1] = start;
        number[start] = 1;
        int count = 1, head = 1;
        bool complete = false, abandoned = false;
        while (!complete && !abandoned) {
            if (head > count) break;  // exhausted: cannot happen on a connected graph
            int v = order[head];
            const int* list = &s.neighbour[s.neighbour_start[v]];
            int nb = s.neighbour_count[v];
            for (int i = 0; i < nb; ++i) {
                int w = list[i];
                if (number[w] != 0) continue;
                ++count;
                order[count] = w;
                number[w] = count;
                int d = count - head;
                if (d >= best) {
                    abandoned = true;
                    break;
                }
                if (d > spread) spread = d;
            }
            if (abandoned) break;
            if (nb > 0 && count == nod) {
                complete = true;
                break;
            }
            ++head;
        }
        numbered = count;
        if (complete) {
            best = spread;
            for (int n = 1; n <= nod; ++n) s.NEWNO[n] = number[n];
        }
    }
}

}  // namespace veltosol
