// The solver's seven files and its console listing.
//
// Every file is opened create-if-absent and is not truncated on opening; a
// result file is emptied at its first write, so a run that stops early leaves
// the files it never wrote to as an earlier run left them, and a complete run
// leaves no line of an earlier one.
#pragma once

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
    // Whole content as it stands on disk (used for the input file).
    std::string read_all();
    void write(std::string_view s) {
        buf_.append(s);
        if (buf_.size() >= kFlushSize) flush();
    }
    // Writes what is buffered; the first flush empties the file. Throws RunError.
    void flush();
    // Flushes and closes. Throws RunError on a failed write or close.
    void close();
    // Flushes and closes, swallowing errors (used while a run is failing).
    void close_quietly() noexcept;

private:
    static constexpr std::size_t kFlushSize = 1 << 20;
    int fd_ = -1;
    bool emptied_ = false;
    std::string buf_;
    std::string name_;
};

struct FileSet {
    ResultFile in, out, sta, max, lst, dsp, zlv;
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

    void open_all(const std::filesystem::path& dir);
    void close_all();
    void close_all_quietly() noexcept;
};

}  // namespace veltosol
