// Reading a whole file, and replacing one without ever losing the old content.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace stk {

// No table of this program comes near this size: a larger file is treated as
// unreadable (reported, and never overwritten) instead of being read whole.
inline constexpr std::uintmax_t max_file_size = 64u << 20;

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
// regular file (a folder, a pipe) counts as unreadable and is not opened, and
// so does a file larger than `max_file_size`. A symbolic link is read through;
// a dangling one is unreadable: its target is never created.
ReadResult read_or_create(const std::filesystem::path& file);

// Writes `bytes` to a new file beside `file`, checks every step, flushes it to
// the disk and renames it over `file`. On any failure the new file is removed,
// `file` is left exactly as it was, and the reason is returned; an empty reason
// means success.
// - An existing file that the user could not open for writing (write-protected,
//   another user's) is left as it is, whatever the folder allows.
// - A symbolic link is written through: the new file replaces its target,
//   beside the target; a dangling link is left as it is.
// - The new file can be read by the owner only until it has the old file's mode.
// - Temporary files of earlier saves of `file` that were cut short (a kill, a
//   power cut) are removed when they are ours and older than a minute.
std::string replace_file(const std::filesystem::path& file, std::string_view bytes);

// Writes `bytes` to `file` when no such file exists, all at once: either the
// whole new file appears or none. An existing file is never replaced. An empty
// reason means success.
std::string create_file(const std::filesystem::path& file, std::string_view bytes);

}  // namespace stk
