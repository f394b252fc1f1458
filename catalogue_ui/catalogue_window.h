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
#include <filesystem>
#include <optional>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

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
    // The company parameters as typed in the calculator: every result again.
    void setCompanyParameters(const QString& cct, const QString& tst);
    // Captions in language `column` of the translation table (none: French).
    void retranslate(TradTable& trad, std::optional<std::size_t> column);

    CatalogueModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    // The state line: empty, or why something could not be done.
    QString stateLine() const;

signals:
    // The chosen article: its reference and its six parameter texts, in the
    // order of stk::article_fields (dat, pst, uut, dvt, crt, nbt).
    void articleChosen(const QString& reference, const QStringList& params);

public slots:
    void addArticle();
    void duplicateArticle();
    void deleteArticle();
    void undoDelete();

private slots:
    void chooseArticle(const QModelIndex& index);
    void sortOnCurrentColumn(Qt::SortOrder order);
    void showFailure(const QString& line);
    void updateButtons();

private:
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
    QLabel* state_;
    TradTable* trad_ = nullptr;
    std::optional<std::size_t> language_;
};

}  // namespace stk
