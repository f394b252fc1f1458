// The catalogue window's CSV import (previewed, then committed or dropped) and
// export (what the table shows, read back by the import).
#include "catalogue_ui/catalogue_window.h"

#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using stk::CatalogueWindow;

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A list as a maintenance system writes it: semicolons, Windows-1252, columns
// by caption and by key, one reference already in the catalogue, two refusals.
const QByteArray list =
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
        ASSERT_TRUE(window.openCatalogue(std::filesystem::path(dir.path().toStdString()) / "c.sqlite"));
        ASSERT_TRUE(window.model()->storeParameters("PMP-100", {"4", "200", "2000", "10000", "500", "3"}));
        write(dir.filePath("list.csv"), list);
    }
    int rows() const { return window.table()->model()->rowCount(); }

    QTemporaryDir dir;
    CatalogueWindow window;
};

TEST_F(CatalogueCsv, ImportIsPreviewedWithItsRefusalsThenCommitted)
{
    const auto import = window.previewCsvImport(dir.filePath("list.csv"));
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
    ASSERT_TRUE(window.commitCsvImport(*window.previewCsvImport(dir.filePath("list.csv"))));
    window.findChild<QLineEdit*>("catalogue_filter")->setText("roul");  // PMP-100 is not shown
    ASSERT_TRUE(window.exportCsv(dir.filePath("out.csv"))) << window.stateLine().toStdString();
    CatalogueWindow other;
    ASSERT_TRUE(other.openCatalogue(std::filesystem::path(dir.path().toStdString()) / "other.sqlite"));
    const auto back = other.previewCsvImport(dir.filePath("out.csv"));
    ASSERT_TRUE(back) << other.stateLine().toStdString();
    EXPECT_EQ(back->plan.added, 1u);
    EXPECT_TRUE(back->plan.refused.empty());
    ASSERT_TRUE(other.commitCsvImport(*back));
    EXPECT_EQ(other.model()->findArticle("ROUL-6204")->params, window.model()->findArticle("ROUL-6204")->params);
    EXPECT_EQ(other.model()->findArticle("ROUL-6204")->stock, 2);
    // A missing column: nothing read, one line said.
    write(dir.filePath("bad.csv"), "reference;dat\r\nX;4\r\n");
    EXPECT_FALSE(window.previewCsvImport(dir.filePath("bad.csv")));
    EXPECT_TRUE(window.stateLine().contains("pst"));
}

}  // namespace
