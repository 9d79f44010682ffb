// libFuzzer target: the fuzz input becomes VELTOSOL.IN and the whole solver
// runs on it. Every outcome the solver reports (exit status, diagnostic) is
// fine; what counts is that it never crashes, hangs, leaks or trips a sanitizer.
#include <cstddef>
#include <cstdint>
#include <ostream>

#include "solver.h"
#include "testing/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A private scratch folder for this process, made on the first input.
    static const test_support::TempDir scratch("fuzz_solver");
    scratch.write("VELTOSOL.IN", data, size);

    std::ostream null_out(nullptr);  // listing and diagnostics are dropped
    veltosol::run(scratch.path(), null_out, null_out);
    return 0;
}
