// Where the two files live: beside a writable executable, else in the user's
// configuration folder, the installed translations being the starting point.
#include "store/app_folder.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace stk::testing {
namespace {

// A folder no one can create files in, not even root.
const fs::path unwritable = "/proc/sys";

struct Install {
    TempDir root;
    fs::path bin = root / "bin";
    fs::path share = root / "share" / "stk_secu";
    Install()
    {
        fs::create_directories(bin);
        fs::create_directories(share);
        write_bytes(share / "trad_stk_secu.txt", "Risque\tRisk\tRisco\r\n");
    }
};

TEST(AppFolder, WritableExecutableFolderKeepsTheFilesBesideIt)
{
    Install install;
    std::ostringstream diag;
    EXPECT_EQ(app_folder(install.bin, {"", ""}, diag), install.bin);
    EXPECT_EQ(read_bytes(install.bin / "trad_stk_secu.txt"), "Risque\tRisk\tRisco\r\n");
    EXPECT_EQ(diag.str(), "");
    EXPECT_EQ(folder_entries(install.bin).size(), 1u) << "no probe file is left behind";
}

TEST(AppFolder, ExistingTranslationsAreNeverReplaced)
{
    Install install;
    write_bytes(install.bin / "trad_stk_secu.txt", "mine\t\t\r\n");
    std::ostringstream diag;
    app_folder(install.bin, {}, diag);
    EXPECT_EQ(read_bytes(install.bin / "trad_stk_secu.txt"), "mine\t\t\r\n");
}

struct ConfigCase {
    const char* name;
    bool xdg;        // XDG_CONFIG_HOME set to an absolute folder
    bool relative;   // XDG_CONFIG_HOME set to a relative one (ignored)
    bool home;
    const char* expected;  // under the temporary folder; empty: the executable's folder
};

class UnwritableExecutableFolder : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(UnwritableExecutableFolder, UsesTheUserConfigurationFolder)
{
    const auto& c = GetParam();
    TempDir tmp;
    UserDirs dirs;
    if (c.xdg)
        dirs.xdg_config_home = (tmp / "xdg").string();
    if (c.relative)
        dirs.xdg_config_home = "relative/config";
    if (c.home)
        dirs.home = (tmp / "home").string();
    std::ostringstream diag;
    const fs::path folder = app_folder(unwritable, dirs, diag);
    if (*c.expected) {
        EXPECT_EQ(folder, tmp / c.expected);
        EXPECT_TRUE(fs::is_directory(folder));
        EXPECT_EQ(diag.str(), "");
    } else {
        EXPECT_EQ(folder, unwritable);
        EXPECT_NE(diag.str().find("not writable"), std::string::npos) << diag.str();
    }
}

INSTANTIATE_TEST_SUITE_P(Environment, UnwritableExecutableFolder, ::testing::Values(
    ConfigCase{"xdg", true, false, true, "xdg/stk_secu"},
    ConfigCase{"home", false, false, true, "home/.config/stk_secu"},
    ConfigCase{"relative_xdg", false, true, true, "home/.config/stk_secu"},
    ConfigCase{"nothing", false, false, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppFolder, ConfigurationFolderThatCannotBeCreatedIsReported)
{
    TempDir tmp;
    write_bytes(tmp / "file", "x");
    std::ostringstream diag;
    EXPECT_EQ(app_folder(unwritable, {(tmp / "file").string(), ""}, diag), unwritable);
    EXPECT_NE(diag.str().find("cannot create"), std::string::npos) << diag.str();
}

}  // namespace
}  // namespace stk::testing
