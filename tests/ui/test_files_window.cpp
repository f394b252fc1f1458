// The parameter and translation files, read when the window opens and written
// when it closes, and the language flags.
#include "window_helpers.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QFontMetrics>
#include <QLabel>
#include <QWindow>
#include <functional>
#include <limits>
#include <gtest/gtest.h>
#include <memory>

namespace stk::test {
namespace {

const QString param_file = QStringLiteral("param_stk_secu.txt");
const QString trad_file = QStringLiteral("trad_stk_secu.txt");

// A folder prepared before the window opens in it.
struct Folder {
    QTemporaryDir dir;
    std::ostringstream diag;

    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    std::unique_ptr<da_stk_secu> open() { return std::make_unique<da_stk_secu>(dir.path().toStdString(), diag); }
};

// Windows-1252 bytes of a text of the window.
QByteArray ansi(const QString& text)
{
    QByteArray bytes;
    for (QChar c : text)
        bytes.append(c == u'€' ? '\x80' : c.toLatin1());
    return bytes;
}

QByteArray record(const QString& key, const QString& value)
{
    return ansi(QStringLiteral("da_stk_secu\t") + key + u'\t' + value) + "\r\n";
}

QStringList lines_of(const QByteArray& bytes)
{
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back();
    return lines;
}

QString caption(const da_stk_secu& w, std::string_view name, int index = ui::no_index)
{
    return QString::fromStdString(w.caption(static_cast<std::size_t>(ui::find_control(name, index))));
}

void click(da_stk_secu& w, std::string_view name, int index = ui::no_index)
{
    QTest::mouseClick(w.control(name, index), Qt::LeftButton);
}

TEST(FirstRun, CreatesBothFilesEmptyAndLeavesEveryBoxEmpty)
{
    Folder folder;
    const auto w = folder.open();
    for (const QString& name : {param_file, trad_file}) {
        EXPECT_TRUE(QFileInfo(folder.path(name)).isFile()) << name.toStdString();
        EXPECT_EQ(QFileInfo(folder.path(name)).size(), 0) << name.toStdString();
    }
    for (const FieldInfo& f : fields)
        EXPECT_EQ(box(*w, f.name)->text(), "") << f.name;
    EXPECT_EQ(folder.diag.str(), "");
}

TEST(Closing, WritesOneRecordPerTextBoxNameInTheControlOrder)
{
    Folder folder;
    auto w = folder.open();
    type_worked_example(*w);
    box(*w, "vp")->setText("10");
    box(*w, "npi")->setText("4");
    box(*w, "jt")->setText(QStringLiteral("été"));
    w->close();

    const QByteArray expected = record("jt", "été") + record("npi", "4") + record("vp", "10") + record("dat", "4") +
                                record("pst", "200") + record("uut", "2000") + record("dvt", "10000") +
                                record("crt", "500") + record("nbt", "3") + record("cct", "50") + record("tst", "2") +
                                record("sst", "4") + record("rt", "0.001140828") + record("cdt", "160") +
                                record("cgt", "706") + record("tt", "866.0012");
    EXPECT_EQ(folder.read(param_file), expected);
    EXPECT_TRUE(folder.read(param_file).contains("\tjt\t\xE9t\xE9\r\n"));
}

TEST(Closing, PutsTheLanguageFirstWhenAFlagWasClickedInTheFirstRun)
{
    Folder folder;
    auto w = folder.open();
    click(*w, "ln", 1);
    w->close();
    const QStringList lines = lines_of(folder.read(param_file));
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[0], "da_stk_secu\tlangue\t1");
    const QStringList keys{"jt", "npi", "vp", "dat", "pst", "uut", "dvt", "crt",
                           "nbt", "cct", "tst", "sst", "rt", "cdt", "cgt", "tt"};
    for (qsizetype i = 0; i < keys.size(); ++i)
        EXPECT_TRUE(lines[i + 1].startsWith("da_stk_secu\t" + keys[i] + "\t")) << lines[i + 1].toStdString();
}

const QStringList designed_captions{
    "Coût du risque de rupture", "jours / an", "Jours ouvrés", "Nb Process industriels indépendants",
    "Valorisation de la Production", "Millions € / an", "www.example.com", "Nous contacter", "Paramètres Article",
    "semaine(s)", "Délai moy. d'obtent°", "€", "Prix Standard", "heures / an", "Utilisation unitaire", "heures",
    "Durée de vie moyenne", "€ / jour", "Nb pièces actives", "Pièce(s)", "Paramètres Société",
    "Coût de Commande", "% / mois", "Taux de Stockage", "Résultat calculé", "Paramètre le plus sensible",
    "Stock de Sécurité", "Risque", "Coût direct", "Coût de Gestion", "Total",
    "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance"};

TEST(Closing, WritesEveryDistinctCaptionOnceIntoAnEmptyTranslationFile)
{
    ASSERT_EQ(designed_captions.size(), 32);
    Folder folder;
    folder.open()->close();
    QByteArray expected;
    for (const QString& c : designed_captions)
        expected += ansi(c) + "\t\t\r\n";
    const QByteArray written = folder.read(trad_file);
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(written.contains('\xE9'));
    EXPECT_TRUE(written.contains('\x80'));
    EXPECT_TRUE(written.endsWith("Vexa - Calcul Stock de S\xE9" "curit\xE9 pour Equipements de Maintenance\t\t\r\n"));
}

struct Restore {
    const char* name;
    QByteArray file;
    std::vector<Typed> shown;
};

const Restore restores[] = {
    {"OneField", "da_stk_secu\tcct\t1500\r\n", {{"cct", "1500"}, {"dat", ""}, {"crt", ""}}},
    {"WorkedExampleWithResultsRows",
     "da_stk_secu\tcct\t1500\r\nda_stk_secu\ttst\t2\r\nda_stk_secu\tdat\t4\r\nda_stk_secu\tpst\t200\r\n"
     "da_stk_secu\tuut\t2000\r\nda_stk_secu\tdvt\t10000\r\nda_stk_secu\tcrt\t500\r\nda_stk_secu\tnbt\t3\r\n"
     "da_stk_secu\trt\t7\r\nda_stk_secu\tsst\t9",
     {{"cct", "1500"}, {"tst", "2"}, {"crt", "500"}, {"nbt", "3"}}},
    {"OtherWindowsAndEmptyValues", "autre\tcct\t99\r\nda_stk_secu\tcct\t\r\nda_stk_secu\tdat\t12,5\r\n",
     {{"cct", ""}, {"dat", "12,5"}}},
};

class Restoring : public ::testing::TestWithParam<Restore> {};

TEST_P(Restoring, FillsTheFieldsAndShowsTheirResults)
{
    Folder folder;
    folder.write(param_file, GetParam().file);
    const auto w = folder.open();
    for (const Typed& t : GetParam().shown)
        EXPECT_EQ(box(*w, t.field)->text(), t.text) << t.field;
    EXPECT_TRUE(shows_results_of(*w, texts_of(*w)));
    EXPECT_EQ(folder.diag.str(), "");
}

INSTANTIATE_TEST_SUITE_P(Files, Restoring, ::testing::ValuesIn(restores),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RestoringRows, KeepsRowsOfOtherWindowsInTheirPlace)
{
    Folder folder;
    folder.write(param_file, "autre\tcct\t99\r\nda_stk_secu\tcct\t1500\r\nautre\tx\t1\t2\r\n");
    folder.open()->close();
    const QStringList lines = lines_of(folder.read(param_file));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "autre\tcct\t99");
    EXPECT_EQ(lines[1], "da_stk_secu\tcct\t1500");
    EXPECT_EQ(lines[2], "autre\tx\t1\t2");
}

// What the window shows in one language of the shipped translation file.
struct Language {
    int flag;
    const char* risk;
    const char* title;
    std::array<const char*, 3> legend;
    const char* levels;
};

const Language languages[] = {
    {1, "Risk", "Vexa - Safety Stock Calculator for Maintenance Equipment", {"Risk", "Risk + Direct Cost", "Total"},
     "Safety Stock"},
    {2, "Risco", "Vexa - Cálculo de Estoque de Segurança para Equipamentos de Manutenção",
     {"Risco", "Risco + Custo direto", "Total"}, "Est. de Segurança"},
    {0, "Risque", "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance",
     {"Risque", "Risque + Coût direct", "Total"}, "Stock de Sécurité"},
};

QBarSeries* bars(const da_stk_secu& w)
{
    return qobject_cast<QBarSeries*>(qobject_cast<QChartView*>(w.control("g"))->chart()->series().at(0));
}

TEST(Flags, SwitchCaptionsTitleAndChartLegendWithTheShippedFile)
{
    Folder folder;
    ASSERT_TRUE(QFile::copy(STK_DATA_DIR "/trad_stk_secu.txt", folder.path(trad_file)));
    const QByteArray shipped = folder.read(trad_file);
    const auto w = folder.open();
    type_worked_example(*w);
    for (const Language& l : languages) {
        click(*w, "ln", l.flag);
        EXPECT_EQ(caption(*w, "Etiquette27", 7), l.risk) << "flag " << l.flag;
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(l.title)) << "flag " << l.flag;
        const QList<QBarSet*> sets = bars(*w)->barSets();
        ASSERT_EQ(sets.size(), 3);
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(sets[s]->label(), QString::fromUtf8(l.legend[static_cast<std::size_t>(s)])) << "flag " << l.flag;
        EXPECT_EQ(bars(*w)->attachedAxes().at(0)->titleText(), QString::fromUtf8(l.levels)) << "flag " << l.flag;
    }
    w->close();
    EXPECT_EQ(folder.read(trad_file), shipped);
    EXPECT_TRUE(folder.read(param_file).startsWith("da_stk_secu\tlangue\t0\r\n"));
}

// The part of a label that no text box to its right covers.
int visible_width(const QLabel* label)
{
    int right = label->geometry().right() + 1;
    for (const QLineEdit* field : label->parentWidget()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
        if (field->geometry().intersects(label->geometry()) && field->x() > label->x())
            right = std::min(right, field->x());
    return right - label->x();
}

class CaptionsFit : public ::testing::TestWithParam<int> {};

TEST_P(CaptionsFit, EveryTranslatedCaptionFitsItsControl)
{
    Folder folder;
    ASSERT_TRUE(QFile::copy(STK_DATA_DIR "/trad_stk_secu.txt", folder.path(trad_file)));
    const auto w = folder.open();
    click(*w, "ln", GetParam());
    int tightest = std::numeric_limits<int>::max();
    for (const QLabel* label : w->findChildren<QLabel*>()) {
        const int spare = visible_width(label) - label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_GE(spare, 0) << label->objectName().toStdString() << ": " << label->text().toStdString();
        if (!label->text().isEmpty() && spare < tightest) {
            tightest = spare;
            RecordProperty("tightest", label->objectName().toStdString() + " \"" + label->text().toStdString() +
                                           "\" has " + std::to_string(spare) + " px to spare");
        }
    }
    for (const QGroupBox* frame : w->findChildren<QGroupBox*>())
        EXPECT_LE(QFontMetrics(frame->font()).horizontalAdvance(frame->title()), frame->width() - 16)
            << frame->objectName().toStdString() << ": " << frame->title().toStdString();
    const QWidget* button = w->control("Command4");
    const QString text = QString::fromStdString(w->caption(static_cast<std::size_t>(ui::find_control("Command4"))));
    EXPECT_LE(button->fontMetrics().horizontalAdvance(text), button->width() - 12) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, CaptionsFit, ::testing::Values(0, 1, 2));

TEST(Flags, TheSavedLanguageIsShownAtTheNextStart)
{
    Folder folder;
    ASSERT_TRUE(QFile::copy(STK_DATA_DIR "/trad_stk_secu.txt", folder.path(trad_file)));
    folder.write(param_file, "da_stk_secu\tlangue\t2\r\n");
    const auto w = folder.open();
    EXPECT_EQ(caption(*w, "Etiquette27", 7), "Risco");
    EXPECT_EQ(caption(*w, "Frame4"), QStringLiteral("Parâmetros da Peça"));
}

TEST(Flags, AnEmptyTranslationTableKeepsEveryCaptionInFrench)
{
    Folder folder;
    folder.write(param_file, "da_stk_secu\tlangue\t1\r\n");
    const auto w = folder.open();
    EXPECT_EQ(caption(*w, "aide_r"), QStringLiteral("Coût du risque de rupture"));
    EXPECT_EQ(caption(*w, "Etiquette27", 4), QStringLiteral("Coût du risque de rupture"));
    for (std::size_t pos = 0; pos < w->control_count(); ++pos) {
        if (!ui::controls()[pos].caption.empty()) {
            EXPECT_EQ(w->caption(pos), ui::controls()[pos].caption) << w->control_name(pos);
        }
    }
    click(*w, "ln", 2);
    EXPECT_EQ(caption(*w, "Etiquette27", 4), QStringLiteral("Coût du risque de rupture"));
}

TEST(Closing, SavesOnlyOnceWhenClosedTwice)
{
    Folder folder;
    auto w = folder.open();
    w->close();
    ASSERT_EQ(lines_of(folder.read(param_file)).size(), 16);
    folder.write(param_file, "sentinel\tkey\tvalue\r\n");
    box(*w, "cct")->setText("1");
    w->close();
    EXPECT_EQ(folder.read(param_file), "sentinel\tkey\tvalue\r\n");
}

TEST(Closing, AParameterFileThatIsAFolderIsReportedAndLeftAlone)
{
    Folder folder;
    ASSERT_TRUE(QDir(folder.dir.path()).mkdir(param_file));
    auto w = folder.open();
    EXPECT_NE(folder.diag.str().find("param_stk_secu.txt"), std::string::npos) << folder.diag.str();
    EXPECT_EQ(folder.diag.str().find('\n'), folder.diag.str().size() - 1) << "one line: " << folder.diag.str();
    type_worked_example(*w);
    w->close();
    EXPECT_TRUE(QFileInfo(folder.path(param_file)).isDir());
    EXPECT_EQ(lines_of(folder.read(trad_file)).size(), 32);
    EXPECT_NE(folder.diag.str().find("not saving"), std::string::npos) << folder.diag.str();
}

using Closer = std::function<void(da_stk_secu&)>;

TEST(Closing, QuitButtonAndCloseBoxWriteTheSameFiles)
{
    const std::pair<const char*, Closer> ways[] = {
        {"quit button", [](da_stk_secu& w) { click(w, "validation"); }},
        {"close box", [](da_stk_secu& w) { w.windowHandle()->close(); }},
    };
    std::vector<std::pair<QByteArray, QByteArray>> files;
    for (const auto& [name, close] : ways) {
        Folder folder;
        auto w = folder.open();
        w->show();
        type_worked_example(*w);
        click(*w, "ln", 1);
        click(*w, "Picture2");
        box(*w, "dvt")->setText("9");
        close(*w);
        EXPECT_FALSE(w->isVisible()) << name;
        files.emplace_back(folder.read(param_file), folder.read(trad_file));
        EXPECT_EQ(lines_of(files.back().first).size(), 17) << name;
    }
    EXPECT_EQ(files[0], files[1]);
}

}  // namespace
}  // namespace stk::test
