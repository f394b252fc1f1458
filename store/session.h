// Start-up and shut-down of the window, and its language switch.
#pragma once

#include "store/control_walk.h"
#include "store/diagnostics.h"
#include "store/param_table.h"
#include "store/trad_table.h"

#include <filesystem>
#include <string_view>

namespace stk {

inline constexpr std::string_view param_file_name = "param_stk_secu.txt";
inline constexpr std::string_view trad_file_name = "trad_stk_secu.txt";

// What the window keeps of its files while it is open.
struct Store {
    ParamTable tab_param;
    TradTable tab_trad;
    // A file that exists but could not be read at start-up is never replaced.
    bool keep_param_file = false;
    bool keep_trad_file = false;
};

// Translates the captions and the title into the stored language.
void translate_captions(Store& store, ControlWalk& walk);

// A click on flag `index`: stores the language, then translates.
void choose_language(Store& store, ControlWalk& walk, int index);

// Reads both files from `folder`, restores every text box by its control name
// (each change recalculates), translates, and calculates once more. Failures
// are reported on `diag`, one line each; start-up always completes.
void load_files(Store& store, ControlWalk& walk, const std::filesystem::path& folder, Diagnostics diag);

// Stores every text box by its control name and writes both files to
// `folder`. A file that cannot be written keeps its old content; the other is
// still written, and shut-down always completes.
void save_files(Store& store, ControlWalk& walk, const std::filesystem::path& folder, Diagnostics diag);

}  // namespace stk
