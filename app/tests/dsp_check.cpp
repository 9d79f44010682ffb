// Checks node displacements in a VELTOSOL.DSP file against expected values.
// usage: dsp_check FILE  NODE U V W THX THY THZ  [NODE U V W THX THY THZ ...]
// NODE is the node's input number; a value matches within 1e-4 relative
// (the file prints five digits) or 1e-9 absolute.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 9 || (argc - 2) % 7 != 0) {
        std::fprintf(stderr, "usage: dsp_check FILE NODE U V W THX THY THZ ...\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    int nod = 0;
    if (!(in >> nod)) {
        std::fprintf(stderr, "dsp_check: cannot read the node count of %s\n", argv[1]);
        return 1;
    }
    std::map<int, std::vector<double>> disp;  // input node number -> six values
    std::string line;
    std::getline(in, line);
    for (int k = 0; k < nod && std::getline(in, line); ++k) {
        std::istringstream s(line);
        int n = 0, old = 0;
        std::string name;
        std::vector<double> v(6);
        if (!(s >> n >> old >> name >> v[0] >> v[1] >> v[2] >> v[3] >> v[4] >> v[5])) {
            std::fprintf(stderr, "dsp_check: bad line: %s\n", line.c_str());
            return 1;
        }
        disp[old] = v;
    }
    int bad = 0;
    for (int a = 2; a < argc; a += 7) {
        const int node = std::atoi(argv[a]);
        auto it = disp.find(node);
        if (it == disp.end()) {
            std::fprintf(stderr, "dsp_check: node %d not in the file\n", node);
            ++bad;
            continue;
        }
        static const char* kNames[] = {"U", "V", "W", "THX", "THY", "THZ"};
        for (int j = 0; j < 6; ++j) {
            const double want = std::atof(argv[a + 1 + j]);
            const double got = it->second[j];
            if (std::fabs(got - want) > 1e-4 * std::fabs(want) + 1e-9) {
                std::fprintf(stderr, "dsp_check: node %d %s = %.6g, expected %.6g\n", node,
                             kNames[j], got, want);
                ++bad;
            }
        }
    }
    return bad == 0 ? 0 : 1;
}
