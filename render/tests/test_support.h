// Helpers shared by the view tests: a scratch folder and a captured trace.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "model/spy.h"

namespace tarvik::testing {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchDir {
  public:
    ScratchDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "render_test_XXXXXX").string();
        path_ = mkdtemp(tmpl.data()) ? tmpl : std::string();
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline std::string read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Captures the trace while it lives.
class TraceCapture {
  public:
    TraceCapture() { model::spy_open(dir_.file("SPY.TXT")); }
    ~TraceCapture() { model::spy_close(); }
    std::string text() const { return read_all(dir_.file("SPY.TXT")); }

  private:
    ScratchDir dir_;
};

}  // namespace tarvik::testing
