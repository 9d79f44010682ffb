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
