#include "analysis/solver_run.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "analysis/result_tables.h"
#include "analysis/text_scan.h"

extern char** environ;

namespace tarvik::analysis {
namespace {

// The part of the solver's standard error that is kept: its diagnostic is one
// line; more is not a message for a dialogue.
constexpr size_t kMaxDiagnostic = 64 * 1024;

bool is_executable(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// Lines of a text, without their CR LF.
std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The integers of one line; false when a token is not one.
bool line_ints(const std::string& line, std::vector<int>& v) {
    v.clear();
    TextScan in(line);
    std::string_view tok;
    TextScan probe(line);
    while (probe.next_token(tok)) {
        int x = 0;
        if (!in.next_int(x)) return false;
        v.push_back(x);
    }
    return true;
}

// Lines a list of n values takes at per values a line: an empty list still
// writes its one empty line. 64-bit: n may be twice a count read from the file.
long long list_lines(long long n, long long per) {
    return n <= 0 ? 1 : (n + per - 1) / per;
}

}  // namespace

std::string find_solver(const std::string& cDirectory, const std::string& program_dir,
                        const std::string& install_dir) {
    // A solver put into the working folder wins; then the one installed or
    // built beside the program; then the one of the configured installation.
    for (const std::string* dir : {&cDirectory, &program_dir, &install_dir}) {
        if (dir->empty()) continue;
        const std::string path = *dir + "/" + kSolverProgram;
        if (is_executable(path)) return path;
    }
    return {};
}

SolverRun run_solver(const std::string& solver_path, const std::string& cDirectory) {
    SolverRun r;
    if (solver_path.empty()) return r;
    // The child changes its folder before it starts the program: a relative
    // path would then name another file.
    char* real = ::realpath(solver_path.c_str(), nullptr);
    if (!real) return r;
    const std::string solver(real);
    std::free(real);
    // The diagnostic comes through a pipe, not through a file in the working
    // folder: it must reach the user also when that folder's disk is full.
    int err_pipe[2];
    if (::pipe2(err_pipe, O_CLOEXEC) != 0) return r;

    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    // The listing also goes to standard output; the files hold it already.
    posix_spawn_file_actions_addopen(&fa, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&fa, err_pipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&fa, cDirectory.c_str());

    std::vector<char> arg0(solver.begin(), solver.end());
    arg0.push_back('\0');
    char* argv[] = {arg0.data(), nullptr};
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    const int rc = posix_spawn(&pid, solver.c_str(), &fa, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&fa);
    ::close(err_pipe[1]);
    if (rc != 0) {
        ::close(err_pipe[0]);
        return r;
    }
    r.started = true;

    // Read to the end before waiting, so that a long diagnostic cannot block
    // the solver on a full pipe; the last kMaxDiagnostic bytes are kept, as
    // the line that ends a run comes last.
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(err_pipe[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        r.diagnostic.append(chunk, static_cast<size_t>(n));
        if (r.diagnostic.size() > 2 * kMaxDiagnostic)
            r.diagnostic.erase(0, r.diagnostic.size() - kMaxDiagnostic);
    }
    ::close(err_pipe[0]);
    if (r.diagnostic.size() > kMaxDiagnostic)
        r.diagnostic.erase(0, r.diagnostic.size() - kMaxDiagnostic);

    int status = 0;
    pid_t w;
    do {
        w = ::waitpid(pid, &status, 0);
    } while (w < 0 && errno == EINTR);
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (w == pid && WIFEXITED(status)) {
        r.exited = true;
        r.status = WEXITSTATUS(status);
    } else if (w == pid && WIFSIGNALED(status)) {
        r.signal = WTERMSIG(status);
    }
    // A spawn whose program could not be executed in the child ends with 127
    // and nothing on standard error: that is a start failure.
    if (r.exited && r.status == 127 && r.diagnostic.empty()) r.started = false;
    return r;
}

int sta_near_zero_count(const std::string& sta) {
    const std::vector<std::string> lines = split_lines(sta);
    size_t at = 0;
    std::vector<int> v;
    auto next = [&](std::vector<int>& into) {
        if (at >= lines.size()) return false;
        return line_ints(lines[at++], into);
    };
    // A count of a damaged or foreign file may be negative or absurd: nothing
    // beyond the lines the text holds is skipped, so no sum can overflow.
    auto skip = [&](long long n) {
        if (n < 0 || n > static_cast<long long>(lines.size() - at)) return false;
        at += static_cast<size_t>(n);
        return true;
    };
    // Structure: counts, member ends, coordinates, axes, pins, end releases.
    if (!next(v) || v.size() < 2) return -1;
    const long long nod = v[0], nel = v[1];
    if (nod < 0 || nel < 0) return -1;
    if (!skip(list_lines(2 * nel, 10)) || !skip(nod) || !skip(nel) || !skip(1) ||
        !skip(list_lines(2 * nel, 10)))
        return -1;
    // Restraint lists: a count, then the list when it is not empty.
    for (int k = 0; k < 6; ++k) {
        if (!next(v) || v.size() != 1) return -1;
        if (v[0] < 0 || (v[0] > 0 && !skip(list_lines(v[0], 10)))) return -1;
    }
    // Load lists: six counts on two lines, then one line per entry.
    long long entries = 0;
    for (int l = 0; l < 2; ++l) {
        if (!next(v)) return -1;
        for (int c : v) {
            if (c < 0) return -1;
            entries += c;  // each below 2^31, no more than the line holds
        }
    }
    if (!skip(entries) || !skip(1)) return -1;
    // The near-zero diagonals.
    if (!next(v) || v.size() != 1 || v[0] < 0) return -1;
    return v[0];
}

Stability check_stability(const std::string& cDirectory) {
    Stability s;
    std::string text;
    if (read_whole_file(cDirectory + "/" + kOutFileName, text)) {
        const size_t at = text.find("INSTABILITY ERROR");
        if (at != std::string::npos) {
            s.instability = true;
            const size_t eq = text.find("AT=", at);
            if (eq != std::string::npos) s.instability_at = std::atoi(text.c_str() + eq + 3);
        }
    }
    if (read_whole_file(cDirectory + "/" + kStaFileName, text)) {
        const int n = sta_near_zero_count(text);
        if (n > 0) s.near_zero_diagonals = n;
    }
    return s;
}

}  // namespace tarvik::analysis
