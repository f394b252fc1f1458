// stk_batch run as a user runs it, and what the tests read in its output.
#pragma once

#include "temp_files.h"
#include "worked_example.h"

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace stk::test {

struct Outcome {
    int status;
    std::string out, err;
};

// The program `exe` with `args` in `dir`, in the C locale, standard input from `input`;
// `shell_prefix` runs first in the same shell.
inline Outcome run_batch(const std::filesystem::path& dir, const std::vector<std::string>& args,
                         const std::string& input = "", const std::string& exe = STK_BATCH_EXE,
                         const std::string& shell_prefix = "")
{
    const auto quoted = [](const std::string& s) {
        std::string out = "'";
        for (char c : s)
            out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return out + "'";
    };
    write_bytes(dir / ".stdin", input);
    std::string command =
        "cd " + quoted(dir.string()) + " && " + shell_prefix + " LANG=C LC_ALL= LC_MESSAGES= exec " + quoted(exe);
    for (const auto& a : args)
        command += " " + quoted(a);
    command += " < .stdin > .stdout 2> .stderr";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_bytes(dir / ".stdout"), read_bytes(dir / ".stderr")};
}

// The lines of a text, without their line ends.
inline std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> out;
    std::stringstream s(text);
    for (std::string line; std::getline(s, line);)
        out.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
    return out;
}

// The worked example's results as the window shows them: risks, direct costs, management costs,
// totals of stocks 0 to 4 and the recommended stock, each after `separator`, with `point` for decimals.
inline std::string worked_results(char separator, char point = '.')
{
    std::string out;
    for (std::size_t line = 1; line < line_count; ++line)
        for (std::string_view cell : worked::cells[line])
            (out += separator) += cell;
    (out += separator) += worked::recommended;
    std::replace(out.begin(), out.end(), '.', point);
    return out;
}

}  // namespace stk::test
