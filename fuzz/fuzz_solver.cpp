// libFuzzer target: the fuzz input becomes VELTOSOL.IN and the whole solver
// runs on it. Every outcome the solver reports (exit status, diagnostic) is
// fine; what counts is that it never crashes, hangs, leaks or trips a sanitizer.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

#include "solver.h"

namespace {

// A private scratch directory for this process, made on the first input and
// removed when the process ends normally (a crash leaves it for inspection).
class Scratch {
public:
    Scratch() {
        std::string tmpl = "/tmp/fuzz_solver.XXXXXX";
        if (!::mkdtemp(tmpl.data())) {
            std::perror("fuzz_solver: mkdtemp");
            std::abort();
        }
        dir_ = tmpl;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::filesystem::path& dir() const { return dir_; }

private:
    std::filesystem::path dir_;
};

const std::filesystem::path& scratch() {
    static const Scratch s;
    return s.dir();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& dir = scratch();
    std::FILE* in = std::fopen((dir / "VELTOSOL.IN").c_str(), "wb");
    if (!in) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, in) != size) std::abort();
    if (std::fclose(in) != 0) std::abort();

    std::ostream null_out(nullptr);  // listing and diagnostics are dropped
    veltosol::run(dir, null_out, null_out);
    return 0;
}
