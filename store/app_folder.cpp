#include "store/app_folder.h"

#include "store/safe_file.h"
#include "store/session.h"

#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace stk {
namespace fs = std::filesystem;

namespace {

// Whether the user may create files in the folder, as the system checks it
// (effective ids, read-only mounts), without creating any file there.
bool can_create_in(const fs::path& folder)
{
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

fs::path config_folder(const UserDirs& dirs)
{
    if (!dirs.xdg_config_home.empty() && fs::path(dirs.xdg_config_home).is_absolute())
        return fs::path(dirs.xdg_config_home) / "stk_secu";
    if (!dirs.home.empty())
        return fs::path(dirs.home) / ".config" / "stk_secu";
    return {};
}

bool exists_or_link(const fs::path& file)
{
    std::error_code ec;
    return fs::symlink_status(file, ec).type() != fs::file_type::not_found ||
           (ec && ec != std::errc::no_such_file_or_directory);
}

// Gives `target`, when it is missing, the content of the first of `sources`
// that exists; false when nothing was copied.
bool seed(const fs::path& target, std::initializer_list<fs::path> sources, Diagnostics diag)
{
    if (exists_or_link(target))
        return false;
    for (const fs::path& source : sources) {
        std::error_code ec;
        if (!fs::exists(source, ec))
            continue;
        ReadResult read = read_or_create(source);
        if (read.status != ReadStatus::read) {
            diag << "stk_secu: cannot read " << source << ": " << read.reason << "\n";
            continue;
        }
        if (const std::string reason = create_file(target, read.bytes); !reason.empty()) {
            diag << "stk_secu: cannot copy " << source << " to " << target << ": " << reason << "\n";
            return false;
        }
        return true;
    }
    return false;
}

}  // namespace

UserDirs UserDirs::from_environment()
{
    const auto get = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    return {get("XDG_CONFIG_HOME"), get("HOME")};
}

fs::path app_folder(const fs::path& exe_dir, const UserDirs& dirs, Diagnostics diag)
{
    const fs::path shipped = exe_dir.parent_path() / "share" / "stk_secu" / trad_file_name;
    if (can_create_in(exe_dir)) {
        seed(exe_dir / trad_file_name, {shipped}, diag);
        return exe_dir;
    }
    const fs::path config = config_folder(dirs);
    std::error_code ec;
    if (config.empty()) {
        diag << "stk_secu: " << exe_dir << " is not writable and there is no HOME: fields will not be kept\n";
        return exe_dir;
    }
    if (fs::create_directories(config, ec); ec) {
        diag << "stk_secu: cannot create " << config << ": " << ec.message() << "\n";
        return exe_dir;
    }
    // The files kept beside the program, when there are any, go on in the user's folder.
    const bool params_moved = seed(config / param_file_name, {exe_dir / param_file_name}, diag);
    const bool trad_moved = seed(config / trad_file_name, {exe_dir / trad_file_name, shipped}, diag) &&
                            exists_or_link(exe_dir / trad_file_name);
    if (params_moved || trad_moved)
        diag << "stk_secu: " << exe_dir << " is not writable: the files kept there are now kept in " << config << "\n";
    return config;
}

}  // namespace stk
