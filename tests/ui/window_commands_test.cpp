// The window's added commands: the menu button, copy, the report, the chart's
// files and the catalogue.
#include "catalogue_ui/catalogue_window.h"
#include "on_demand/on_demand_commands.h"
#include "temp_files.h"
#include "ui/commands.h"
#include "ui/on_demand.h"
#include "window_helpers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QToolButton>

namespace stk::test {
namespace {

using ui::WindowCommands;

// This program links in the commands the window loads on first use.
[[maybe_unused]] const bool commands_linked = (ui::provide_on_demand(&linked_on_demand_commands()), true);

// The catalogue window the commands opened.
CatalogueWindow* catalogue_window(WindowCommands& commands)
{
    ui::CatalogueAccess* catalogue = commands.catalogueAccess();
    return catalogue ? qobject_cast<CatalogueWindow*>(catalogue->widget()) : nullptr;
}

// The first bytes of a file.
std::string file_start(const QString& path, std::size_t size) { return read_bytes(path.toStdString()).substr(0, size); }

// A shown window, with the shipped translations in its folder.
struct TranslatedWindow {
    QTemporaryDir dir;
    bool copied = QFile::copy(STK_DATA_DIR "/trad_stk_secu.txt", dir.filePath("trad_stk_secu.txt"));
    std::ostringstream diag;
    MainWindow w{dir.path().toStdString(), diag};
};

class Commands : public ::testing::Test, public TranslatedWindow {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(copied);
        w.show();  // shortcuts work in a shown window
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    WindowCommands& commands() { return w.commands(); }
};

TEST_F(Commands, MenuButtonListsEveryCommandWithItsShortcutInAFreeStrip)
{
    QToolButton* button = commands().menuButton();
    const QRect at = button->geometry();
    EXPECT_TRUE(QRect(0, 0, ui::pixels(ui::client_width), ui::pixels(ui::client_height)).contains(at));
    for (const ui::ControlDef& def : ui::controls()) {
        const QRect designed(ui::pixels(def.at.left), ui::pixels(def.at.top), ui::pixels(def.at.width),
                             ui::pixels(def.at.height));
        const bool in_client_area = def.container.empty() && def.kind != ui::Kind::timer;
        EXPECT_FALSE(in_client_area && at.intersects(designed)) << def.name;
    }
    EXPECT_EQ(button->accessibleName(), "Commandes");
    EXPECT_NE(button->focusPolicy() & Qt::TabFocus, 0);
    QStringList listed;
    for (QAction* action : button->menu()->actions())
        listed << action->text() + u' ' + action->shortcut().toString();
    EXPECT_EQ(listed,
              (QStringList{"Catalogue… Ctrl+K", "Catalogue partagé… ", "Enregistrer dans le catalogue… Ctrl+S",
                           "Imprimer… Ctrl+P", "Exporter en PDF… Ctrl+Shift+P", "Copier les résultats Ctrl+C"}));
    click(w, "ln", 1);
    EXPECT_EQ(commands().action(WindowCommands::export_pdf)->text(), "Export PDF…");
}

TEST_F(Commands, CtrlCCopiesTheResultsUnlessAFieldHasSelectedText)
{
    type_worked_example(w);
    QLineEdit* field = box(w, "crt");
    field->deselect();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied && copied->hasHtml());
    // In the window's decimal separator; every cell's text is the results copy's own.
    const QString text = copied->text(), html = copied->html(),
                  sep = QString::fromStdString(w.model().decimal_separator());
    EXPECT_TRUE(text.startsWith("Stock de Sécurité\t0\t1\t2\t3\t4\n"));
    EXPECT_TRUE(text.contains("\nTotal (€)\t26549" + sep + "06\t788" + sep + "3407\t")) << text.toStdString();
    EXPECT_TRUE(html.contains(">0" + sep + "001140828</td>")) << html.toStdString();

    field->selectAll();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "500");
}

TEST_F(Commands, ExportPdfWritesTheReportOrSaysWhyNot)
{
    type_worked_example(w);
    const QString pdf = dir.filePath("report.pdf");
    ASSERT_TRUE(commands().exportPdfTo(pdf)) << commands().lastMessage().toStdString();
    EXPECT_EQ(file_start(pdf, 5), "%PDF-");
    EXPECT_EQ(commands().reportData().content.recommended, 3);
    // A folder in the way: nothing written, one line said.
    EXPECT_FALSE(commands().exportPdfTo(dir.path()));
    EXPECT_FALSE(commands().lastMessage().isEmpty());
}

// The commands come from the library built beside the program; without it a
// command says so in one line and the calculator goes on.
TEST_F(Commands, CommandsComeFromTheirLibraryOrSayWhyNot)
{
    type_worked_example(w);
    QString why;
    ui::OnDemandCommands* loaded = ui::load_on_demand(QStringLiteral(STK_ON_DEMAND_LIBRARY), why);
    ASSERT_NE(loaded, nullptr) << why.toStdString();
    EXPECT_NE(loaded, &linked_on_demand_commands());
    const QString pdf = dir.filePath("loaded.pdf");
    std::string error;
    ASSERT_TRUE(loaded->exportPdf(pdf, commands().reportData(), error)) << error;
    EXPECT_EQ(file_start(pdf, 5), "%PDF-");

    ui::provide_on_demand(nullptr);  // none linked in, and none beside this test program
    EXPECT_FALSE(commands().saveChart(dir.filePath("chart.svg"), true));
    ui::provide_on_demand(&linked_on_demand_commands());
    EXPECT_TRUE(commands().lastMessage().startsWith(QStringLiteral("Commande indisponible\u00a0: ")))
        << commands().lastMessage().toStdString();
    EXPECT_FALSE(commands().lastMessage().contains(u'\n'));
    EXPECT_FALSE(QFile::exists(dir.filePath("chart.svg")));
    EXPECT_EQ(w.model().recommended_text(), "3");
}

TEST_F(Commands, ChartIsSavedInEitherPictureFormat)
{
    const QString png = dir.filePath("chart.png"), svg = dir.filePath("chart.svg");
    ASSERT_TRUE(commands().saveChart(png, false));
    EXPECT_EQ(file_start(png, 8), "\x89PNG\r\n\x1a\n");
    ASSERT_TRUE(commands().saveChart(svg, true));
    EXPECT_NE(file_start(svg, 4096).find("<svg"), std::string::npos);
}

TEST_F(Commands, ReportNamesTheMostSensitiveParameterWhileTheFieldsStayTheSame)
{
    type_worked_example(w);
    EXPECT_EQ(commands().reportData().content.sensitive_value, "—");
    click(w, "Command4");
    const std::string found = commands().reportData().content.sensitive_value;
    EXPECT_NE(found, "—");
    EXPECT_EQ(found, info(*w.model().most_sensitive_field()).caption);
    box(w, "uut")->setText("2500");
    EXPECT_EQ(commands().reportData().content.sensitive_value, "—");
}

TEST_F(Commands, ArticleStoredInTheCatalogueComesBackIntoTheCalculator)
{
    type_worked_example(w);
    ASSERT_TRUE(commands().storeInCatalogue("P-100", false)) << commands().lastMessage().toStdString();
    EXPECT_EQ(commands().reportData().content.reference, "P-100");
    box(w, "pst")->setText("300");
    EXPECT_FALSE(commands().storeInCatalogue("P-100", false));  // asks first: nothing replaced
    EXPECT_EQ(commands().reportData().content.reference, "");   // the fields no longer are the article's
    ASSERT_TRUE(commands().storeInCatalogue("P-100", true));

    click(w, "Picture2");  // every field emptied
    QTest::keyClick(box(w, "dat"), Qt::Key_K, Qt::ControlModifier);
    CatalogueWindow* catalogue = catalogue_window(commands());
    ASSERT_TRUE(catalogue && catalogue->isVisible());
    QTableView* table = catalogue->table();
    ASSERT_EQ(table->model()->rowCount(), 1);
    table->setCurrentIndex(table->model()->index(0, 0));
    QTest::keyClick(table, Qt::Key_Return);
    for (std::size_t i = 0; i < article_fields.size(); ++i)
        EXPECT_EQ(w.model().field_text(article_fields[i]),
                  article_fields[i] == Field::pst ? "300" : worked::texts[static_cast<std::size_t>(article_fields[i])]);
    EXPECT_EQ(commands().reportData().content.reference, "P-100");
    // The open catalogue follows the company parameters.
    box(w, "cct")->setText("50");
    box(w, "tst")->setText("2");
    const int level = std::stoi(w.model().recommended_text());
    EXPECT_EQ(table->model()->index(0, static_cast<int>(Column::recommended)).data().toString(),
              QString::number(level));
    EXPECT_EQ(table->model()->index(0, static_cast<int>(Column::total)).data().toString().toStdString(),
              w.model().result_text(Line::tt, level));
}

// --catalogue names a server that cannot be reached: one line, and the calculator goes on.
TEST_F(Commands, TheCatalogueGivenOnTheCommandLineIsTheOneOpened)
{
    commands().setCatalogueLocation("postgresql://127.0.0.1:1/catalogue");
    CatalogueWindow* catalogue = catalogue_window(commands());
    ASSERT_TRUE(catalogue);
    EXPECT_FALSE(commands().storeInCatalogue("P-100", false));  // the answer comes between events
    EXPECT_EQ(commands().lastMessage(), "Connexion…");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !catalogue->model()->isConnecting(); }, 20000));
    type_worked_example(w);
    EXPECT_FALSE(commands().storeInCatalogue("P-100", false));
    EXPECT_TRUE(commands().lastMessage().startsWith("Serveur de catalogue injoignable: ") &&
                commands().lastMessage().contains("127.0.0.1"))
        << commands().lastMessage().toStdString();
    EXPECT_EQ(w.model().recommended_text(), "3");
}

TEST_F(Commands, FieldsSayTheirDecisionRangesInTheCurrentLanguage)
{
    type_worked_example(w);
    QLineEdit* crt = box(w, "crt");
    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), crt->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(crt, &tip);
    EXPECT_TRUE(crt->toolTip().startsWith("Stock 3 recommandé")) << crt->toolTip().toStdString();
    EXPECT_TRUE(crt->toolTip().contains("€ / jour"));
    EXPECT_EQ(box(w, "pst")->accessibleDescription(), box(w, "pst")->toolTip());
    const QString before = box(w, "pst")->toolTip();
    click(w, "ln", 1);
    box(w, "pst")->setText("300");                // above the range of the price: stock 2
    EXPECT_EQ(box(w, "pst")->toolTip(), before);  // nothing computed while typing
    box(w, "pst")->setFocus();
    ASSERT_EQ(w.model().recommended_text(), "2");
    EXPECT_TRUE(box(w, "pst")->accessibleDescription().startsWith("Stock 2 recommended"))
        << box(w, "pst")->accessibleDescription().toStdString();
}

}  // namespace
}  // namespace stk::test
