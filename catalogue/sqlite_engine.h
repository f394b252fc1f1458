// The catalogue in one SQLite file: WAL, so that readers never block the
// writer, and a busy timeout, so that two copies of the program take turns.
#pragma once

#include "catalogue/engine.h"

#include <filesystem>
#include <memory>

namespace stk::db {

// Opens the file (creating it when there is none) and brings its schema to the
// current version. A file that cannot be opened, is damaged, read-only, of a
// newer schema or not a catalogue is left exactly as it was.
Result<std::unique_ptr<Connection>> open_sqlite(const std::filesystem::path& path);

}  // namespace stk::db
