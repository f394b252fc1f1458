// Reading and writing one table file, with a one-line report of each failure.
#pragma once

#include "store/diagnostics.h"
#include "store/records.h"
#include "store/safe_file.h"

#include <filesystem>

namespace stk {

// Empties `table`, then fills it from `file` (created empty when missing),
// taking lines of at least `min_texts` texts as rows (see parse_records).
// A failure leaves the table empty and writes one line to `diag`.
ReadStatus load_table(const std::filesystem::path& file, Records& table, Diagnostics diag, std::size_t min_texts = 3);

// Replaces `file` by the lines of `table`. A failure keeps the old file and
// writes one line to `diag`.
bool save_table(const std::filesystem::path& file, const Records& table, Diagnostics diag);

}  // namespace stk
