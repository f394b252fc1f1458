// Reading a whole file, and replacing one without ever losing the old content.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace stk {

enum class ReadStatus {
    read,           // the file existed and was read
    created,        // it was missing and is now an empty file
    create_failed,  // it was missing and could not be created
    unreadable,     // it exists (or may exist) but could not be read
};

struct ReadResult {
    ReadStatus status;
    std::string bytes;   // the content when read
    std::string reason;  // why, when it failed
};

// Reads the file; creates it empty when it is missing. Anything other than a
// regular file (a folder, a pipe) counts as unreadable and is not opened.
ReadResult read_or_create(const std::filesystem::path& file);

// Writes `bytes` to a new file in the same folder, checks every step, flushes
// it to the disk and renames it over `file`. On any failure the new file is
// removed, `file` is left exactly as it was, and the reason is returned;
// an empty reason means success.
std::string replace_file(const std::filesystem::path& file, std::string_view bytes);

}  // namespace stk
