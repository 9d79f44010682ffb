// veltosol: solves the frame described by VELTOSOL.IN in the current directory.
#include <iostream>

#include "solver.h"

int main() {
    std::ios::sync_with_stdio(false);
    return veltosol::run(".", std::cout, std::cerr);
}
