#include "store/safe_file.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <random>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stk {
namespace fs = std::filesystem;

namespace {

std::string errno_text(int error = errno) { return std::generic_category().message(error); }

// An open descriptor, closed once.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes now; false when the close reports a failure.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

fs::path folder_of(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

// Where a path leads once its symbolic links are followed.
struct Target {
    fs::path path;          // the file itself, or the end of its chain of links
    bool exists = false;    // something (other than a link) is there
    bool dangling = false;  // a link that leads to nothing
    std::string reason;     // when the chain cannot be followed
};

Target resolve(const fs::path& file)
{
    Target target;
    target.path = file;
    for (int links = 0; links <= 40; ++links) {
        struct stat st {};
        if (::lstat(target.path.c_str(), &st) != 0) {
            if (errno != ENOENT)
                target.reason = errno_text();
            target.dangling = links > 0;
            return target;
        }
        if (!S_ISLNK(st.st_mode)) {
            target.exists = true;
            return target;
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(target.path, ec);
        if (ec) {
            target.reason = ec.message();
            return target;
        }
        target.path = next.is_absolute() ? next : folder_of(target.path) / next;
    }
    target.reason = errno_text(ELOOP);
    return target;
}

// The temporary files of saves of `file` are named .<name>.tmp<digits>.
std::string temporary_prefix(const fs::path& file) { return "." + file.filename().string() + ".tmp"; }

bool is_temporary_of(std::string_view name, std::string_view prefix)
{
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return false;
    for (char c : name.substr(prefix.size()))
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Removes temporary files of earlier saves of `file` that were cut short:
// regular files of ours, not written to for a minute.
void remove_stale_temporaries(const fs::path& file)
{
    const fs::path folder = folder_of(file);
    const std::string prefix = temporary_prefix(file);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!is_temporary_of(entry->d_name, prefix))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_mtime + 60 < now)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Creates a file of a fresh name beside `file`, never through a link.
Fd create_temporary(const fs::path& file, mode_t mode, fs::path& temporary)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder_of(file) / (temporary_prefix(file) + std::to_string(random()));
        Fd fd{::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode)};
        if (fd || errno != EEXIST)
            return fd;
    }
    return Fd{};
}

// Writes everything, checking every count, then syncs; returns the reason of a failure.
std::string write_all(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return "write failed: " + errno_text(n < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::fsync(fd) != 0)
        return "sync failed: " + errno_text();
    return {};
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

// Writes a complete temporary file beside `file` with permissions `mode`,
// readable by its owner only while it is written when `private_first`.
std::string write_temporary(const fs::path& file, std::string_view bytes, mode_t mode, bool private_first,
                            fs::path& temporary)
{
    Fd fd = create_temporary(file, private_first ? 0600 : mode, temporary);
    if (!fd) {
        const int error = errno;
        temporary.clear();
        return "cannot create a temporary file: " + errno_text(error);
    }
    std::string reason = write_all(fd.get(), bytes);
    if (reason.empty() && private_first && ::fchmod(fd.get(), mode) != 0)
        reason = "cannot give the new file the old one's permissions: " + errno_text();
    if (!fd.close() && reason.empty())
        reason = "close failed: " + errno_text();
    return reason;
}

void remove_temporary(const fs::path& temporary)
{
    if (!temporary.empty())
        ::unlink(temporary.c_str());
}

// Whether the user may write the existing file, as the system would check an
// open for writing (permissions, owner, read-only mounts, immutable files).
std::string check_writable(const fs::path& file)
{
    Fd fd{::open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (!fd)
        return "it cannot be opened for writing: " + errno_text();
    return {};
}

std::string too_large_reason()
{
    return "larger than " + std::to_string(max_file_size >> 20) + " MB, which no table of this program reaches";
}

ReadResult read_regular(const fs::path& file)
{
    Fd fd{::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (!fd)
        return {ReadStatus::unreadable, {}, errno_text()};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return {ReadStatus::unreadable, {}, errno_text()};
    if (!S_ISREG(st.st_mode))
        return {ReadStatus::unreadable, {}, "not a regular file"};
    if (static_cast<std::uintmax_t>(st.st_size) > max_file_size)
        return {ReadStatus::unreadable, {}, too_large_reason()};
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {ReadStatus::unreadable, {}, errno_text()};
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > max_file_size)  // it grew while being read
            return {ReadStatus::unreadable, {}, too_large_reason()};
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return {ReadStatus::read, std::move(bytes), {}};
}

}  // namespace

ReadResult read_or_create(const fs::path& file)
{
    const Target target = resolve(file);
    if (!target.reason.empty())
        return {ReadStatus::unreadable, {}, target.reason};
    if (target.dangling)
        return {ReadStatus::unreadable, {}, "a symbolic link to " + target.path.string() + ", which does not exist"};
    if (!target.exists) {
        // O_EXCL never truncates nor follows anything that appeared in the meantime.
        Fd fd{::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
        if (!fd && errno == EEXIST)  // it appeared in the meantime
            return read_regular(file);
        if (!fd || !fd.close())
            return {ReadStatus::create_failed, {}, errno_text()};
        return {ReadStatus::created, {}, {}};
    }
    struct stat st {};
    if (::stat(target.path.c_str(), &st) != 0)
        return {ReadStatus::unreadable, {}, errno_text()};
    if (!S_ISREG(st.st_mode))
        return {ReadStatus::unreadable, {}, "not a regular file"};
    return read_regular(target.path);
}

std::string replace_file(const fs::path& file, std::string_view bytes)
{
    const Target target = resolve(file);
    if (!target.reason.empty())
        return "cannot follow " + file.string() + ": " + target.reason;
    if (target.dangling)
        return "it is a symbolic link to " + target.path.string() + ", which does not exist";
    mode_t mode = 0666;  // a new file: as the user's umask allows
    if (target.exists) {
        struct stat st {};
        if (::lstat(target.path.c_str(), &st) != 0)
            return "cannot read its status: " + errno_text();
        if (!S_ISREG(st.st_mode))
            return "not a regular file";
        if (std::string reason = check_writable(target.path); !reason.empty())
            return reason;
        mode = st.st_mode & 07777;
    }
    remove_stale_temporaries(target.path);
    fs::path temporary;
    std::string reason = write_temporary(target.path, bytes, mode, target.exists, temporary);
    if (reason.empty() && ::rename(temporary.c_str(), target.path.c_str()) != 0)
        reason = "cannot replace the file: " + errno_text();
    if (!reason.empty()) {
        remove_temporary(temporary);
        return reason;
    }
    sync_folder(folder_of(target.path));
    return {};
}

std::string create_file(const fs::path& file, std::string_view bytes)
{
    fs::path temporary;
    std::string reason = write_temporary(file, bytes, 0666, false, temporary);
    if (reason.empty() && ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) != 0) {
        // File systems without an exclusive rename still refuse to link over a name.
        if ((errno == EINVAL || errno == ENOSYS) && ::link(temporary.c_str(), file.c_str()) == 0)
            ::unlink(temporary.c_str());
        else
            reason = errno == EEXIST ? "it already exists" : "cannot create it: " + errno_text();
    }
    if (!reason.empty()) {
        remove_temporary(temporary);
        return reason;
    }
    sync_folder(folder_of(file));
    return {};
}

}  // namespace stk
