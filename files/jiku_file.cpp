#include "files/jiku_file.h"

namespace tarvik::files {

const char* jiku_group_comment(int) { return ""; }
double jiku_volume(float, float, float, float, float, float, float, float) { return 0.0; }
std::string format_jiku_file(const model::ModelStore&, JikuShift) { return {}; }
std::string format_jiku_members(const std::vector<JikuMember>&) { return {}; }
int save_jiku_file(const model::ModelStore&, const std::string&, JikuShift, model::MessageService&) {
    return -1;
}
int save_jiku_members(const std::vector<JikuMember>&, const std::string&, model::MessageService&) {
    return -1;
}

}  // namespace tarvik::files
