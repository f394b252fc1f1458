#include "store/stream_file.h"

#include <cerrno>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stk {
namespace fs = std::filesystem;

namespace {

std::string errno_text() { return std::generic_category().message(errno); }

fs::path folder_of(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

}  // namespace

bool write_all_to(int fd, std::string_view bytes, std::string& error)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = "write failed: " + (n < 0 ? errno_text() : std::string("nothing written"));
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::unique_ptr<StreamFile> StreamFile::create(const fs::path& target, std::string& error)
{
    // A link is followed: the file it names is replaced, the link stays.
    std::error_code ec;
    fs::path real = target;
    if (fs::is_symlink(target, ec)) {
        real = fs::weakly_canonical(target, ec);
        if (ec) {
            error = "cannot write " + target.string() + ": " + ec.message();
            return nullptr;
        }
    }
    struct stat st {};
    if (::stat(real.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            error = "cannot write " + target.string() + ": it is a folder";
            return nullptr;
        }
        if (!S_ISREG(st.st_mode)) {
            // Never replace a device or a pipe by a file.
            error = "cannot write " + target.string() + ": not a regular file";
            return nullptr;
        }
        if (::access(real.c_str(), W_OK) != 0) {
            error = "cannot write " + target.string() + ": " + errno_text();
            return nullptr;
        }
    }
    std::unique_ptr<StreamFile> file(new StreamFile);
    const fs::path& target_file = real;
    file->target_ = target_file;
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        file->temporary_ =
            folder_of(target_file) / ("." + target_file.filename().string() + ".tmp" + std::to_string(random()));
        file->fd_ = ::open(file->temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (file->fd_ >= 0 || errno != EEXIST)
            break;
    }
    if (file->fd_ < 0) {
        error = "cannot create a file in " + folder_of(target_file).string() + ": " + errno_text();
        file->temporary_.clear();
        return nullptr;
    }
    return file;
}

StreamFile::~StreamFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

bool StreamFile::write(std::string_view bytes, std::string& error)
{
    if (!write_all_to(fd_, bytes, error)) {
        error = "cannot write " + target_.string() + ": " + error;
        return false;
    }
    return true;
}

bool StreamFile::commit(std::string& error)
{
    struct stat st {};
    mode_t mode = 0;
    if (::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const auto fail = [&](const char* what) {
        error = "cannot write " + target_.string() + ": " + what + errno_text();
        return false;
    };
    if (::fchmod(fd_, mode) != 0)
        return fail("");
    if (::fsync(fd_) != 0)
        return fail("sync failed: ");
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return fail("close failed: ");
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail("");
    committed_ = true;
    // Makes the rename itself durable; some file systems cannot sync a folder.
    const int folder = ::open(folder_of(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

}  // namespace stk
