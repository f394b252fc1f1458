// Start-up, shut-down and the language switch, on the model and a folder of its own.
#include "model_helpers.h"
#include "temp_files.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace stk::test {
namespace {

namespace fs = std::filesystem;

// A folder of its own, with the shipped translations or without them.
struct Session : ::testing::Test {
    TempDir dir;
    const fs::path& folder = dir.path;
    std::ostringstream diag;
    WindowModel model{"."};
    Recorder recorder{model};

    void with_shipped_translations() { fs::copy_file(STK_DATA_DIR "/trad_stk_secu.txt", folder / "trad_stk_secu.txt"); }
};

TEST_F(Session, LoadRestoresTheFieldsWithTheirResults)
{
    std::string params;
    for (const auto& [field, text] : worked::typed)
        params += "da_stk_secu\t" + std::string(info(field).name) + "\t" + std::string(text) + "\r\n";
    write_bytes(folder / "param_stk_secu.txt", params);
    model.load_session(folder, diag);
    EXPECT_EQ(model.field_text(Field::pst), "200");
    EXPECT_EQ(model.result_text(Line::tt, 4), "866.0012");
    EXPECT_EQ(model.recommended_text(), worked::recommended);
    EXPECT_EQ(diag.str(), "");
}

// The results a file holds are replaced by one calculation from all the restored fields.
TEST_F(Session, LoadCalculatesOnceFromAllTheRestoredFields)
{
    std::string params = "da_stk_secu\ttt\t1\r\nda_stk_secu\tsst\t0\r\n";
    for (const auto& [field, text] : worked::typed)
        params += "da_stk_secu\t" + std::string(info(field).name) + "\t" + std::string(text) + "\r\n";
    write_bytes(folder / "param_stk_secu.txt", params);
    model.load_session(folder, diag);
    EXPECT_EQ(std::count(recorder.reports.begin(), recorder.reports.end(), std::pair(Change::results, std::size_t{0})),
              1);
    EXPECT_EQ(model.result_text(Line::tt, 4), "866.0012");
    EXPECT_EQ(model.recommended_text(), worked::recommended);
}

TEST_F(Session, SaveWritesEveryTextBoxUnderItsControlName)
{
    model.load_session(folder, diag);
    model.set_text(pos_of("vp"), "10");
    model.set_field_text(Field::cct, "1500");
    model.save_session(folder, diag);
    const std::string saved = read_bytes(folder / "param_stk_secu.txt");
    EXPECT_NE(saved.find("da_stk_secu\tvp\t10\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("da_stk_secu\tcct\t1500\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("da_stk_secu\tsst\t4\r\n"), std::string::npos) << saved;
}

// A language flag and what it shows afterwards.
struct Language {
    const char *name, *risk, *title;
    int flag;
};

class Languages : public Session, public ::testing::WithParamInterface<Language> {};

TEST_P(Languages, TranslateTheWindow)
{
    with_shipped_translations();
    model.load_session(folder, diag);
    model.switch_language((GetParam().flag + 1) % 3);
    model.switch_language(GetParam().flag);
    EXPECT_EQ(model.caption(pos_of("Etiquette27", 7)), GetParam().risk);
    EXPECT_EQ(model.title(), GetParam().title);
    EXPECT_EQ(model.language(), std::size_t(GetParam().flag));
}

INSTANTIATE_TEST_SUITE_P(
    Flags, Languages,
    ::testing::Values(
        Language{"French", "Risque", "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance", 0},
        Language{"English", "Risk", "Vexa - Safety Stock Calculator for Maintenance Equipment", 1},
        Language{"Portuguese", "Risco", "Vexa - Cálculo de Estoque de Segurança para Equipamentos de Manutenção", 2}),
    case_name);

TEST_F(Session, LanguageSwitchReportsTheCaptionsThatChange)
{
    with_shipped_translations();
    model.load_session(folder, diag);
    recorder.reports.clear();
    model.switch_language(1);
    EXPECT_NE(std::find(recorder.reports.begin(), recorder.reports.end(),
                        std::pair(Change::caption, pos_of("Etiquette27", 7))),
              recorder.reports.end());
    EXPECT_NE(std::find(recorder.reports.begin(), recorder.reports.end(), std::pair(Change::title, std::size_t{0})),
              recorder.reports.end());
    EXPECT_EQ(recorder.reports.back(), std::pair(Change::tip, pos_of("g"))) << "the chart's name is translated last";
}

TEST_F(Session, LanguageWithoutTranslationsKeepsTheFrenchCaptions)
{
    model.load_session(folder, diag);
    model.switch_language(1);
    EXPECT_EQ(model.caption(pos_of("Etiquette27", 7)), "Risque");
}

}  // namespace
}  // namespace stk::test
