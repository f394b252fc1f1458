// The catalogue as a Qt table model: the rows of stk::ArticleTable, written as
// texts only when the view asks for them, and kept until they change.
#pragma once

#include "catalogue/article_table.h"
#include "catalogue/catalogue.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <unordered_map>

namespace stk {

// The columns that hold what is stored for an article: reference to stock on hand.
inline constexpr int stored_column_count = static_cast<int>(Column::stock) + 1;

class CatalogueModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit CatalogueModel(QObject* parent = nullptr);

    // The text of a stored field (a column before the results) of an article.
    static QString storedText(const ArticleData& a, Column c);

    // An edit refused because someone else changed or deleted the article
    // meanwhile. `mine` is the catalogue's current article with the fields the
    // user changed (all of them when it was deleted); `column` is the cell
    // being edited, or -1.
    struct Conflict {
        Article mine;
        std::optional<Article> theirs;  // none: deleted elsewhere
        int column = -1;
    };
    enum class Resolution {
        keep_mine,     // stored over the catalogue's current article (added again when deleted)
        take_theirs,   // the table shows the catalogue's article; nothing stored
        keep_editing,  // as take_theirs, and the cell's editor starts from the user's text
    };
    const std::optional<Conflict>& conflict() const { return conflict_; }
    // Settles the conflict; answers the article's row afterwards, or -1.
    int resolveConflict(Resolution r);

    // Opens the catalogue file and shows its first articles at once, the rest
    // as they are read in the background; on failure the table is empty and
    // failureLine() says why.
    bool open(const std::filesystem::path& file);
    // Opens the catalogue at `where`: a file path, at once, or a server's
    // connection, reached on a worker thread so that nothing waits for it;
    // stateChanged() tells when it is done.
    void openLocation(const QString& where);
    // Opens the last location again (after the server was lost).
    void reconnect() { openLocation(location_); }
    bool isOpen() const { return catalogue_.has_value(); }
    bool isConnecting() const { return connecting_; }
    // The server was lost or could not be reached: nothing is shown.
    bool isOffline() const { return offline_; }
    // The location as asked for (it may hold a password: never shown), and
    // where the open catalogue is, without any password, for display.
    const QString& location() const { return location_; }
    QString shownLocation() const;
    const QString& failureLine() const { return failure_line_; }
    // Reads every article again.
    bool reload();

    // Articles read in the background: how many so far, whether reading goes
    // on, and whether they wait to be shown (the window shows them when no
    // edit is in progress, since a new table ends the edit).
    bool isLoading() const { return loader_.has_value(); }
    std::size_t loadedCount() const;
    bool hasUnshownArticles() const;
    void showLoadedArticles();
    // Reads the catalogue again, in the background, when anyone changed it
    // since it was last read; filter and order are kept.
    void refreshIfChanged();

    // The window's two company parameters, as typed: every article is recomputed.
    void setCompany(const QString& cct, const QString& tst);
    void setFilter(const QString& text);
    // The column headers and the message captions, in the shown language.
    void setCaptions(const std::array<QString, column_count>& headers,
                     std::function<QString(std::string_view)> translate);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    const Article* articleAt(int row) const;
    int rowOf(std::int64_t id) const;

    // Adds an article under the first free reference `base`, `base (2)`, ...;
    // answers its row, or -1.
    int addArticle(const QString& base);
    int duplicateArticle(int row);
    bool removeArticle(int row);
    bool canUndoRemove() const { return catalogue_ && catalogue_->can_undo_remove(); }
    // Answers the row of the restored article, or -1.
    int undoRemove();

    // For "Save to catalogue": the article of a reference, and storing six
    // parameter texts (in article_fields order) under a reference, as a new
    // article or over the existing one.
    std::optional<Article> findArticle(const QString& reference);
    bool storeParameters(const QString& reference, const QStringList& params);

    // An import: what it would do (nothing written), then the import itself in
    // one transaction, after which the table shows the catalogue again.
    std::optional<ImportPlan> previewImport(const std::vector<ArticleData>& articles);
    bool commitImport(const std::vector<ArticleData>& articles, const ImportPlan& previewed);

    // The rows as shown, texts as shown, for an export.
    void visitShownRows(const std::function<void(const std::array<QString, column_count>&)>& visit) const;

    // How many rows were written as texts since the model was made (tests).
    std::size_t formattedRows() const { return formatted_; }

signals:
    // One line, translated, when something could not be done.
    void failed(const QString& line);
    // The catalogue changed (an article added, edited, deleted or restored).
    void changed();
    // The filter was emptied to show an article just added or restored.
    void filterCleared();
    // An edit met someone else's change: conflict() says what, resolveConflict() settles it.
    void conflictFound();
    // Opened, lost, connecting, reading in the background or done reading.
    void stateChanged();
    // Articles read in the background wait for showLoadedArticles().
    void articlesReady();

private:
    const std::array<QString, column_count>& rowTexts(int row) const;
    std::array<QString, column_count> formatRow(std::size_t row) const;
    void report(const Failure& f);
    QString lineOf(const Failure& f) const;
    bool adopt(Result<Catalogue> opened);
    void close();
    void goOffline(const Failure& f);
    // Reads the first page (shown at once unless `refresh`), then the rest on a worker thread.
    bool startLoading(bool refresh);
    void readRest(unsigned generation);
    // After the program's own change: the change counter moved by that change alone.
    void noteOwnChange();
    // Shows an article just stored (or reports why it was not); its row, or -1.
    int accept(const Result<Article>& stored);
    // Stores an edit of an article; a change made elsewhere meanwhile becomes a conflict.
    int store(const Article& edited, int column);
    void erase(std::int64_t id);
    void put(const Article& a);
    void relayout(const std::function<void()>& change);

    std::optional<Catalogue> catalogue_;
    ArticleTable table_;
    QString failure_line_;
    std::array<QString, column_count> headers_;
    std::function<QString(std::string_view)> translate_;
    QString separator_;
    std::string separator_utf8_;
    mutable QHash<std::int64_t, std::array<QString, column_count>> texts_;
    mutable std::size_t formatted_ = 0;
    std::optional<Conflict> conflict_;
    // The user's text for a cell whose edit goes on after a conflict: what its editor starts from.
    struct Draft {
        std::int64_t id = 0;
        int column = 0;
        QString text;
    };
    std::optional<Draft> draft_;

    QString location_;
    bool connecting_ = false;
    bool offline_ = false;
    unsigned generation_ = 0;         // a new location or a new reading leaves the older ones unheard
    std::int64_t seen_changes_ = -1;  // the change counter when the articles shown were read
    struct Loader {
        std::vector<Article> articles;  // the first page, then every article, by reference
        std::size_t shown = 0;          // how many of them the table shows
        bool done = false;
        std::int64_t changes = 0;  // the change counter before the first page
        // The program's own changes meanwhile, by id; none: deleted.
        std::unordered_map<std::int64_t, std::optional<Article>> own;
    };
    std::optional<Loader> loader_;
};

}  // namespace stk
