// Sharing the edges of the hidden-line image among threads, and how many
// threads to use.
#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "render/hidden_line_parts.h"

namespace tarvik::render {
namespace detail {

void run_in_runs(size_t n, unsigned threads, size_t min_run,
                 const std::function<RangeRun()>& make_worker, std::vector<TempLine>& out) {
    const size_t run = std::max<size_t>(min_run, 1);
    const size_t runs = (n + run - 1) / run;
    if (threads <= 1 || runs <= 1) {
        make_worker()(0, n, out);
        return;
    }
    std::vector<std::vector<TempLine>> parts(runs);
    std::atomic<size_t> next{0};
    std::mutex failed_lock;
    std::exception_ptr failed;
    auto work = [&]() noexcept {
        try {
            const RangeRun run_range = make_worker();
            for (size_t r = next++; r < runs; r = next++)
                run_range(r * run, std::min(n, (r + 1) * run), parts[r]);
        } catch (...) {
            // Out of memory, say: the others stop at their next run.
            next = runs;
            std::lock_guard<std::mutex> hold(failed_lock);
            if (!failed) failed = std::current_exception();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads - 1);
    for (unsigned t = 1; t < threads && t < runs; ++t) {
        try {
            pool.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: fewer workers do it all
        }
    }
    work();
    for (std::thread& t : pool) t.join();
    if (failed) std::rethrow_exception(failed);
    size_t total = out.size();
    for (const auto& p : parts) total += p.size();
    out.reserve(total);
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
}

}  // namespace detail

unsigned hidden_line_workers() {
    // The processors of the machine; 0 when the library cannot tell.
    const int n = static_cast<int>(std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::clamp(n, 1, kMaxHiddenLineWorkers));
}

}  // namespace tarvik::render
