// Small models written as solver input, and ways to run them in tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "solver.h"
#include "testing/temp_dir.h"

namespace veltosol::testing {

struct Model {
    struct Node {
        double x, y, z;
        std::string name;
    };
    struct Elem {
        int i, j, mte;
        double angle = 0.0;
        int shape = 1;
    };
    struct Fix {
        int node;
        std::string mode;
    };
    struct Load {
        int node;
        std::array<double, 6> v;
        std::string name = "L";
    };
    std::vector<float> xl, yl, zl;
    std::vector<Node> nodes;
    std::vector<Elem> members;
    std::vector<std::array<double, 4>> sections;   // Ixx, Iyy, Area, Stk
    std::vector<std::array<double, 3>> materials;  // E, nu, density
    std::vector<Fix> fixes;
    std::vector<Load> loads;

    int add_node(double x, double y, double z) {
        std::string name = "N";
        name += std::to_string(nodes.size() + 1);
        nodes.push_back({x, y, z, name});
        return static_cast<int>(nodes.size());
    }

    // The line forms the design program writes, with full-precision reals so
    // that tests can compare with their own arithmetic.
    std::string text() const {
        std::string t;
        char b[512];
        auto levels = [&](const std::vector<float>& l) {
            std::snprintf(b, sizeof b, " %5d\r\n", static_cast<int>(l.size()));
            t += b;
            for (float v : l) {
                std::snprintf(b, sizeof b, " %12.5e\r\n", v);
                t += b;
            }
        };
        levels(xl);
        levels(yl);
        levels(zl);
        std::snprintf(b, sizeof b, " %5d %5d\r\n", static_cast<int>(nodes.size()),
                      static_cast<int>(members.size()));
        t += b;
        for (std::size_t e = 0; e < members.size(); ++e) {
            const Elem& m = members[e];
            std::snprintf(b, sizeof b, " %5d %5d %5d %5d %5d %.17g %9s %9s\r\n",
                          static_cast<int>(e + 1), m.i, m.j, m.shape, m.mte, m.angle,
                          nodes[m.i - 1].name.c_str(), nodes[m.j - 1].name.c_str());
            t += b;
        }
        std::snprintf(b, sizeof b, " %5d\r\n", static_cast<int>(sections.size()));
        t += b;
        for (std::size_t r = 0; r < sections.size(); ++r) {
            const auto& s = sections[r];
            std::snprintf(b, sizeof b, " %5d %.17g %.17g %.17g %.17g\r\n", static_cast<int>(r + 1),
                          s[0], s[1], s[2], s[3]);
            t += b;
        }
        std::snprintf(b, sizeof b, " %5d\r\n", static_cast<int>(materials.size()));
        t += b;
        for (std::size_t r = 0; r < materials.size(); ++r) {
            const auto& m = materials[r];
            std::snprintf(b, sizeof b, " %5d %.17g %.17g %.17g\r\n", static_cast<int>(r + 1), m[0],
                          m[1], m[2]);
            t += b;
        }
        std::snprintf(b, sizeof b, " %5d\r\n", static_cast<int>(nodes.size()));
        t += b;
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            const Node& n = nodes[k];
            std::snprintf(b, sizeof b, " %5d %.17g %.17g %.17g %9s\r\n", static_cast<int>(k + 1),
                          n.x, n.y, n.z, n.name.c_str());
            t += b;
        }
        std::snprintf(b, sizeof b, " %5d\r\n", static_cast<int>(fixes.size()));
        t += b;
        for (const Fix& f : fixes) {
            std::snprintf(b, sizeof b, " %5d,%s\r\n", f.node, f.mode.c_str());
            t += b;
        }
        std::snprintf(b, sizeof b, " %5d\r\n", static_cast<int>(loads.size()));
        t += b;
        for (const Load& l : loads) {
            std::snprintf(b, sizeof b, " %9s,%5d,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\r\n",
                          l.name.c_str(), l.node, l.v[0], l.v[1], l.v[2], l.v[3], l.v[4], l.v[5]);
            t += b;
        }
        return t;
    }
};

// One member that nothing holds, pulled along its axis. With these round
// numbers the axial pivot of its second end becomes exactly zero.
inline Model floating_member() {
    Model m;
    m.add_node(0, 0, 0);
    m.add_node(1, 0, 0);
    m.members.push_back({1, 2, 1});
    m.sections.push_back({1, 1, 1, 1});
    m.materials.push_back({1, 0, 0});
    m.loads.push_back({2, {1, 0, 0, 0, 0, 0}});
    return m;
}

// Runs the phases up to the assembled stiffness in memory.
inline std::unique_ptr<Solver> assemble(const std::string& text, FileSet& f) {
    auto s = std::make_unique<Solver>();
    ListReader in(text);
    INPUT(*s, f, in);
    number_equations(*s);
    INPUT2(*s, f, in);
    MHIGHT(*s);
    ASSEM(*s, nullptr);
    return s;
}

// Runs every phase in memory (the result files are not opened).
inline std::unique_ptr<Solver> solve(const std::string& text) {
    FileSet f;
    auto s = assemble(text, f);
    SKSOLV(*s);
    DISPT(*s, f);
    return s;
}

// Displacement j (0..5) of input node k.
inline double disp(const Solver& s, int k, int j) { return s.D[6 * (s.NEWNO[k] - 1) + j + 1]; }

using test_support::TempDir;

// Runs the solver in the folder; returns the exit status.
inline int run_in(const TempDir& dir, std::string* console = nullptr, std::string* err = nullptr) {
    std::ostringstream out, e;
    int rc = veltosol::run(dir.path(), out, e);
    if (console) *console = out.str();
    if (err) *err = e.str();
    return rc;
}

// The bytes of a file of the tests' testdata folder.
inline std::string fixture(const char* name) {
    return test_support::read_bytes(std::string(SOLVER_TESTDATA) + "/" + name);
}

// Lines of a CR LF text, without their line ends.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> v;
    std::size_t p = 0;
    while (p < text.size()) {
        std::size_t q = text.find("\r\n", p);
        if (q == std::string::npos) {
            v.push_back(text.substr(p));
            break;
        }
        v.push_back(text.substr(p, q - p));
        p = q + 2;
    }
    return v;
}

}  // namespace veltosol::testing
