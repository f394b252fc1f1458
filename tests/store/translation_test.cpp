// Translation files with missing languages or empty cells, tips, and captions of any length.
#include "store/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace stk {
namespace {

namespace fs = std::filesystem;

// Two labels, a picture with a tip and a title.
struct Captions : ControlWalk {
    std::vector<std::string> captions{"Risque", "Total"};
    std::string picture_tip = "Quitter";
    std::string window_title = "Titre";
    std::size_t control_count() const override { return captions.size() + 1; }
    std::string control_name(std::size_t) const override { return "Etiquette27"; }
    bool is_text_box(std::size_t) const override { return false; }
    bool has_caption(std::size_t pos) const override { return pos < captions.size(); }
    std::string text(std::size_t) const override { return {}; }
    void set_text(std::size_t, std::string_view) override {}
    std::string caption(std::size_t pos) const override { return captions[pos]; }
    void set_caption(std::size_t pos, std::string_view text) override { captions[pos] = text; }
    bool has_tip(std::size_t pos) const override { return pos == captions.size(); }
    std::string tip(std::size_t) const override { return picture_tip; }
    void set_tip(std::size_t, std::string_view text) override { picture_tip = text; }
    std::string title() const override { return window_title; }
    void set_title(std::string_view text) override { window_title = text; }
    void calc() override {}
};

struct Folder {
    fs::path path = fs::temp_directory_path() / ("stk_trad_" + std::to_string(std::random_device{}()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    void write(std::string_view name, const std::string& bytes) const
    {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    std::string read(std::string_view name) const
    {
        std::ifstream in(path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

// The translation file, the flags clicked after start-up, and what is then shown.
struct Switch {
    const char *name, *trad;
    std::vector<int> flags;
    std::vector<std::string> shown;
    const char* tip;
};
void PrintTo(const Switch& c, std::ostream* os) { *os << c.name; }

class LanguageSwitch : public ::testing::TestWithParam<Switch> {};

TEST_P(LanguageSwitch, ShowsTheColumnOrItsFrenchText)
{
    const Switch& c = GetParam();
    Folder folder;
    folder.write(trad_file_name, c.trad);
    Store store;
    Captions window;
    std::ostringstream diag;
    Form_Load(store, window, folder.path, diag);
    for (int flag : c.flags)
        ln_Click(store, window, flag);
    EXPECT_EQ(window.captions, c.shown);
    EXPECT_EQ(window.picture_tip, c.tip);
    EXPECT_EQ(diag.str(), "");
}

const char* const three = "Risque\tRisk\tRisco\r\nTotal\t\tTotal pt\r\nQuitter\tQuit\tSair\r\n";
const char* const two = "Risque\tRisk\r\nTotal\tSum\r\nQuitter\tQuit\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, LanguageSwitch,
    ::testing::Values(Switch{"EmptyCellAfterAnotherLanguage", three, {2, 1}, {"Risk", "Total"}, "Quit"},
                      Switch{"Portuguese", three, {2}, {"Risco", "Total pt"}, "Sair"},
                      Switch{"TwoColumnsEnglish", two, {1}, {"Risk", "Sum"}, "Quit"},
                      Switch{"TwoColumnsPortugueseFallsBackToFrench", two, {1, 2}, {"Risque", "Total"}, "Quitter"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TwoColumnFile, IsUsedAndLearnsOnlyWhatItLacks)
{
    Folder folder;
    folder.write(trad_file_name, two);
    Store store;
    Captions window;
    std::ostringstream diag;
    Form_Load(store, window, folder.path, diag);
    Form_Unload(store, window, folder.path, diag);
    EXPECT_EQ(folder.read(trad_file_name), "Risque\tRisk\t\r\nTotal\tSum\t\r\nQuitter\tQuit\t\r\nTitre\t\t\r\n");
}

// A caption of a megabyte is kept whole, in the table and in the file.
TEST(LongCaption, IsKeptWhole)
{
    Folder folder;
    const std::string long_risk(1 << 20, 'X');
    folder.write(trad_file_name, "Risque\t" + long_risk + "\tRisco\r\n");
    folder.write(param_file_name, "da_stk_secu\tlangue\t1\r\n");
    Store store;
    Captions window;
    std::ostringstream diag;
    Form_Load(store, window, folder.path, diag);
    EXPECT_TRUE(window.captions[0] == long_risk) << "the caption shown is cut";
    Form_Unload(store, window, folder.path, diag);
    EXPECT_TRUE(folder.read(trad_file_name).starts_with("Risque\t" + long_risk + "\tRisco\r\n")) << "the row is cut";
}

}  // namespace
}  // namespace stk
