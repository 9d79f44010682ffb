// make_solver_models DIR [RING LEVELS]: writes DIR/floor/VELTOSOL.IN and
// DIR/tower/VELTOSOL.IN and prints the size of each model. RING and LEVELS
// override the tower's shape (for sizing it against the stiffness store).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "solver_models.h"

namespace fs = std::filesystem;

namespace {

bool write_model(const fs::path& dir, const char* label, const solver_models::FrameModel& m) {
    const int most = solver_models::max_neighbours(m);
    std::printf("%-6s nodes %5zu  members %5zu  supports %3zu  loads %4zu  max neighbours %d\n",
                label, m.nodes.size(), m.members.size(), m.supports.size(), m.loads.size(),
                most);
    if (most > 8 || m.nodes.size() > 3000 || m.members.size() > 3000 || m.supports.size() > 100) {
        std::fprintf(stderr, "make_solver_models: the %s model is beyond the solver's tables\n",
                     label);
        return false;
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    std::ofstream out(dir / "VELTOSOL.IN", std::ios::binary | std::ios::trunc);
    out << solver_models::to_input(m);
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_solver_models: cannot write %s\n",
                     (dir / "VELTOSOL.IN").c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: make_solver_models DIR [RING LEVELS]\n");
        return 2;
    }
    const fs::path root = argv[1];
    solver_models::TowerOptions tower;
    if (argc == 4) {
        tower.ring = std::atoi(argv[2]);
        tower.levels = std::atoi(argv[3]);
        if (tower.ring < 3 || tower.levels < 1) {
            std::fprintf(stderr, "make_solver_models: RING must be at least 3, LEVELS at least 1\n");
            return 2;
        }
    }
    bool ok = write_model(root / "floor", "floor", solver_models::space_floor());
    ok = write_model(root / "tower", "tower", solver_models::lattice_tower(tower)) && ok;
    return ok ? 0 : 1;
}
