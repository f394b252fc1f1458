// The app folder and its files: where they live, how they are read and replaced, what is shipped, and what a save
// may and may not do in folders that others share or that the user protects (run as an unprivileged user where
// permissions matter).
#include "store/app_folder.h"
#include "store/records.h"
#include "store/safe_file.h"
#include "store/session.h"
#include "store/table_file.h"

#include "fake_window.h"
#include "temp_files.h"
#include "unprivileged.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace stk {
namespace {

namespace fs = std::filesystem;
using namespace test;

// Every entry of a folder with its bytes: what a failed save must leave as it was.
std::map<std::string, std::string> snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::directory_iterator(folder))
        entries[entry.path().filename().string()] = entry.is_directory() ? "<folder>" : read_bytes(entry.path());
    return entries;
}

// The wait status of replace_file run in a child, its files limited to 4096 bytes when `size_limit`: the child exits
// 0 when replace_file gives a reason, and reaching the limit kills it unless `on_limit` is SIG_IGN.
int replace_in_child(const fs::path& file, const std::string& bytes, bool size_limit, sighandler_t on_limit = SIG_IGN)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, on_limit);
        const rlimit limit{4096, 4096};
        if (size_limit)
            ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(replace_file(file, bytes).empty() ? 1 : 0);
    }
    int status = 1;
    ::waitpid(child, &status, 0);
    return status;
}

struct Failure {
    const char *name, *target;
    bool size_limit;
};
void PrintTo(const Failure& c, std::ostream* os) { *os << c.name; }

class FailedReplace : public ::testing::TestWithParam<Failure> {};

TEST_P(FailedReplace, LeavesEveryFileAsItWasWithAReason)
{
    const auto& [name, target, size_limit] = GetParam();
    TempDir dir;
    write_bytes(dir / "f.txt", "da_stk_secu\tcct\t1500\r\n");
    fs::create_directory(dir / "d.txt");
    fs::create_symlink(dir / "elsewhere.txt", dir / "dangling.txt");
    const auto before = snapshot(dir.path);
    const int status = replace_in_child(dir / target, std::string(10000, 'v'), size_limit);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "no reason given";
    EXPECT_EQ(snapshot(dir.path), before);
}

INSTANTIATE_TEST_SUITE_P(Saves, FailedReplace,
                         ::testing::Values(Failure{"TargetIsAFolder", "d.txt", false},
                                           Failure{"DiskFull", "f.txt", true},
                                           Failure{"MissingFolder", "missing/f.txt", false},
                                           Failure{"DanglingLink", "dangling.txt", false}));

TEST(SafeFile, ReadOrCreate)
{
    TempDir dir;
    EXPECT_EQ(read_or_create(dir / "new.txt").status, ReadStatus::created);
    EXPECT_EQ(snapshot(dir.path), (std::map<std::string, std::string>{{"new.txt", ""}}));
    EXPECT_EQ(read_or_create(dir.path).status, ReadStatus::unreadable);
    EXPECT_NE(read_or_create(dir.path).reason, "");
}

// A folder no one can create files in, not even root.
const fs::path unwritable = "/proc/sys";
constexpr const char* shipped = "Risque\tRisk\tRisco\r\n";
constexpr const char* shipped_file = "share/stk_secu/trad_stk_secu.txt";

// The executable is in bin/ (with share/stk_secu/ beside it) when `writable`, else in /proc/sys;
// `existing`: translations already in bin/ (null: none); `xdg` and `home` lie under the temporary
// folder (empty: unset; starting with '.': as given); `folder`: the answer under the temporary folder
// (empty: the executable's folder), holding `trad` afterwards; `diag`: part of the report (empty: none).
struct FolderCase {
    const char *name, *existing, *xdg, *home, *folder, *trad, *diag;
    bool writable;
};
void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class AppFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(AppFolder, PicksTheFolderSeededWithTranslations)
{
    const FolderCase& c = GetParam();
    TempDir tmp;
    fs::create_directories(tmp / "share/stk_secu");
    fs::create_directories(tmp / "bin");
    write_bytes(tmp / shipped_file, shipped);
    if (c.existing)
        write_bytes(tmp / "bin/trad_stk_secu.txt", c.existing);
    const auto at = [&](std::string p) { return p.empty() || p[0] == '.' ? p : (tmp / p).string(); };
    std::ostringstream diag;
    const fs::path folder = app_folder(c.writable ? tmp / "bin" : unwritable, {at(c.xdg), at(c.home)}, diag);
    EXPECT_EQ(folder, *c.folder ? tmp / c.folder : unwritable);
    if (*c.folder) {
        EXPECT_EQ(read_bytes(folder / "trad_stk_secu.txt"), c.trad);
        EXPECT_EQ(snapshot(folder).size(), *c.trad ? 1u : 0u) << "no probe file is left behind";
    }
    EXPECT_EQ(diag.str().empty(), !*c.diag) << diag.str();
    EXPECT_NE(diag.str().find(c.diag), std::string::npos) << diag.str();
}

INSTANTIATE_TEST_SUITE_P(
    Environment, AppFolder,
    ::testing::Values(
        FolderCase{"WritableCopiesTranslations", nullptr, "", "", "bin", shipped, "", true},
        FolderCase{"WritableKeepsItsTranslations", "mine\t\t\r\n", "", "", "bin", "mine\t\t\r\n", "", true},
        FolderCase{"Xdg", nullptr, "xdg", "home", "xdg/stk_secu", "", "", false},
        FolderCase{"Home", nullptr, "", "home", "home/.config/stk_secu", "", "", false},
        FolderCase{"RelativeXdgIgnored", nullptr, "./relative", "home", "home/.config/stk_secu", "", "", false},
        FolderCase{"NoHome", nullptr, "", "", "", "", "not writable", false},
        FolderCase{"ConfigCannotBeCreated", nullptr, shipped_file, "", "", "", "cannot create", false}));

// The window's 32 captions come first, then the names of the pictures and the chart, then the phrases of the tooltips
// and the report.
TEST(ShippedTranslations, HoldEveryTextInThreeLanguages)
{
    const std::string bytes = read_bytes(fs::path(STK_DATA_DIR) / "trad_stk_secu.txt");
    EXPECT_TRUE(bytes.find('\xE9') != std::string::npos && bytes.find('\x80') != std::string::npos) << "é and €";
    Records rows;
    parse_records(bytes, rows);
    EXPECT_TRUE(rows.kept_lines().empty());
    ASSERT_GE(rows.size(), 32u);
    EXPECT_LE(rows.size(), Records::capacity);
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (const std::string& cell : rows[i])
            EXPECT_FALSE(cell.empty()) << i;
    EXPECT_EQ(rows[6], (Record{"www.example.com", "www.example.com", "www.example.com"}));
}

struct stat status_of(const fs::path& file)
{
    struct stat st {};
    ::lstat(file.c_str(), &st);
    return st;
}

const std::string old_rows = "da_stk_secu\tcct\t1500\r\n";

// A file in a folder everyone may write (no sticky bit), its mode, and whether it is the user's or another's (root's):
// a save replaces only the user's own writable file, keeping its mode and owner, and otherwise reports one line and
// leaves the file as it is.
struct Owned {
    const char* name;
    mode_t mode;
    bool users_own, saved;
};
void PrintTo(const Owned& c, std::ostream* os) { *os << c.name; }

class SharedFolder : public ::testing::TestWithParam<Owned> {};

TEST_P(SharedFolder, SaveReplacesOnlyTheUsersWritableFile)
{
    const Owned& c = GetParam();
    if (!c.users_own && !running_as_root())
        GTEST_SKIP() << "needs root to give the file to another user";
    TempDir dir;
    ::chmod(dir.path.c_str(), 0777);
    const fs::path file = dir / "param_stk_secu.txt";
    write_bytes(file, old_rows);
    if (c.users_own)
        give_to_user(file);
    ::chmod(file.c_str(), c.mode);
    EXPECT_AS_USER([&] {
        std::ostringstream diag;
        Records rows;
        rows.append({"da_stk_secu", "cct", "99"});
        const std::string report = (save_table(file, rows, diag), diag.str());
        return c.saved ? report.empty()
                       : std::count(report.begin(), report.end(), '\n') == 1 &&
                             report.find("opened for writing") != std::string::npos;
    });
    EXPECT_EQ(read_bytes(file), c.saved ? "da_stk_secu\tcct\t99\r\n" : old_rows);
    EXPECT_EQ(status_of(file).st_mode & 07777, c.mode);
    EXPECT_EQ(status_of(file).st_uid, c.users_own && running_as_root() ? nobody : ::geteuid());
    EXPECT_EQ(names_in(dir.path), std::set<std::string>{"param_stk_secu.txt"});
}

INSTANTIATE_TEST_SUITE_P(Saves, SharedFolder,
                         ::testing::Values(Owned{"OwnFile", 0640, true, true},
                                           Owned{"WriteProtected", 0444, true, false},
                                           Owned{"AnotherUsersReadable", 0644, false, false},
                                           Owned{"AnotherUsersProtected", 0444, false, false}));

// A save killed while it writes (by the file-size limit, as a full disk would stop it) leaves a temporary that was
// private from its first byte; the next save removes it once it is a minute old, and nothing else.
TEST(CutShortSave, LeavesAPrivateTemporaryThatALaterSaveRemoves)
{
    TempDir dir;
    const fs::path file = dir / "param_stk_secu.txt";
    write_bytes(file, old_rows);
    ::chmod(file.c_str(), 0644);
    const int status = replace_in_child(file, std::string(100000, 'v'), true, SIG_DFL);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the save was not cut short";
    std::set<std::string> names = names_in(dir.path);
    ASSERT_EQ(names.size(), 2u);
    names.erase("param_stk_secu.txt");
    const fs::path left = dir / *names.begin();
    EXPECT_EQ(status_of(left).st_mode & 0777, 0600u) << "readable by others while it was written";
    EXPECT_EQ(read_bytes(file), old_rows);

    // Files that look like it but are not ours, a recent one and, as root, another user's old one stay.
    std::set<std::string> kept{"param_stk_secu.txt", ".param_stk_secu.txt.tmp12x", "param_stk_secu.txt.tmp12",
                               ".param_stk_secu.txt.tmp77", ".trad_stk_secu.txt.tmp12"};
    if (running_as_root())
        kept.insert(".param_stk_secu.txt.tmp5");
    const auto two_minutes_ago = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const std::string& name : kept) {
        if (name != "param_stk_secu.txt")
            write_bytes(dir / name, "x");
        if (name == ".param_stk_secu.txt.tmp5")
            give_to_user(dir / name);
        if (name != ".param_stk_secu.txt.tmp77")
            fs::last_write_time(dir / name, two_minutes_ago);
    }
    fs::last_write_time(left, two_minutes_ago);
    EXPECT_EQ(replace_file(file, "new\r\n"), "");
    EXPECT_EQ(names_in(dir.path), kept);
}

// A parameter file that is a link is written through; a dangling one is never followed (see FailedReplace).
TEST(SymbolicLink, IsWrittenThroughBesideItsTarget)
{
    TempDir dir;
    fs::create_directories(dir / "app");
    fs::create_directories(dir / "kept");
    write_bytes(dir / "kept/params.txt", old_rows);
    ::chmod((dir / "kept/params.txt").c_str(), 0600);
    const fs::path link = dir / "app/param_stk_secu.txt";
    fs::create_symlink("../kept/params.txt", link);
    EXPECT_EQ(read_or_create(link).bytes, old_rows);
    EXPECT_EQ(replace_file(link, "new\r\n"), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(read_bytes(dir / "kept/params.txt"), "new\r\n");
    EXPECT_EQ(status_of(dir / "kept/params.txt").st_mode & 0777, 0600u);
    EXPECT_EQ(names_in(dir / "app"), std::set<std::string>{"param_stk_secu.txt"});
    EXPECT_EQ(names_in(dir / "kept"), std::set<std::string>{"params.txt"});
}

TEST(SymbolicLink, DanglingIsReportedMissing)
{
    TempDir dir;
    fs::create_symlink(dir / "elsewhere.txt", dir / "param_stk_secu.txt");
    const ReadResult read = read_or_create(dir / "param_stk_secu.txt");
    EXPECT_EQ(read.status, ReadStatus::unreadable);
    EXPECT_NE(read.reason.find("does not exist"), std::string::npos) << read.reason;
    EXPECT_EQ(names_in(dir.path), std::set<std::string>{"param_stk_secu.txt"});
}

// A file beyond any real table's size is reported and never read whole nor overwritten.
TEST(HugeFile, IsLeftAsItIsWithAReport)
{
    TempDir dir;
    const fs::path file = dir / "param_stk_secu.txt";
    write_bytes(file, old_rows);
    fs::resize_file(file, max_file_size + 1);  // sparse: no disk space taken
    const ReadResult read = read_or_create(file);
    EXPECT_EQ(read.status, ReadStatus::unreadable);
    EXPECT_NE(read.reason.find("64 MB"), std::string::npos) << read.reason;

    Store store;
    test::FakeWindow window({}, {}, "");
    std::ostringstream diag;
    load_files(store, window, dir.path, diag);
    window.box = "99";
    save_files(store, window, dir.path, diag);
    EXPECT_EQ(fs::file_size(file), max_file_size + 1);
    EXPECT_EQ(read_bytes(file).substr(0, old_rows.size()), old_rows);
    EXPECT_NE(diag.str().find("not saving"), std::string::npos) << diag.str();
}

// Without a stream of its own, a failed read still writes its one line, word for word, on standard error.
TEST(StandardError, TakesTheOneLineReport)
{
    TempDir dir;
    const fs::path file = dir / "param_stk_secu.txt";
    fs::create_directory(file);  // a folder cannot be read as a file
    const int kept_stderr = ::dup(2);
    const int capture = ::open((dir / "stderr").c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ::dup2(capture, 2);
    Records rows;
    load_table(file, rows, Diagnostics::standard_error());
    ::dup2(kept_stderr, 2);
    ::close(kept_stderr);
    ::close(capture);
    EXPECT_EQ(read_bytes(dir / "stderr"),
              "stk_secu: cannot read \"" + file.string() + "\": not a regular file; it will be left as it is\n");
}

// Deciding where the files live writes nothing in the program's folder: another
// user's link is not followed, the user's own file of any name stays.
TEST(AppFolderProbe, LeavesTheProgramFolderUntouched)
{
    TempDir dir;
    fs::create_directories(dir / "bin");
    write_bytes(dir / "victim.txt", "theirs");
    fs::create_symlink(dir / "victim.txt", dir / "bin/.stk_secu_probe");
    std::ostringstream diag;
    EXPECT_EQ(app_folder(dir / "bin", {}, diag), dir / "bin");
    EXPECT_EQ(read_bytes(dir / "victim.txt"), "theirs");
    EXPECT_TRUE(fs::is_symlink(dir / "bin/.stk_secu_probe"));

    fs::remove(dir / "bin/.stk_secu_probe");
    write_bytes(dir / "bin/.stk_secu_probe", "mine");
    EXPECT_EQ(app_folder(dir / "bin", {}, diag), dir / "bin");
    EXPECT_EQ(read_bytes(dir / "bin/.stk_secu_probe"), "mine");
    EXPECT_EQ(names_in(dir / "bin"), std::set<std::string>{".stk_secu_probe"});
    EXPECT_EQ(diag.str(), "");
}

// A program folder the user cannot write: the user's folder starts from the files
// beside the program (the shipped translations when there are none), said once.
struct Beside {
    const char *name, *trad_beside, *trad_kept;
};
void PrintTo(const Beside& c, std::ostream* os) { *os << c.name; }

class ReadOnlyProgramFolder : public ::testing::TestWithParam<Beside> {};

TEST_P(ReadOnlyProgramFolder, HandsItsFilesToTheUsersFolderOnce)
{
    const Beside& c = GetParam();
    TempDir dir;
    fs::create_directories(dir / "bin");
    fs::create_directories(dir / "share/stk_secu");
    fs::create_directories(dir / "home");
    write_bytes(dir / shipped_file, shipped);
    write_bytes(dir / "bin/param_stk_secu.txt", old_rows);
    if (*c.trad_beside)
        write_bytes(dir / "bin/trad_stk_secu.txt", c.trad_beside);
    give_to_user(dir / "home");
    if (!running_as_root())
        ::chmod((dir / "bin").c_str(), 0555);
    const fs::path kept = dir / "home/.config/stk_secu";
    EXPECT_AS_USER([&] {
        std::ostringstream first, second;
        const bool answers = app_folder(dir / "bin", {"", (dir / "home").string()}, first) == kept &&
                             app_folder(dir / "bin", {"", (dir / "home").string()}, second) == kept;
        const std::string said = first.str();
        return answers && std::count(said.begin(), said.end(), '\n') == 1 &&
               said.find(kept.string()) != std::string::npos && second.str().empty();
    });
    ::chmod((dir / "bin").c_str(), 0755);
    EXPECT_EQ(read_bytes(kept / "param_stk_secu.txt"), old_rows);
    EXPECT_EQ(read_bytes(kept / "trad_stk_secu.txt"), c.trad_kept);
    EXPECT_EQ(read_bytes(dir / "bin/param_stk_secu.txt"), old_rows);
}

INSTANTIATE_TEST_SUITE_P(Start, ReadOnlyProgramFolder,
                         ::testing::Values(Beside{"BothFilesBeside", "mine\tmy\tmeu\r\n", "mine\tmy\tmeu\r\n"},
                                           Beside{"NoTranslationsBeside", "", shipped}));

}  // namespace
}  // namespace stk
