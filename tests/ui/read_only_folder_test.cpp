// A program folder the user cannot write, with the user's files beside the program:
// the window opens with them, keeps them in the user's folder and says so once.
#include "window_helpers.h"

#include "store/app_folder.h"
#include "temp_files.h"
#include "unprivileged.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <unistd.h>

namespace stk::test {
namespace {

namespace fs = std::filesystem;

const char* const root_variable = "STK_READ_ONLY_ROOT";

// The user's side, run by the test below in a fresh process as the unprivileged user
// (a process with the toolkit's threads running cannot safely open a window after a fork).
TEST(ReadOnlyProgramFolder, DISABLED_OpensAsTheUser)
{
    const char* root_text = std::getenv(root_variable);
    ASSERT_NE(root_text, nullptr);
    const fs::path root = root_text, bin = root / "bin", home = root / "home";
    std::ostringstream diag;
    const fs::path folder = app_folder(bin, {"", home.string()}, diag);
    MainWindow w(folder, diag);
    EXPECT_EQ(box(w, "cct")->text(), "1500");
    EXPECT_EQ(w.model().caption(pos_of("Etiquette27", 7)), "Risk");
    box(w, "cct")->setText("1600");
    w.close();
    const std::string said = diag.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find((home / ".config/stk_secu").string()), std::string::npos) << said;
}

TEST(ReadOnlyProgramFolder, WindowOpensWithTheFilesBesideTheProgram)
{
    QTemporaryDir tmp;
    const fs::path root = tmp.path().toStdString(), bin = root / "bin", home = root / "home";
    fs::create_directories(bin);
    fs::create_directories(home);
    ::chmod(root.c_str(), 0755);
    const std::string params = "da_stk_secu\tlangue\t1\r\nda_stk_secu\tcct\t1500\r\n";
    write_bytes(bin / "param_stk_secu.txt", params);
    fs::copy_file(STK_DATA_DIR "/trad_stk_secu.txt", bin / "trad_stk_secu.txt");
    give_to_user(home);
    if (!running_as_root())
        fs::permissions(bin, fs::perms::owner_write, fs::perm_options::remove);

    // Everything the child needs is made before the fork.
    std::vector<std::string> environment{std::string(root_variable) + "=" + root.string()};
    for (char** e = environ; *e; ++e)
        environment.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = "/proc/self/exe", also = "--gtest_also_run_disabled_tests",
                filter = "--gtest_filter=ReadOnlyProgramFolder.DISABLED_OpensAsTheUser";
    char* argv[] = {program.data(), also.data(), filter.data(), nullptr};
    EXPECT_AS_USER([&] { return ::execve(argv[0], argv, envp.data()) == 0; });

    fs::permissions(bin, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_NE(read_bytes(home / ".config/stk_secu/param_stk_secu.txt").find("da_stk_secu\tcct\t1600\r\n"),
              std::string::npos);
    EXPECT_EQ(read_bytes(bin / "param_stk_secu.txt"), params);
}

}  // namespace
}  // namespace stk::test
