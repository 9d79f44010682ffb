// Helpers shared by the view tests: a scratch folder and a captured trace.
#pragma once

#include <string>

#include "model/spy.h"
#include "testing/temp_dir.h"

namespace tarvik::testing {

using test_support::read_bytes;
using test_support::TempDir;

// Captures the trace while it lives.
class TraceCapture {
  public:
    TraceCapture() { model::spy_open(dir_.file("SPY.TXT")); }
    ~TraceCapture() { model::spy_close(); }
    std::string text() const { return read_bytes(dir_.file("SPY.TXT")); }

  private:
    TempDir dir_;
};

}  // namespace tarvik::testing
