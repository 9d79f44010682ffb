// libFuzzer target: the unit field line of the axis data (thirteen numbers:
// task, units along x and y, unit size and height, five sections, origin).
// The line is parsed and, when it parses, the field is built into an empty
// model and into one that already holds it, as the generator does. Refusals
// (short line, a field beyond the member table) are fine; what counts is that
// nothing crashes, hangs or trips a sanitizer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "generator/bunkai_shazai.h"
#include "model/model_store.h"
#include "ui/message_service.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvik;
    // One line, as the axis data reader hands it over.
    if (size > 4096) return 0;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    generator::UnitField f;
    if (!generator::parse_unit_field(line, f)) return 0;
    (void)generator::field_member_count(f);

    ui::SilentMessages msg(true);
    // The tables are large; one store serves every input, emptied by its
    // counts as the program empties it.
    static const auto m = std::make_unique<model::ModelStore>();
    m->N_Node = m->N_Beam = m->N_Size = m->N_Mat = m->N_Fix = m->N_Load = 0;
    m->node_table_changed();
    generator::Box3 box;
    if (generator::bunkai_shazai(*m, line, box, msg) == 0)
        generator::bunkai_shazai(*m, f, box, msg);
    return 0;
}
