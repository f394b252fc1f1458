#include "store/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace stk {
namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string errno_text() { return std::generic_category().message(errno); }

ReadResult read_regular(const fs::path& file)
{
    File f{std::fopen(file.c_str(), "rb")};
    if (!f)
        return {ReadStatus::unreadable, {}, errno_text()};
    std::string bytes;
    char buffer[8192];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0)
        bytes.append(buffer, n);
    if (std::ferror(f.get()))
        return {ReadStatus::unreadable, {}, errno_text()};
    return {ReadStatus::read, std::move(bytes), {}};
}

ReadResult create_empty(const fs::path& file)
{
    // Append mode never truncates a file that appeared in the meantime.
    File f{std::fopen(file.c_str(), "ab")};
    if (!f)
        return {ReadStatus::create_failed, {}, errno_text()};
    if (std::fclose(f.release()) != 0)
        return {ReadStatus::create_failed, {}, errno_text()};
    return {ReadStatus::created, {}, {}};
}

fs::path folder_of(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

// Creates a file of a fresh name beside `file`.
File create_temporary(const fs::path& file, fs::path& temporary)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder_of(file) / ("." + file.filename().string() + ".tmp" + std::to_string(random()));
        File f{std::fopen(temporary.c_str(), "wbx")};
        if (f || errno != EEXIST)
            return f;
    }
    return nullptr;
}

// Writes, flushes and syncs; returns the reason of a failure.
std::string write_all(std::FILE* f, std::string_view bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        return "write failed: " + errno_text();
    if (std::fflush(f) != 0 || std::ferror(f))
        return "write failed: " + errno_text();
    if (::fsync(::fileno(f)) != 0)
        return "sync failed: " + errno_text();
    return {};
}

void keep_permissions(const fs::path& file, const fs::path& temporary)
{
    std::error_code ec;
    const fs::file_status old = fs::status(file, ec);
    if (!ec && fs::is_regular_file(old))
        fs::permissions(temporary, old.permissions(), ec);
}

// Makes the rename itself durable. Some file systems cannot sync a folder;
// the new content is in place either way.
void sync_folder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::string write_temporary(const fs::path& file, std::string_view bytes, fs::path& temporary)
{
    File f = create_temporary(file, temporary);
    if (!f) {
        temporary.clear();
        return "cannot create a temporary file: " + errno_text();
    }
    std::string reason = write_all(f.get(), bytes);
    if (std::fclose(f.release()) != 0 && reason.empty())
        reason = "close failed: " + errno_text();
    return reason;
}

}  // namespace

ReadResult read_or_create(const fs::path& file)
{
    std::error_code ec;
    const fs::file_status st = fs::status(file, ec);
    if (st.type() == fs::file_type::not_found)
        return create_empty(file);
    if (ec)
        return {ReadStatus::unreadable, {}, ec.message()};
    if (!fs::is_regular_file(st))
        return {ReadStatus::unreadable, {}, "not a regular file"};
    return read_regular(file);
}

std::string replace_file(const fs::path& file, std::string_view bytes)
{
    fs::path temporary;
    std::string reason = write_temporary(file, bytes, temporary);
    if (reason.empty()) {
        keep_permissions(file, temporary);
        std::error_code ec;
        fs::rename(temporary, file, ec);
        if (ec)
            reason = "cannot replace the file: " + ec.message();
    }
    if (!reason.empty()) {
        if (!temporary.empty()) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
        }
        return reason;
    }
    sync_folder(folder_of(file));
    return {};
}

}  // namespace stk
