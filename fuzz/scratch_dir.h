// A private scratch folder for one fuzz process, for readers that take a
// folder or a path: made on the first input, removed when the process ends
// normally (a crash leaves it for inspection). It is made in $TMPDIR when set
// (a memory file system there spares the disk the writers' flushes), else in
// /tmp.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace tarvik::fuzzing {

class Scratch {
  public:
    explicit Scratch(const char* name) {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/" + name + ".XXXXXX";
        if (!::mkdtemp(tmpl.data())) {
            std::perror("fuzz: mkdtemp");
            std::abort();
        }
        dir_ = tmpl;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::filesystem::path& dir() const { return dir_; }

    // Writes size bytes as the file name of the folder, replacing it.
    void put(const char* name, const std::uint8_t* data, std::size_t size) const {
        std::FILE* f = std::fopen((dir_ / name).c_str(), "wb");
        if (!f) std::abort();
        if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
        if (std::fclose(f) != 0) std::abort();
    }
    void remove(const char* name) const {
        std::error_code ec;
        std::filesystem::remove(dir_ / name, ec);
    }

  private:
    std::filesystem::path dir_;
};

}  // namespace tarvik::fuzzing
