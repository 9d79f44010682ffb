// A private scratch folder for one test or one fuzz process, removed with its
// contents when it goes out of scope (a crash leaves it for inspection). It is
// made under the system's temporary folder ($TMPDIR when set, else /tmp).
// Header-only and free of every library, so the solver's tests, the fuzz
// targets and the test folders of Tarvik all share this one.
#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

namespace test_support {

// The whole content of a file as bytes ("" when it cannot be read).
inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Writes bytes as the file, replacing it.
inline void write_bytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Runs write() with the process's file size limit at bytes and returns what
// it returns: a write past the limit then fails (EFBIG) instead of ending the
// process, which is how the tests make a disk fill up half way through a file.
template <class Write>
auto with_file_size_limit(rlim_t bytes, Write write) -> decltype(write()) {
    rlimit old{};
    if (::getrlimit(RLIMIT_FSIZE, &old) != 0) std::abort();
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0) std::abort();
    auto result = write();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);
    return result;
}

class TempDir {
  public:
    // prefix names the folder (prefix.XXXXXX) so that a leftover one tells
    // whose it is. A folder that cannot be made stops the process: nothing a
    // test or a fuzz target does afterwards would mean anything.
    explicit TempDir(const char* prefix = "tarvik_test") {
        std::string tmpl = (std::filesystem::temp_directory_path() / prefix).string() + ".XXXXXX";
        if (!::mkdtemp(tmpl.data())) {
            std::perror("scratch folder: mkdtemp");
            std::abort();
        }
        path_ = tmpl;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of a file in the folder.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    void write(const std::string& name, std::string_view bytes) const {
        write_bytes(file(name), bytes);
    }
    // The same for raw input, as a fuzz target gets it.
    void write(const std::string& name, const std::uint8_t* data, std::size_t size) const {
        write(name, std::string_view(reinterpret_cast<const char*>(data), size));
    }
    std::string read(const std::string& name) const { return read_bytes(file(name)); }
    bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }
    void remove(const std::string& name) const {
        std::error_code ec;
        std::filesystem::remove(path_ / name, ec);
    }

  private:
    std::filesystem::path path_;
};

}  // namespace test_support
