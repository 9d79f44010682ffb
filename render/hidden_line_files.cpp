// The file side of the hidden-line image: "VIEW.DAT" and "VECT.DAT" read by
// large blocks and decoded in place (large files by the fast routine's
// workers, each its share), the lines drawn and written to "TEMP.DAT".
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <span>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/spy.h"
#include "render/draw.h"
#include "render/hidden_line.h"
#include "render/hidden_line_parts.h"
#include "render/solid.h"

namespace tarvik::render {
namespace {

// "TEMP.DAT" is written over in place and cut at the end of what was written
// when it is closed, instead of being emptied when it is opened: ext4 flushes
// a file that was emptied and written again as soon as it is closed, and
// emptying it the next time waits for that flush, half a millisecond and more
// each time the image is built. The file ends as if it had been emptied.
std::FILE* open_rewritten(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) ::close(fd);
    return f;
}

// Cuts a file of open_rewritten at the end of what was written (a regular
// file only: a device or a pipe is left as it is) and closes it; false when
// anything written did not arrive.
bool close_rewritten(std::FILE* f) {
    bool ok = std::fflush(f) == 0 && std::ferror(f) == 0;
    struct stat st;
    if (::fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode)) {
        const off_t end = ::ftello(f);
        if (end < 0)
            ok = false;
        else if (st.st_size > end)
            ok = ::ftruncate(fileno(f), end) == 0 && ok;
    }
    return std::fclose(f) == 0 && ok;
}

// Length of an open file from its start, or -1.
long file_size(std::FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(f);
    std::rewind(f);
    return size;
}

// Bytes of the buffer the view files are read through: whole records of
// both files (816 = 3 * 272 = 17 * 48), few enough to stay in the cache
// between the read and the decoding, many enough that reads are few.
constexpr size_t kReadBufferSize = 256 * 816;
static_assert(kReadBufferSize % kTrioRecordSize == 0 && kReadBufferSize % kVectRecordSize == 0);

// Reads up to limit bytes of f through buf (kReadBufferSize bytes), a large
// block per read, and hands each whole record of rec bytes to take, in order.
// The bytes read.
template <class Take>
size_t read_records(std::FILE* f, unsigned char* buf, size_t rec, size_t limit, Take&& take) {
    size_t total = 0;
    while (total < limit) {
        const size_t want = std::min(kReadBufferSize, limit - total);
        const size_t got = std::fread(buf, 1, want, f);
        total += got;
        for (size_t off = 0; off + rec <= got; off += rec) take(buf + off);
        if (got < want) break;
    }
    return total;
}

// Fewest records worth reading on a worker of their own.
constexpr size_t kMinRecordsPerPart = 4096;

// What the records of one file give.
struct RecordsRead {
    size_t count = 0;    // whole records read, from the first on
    long long bad = 0;   // number of the first record that cannot be drawn, or 0
    bool short_read = false;  // the file gave fewer than count_wanted
};

// Reads the first count_wanted records of rec bytes of the file behind fd,
// each checked by ok and decoded by decode into out[its number - 1] (room for
// count_wanted, unset), shared among up to threads workers, each reading its
// share at its place with its own buffer. As the one-block-after-another
// reader would: the records up to the first that could not be read, and the
// first of them that is bad.
template <class T, class Ok, class Decode>
RecordsRead read_records_in_parts(int fd, size_t rec, size_t count_wanted, unsigned threads,
                                  T* out, Ok&& ok, Decode&& decode) {
    const unsigned parts = detail::split_parts(count_wanted, threads, kMinRecordsPerPart);
    std::vector<RecordsRead> got(parts);
    detail::run_parts(count_wanted, threads, kMinRecordsPerPart,
                      [&](size_t first, size_t last, unsigned part) {
        std::unique_ptr<unsigned char[]> buf(new unsigned char[kReadBufferSize]);
        RecordsRead& g = got[part];
        size_t i = first;
        while (i < last) {
            const size_t want = std::min(kReadBufferSize / rec, last - i) * rec;
            size_t have = 0;
            while (have < want) {
                const ssize_t r = ::pread(fd, buf.get() + have, want - have,
                                          static_cast<off_t>(i * rec + have));
                if (r < 0 && errno == EINTR) continue;
                if (r <= 0) break;
                have += static_cast<size_t>(r);
            }
            for (size_t off = 0; off + rec <= have; off += rec, ++i) {
                if (g.bad == 0 && !ok(buf.get() + off)) g.bad = static_cast<long long>(i) + 1;
                out[i] = decode(buf.get() + off);
            }
            if (have < want) {
                g.short_read = true;
                break;
            }
        }
        g.count = i - first;
    });
    RecordsRead all;
    for (const RecordsRead& g : got) {
        if (all.bad == 0) all.bad = g.bad;
        all.count += g.count;
        if (g.short_read) {
            all.short_read = true;
            break;
        }
    }
    return all;
}

// The test's triangle from a "VIEW.DAT" record in place: the same numbers as
// hidden_triangle(decode_view(r)).
HiddenTriangle view_geometry(const unsigned char* rec) {
    double g[kViewGeometryCount];
    decode_f64s(rec + kViewEyeOffset, g, kViewGeometryCount);
    HiddenTriangle t;
    for (int k = 0; k < 3; ++k) t.E[k] = {g[3 * k], g[3 * k + 1], g[3 * k + 2]};
    t.n = {g[9], g[10], g[11]};
    t.h = g[12];
    return t;
}

}  // namespace

int make_pers(const ViewWindow& w, Canvas* c, const SolidModel& s, const ViewParams& p,
              model::MessageService& msg, HiddenLineMethod method, ImageBounds* bounds,
              unsigned workers) {
    model::spy("Enter make_pers()");
    struct Closer {
        void operator()(std::FILE* f) const {
            if (f) std::fclose(f);
        }
    };
    using File = std::unique_ptr<std::FILE, Closer>;
    struct RewrittenCloser {
        void operator()(std::FILE* f) const {
            if (f) close_rewritten(f);
        }
    };
    File vect(std::fopen(s.path(kVectFileName).c_str(), "rb"));
    if (!vect) {
        msg.show_message(kMsgVectOpen01);
        return -1;
    }
    std::unique_ptr<std::FILE, RewrittenCloser> temp(open_rewritten(s.path(kTempFileName)));
    if (!temp) {
        msg.show_message(kMsgTempOpen01);
        return -1;
    }
    const TempHeaderBytes hb = encode_temp_header(temp_header_of(w));
    bool written = std::fwrite(hb.data(), 1, hb.size(), temp.get()) == hb.size();

    File view(std::fopen(s.path(kViewFileName).c_str(), "rb"));
    if (!view) {
        msg.show_message(kMsgViewOpen01);
        return -1;
    }
    const long view_size = file_size(view.get());
    const long vect_size = file_size(vect.get());
    if (view_size < 0) {
        msg.show_message(kMsgReadError);
        return -1;
    }
    // One buffer for both files and the lines, taken once and never cleared:
    // each file comes in by large blocks, decoded where they lie.
    std::unique_ptr<unsigned char[]> buf(new (std::nothrow) unsigned char[kReadBufferSize]);
    if (!buf) {
        msg.show_message(kMsgNoMemory);
        return -1;
    }
    // A record that cannot be drawn refuses its file; the first one is named.
    long long bad = 0;
    std::vector<HiddenTriangle> tris;
    std::vector<VectRecord> edges;
    // The workers' records: the room is left unset and first touched by
    // the worker that fills it, not cleared first on one thread.
    std::unique_ptr<HiddenTriangle[]> tris_room;
    std::unique_ptr<VectRecord[]> edges_room;
    std::span<const HiddenTriangle> tris_read;
    std::span<const VectRecord> edges_read;
    // Large files are read by the fast routine's workers, each its share.
    const unsigned threads =
        method == HiddenLineMethod::kPlain ? 1u : workers == 0 ? hidden_line_workers() : workers;
    const size_t view_count = static_cast<size_t>(view_size) / kTrioRecordSize;
    if (threads > 1 && vect_size >= 0 &&
        view_count + static_cast<size_t>(vect_size) / kVectRecordSize >= 2 * kMinRecordsPerPart) {
        RecordsRead v, e;
        try {
            tris_room = std::make_unique_for_overwrite<HiddenTriangle[]>(view_count);
            v = read_records_in_parts(fileno(view.get()), kTrioRecordSize, view_count, threads,
                                      tris_room.get(), view_record_ok, view_geometry);
            if (!v.short_read && v.bad == 0) {
                const size_t vect_count = static_cast<size_t>(vect_size) / kVectRecordSize;
                edges_room = std::make_unique_for_overwrite<VectRecord[]>(vect_count);
                e = read_records_in_parts(
                    fileno(vect.get()), kVectRecordSize, vect_count, threads, edges_room.get(),
                    vect_record_ok, [](const unsigned char* r) { return decode_vect(r); });
            }
        } catch (const std::bad_alloc&) {
            msg.show_message(kMsgNoMemory);
            return -1;
        }
        if (v.short_read) {
            msg.show_message(kMsgReadError);
            return -1;
        }
        if (v.bad != 0 || e.bad != 0) {
            msg.show_message(
                bad_record_message(s.path(v.bad != 0 ? kViewFileName : kVectFileName),
                                   v.bad != 0 ? v.bad : e.bad));
            return -1;
        }
        tris_read = {tris_room.get(), v.count};
        edges_read = {edges_room.get(), e.count};
    } else {
        tris.reserve(view_count);
        const size_t view_got =
            read_records(view.get(), buf.get(), kTrioRecordSize, static_cast<size_t>(view_size),
                         [&](const unsigned char* r) {
                             if (bad == 0 && !view_record_ok(r))
                                 bad = static_cast<long long>(tris.size()) + 1;
                             tris.push_back(view_geometry(r));
                         });
        if (view_got < static_cast<size_t>(view_size)) {
            msg.show_message(kMsgReadError);
            return -1;
        }
        if (bad != 0) {
            msg.show_message(bad_record_message(s.path(kViewFileName), bad));
            return -1;
        }
        // Whole records only, as far as the file could be read.
        if (vect_size > 0) edges.reserve(static_cast<size_t>(vect_size) / kVectRecordSize);
        read_records(vect.get(), buf.get(), kVectRecordSize, SIZE_MAX,
                     [&](const unsigned char* r) {
                         if (bad == 0 && !vect_record_ok(r))
                             bad = static_cast<long long>(edges.size()) + 1;
                         edges.push_back(decode_vect(r));
                     });
        if (bad != 0) {
            msg.show_message(bad_record_message(s.path(kVectFileName), bad));
            return -1;
        }
        tris_read = tris;
        edges_read = edges;
    }
    view.reset();
    vect.reset();

    const std::vector<TempLine> lines =
        detail::hidden_lines_of(tris_read, edges_read, tolerances_of(p), method, workers);
    ImageBounds ib;
    if (c) set_pen(*c, kSolid, 1, kBlack);
    for (const TempLine& l : lines) {
        const double xs[2] = {l.xs, l.xl}, ys[2] = {l.ys, l.yl};
        for (int k = 0; k < 2; ++k) {
            if (ib.empty) {
                ib = {xs[k], ys[k], xs[k], ys[k], false};
            } else {
                ib.xmin = std::min(ib.xmin, xs[k]);
                ib.xmax = std::max(ib.xmax, xs[k]);
                ib.ymin = std::min(ib.ymin, ys[k]);
                ib.ymax = std::max(ib.ymax, ys[k]);
            }
        }
        if (c) {
            draw_to(w, *c, l.xs, l.ys, kPenMove);
            draw_to(w, *c, l.xl, l.yl, kPenDraw);
        }
    }
    // The lines go out by large blocks, encoded in the buffer.
    constexpr size_t kLinesPerBlock = kReadBufferSize / kTempLineSize;
    for (size_t i = 0; i < lines.size() && written; i += kLinesPerBlock) {
        const size_t n = std::min(kLinesPerBlock, lines.size() - i);
        for (size_t k = 0; k < n; ++k) {
            const TempLine& l = lines[i + k];
            const float f[4] = {l.xs, l.ys, l.xl, l.yl};
            encode_f32s(f, buf.get() + k * kTempLineSize, 4);
        }
        written = std::fwrite(buf.get(), 1, n * kTempLineSize, temp.get()) == n * kTempLineSize;
    }
    if (bounds) *bounds = ib;
    const bool closed = close_rewritten(temp.release());
    if (!written || !closed) {
        msg.show_message(kMsgTempWrite);
        return -1;
    }
    model::spy("make_pers %d edges %zu lines", static_cast<int>(edges_read.size()), lines.size());
    return 0;
}

}  // namespace tarvik::render
