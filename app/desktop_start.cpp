#include "app/desktop_start.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tarvik_version.h"

namespace tarvik::app {

std::string version_line(const std::string& program) {
    return program + " " + TARVIK_VERSION + " (built " + TARVIK_BUILD_DATE + ")";
}

std::string about_text() {
    return std::string("Tarvik 木造立体骨組の設計と解析\nバージョン ") + TARVIK_VERSION +
           "\nビルド日 " + TARVIK_BUILD_DATE;
}

std::string desktop_work_folder(const char* xdg_data_home, const char* home) {
    if (xdg_data_home && xdg_data_home[0] == '/') return std::string(xdg_data_home) + "/tarvik";
    if (home && home[0] == '/') return std::string(home) + "/.local/share/tarvik";
    return {};
}

bool enter_work_folder(const std::string& folder, std::string& error) {
    if (folder.empty()) {
        error = "no working folder: neither XDG_DATA_HOME nor HOME is set";
        return false;
    }
    // Each missing folder along the path is made in turn; one that exists is
    // left as it is.
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "cannot create " + part + ": " + std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos) break;
    }
    if (::chdir(folder.c_str()) != 0) {
        error = "cannot enter " + folder + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace tarvik::app
