// The solver's seven files and its console listing.
//
// The input is opened for reading only; when it is absent an empty one is
// created, so that the first read fails with end of file. The progress trace
// VELTOSOL.MAX is written in place (opened without truncation, emptied at its
// first write), so that it shows how far a failed run came. The five result
// files are written to temporaries beside them ("VELTOSOL.LST.tmp") and
// replace the earlier ones only when the run is complete: all five then get
// one modification time, to the nanosecond, and are renamed into place. A run
// that stops early removes its temporaries and leaves the earlier set whole;
// a reader that finds files of different times has a set that a killed run
// left half replaced, or files of different runs.
#pragma once

#include <ctime>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

namespace veltosol {

class ResultFile {
public:
    ResultFile() = default;
    ResultFile(const ResultFile&) = delete;
    ResultFile& operator=(const ResultFile&) = delete;
    ~ResultFile();

    // Opens (creating when absent) without truncating. Throws RunError.
    void open(const std::filesystem::path& path, std::string name);
    // Opens the temporary beside path, emptied, to replace path at commit().
    void open_replacement(const std::filesystem::path& path, std::string name);
    // Flushes and closes, sets the modification time of a replacement to
    // stamp and renames it over its file. Throws RunError.
    void commit(const struct timespec& stamp);
    void write(std::string_view s) {
        buf_.append(s);
        if (buf_.size() >= kFlushSize) flush();
    }
    // Writes what is buffered; the first flush empties the file. Throws RunError.
    void flush();
    // Flushes and closes. Throws RunError on a failed write or close.
    void close();
    // Flushes and closes, swallowing errors, and removes a replacement's
    // temporary (used while a run is failing).
    void close_quietly() noexcept;

private:
    static constexpr std::size_t kFlushSize = 1 << 20;
    int fd_ = -1;
    bool emptied_ = false;
    std::string buf_;
    std::string name_;
    std::filesystem::path path_, temp_;  // temp_ empty: written in place
};

// Far more than the largest model the tables hold needs (3000 nodes, members
// and loads take about 2 MB even with every real written to 17 digits), and
// small enough that an input without an end (a link to /dev/zero, a pipe) is
// refused before it can exhaust the memory.
inline constexpr std::size_t kMaxInputBytes = std::size_t{64} << 20;

// The whole input file, opened read-only (an absent one is created empty).
// Throws RunError: not openable or readable, or longer than kMaxInputBytes.
std::string read_input(const std::filesystem::path& path, const std::string& name);

struct FileSet {
    ResultFile out, sta, max, lst, dsp, zlv;
    std::ostream* console = nullptr;

    // A listing line for VELTOSOL.OUT and standard output.
    void both(std::string_view s) {
        out.write(s);
        console_only(s);
    }
    void console_only(std::string_view s) {
        if (console) console->write(s.data(), static_cast<std::streamsize>(s.size()));
    }
    void trace(std::string_view s) { max.write(s); }

    // Reads VELTOSOL.IN and opens the result files and the trace.
    std::string open_all(const std::filesystem::path& dir);
    // Ends a complete run: closes the trace and puts the result files in place.
    void close_all();
    // Ends a failed run: the trace keeps what it has, the result files their
    // earlier content.
    void close_all_quietly() noexcept;
};

}  // namespace veltosol
