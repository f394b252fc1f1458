#include "store/session.h"
#include "store/table_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace stk {
namespace {

using testing::FakeWindow;
using testing::read_bytes;
using testing::TempDir;
using testing::write_bytes;
namespace fs = std::filesystem;

// The keys of the rows of a parameter file, in file order.
std::vector<std::string> keys_in(const fs::path& file)
{
    Records rows;
    std::ostringstream ignored;
    load_table(file, rows, ignored);
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < rows.size(); ++i)
        keys.push_back(rows[i][1]);
    return keys;
}

std::size_t line_count(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

const std::vector<std::string> box_keys{"jt",  "npi", "vp",  "dat", "pst", "uut", "dvt", "crt",
                                        "nbt", "cct", "tst", "sst", "rt",  "cdt", "cgt", "tt"};

TEST(StartUp, FirstRunCreatesBothFilesEmpty)
{
    TempDir dir;
    Store store;
    FakeWindow window;
    std::ostringstream diag;
    Form_Load(store, window, dir.path(), diag);
    EXPECT_EQ(read_bytes(dir / "param_stk_secu.txt"), "");
    EXPECT_EQ(read_bytes(dir / "trad_stk_secu.txt"), "");
    EXPECT_TRUE(fs::exists(dir / "trad_stk_secu.txt"));
    EXPECT_EQ(window.calc_count, 1);
    EXPECT_EQ(diag.str(), "");
}

TEST(StartUp, RestoresEveryBoxByNameAndCalculatesInsideTheLoop)
{
    TempDir dir;
    write_bytes(dir / "param_stk_secu.txt", "da_stk_secu\tcct\t1500\r\nda_stk_secu\trt\t7\r\n");
    Store store;
    FakeWindow window;
    std::ostringstream diag;
    Form_Load(store, window, dir.path(), diag);
    EXPECT_EQ(window.value("cct"), "1500");
    EXPECT_EQ(window.calc_count, 2);  // cct changed, then the final calculation
    EXPECT_EQ(window.cct_at_last_calc, "1500");
    for (const auto& control : window.controls)
        EXPECT_TRUE(control.name != "rt" || control.value == "7");
}

class ShutDown : public ::testing::TestWithParam<bool> {};

TEST_P(ShutDown, WritesOneRowPerKeyAndEveryCaption)
{
    const bool flag_clicked = GetParam();
    TempDir dir;
    Store store;
    FakeWindow window;
    std::ostringstream diag;
    Form_Load(store, window, dir.path(), diag);
    window.value("cct") = "12,5";
    if (flag_clicked)
        ln_Click(store, window, 2);
    Form_Unload(store, window, dir.path(), diag);

    std::vector<std::string> expected = box_keys;
    if (flag_clicked)
        expected.insert(expected.begin(), "langue");
    EXPECT_EQ(keys_in(dir / "param_stk_secu.txt"), expected);
    const std::string params = read_bytes(dir / "param_stk_secu.txt");
    EXPECT_NE(params.find("da_stk_secu\tcct\t12,5\r\n"), std::string::npos);
    const std::string trad = read_bytes(dir / "trad_stk_secu.txt");
    EXPECT_EQ(line_count(trad), 32u);
    EXPECT_EQ(trad.substr(trad.find("Risque")), "Risque\t\t\r\nCo\xFBt direct\t\t\r\nCo\xFBt de Gestion\t\t\r\n"
                                                "Total\t\t\r\nVexa - Calcul Stock de S\xE9" "curit\xE9"
                                                " pour Equipements de Maintenance\t\t\r\n");
    EXPECT_EQ(diag.str(), "");
}

INSTANTIATE_TEST_SUITE_P(FlagClicked, ShutDown, ::testing::Bool());

// A folder where no file can be created: still opens and closes, one line per failure.
struct BadFolderCase {
    std::string name;
    void (*prepare)(const fs::path& base);
    std::string folder;  // relative to the temporary folder
};

class BadFolder : public ::testing::TestWithParam<BadFolderCase> {};

TEST_P(BadFolder, StartUpAndShutDownStillComplete)
{
    TempDir dir;
    GetParam().prepare(dir.path());
    if (IsSkipped())
        return;
    Store store;
    FakeWindow window;
    std::ostringstream load_diag, unload_diag;
    Form_Load(store, window, dir / GetParam().folder, load_diag);
    EXPECT_EQ(window.calc_count, 1);
    EXPECT_EQ(store.tab_trad.ntrad(), 31);
    EXPECT_EQ(line_count(load_diag.str()), 2u) << load_diag.str();
    Form_Unload(store, window, dir / GetParam().folder, unload_diag);
    EXPECT_EQ(line_count(unload_diag.str()), 2u) << unload_diag.str();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFolder,
    ::testing::Values(BadFolderCase{"Missing", [](const fs::path&) {}, "missing"},
                      BadFolderCase{"RegularFile", [](const fs::path& b) { write_bytes(b / "file", "x"); }, "file"},
                      BadFolderCase{"ReadOnly",
                                    [](const fs::path& b) {
                                        if (::geteuid() == 0)
                                            GTEST_SKIP() << "permission bits do not stop root";
                                        fs::create_directory(b / "ro");
                                        fs::permissions(b / "ro", fs::perms::owner_read | fs::perms::owner_exec);
                                    },
                                    "ro"}),
    [](const auto& info) { return info.param.name; });

TEST(UnreadableFile, IsNeverReplaced)
{
    TempDir dir;
    fs::create_directory(dir / "param_stk_secu.txt");
    write_bytes(dir / "param_stk_secu.txt" / "inside", "keep");
    Store store;
    FakeWindow window;
    std::ostringstream load_diag, unload_diag;
    Form_Load(store, window, dir.path(), load_diag);
    Form_Unload(store, window, dir.path(), unload_diag);
    EXPECT_EQ(line_count(load_diag.str()), 1u);
    EXPECT_EQ(line_count(unload_diag.str()), 1u);
    EXPECT_EQ(read_bytes(dir / "param_stk_secu.txt" / "inside"), "keep");
    EXPECT_EQ(line_count(read_bytes(dir / "trad_stk_secu.txt")), 32u);
}

TEST(FailedSave, TargetReplacedByAFolderKeepsItAndSavesTheOther)
{
    TempDir dir;
    Store store;
    FakeWindow window;
    std::ostringstream diag;
    Form_Load(store, window, dir.path(), diag);
    fs::remove(dir / "param_stk_secu.txt");
    fs::create_directory(dir / "param_stk_secu.txt");
    Form_Unload(store, window, dir.path(), diag);
    EXPECT_EQ(line_count(diag.str()), 1u);
    EXPECT_TRUE(fs::is_directory(dir / "param_stk_secu.txt"));
    EXPECT_TRUE(fs::is_empty(dir / "param_stk_secu.txt"));
    EXPECT_EQ(line_count(read_bytes(dir / "trad_stk_secu.txt")), 32u);
    EXPECT_EQ(testing::folder_entries(dir.path()).size(), 2u);
}

TEST(FailedSave, FullDiskKeepsTheOldFileByteForByte)
{
    TempDir dir;
    const std::string old = "da_stk_secu\tcct\t1500\r\n";
    write_bytes(dir / "param_stk_secu.txt", old);
    ParamTable table;
    for (int i = 0; i < 100; ++i)
        table.setparam(window_name, "k" + std::to_string(i), std::string(100, 'v'));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::ostringstream diag;
        const bool saved = save_table(dir / "param_stk_secu.txt", table.rows, diag);
        ::_exit(!saved && line_count(diag.str()) == 1 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(read_bytes(dir / "param_stk_secu.txt"), old);
    EXPECT_EQ(testing::folder_entries(dir.path()), std::vector<std::string>{"param_stk_secu.txt"});
}

}  // namespace
}  // namespace stk
