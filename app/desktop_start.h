// Start-up choices shared by the three programs' command lines: the version
// text and the working folder of a Tarvik started from the desktop menu.
#pragma once

#include <string>

namespace tarvik::app {

// "NAME VERSION (built DATE)", the line every program prints for --version.
std::string version_line(const std::string& program);

// What "バージョン情報" shows: the program, its version and its build date.
std::string about_text();

// The per-user working folder of a Tarvik started from the desktop menu:
// "$XDG_DATA_HOME/tarvik", or "$HOME/.local/share/tarvik" when XDG_DATA_HOME
// is unset, empty or not an absolute path (as the XDG base directory rules
// say). Empty when neither gives a folder.
std::string desktop_work_folder(const char* xdg_data_home, const char* home);

// Creates the folder (and its missing parents, private to the user) and makes
// it the current directory. False with the reason in error when it cannot.
bool enter_work_folder(const std::string& folder, std::string& error);

}  // namespace tarvik::app
