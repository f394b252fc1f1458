// stk_batch: the safety-stock calculation over a CSV list of spare parts.
#include "batch/batch.h"
#include "store/app_folder.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string language;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* v = std::getenv(name); v && *v) {
            language = v;
            break;
        }
    std::string error;
    auto options = stk::batch::parse_command_line(args, language, error);
    if (!options) {
        std::cerr << "stk_batch: " << error << "\nTry 'stk_batch --help'.\n";
        return stk::batch::failed;
    }
    // The window of the same installation keeps its fields where app_folder says.
    options->parameter_folder = [](std::ostream& diag) {
        std::error_code ec;
        const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        return stk::app_folder(exe.parent_path(), stk::UserDirs::from_environment(), diag);
    };
    return stk::batch::run(*options, std::cerr);
}
