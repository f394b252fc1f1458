// The calculation over a CSV list of spare parts: the options of the
// command line and the run itself.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace stk::batch {

struct Options {
    std::string input;  // a file, or "-" for standard input; empty to compute the catalogue's articles
    std::optional<std::string> catalogue;  // --catalogue: a catalogue file or a server's connection
    std::string output = "-";              // a file, or "-" for standard output
    std::optional<char> separator;
    std::optional<char> decimal;              // decimal separator of the numbers written
    std::optional<std::string> order_cost;    // --order-cost text
    std::optional<std::string> storage_rate;  // --storage-rate text
    int language = 0;                         // 0 French, 1 English, 2 Portuguese
    bool keys = false;                        // result columns named by their keys
    bool help = false;
    bool version = false;
    // Where the window keeps its parameter file, asked only for company
    // parameters that neither a column nor an option gives.
    std::function<std::filesystem::path(std::ostream& diag)> parameter_folder;
};

// Exit statuses.
inline constexpr int clean = 0;
inline constexpr int with_notes = 1;
inline constexpr int failed = 2;

// Reads the command line. `env_language` is the user's locale ("fr_FR.UTF-8").
// No options and one line in `error` when the command line is wrong.
std::optional<Options> parse_command_line(const std::vector<std::string>& args, const std::string& env_language,
                                          std::string& error);

std::string usage();

// A value read as the window reads its fields (its leading number, else 0); a
// decimal comma counts as the point when `comma_decimal`. `plain` is false
// when the text is anything but a number with blanks around it.
struct Reading {
    double value = 0;
    bool plain = true;
};
Reading read_value(std::string_view text, bool comma_decimal);

// Runs the calculation; messages go to `diag`. Returns the exit status.
int run(const Options& options, std::ostream& diag);

}  // namespace stk::batch
