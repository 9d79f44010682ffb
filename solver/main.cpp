// veltosol: solves the frame described by VELTOSOL.IN in the current directory.
#include <iostream>
#include <string>

#include "solver.h"
#include "tarvik_version.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << "veltosol " TARVIK_VERSION " (built " TARVIK_BUILD_DATE ")\n";
        return 0;
    }
    std::ios::sync_with_stdio(false);
    return veltosol::run(".", std::cout, std::cerr);
}
