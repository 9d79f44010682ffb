// libFuzzer target: the fuzz input is read as a structure data (.man) text,
// then the model upkeep and both writers run on whatever was read. Refusals
// and short reads are fine; what counts is that nothing crashes, reads or
// writes out of bounds, or trips a sanitizer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "files/honegumi.h"
#include "files/tegaki.h"
#include "model/maintenance.h"
#include "ui/message_service.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvik;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ui::SilentMessages msg(true);
    auto store = std::make_unique<model::ModelStore>();
    model::ModelStore& m = *store;

    if (files::read_tegaki_text(m, text, msg) != 0) return 0;
    // Read again on top: fields a short text does not reach keep old values.
    files::read_tegaki_text(m, text, msg);

    model::name_nodes_by_box(m);
    if (model::check_all_beam(m) == 1) {
        if (model::check_size(m, msg) == 0) {
            model::assign_materials(m);
            model::save_level_name(m, msg);
        }
    }
    model::load_old_node(m);
    (void)files::format_honegumi(m);
    (void)files::format_tegaki(m);
    model::find_or_add_node(m, 0.0f, 0.0f, 0.0f, msg);
    if (m.N_Beam > 0) model::del_beam(m, 0);
    return 0;
}
