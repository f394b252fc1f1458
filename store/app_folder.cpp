#include "store/app_folder.h"

#include "store/session.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace stk {
namespace fs = std::filesystem;

namespace {

// Whether a file can be created in the folder: the one test that also holds
// for read-only mounts and for root.
bool can_create_in(const fs::path& folder)
{
    const fs::path probe = folder / ".stk_secu_probe";
    std::error_code ec;
    if (fs::exists(probe, ec))
        return fs::remove(probe, ec);
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out)
            return false;
    }
    fs::remove(probe, ec);
    return true;
}

fs::path config_folder(const UserDirs& dirs)
{
    if (!dirs.xdg_config_home.empty() && fs::path(dirs.xdg_config_home).is_absolute())
        return fs::path(dirs.xdg_config_home) / "stk_secu";
    if (!dirs.home.empty())
        return fs::path(dirs.home) / ".config" / "stk_secu";
    return {};
}

void seed_translations(const fs::path& exe_dir, const fs::path& folder, std::ostream& diag)
{
    const fs::path target = folder / trad_file_name;
    const fs::path shipped = exe_dir.parent_path() / "share" / "stk_secu" / trad_file_name;
    std::error_code ec;
    if (fs::exists(target, ec) || ec || !fs::is_regular_file(shipped, ec))
        return;
    fs::copy_file(shipped, target, ec);
    if (ec)
        diag << "stk_secu: cannot copy " << shipped << " to " << target << ": " << ec.message() << "\n";
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

fs::path app_folder(const fs::path& exe_dir, const UserDirs& dirs, std::ostream& diag)
{
    fs::path folder = exe_dir;
    if (!can_create_in(exe_dir)) {
        const fs::path config = config_folder(dirs);
        std::error_code ec;
        if (config.empty())
            diag << "stk_secu: " << exe_dir << " is not writable and there is no HOME: fields will not be kept\n";
        else if (fs::create_directories(config, ec); ec)
            diag << "stk_secu: cannot create " << config << ": " << ec.message() << "\n";
        else
            folder = config;
    }
    seed_translations(exe_dir, folder, diag);
    return folder;
}

}  // namespace stk
