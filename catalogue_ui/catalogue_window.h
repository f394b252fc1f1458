// The catalogue window: every article of the catalogue with its results for
// the window's company parameters; add, duplicate, delete (and undo the last
// delete), edit in place, filter and sort. Enter or a double click on an
// article hands its six parameters to whoever listens.
#pragma once

#include "catalogue/article_table.h"
#include "catalogue_ui/catalogue_model.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace stk {

class TradTable;

class CatalogueWindow : public QDialog {
    Q_OBJECT

public:
    explicit CatalogueWindow(QWidget* parent = nullptr);

    // Opens the catalogue file (catalogue_path() of the program's folder).
    // When it cannot be used the window says why on its state line and stays
    // empty; the calculator goes on working.
    bool openCatalogue(const std::filesystem::path& file);
    // Opens the catalogue at `where`: a file path, or a server's connection
    // ("postgresql://…", "host=… dbname=…"), reached without holding up the
    // window; empty: the file given to openCatalogue().
    void openLocation(const QString& where);
    // The file openLocation() opens for an empty location.
    void setLocalFile(const std::filesystem::path& file) { local_file_ = file; }
    // What the window is doing: connecting, reading articles, offline; empty when idle.
    QString progressLine() const;
    // The company parameters as typed in the calculator: every result again.
    void setCompanyParameters(const QString& cct, const QString& tst);
    // Captions in language `column` of the translation table (none: French).
    void retranslate(TradTable& trad, std::optional<std::size_t> column);

    CatalogueModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    // The state line: empty, or why something could not be done.
    QString stateLine() const;

    // A CSV import: the articles of the file and what importing them would do
    // (nothing written yet); none, and the state line says why, when the
    // file cannot be read or the catalogue is not open.
    struct CsvImport {
        std::vector<ArticleData> articles;
        std::vector<std::size_t> lines;  // the file line of each article
        ImportPlan plan;
    };
    std::optional<CsvImport> previewCsvImport(const QString& file);
    // The counts on the first line, then each refusal with its line and reason.
    QString importSummary(const CsvImport& import) const;
    // Imports in one transaction; false when the catalogue changed since the preview.
    bool commitCsvImport(const CsvImport& import);
    // Writes the rows the table shows, with its captions, through a temporary
    // file renamed over `file`; false and the state line says why.
    bool exportCsv(const QString& file);

signals:
    // The chosen article: its reference and its six parameter texts, in the
    // order of stk::article_fields (dat, pst, uut, dvt, crt, nbt).
    void articleChosen(const QString& reference, const QStringList& params);

public slots:
    void addArticle();
    void duplicateArticle();
    void deleteArticle();
    void undoDelete();
    // Ask for a file, then import (after a preview the user confirms) or export.
    void importCsvAsk();
    void exportCsvAsk();
    // The server again, after it was lost.
    void reconnect();
    // "Shared catalogue…": the server's settings, or back to the file.
    void askSharedCatalogue();

private slots:
    void chooseArticle(const QModelIndex& index);
    void sortOnCurrentColumn(Qt::SortOrder order);
    void showFailure(const QString& line);
    void updateButtons();
    void showConflict();
    void showModelState();
    void showLoadedWhenIdle();
    void rememberCurrent();
    void restoreCurrent();
    void settleConflict(stk::CatalogueModel::Resolution resolution);

private:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void applyCaptions();
    void selectRow(int row, int column = 0);
    void clearState();
    QString caption(std::string_view french) const;

    CatalogueModel* model_;
    QLabel* filter_label_;
    QLineEdit* filter_;
    QTableView* table_;
    QPushButton* add_;
    QPushButton* duplicate_;
    QPushButton* delete_;
    QPushButton* undo_;
    QPushButton* import_;
    QPushButton* export_;
    QLabel* state_;
    QLabel* progress_;
    QPushButton* shared_;
    QPushButton* reconnect_;
    QTimer* refresh_timer_;
    std::filesystem::path local_file_;
    // The current article and its place on screen, kept across a new reading.
    std::int64_t current_id_ = -1;
    int current_column_ = 0, current_offset_ = 0;
    TradTable* trad_ = nullptr;
    std::optional<std::size_t> language_;
};

}  // namespace stk
