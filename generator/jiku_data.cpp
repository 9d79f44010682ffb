#include "generator/jiku_data.h"

namespace tarvik::generator {

int load_jiku_data(model::ModelStore&, const std::string&, JikuRead&, model::MessageService&) {
    return -1;
}
int read_jiku_text(model::ModelStore&, std::string_view, const std::string&, JikuRead&,
                   model::MessageService&) {
    return -1;
}
std::string format_youseki(const std::vector<HeightClass>&, int) { return {}; }

}  // namespace tarvik::generator
