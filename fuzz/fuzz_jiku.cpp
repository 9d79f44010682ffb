// libFuzzer target: the fuzz input is an axis data file (".jik"). It is read
// from a file and from memory, which must agree; with the read the bounds are
// widened, bar solids go to "TRIO.DAT" and the tally to "Youseki.dat" in a
// scratch folder. A read that succeeds gets the main window's upkeep, is
// written again as axis data, and that text is read back: when the second
// read succeeds it holds every member of the first. Refusals are fine; what
// counts is that nothing crashes, reads or writes out of bounds, or trips a
// sanitizer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "files/jiku_file.h"
#include "generator/jiku_data.h"
#include "model/maintenance.h"
#include "render/solid.h"
#include "render/view_params.h"
#include "testing/temp_dir.h"

namespace {

using namespace tarvik;

class SilentMessages : public model::MessageService {
  public:
    void show_message(std::string_view) override {}
    bool ask_yes_no(std::string_view) override { return true; }
};

// The tables are large; each store serves every input, emptied by its
// counts as the program empties it.
model::ModelStore& empty_store(int k) {
    static std::unique_ptr<model::ModelStore> stores[3] = {std::make_unique<model::ModelStore>(),
                                                           std::make_unique<model::ModelStore>(),
                                                           std::make_unique<model::ModelStore>()};
    model::ModelStore& m = *stores[k];
    m.N_Node = m.N_Beam = m.N_Size = m.N_Mat = m.N_Fix = m.N_Load = 0;
    m.node_table_changed();
    return m;
}

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_jiku: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const test_support::TempDir scratch("fuzz_jiku");
    const std::string dir = scratch.path().string();
    const std::string path = dir + "/in.jik";
    scratch.write("in.jik", data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SilentMessages msg;

    model::ModelStore& m = empty_store(0);
    render::ModelBox box;
    box.reset();
    render::SolidModel solid(dir);
    const bool solids = render::begin_trio_file(solid, msg) == 0;
    generator::JikuRead r;
    r.box = &box;
    r.solid = solids ? &solid : nullptr;
    r.directory = dir;
    const int lines = generator::load_jiku_data(m, path, r, msg);
    if (solids) render::end_trio_file(solid, msg);

    model::ModelStore& same = empty_store(1);
    generator::JikuRead r2;
    r2.directory = dir;
    check(generator::read_jiku_text(same, text, path, r2, msg) == lines, "text read differs");
    check(same.N_Beam == m.N_Beam && same.N_Node == m.N_Node, "text read stores otherwise");
    check(r2.tally.size() == r.tally.size(), "text read tallies otherwise");
    check(r.tally.size() <= static_cast<size_t>(generator::kMaxTakasa), "tally past its table");
    if (lines < 0) return 0;

    if (model::check_size(m, msg) == 0) {
        model::assign_materials(m);
        model::save_level_name(m, msg);
    }
    const std::string again = files::format_jiku_file(m, {});
    model::ModelStore& back = empty_store(2);
    generator::JikuRead r3;
    r3.directory = dir;
    if (generator::read_jiku_text(back, again, path, r3, msg) >= 0)
        check(back.N_Beam == m.N_Beam, "written members read back otherwise");
    return 0;
}
