// The app folder and its files: where they live, how they are read and replaced, what is shipped.
#include "store/app_folder.h"
#include "store/records.h"
#include "store/safe_file.h"

#include "temp_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace stk {
namespace {

namespace fs = std::filesystem;

using test::read_bytes;
using test::TempDir;
using test::write_bytes;

// Every entry of a folder with its bytes: what a failed save must leave as it was.
std::map<std::string, std::string> snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::directory_iterator(folder))
        entries[entry.path().filename().string()] = entry.is_directory() ? "<folder>" : read_bytes(entry.path());
    return entries;
}

// Whether replace_file, run in a child (whose files cannot grow beyond 4096 bytes
// under `size_limit`), gives a reason for failing.
bool gives_a_reason(const fs::path& file, const std::string& bytes, bool size_limit)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (size_limit)
            ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(replace_file(file, bytes).empty() ? 1 : 0);
    }
    int status = 1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Failure {
    const char *name, *target;
    bool size_limit;
};
void PrintTo(const Failure& c, std::ostream* os) { *os << c.name; }

class FailedReplace : public ::testing::TestWithParam<Failure> {};

TEST_P(FailedReplace, LeavesEveryFileAsItWasAndGivesAReason)
{
    const auto& [name, target, size_limit] = GetParam();
    TempDir dir;
    write_bytes(dir / "f.txt", "da_stk_secu\tcct\t1500\r\n");
    fs::create_directory(dir / "d.txt");
    const auto before = snapshot(dir.path);
    EXPECT_TRUE(gives_a_reason(dir / target, std::string(10000, 'v'), size_limit));
    EXPECT_EQ(snapshot(dir.path), before);
}

INSTANTIATE_TEST_SUITE_P(Saves, FailedReplace,
                         ::testing::Values(Failure{"TargetIsAFolder", "d.txt", false},
                                           Failure{"DiskFull", "f.txt", true},
                                           Failure{"MissingFolder", "missing/f.txt", false}));

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

TEST_P(AppFolder, PicksTheFolderAndSeedsTheTranslations)
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
TEST(ShippedTranslations, HoldTheCaptionsAndPhrasesInThreeLanguages)
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

}  // namespace
}  // namespace stk
