// Writing a file piece by piece without ever leaving a half-written one: the
// pieces go to a new file beside the target, which replaces the target only
// once everything was written and flushed to the disk.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace stk {

class StreamFile {
public:
    // Creates the new file (O_EXCL, O_NOFOLLOW, mode 0600) in the target's
    // folder; a symbolic link is followed, so that the link stays. No file and
    // a one-line reason in `error` when the target is a folder, a device or a
    // pipe, is not writable by the user, or no file can be created there.
    static std::unique_ptr<StreamFile> create(const std::filesystem::path& target, std::string& error);

    // Removes the new file unless it was committed.
    ~StreamFile();
    StreamFile(const StreamFile&) = delete;
    StreamFile& operator=(const StreamFile&) = delete;

    // Writes everything or answers false with the reason in `error`.
    bool write(std::string_view bytes, std::string& error);

    // Flushes the new file to the disk, gives it the target's permissions (or
    // the usual ones for a new file) and renames it over the target.
    bool commit(std::string& error);

private:
    StreamFile() = default;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writes everything to a descriptor (standard output), retrying short writes.
bool write_all_to(int fd, std::string_view bytes, std::string& error);

}  // namespace stk
