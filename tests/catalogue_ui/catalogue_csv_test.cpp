// The catalogue window's CSV import (previewed, then committed or dropped) and
// export (what the table shows, read back by the import).
#include "catalogue_ui/catalogue_window.h"
#include "temp_files.h"

#include <QLineEdit>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

using stk::CatalogueWindow;

// A list as a maintenance system writes it: semicolons, Windows-1252, columns
// by caption and by key, one reference already in the catalogue, two refusals.
const std::string list =
    "R\xe9"
    "f\xe9rence;D\xe9signation;nbt;D\xe9lai moy. d'obtent\xb0;Prix Standard;uut;dvt;"
    "Co\xfbt du risque de rupture;stock\r\n"
    "ROUL-6204;\"Roulement; 20x47\";3;4;200,00;2000;10000;500;2\r\n"
    "PMP-100;Pompe;3;4;250;2000;10000;500;\r\n"
    ";Sans r\xe9"
    "f\xe9rence;3;4;200;2000;10000;500;\r\n"
    "VAN-9;Vanne;3;4;200;2000;10000;500;beaucoup\r\n";

class CatalogueCsv : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.openCatalogue(dir / "c.sqlite"));
        ASSERT_TRUE(window.model()->storeParameters("PMP-100", {"4", "200", "2000", "10000", "500", "3"}));
        stk::test::write_bytes(dir / "list.csv", list);
    }
    QString path(const char* name) const { return QString::fromStdString((dir / name).string()); }
    int rows() const { return window.table()->model()->rowCount(); }

    stk::test::TempDir dir;
    CatalogueWindow window;
};

TEST_F(CatalogueCsv, ImportIsPreviewedWithItsRefusalsThenCommitted)
{
    const auto import = window.previewCsvImport(path("list.csv"));
    ASSERT_TRUE(import) << window.stateLine().toStdString();
    EXPECT_EQ(rows(), 1);  // nothing written by the preview
    EXPECT_EQ(window.importSummary(*import).split(u'\n'),
              (QStringList{"Import\u00a0: 1 ajouté(s), 1 mis à jour, 2 refusé(s)", "4\u00a0: Référence obligatoire",
                           "5 (VAN-9)\u00a0: Stock actuel invalide"}));
    ASSERT_TRUE(window.commitCsvImport(*import));
    EXPECT_EQ(rows(), 2);
    const auto added = window.model()->findArticle("ROUL-6204");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->description, "Roulement; 20x47");
    EXPECT_EQ(added->params, (std::array<std::string, 6>{"4", "200,00", "2000", "10000", "500", "3"}));
    EXPECT_EQ(added->stock, 2);
    EXPECT_EQ(window.model()->findArticle("PMP-100")->params[1], "250");
}

TEST_F(CatalogueCsv, ExportWritesTheShownRowsThatTheImportReadsBack)
{
    ASSERT_TRUE(window.commitCsvImport(*window.previewCsvImport(path("list.csv"))));
    window.findChild<QLineEdit*>("catalogue_filter")->setText("roul");  // PMP-100 is not shown
    ASSERT_TRUE(window.exportCsv(path("out.csv"))) << window.stateLine().toStdString();
    CatalogueWindow other;
    ASSERT_TRUE(other.openCatalogue(dir / "other.sqlite"));
    const auto back = other.previewCsvImport(path("out.csv"));
    ASSERT_TRUE(back) << other.stateLine().toStdString();
    EXPECT_EQ(back->plan.added, 1u);
    EXPECT_TRUE(back->plan.refused.empty());
    ASSERT_TRUE(other.commitCsvImport(*back));
    EXPECT_EQ(other.model()->findArticle("ROUL-6204")->params, window.model()->findArticle("ROUL-6204")->params);
    EXPECT_EQ(other.model()->findArticle("ROUL-6204")->stock, 2);
    // A missing column: nothing read, one line said.
    stk::test::write_bytes(dir / "bad.csv", "reference;dat\r\nX;4\r\n");
    EXPECT_FALSE(window.previewCsvImport(path("bad.csv")));
    EXPECT_TRUE(window.stateLine().contains("pst"));
}

}  // namespace
