// Where the program keeps its two files.
#pragma once

#include "store/diagnostics.h"

#include <filesystem>
#include <string>

namespace stk {

// The user's folders, as the environment gives them.
struct UserDirs {
    std::string xdg_config_home;  // XDG_CONFIG_HOME, may be empty
    std::string home;             // HOME, may be empty
    static UserDirs from_environment();
};

// The folder of the parameter and translation files. A copy whose folder the
// user can write to (a portable copy, or a build) keeps them beside the
// executable. An installed copy in a folder the user cannot write to would
// lose every user's fields at every close: it keeps them in the user's
// configuration folder instead ($XDG_CONFIG_HOME/stk_secu, or
// ~/.config/stk_secu). A file missing there starts as a copy of the one beside
// the executable, when there is one, and that move is reported once. Either
// way a missing translation file starts as a copy of the one installed with the
// program (../share/stk_secu beside the executable's folder), when there is
// one. Writability is asked of the system; no file is created to find out.
// Failures are reported on `diag`, one line each; the answer is always a
// folder to try.
std::filesystem::path app_folder(const std::filesystem::path& exe_dir, const UserDirs& dirs, Diagnostics diag);

}  // namespace stk
