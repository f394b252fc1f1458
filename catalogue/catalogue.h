// The catalogue of articles: one SQLite file in the program's folder, or a
// PostgreSQL database that several copies of the program share, holding, for
// each spare part, a unique reference, a description, the six article
// parameters as the user typed them, the stock on hand and when it last changed.
//
// Every change is one transaction. Each article carries a version number that
// grows by one at every change; an edit names the version it was based on and
// is refused when the stored article has moved on (another copy of the program
// changed it meanwhile), so nobody's change is silently overwritten.
#pragma once

#include "catalogue/engine.h"
#include "catalogue/location.h"
#include "catalogue/problem.h"
#include "catalogue/schema.h"
#include "engine/fields.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace stk {

// The file name of the catalogue in the program's folder.
inline constexpr std::string_view catalogue_file_name = "catalogue_stk_secu.sqlite";

// What the user gives for an article.
struct ArticleData {
    std::string reference;
    std::string description;
    std::array<std::string, article_param_count> params;  // texts as typed, in article_fields order
    std::optional<std::int64_t> stock;                    // stock on hand; none when unknown

    const std::string& param(Field f) const;
    std::string& param(Field f);
};

// An article as stored.
struct Article : ArticleData {
    std::int64_t id = 0;
    std::string changed;       // UTC, "2026-12-06T12:54:35Z"
    std::int64_t version = 0;  // 1 when added, one more at every change
};

// How many articles an import adds, updates (same reference) and refuses.
struct ImportPlan {
    struct Refusal {
        std::size_t index;  // position in the list given
        Failure why;
    };
    std::size_t added = 0;
    std::size_t updated = 0;
    std::vector<Refusal> refused;
    bool operator==(const ImportPlan& o) const { return added == o.added && updated == o.updated; }
};

// Trims the reference (blanks, tabs, line ends at both ends) and checks the
// article: a reference is required, a stock is 0 or more.
Done normalize(ArticleData& a);

// "REF" gives "REF (2)", "REF (2)" gives "REF (3)": the name before any " (n)".
std::string duplicate_base(std::string_view reference);

class Catalogue {
public:
    // Opens the catalogue at `path`, creating it when there is no file there.
    // A file that cannot be opened, is damaged, read-only, of a newer schema or
    // not a catalogue is left exactly as it was, and the answer says why.
    static Result<Catalogue> open(const std::filesystem::path& path);
    // A file path, or a "postgresql://…" / "postgres://…" URI, or a libpq
    // "host=… dbname=…" string.
    static Result<Catalogue> open_location(std::string_view where);
    // The catalogue in a PostgreSQL database, its tables created or upgraded
    // there when needed. Passwords come from libpq's own ~/.pgpass or
    // PGPASSWORD; a server that cannot be reached is Problem::offline.
    static Result<Catalogue> connect(std::string_view connection);

    Catalogue(Catalogue&&) noexcept = default;
    Catalogue& operator=(Catalogue&&) noexcept = default;

    // The file; empty on a server.
    const std::filesystem::path& path() const { return path_; }
    // The file path, or the connection without any password, for display.
    std::string location() const;
    // True on a server.
    bool is_shared() const;
    // A number that grows whenever anyone commits a change to the articles
    // (any connection, any program); one small query.
    Result<std::int64_t> change_count();

    enum class Order { reference, description };
    // Every article whose reference or description contains `filter`
    // (ASCII letters in any case), sorted.
    Result<std::vector<Article>> list(std::string_view filter = {}, Order order = Order::reference);
    // One page of list(filter, order): at most `limit` articles from `offset`, in the same order.
    Result<std::vector<Article>> page(std::string_view filter, Order order, std::size_t offset, std::size_t limit);
    // The article with this reference (compared as it is trimmed, ASCII letters in any case).
    Result<Article> get(std::string_view reference);
    Result<Article> get(std::int64_t id);
    std::int64_t count();

    Result<Article> add(ArticleData a);
    // Stores `edited` over the article of the same id, when that is still at
    // edited.version; refuses a reference that another article holds.
    Result<Article> update(const Article& edited);
    // A copy under the first free reference "base (n)", n from 2.
    Result<Article> duplicate(std::int64_t id);
    // Deletes the article; the last one deleted can be restored.
    Done remove(std::int64_t id);
    bool can_undo_remove() const { return last_removed_.has_value(); }
    // Restores the last article deleted, with its id and reference, when the
    // reference is still free.
    Result<Article> undo_remove();

    // What importing these articles would do; nothing is written.
    Result<ImportPlan> preview_import(std::vector<ArticleData> articles);
    // Imports them in one transaction: refused articles are left out, an
    // article whose reference exists replaces its description, parameters and
    // stock. When the catalogue no longer gives the `previewed` counts (it
    // changed meanwhile), or anything fails, nothing is written.
    Result<ImportPlan> commit_import(std::vector<ArticleData> articles, const ImportPlan& previewed);

    // Every article, sorted by reference, for an export.
    Done for_each(const std::function<void(const Article&)>& visit);

private:
    Catalogue() = default;
    // list() with `window` absent, page() with (offset, limit).
    Result<std::vector<Article>> read_articles(std::string_view filter, Order order,
                                               std::optional<std::pair<std::size_t, std::size_t>> window);
    Result<ImportPlan> plan_import(std::vector<ArticleData>& articles, std::vector<std::int64_t>* ids);
    Result<Article> fetch_one(db::Query& s, const std::string& wanted);
    // Every change begins here: the change counter moves in the same
    // transaction, which also makes the writers of a server take turns.
    Done begin_change(const db::Transaction& t);
    // Reads the article back, then commits.
    Result<Article> commit_with(db::Transaction& t, std::int64_t id);
    Failure failure_of(const db::Query& s) const;
    // INSERT of `rows` new articles at version 1, changed now; parameters as bind_data() binds them.
    std::string insert_rows_sql(std::size_t rows) const;
    std::string insert_sql() const;  // one, giving back its id
    // Inserts the article, then reads it back and commits.
    Result<Article> insert(const ArticleData& a, db::Transaction& t);
    // The SELECT of every article column, matching the filter when there is one.
    std::string select_articles(bool filtered) const;

    std::unique_ptr<db::Connection> db_;
    std::filesystem::path path_;
    std::optional<Article> last_removed_;
};

// The path of the catalogue in the program's folder.
std::filesystem::path catalogue_path(const std::filesystem::path& folder);

}  // namespace stk
