// The parameter and translation files, read when the window opens and written when it
// closes, the language flags, and captions and values far longer than any designed one: the
// window starts, shows what fits, and keeps every character in its files.
#include "temp_files.h"
#include "ui/widgets.h"
#include "window_helpers.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QWindow>

namespace stk::test {
namespace {

const QString param_file = QStringLiteral("/param_stk_secu.txt"), trad_file = QStringLiteral("/trad_stk_secu.txt");
const QString shipped_trad = QStringLiteral(STK_DATA_DIR "/trad_stk_secu.txt");

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A folder prepared before the window opens in it.
struct Folder {
    QTemporaryDir dir;
    QString path = dir.path();
    std::ostringstream diag;
    std::unique_ptr<MainWindow> open() { return std::make_unique<MainWindow>(path.toStdString(), diag); }
};

// A folder for the window, a way of closing it, the language flag clicked before (-1: none),
// whether the two files can be saved and how many lines are reported on diag.
struct Closer {
    const char* name;
    QString (*folder)(const QDir&);
    void (*close)(MainWindow&);
    int flag;
    bool saves_param, saves_trad;
    qsizetype reports;
};

class Closing : public ::testing::TestWithParam<Closer> {};

TEST_P(Closing, SaveTheSessionOnce)
{
    const Closer& c = GetParam();
    Folder folder;
    folder.path = c.folder(QDir(folder.dir.path()));
    auto w = folder.open();
    EXPECT_EQ(read(folder.path + param_file), c.saves_param ? "" : "<unreadable>");
    w->show();
    QSignalSpy unloaded(w.get(), &MainWindow::unloaded);
    type_worked_example(*w);
    QTest::keyClicks(box(*w, "vp"), "10");
    QTest::keyClicks(box(*w, "npi"), "4");
    QTest::sendKeyEvent(QTest::Click, box(*w, "jt"), Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
    if (c.flag >= 0)
        click(*w, "ln", c.flag);
    c.close(*w);
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(unloaded.count(), 1);
    QByteArray rows = c.flag < 0 ? "" : "da_stk_secu\tlangue\t" + QByteArray::number(c.flag) + "\r\n";
    for (const char* row :
         {"jt\t\xE9", "npi\t4", "vp\t10", "dat\t4", "pst\t200", "uut\t2000", "dvt\t10000", "crt\t500", "nbt\t3",
          "cct\t50", "tst\t2", "sst\t4", "rt\t0.001140828", "cdt\t160", "cgt\t706", "tt\t866.0012"})
        rows += QByteArray("da_stk_secu\t") + row + "\r\n";
    EXPECT_EQ(read(folder.path + param_file), c.saves_param ? rows : "<unreadable>");
    QByteArray captions;  // the French column of the shipped file, which lists them first in the same order
    // The main window's 38 captions and names come first; the rows after them belong to other windows.
    for (const QByteArray& line : read(shipped_trad).trimmed().split('\n').mid(0, 38))
        captions += line.split('\t').at(0) + "\t\t\r\n";
    EXPECT_EQ(captions.count('\n'), 38);
    EXPECT_EQ(read(folder.path + trad_file), c.saves_trad ? captions : "<unreadable>");
    EXPECT_EQ(QByteArray::fromStdString(folder.diag.str()).count('\n'), c.reports) << folder.diag.str();
}

QString as_is(const QDir& d) { return d.path(); }
QString param_file_is_a_folder(const QDir& d) { return d.mkdir(param_file.mid(1)), d.path(); }
QString under_a_regular_file(const QDir& d)
{
    return write_bytes(d.filePath("f").toStdString(), ""), d.filePath("f/sub");
}
void quit(MainWindow& w) { click(w, "validation"); }
void close_box(MainWindow& w) { w.windowHandle()->close(); }

INSTANTIATE_TEST_SUITE_P(
    Ways, Closing,
    ::testing::Values(Closer{"Quit", as_is, quit, -1, true, true, 0},
                      Closer{"CloseBox", as_is, close_box, -1, true, true, 0},
                      Closer{"CloseBoxAfterAFlag", as_is, close_box, 2, true, true, 0},
                      Closer{"ParameterFileIsAFolder", param_file_is_a_folder, quit, -1, false, true, 2},
                      Closer{"FolderUnderARegularFile", under_a_regular_file, quit, -1, false, false, 4}),
    case_name);

// Whether the caption of every label (up to the first text box in front of it), frame and button fits.
::testing::AssertionResult captions_fit(const MainWindow& w)
{
    std::vector<std::pair<const QWidget*, QString>> shown{
        {w.control("Command4"), QString::fromStdString(w.model().caption(pos_of("Command4")))}};
    for (const QGroupBox* frame : w.findChildren<QGroupBox*>())
        shown.emplace_back(frame, frame->title());
    for (const QLabel* label : w.findChildren<QLabel*>())
        shown.emplace_back(label, label->text());
    for (const ui::ClickText* link : w.findChildren<ui::ClickText*>())
        shown.emplace_back(link, link->text());
    for (const auto& [control, text] : shown) {
        const bool framed = qobject_cast<const QGroupBox*>(control) || qobject_cast<const QPushButton*>(control);
        int room = control->width() - (framed ? 16 : 0);
        for (const QLineEdit* box : control->parentWidget()->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
            if (box->geometry().intersects(control->geometry()) && box->x() > control->x())
                room = std::min(room, box->x() - control->x());
        if (control->fontMetrics().horizontalAdvance(text) > room)
            return ::testing::AssertionFailure() << control->objectName().toStdString() << ": " << text.toStdString();
    }
    return ::testing::AssertionSuccess();
}

// A language flag and what it shows, with or without the shipped translation file: captions, title, legend, and the
// name and tooltip of the clear picture, the quit picture and the chart.
struct Language {
    const char *name, *risk, *stock_out, *title;
    std::array<const char*, 3> legend;
    int flag;
    bool shipped;
    const char *clear, *quit, *chart;
};

class Flags : public ::testing::TestWithParam<Language> {
protected:
    Folder folder;
    std::unique_ptr<MainWindow> open_with(bool shipped)
    {
        if (shipped) {
            EXPECT_TRUE(QFile::copy(shipped_trad, folder.path + trad_file));
        }
        return folder.open();
    }
};

TEST_P(Flags, SwitchTheLanguageOfTheWholeWindow)
{
    const Language& l = GetParam();
    const auto w = open_with(l.shipped);
    click(*w, "ln", (l.flag + 1) % 3);
    click(*w, "ln", l.flag);
    EXPECT_EQ(qobject_cast<QLabel*>(w->control("Etiquette27", 7))->text(), l.risk);
    EXPECT_EQ(qobject_cast<QGroupBox*>(w->control("aide_r"))->title(), l.stock_out);
    EXPECT_EQ(qobject_cast<QLabel*>(w->control("Etiquette27", 4))->text(), l.stock_out);
    EXPECT_EQ(w->windowTitle(), l.title);
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(chart(*w)->current_layout().legend[std::size_t(s)], l.legend[std::size_t(s)]);
    for (const auto& [control, text] : {std::pair{"Picture2", l.clear}, std::pair{"validation", l.quit}}) {
        EXPECT_EQ(w->control(control)->toolTip(), text);
        EXPECT_EQ(w->control(control)->accessibleName(), text);
    }
    EXPECT_EQ(w->control("g")->accessibleName(), l.chart);
    EXPECT_EQ(w->control("ln", 0)->accessibleName(), "Français");
    EXPECT_EQ(folder.diag.str(), "");
}

TEST_P(Flags, LeaveEveryCaptionRoomToFit)
{
    const auto w = open_with(GetParam().shipped);
    click(*w, "ln", GetParam().flag);
    EXPECT_TRUE(captions_fit(*w));
}

TEST(Opening, ShowsTheSavedFieldWithItsResults)
{
    Folder folder;
    write_bytes((folder.path + param_file).toStdString(), "da_stk_secu\tcct\t1500\r\n");
    const auto w = folder.open();
    EXPECT_EQ(box(*w, "cct")->text(), "1500");
    EXPECT_EQ(box(*w, "sst", 4)->text(), "4");
    EXPECT_TRUE(shows_model_results(*w));
}

const char* const french_title = "Vexa - Calcul Stock de Sécurité pour Equipements de Maintenance";
const char* const french_chart = "Graphique des coûts par stock de sécurité";
const std::array<const char*, 3> french_legend{"Risque", "Risque + Coût direct", "Total"},
    english_legend{"Risk", "Risk + Direct Cost", "Total"}, portuguese_legend{"Risco", "Risco + Custo direto", "Total"};

INSTANTIATE_TEST_SUITE_P(
    Languages, Flags,
    ::testing::Values(Language{"English", "Risk", "Stock-out Cost",
                               "Vexa - Safety Stock Calculator for Maintenance Equipment", english_legend, 1, true,
                               "Clear All", "Quit", "Chart of Costs by Safety Stock"},
                      Language{"Portuguese", "Risco", "Custo do risco de ruptura",
                               "Vexa - Cálculo de Estoque de Segurança para Equipamentos de Manutenção",
                               portuguese_legend, 2, true, "Limpar tudo", "Sair",
                               "Gráfico dos custos por estoque de segurança"},
                      Language{"French", "Risque", "Coût du risque de rupture", french_title, french_legend, 0, true,
                               "Effacer tout", "Quitter", french_chart},
                      Language{"EnglishUntranslated", "Risque", "Coût du risque de rupture", french_title,
                               french_legend, 1, false, "Effacer tout", "Quitter", french_chart}),
    case_name);

constexpr std::size_t megabyte = 1 << 20;

// A caption of a megabyte for a series, in the language shown, before the shipped rows.
TEST(LongCaption, IsShownCutButKeptWhole)
{
    TempDir dir;
    const std::string long_risk(megabyte, 'X'), row = "Risque\t" + long_risk + "\tRisco\r\n";
    write_bytes(dir / "trad_stk_secu.txt", row + read_bytes(STK_DATA_DIR "/trad_stk_secu.txt"));
    write_bytes(dir / "param_stk_secu.txt", "da_stk_secu\tlangue\t1\r\n");
    std::ostringstream diag;
    {
        MainWindow w(dir.path, diag);
        EXPECT_TRUE(w.model().caption(pos_of("Etiquette27", 7)) == long_risk) << "the caption is cut";
        const QString legend = chart(w)->current_layout().legend[0];
        EXPECT_LT(legend.size(), 100);
        EXPECT_TRUE(legend.startsWith("XXX") && legend.endsWith(QChar(0x2026))) << legend.toStdString();
        // What a screen reader hears names each of the 15 bars by a bounded caption.
        EXPECT_LT(read_aloud(w.control("g"), QAccessible::Description).size(), 16 * BarChartContent::caption_limit);
        const auto* label = qobject_cast<QLabel*>(w.control("Etiquette27", 7));
        EXPECT_LE(label->text().size(), label->width() + 1) << "the label holds more than it can show";
        w.close();
    }
    EXPECT_TRUE(read_bytes(dir / "trad_stk_secu.txt").starts_with(row)) << "the row is cut in the file";
    EXPECT_EQ(diag.str(), "");
}

// A value of a megabyte read from the file, and one pasted, survive start and close.
TEST(LongValue, SurvivesARestartByteForByte)
{
    TempDir dir;
    const std::string long_order(megabyte, '7'), long_pasted(megabyte, 'n');
    write_bytes(dir / "param_stk_secu.txt", "da_stk_secu\tcct\t" + long_order + "\r\n");
    std::ostringstream diag;
    {
        MainWindow w(dir.path, diag);
        EXPECT_EQ(box(w, "cct")->text().size(), qsizetype(megabyte));
        QGuiApplication::clipboard()->setText(QString::fromStdString(long_pasted));
        box(w, "vp")->paste();
        EXPECT_EQ(box(w, "vp")->text().size(), qsizetype(megabyte));
        w.close();
    }
    const std::string saved = read_bytes(dir / "param_stk_secu.txt");
    EXPECT_NE(saved.find("da_stk_secu\tcct\t" + long_order + "\r\n"), std::string::npos) << "cct is cut";
    EXPECT_NE(saved.find("da_stk_secu\tvp\t" + long_pasted + "\r\n"), std::string::npos) << "vp is cut";
    EXPECT_EQ(diag.str(), "");
}

}  // namespace
}  // namespace stk::test
