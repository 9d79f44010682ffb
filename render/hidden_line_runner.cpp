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
    const size_t least = std::max<size_t>(min_run, 1);
    if (threads <= 1 || n <= least) {
        make_worker()(0, n, out);
        return;
    }
    // Runs shrink as the work left does: a worker takes a share of what is
    // left, large at first, down to least at the end, so that the workers
    // end close together however unevenly the items cost.
    std::atomic<size_t> next{0};
    auto take = [&](size_t& first, size_t& last) {
        size_t at = next.load(std::memory_order_relaxed);
        while (at < n) {
            const size_t left = n - at;
            const size_t len = std::min(left, std::max(least, left / (2 * size_t{threads})));
            if (next.compare_exchange_weak(at, at + len, std::memory_order_relaxed)) {
                first = at;
                last = at + len;
                return true;
            }
        }
        return false;
    };
    struct Run {
        size_t first;
        std::vector<TempLine> lines;
    };
    std::vector<std::vector<Run>> done(threads);
    std::mutex failed_lock;
    std::exception_ptr failed;
    auto work = [&](unsigned w) noexcept {
        try {
            const RangeRun run_range = make_worker();
            size_t first = 0, last = 0;
            while (take(first, last)) {
                done[w].push_back({first, {}});
                run_range(first, last, done[w].back().lines);
            }
        } catch (...) {
            // Out of memory, say: the others stop at their next run.
            next = n;
            std::lock_guard<std::mutex> hold(failed_lock);
            if (!failed) failed = std::current_exception();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads - 1);
    for (unsigned t = 1; t < threads; ++t) {
        try {
            pool.emplace_back(work, t);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: fewer workers do it all
        }
    }
    work(0);
    for (std::thread& t : pool) t.join();
    if (failed) std::rethrow_exception(failed);
    // Each worker's runs are in order; the runs of all are joined by their
    // first item.
    std::vector<const Run*> runs;
    size_t total = out.size();
    for (const auto& d : done)
        for (const Run& r : d) {
            runs.push_back(&r);
            total += r.lines.size();
        }
    std::sort(runs.begin(), runs.end(),
              [](const Run* a, const Run* b) { return a->first < b->first; });
    out.reserve(total);
    for (const Run* r : runs) out.insert(out.end(), r->lines.begin(), r->lines.end());
}

unsigned split_parts(size_t n, unsigned threads, size_t min_part) {
    const size_t most = n / std::max<size_t>(min_part, 1);
    return static_cast<unsigned>(std::clamp<size_t>(most, 1, std::max(threads, 1u)));
}

void run_parts(size_t n, unsigned threads, size_t min_part, const PartRun& fn) {
    const unsigned parts = split_parts(n, threads, min_part);
    auto first = [&](unsigned p) { return n * p / parts; };
    if (parts <= 1) {
        fn(0, n, 0);
        return;
    }
    std::mutex failed_lock;
    std::exception_ptr failed;
    auto work = [&](unsigned p) noexcept {
        try {
            fn(first(p), first(p + 1), p);
        } catch (...) {
            std::lock_guard<std::mutex> hold(failed_lock);
            if (!failed) failed = std::current_exception();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(parts - 1);
    unsigned p = 1;
    for (; p < parts; ++p) {
        try {
            pool.emplace_back(work, p);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the rest run here
        }
    }
    work(0);
    for (; p < parts; ++p) work(p);
    for (std::thread& t : pool) t.join();
    if (failed) std::rethrow_exception(failed);
}

}  // namespace detail

unsigned hidden_line_workers() {
    // The processors of the machine; 0 when the library cannot tell.
    const int n = static_cast<int>(std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::clamp(n, 1, kMaxHiddenLineWorkers));
}

}  // namespace tarvik::render
