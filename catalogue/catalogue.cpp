#include "catalogue/catalogue.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <string>
#include <system_error>
#include <unordered_set>

namespace stk {

namespace {

constexpr const char* article_columns =
    "id, reference, description, dat, pst, uut, dvt, crt, nbt, stock, changed, version";
constexpr const char* now_utc = "strftime('%Y-%m-%dT%H:%M:%SZ', 'now')";

// Version 2: an id that is never reused (so an undone delete gets its own
// back), the stock on hand and a version number per article.
constexpr const char* schema_v2 = R"(
CREATE TABLE article (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  reference TEXT NOT NULL COLLATE NOCASE UNIQUE CHECK (reference <> ''),
  description TEXT NOT NULL DEFAULT '',
  dat TEXT NOT NULL DEFAULT '',
  pst TEXT NOT NULL DEFAULT '',
  uut TEXT NOT NULL DEFAULT '',
  dvt TEXT NOT NULL DEFAULT '',
  crt TEXT NOT NULL DEFAULT '',
  nbt TEXT NOT NULL DEFAULT '',
  stock INTEGER CHECK (stock IS NULL OR stock >= 0),
  changed TEXT NOT NULL,
  version INTEGER NOT NULL DEFAULT 1
);
)";

// From version 1 (reference as the key, no stock, no version): every article
// is kept, in reference order, at version 1.
constexpr const char* upgrade_v1_to_v2 = R"(
ALTER TABLE article RENAME TO article_v1;
)";
// Version 3: a change counter that every write moves, and the description
// order kept by an index so that a page is read without sorting them all.
constexpr const char* schema_v3 = R"(
CREATE TABLE catalogue_state (
  id INTEGER PRIMARY KEY CHECK (id = 1),
  change_count INTEGER NOT NULL
);
INSERT INTO catalogue_state (id, change_count) VALUES (1, 0);
CREATE INDEX article_by_description ON article (description COLLATE NOCASE, reference, id);
)";
constexpr const char* copy_v1 = R"(
INSERT INTO article (reference, description, dat, pst, uut, dvt, crt, nbt, stock, changed, version)
  SELECT reference, description, dat, pst, uut, dvt, crt, nbt, NULL, changed, 1
  FROM article_v1 ORDER BY reference;
DROP TABLE article_v1;
)";

// A new article at version 1, changed now; parameters as bind_data() binds them.
std::string insert_sql()
{
    return std::string(
               "INSERT INTO article (reference, description, dat, pst, uut, dvt, crt, nbt, stock, changed, "
               "version) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ") +
           now_utc + ", 1)";
}

// A count as an SQL integer: beyond the largest, the largest (the same for any table).
std::int64_t clamped(std::size_t n)
{
    return static_cast<std::int64_t>(std::min<std::size_t>(n, std::numeric_limits<std::int64_t>::max()));
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string ascii_folded(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = ascii_lower(c);
    return out;
}

// A LIKE pattern that finds `text` anywhere; '\' escapes the wildcards.
std::string contains_pattern(std::string_view text)
{
    std::string out = "%";
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '%';
    return out;
}

Article read_article(const sql::Statement& s)
{
    Article a;
    a.id = s.integer(0);
    a.reference = s.text(1);
    a.description = s.text(2);
    for (std::size_t i = 0; i < article_param_count; ++i)
        a.params[i] = s.text(3 + static_cast<int>(i));
    if (!s.is_null(9))
        a.stock = s.integer(9);
    a.changed = s.text(10);
    a.version = s.integer(11);
    return a;
}

// Binds reference, description, the six parameters and the stock from `first` on.
void bind_data(sql::Statement& s, const ArticleData& a, int first)
{
    s.bind(first, a.reference).bind(first + 1, a.description);
    for (std::size_t i = 0; i < article_param_count; ++i)
        s.bind(first + 2 + static_cast<int>(i), a.params[i]);
    s.bind(first + 8, a.stock);
}

Problem problem_of(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Problem::busy;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Problem::corrupt;
    case SQLITE_READONLY:
        return Problem::read_only;
    case SQLITE_CANTOPEN:
        return Problem::cannot_open;
    default:
        return Problem::storage;
    }
}

}  // namespace

const std::string& ArticleData::param(Field f) const
{
    for (std::size_t i = 0; i < article_param_count; ++i)
        if (article_fields[i] == f)
            return params[i];
    return reference;  // not an article parameter: never asked by the program
}

std::string& ArticleData::param(Field f)
{
    return const_cast<std::string&>(static_cast<const ArticleData&>(*this).param(f));
}

std::string_view problem_caption(Problem p)
{
    switch (p) {
    case Problem::cannot_open:
        return "Impossible d'ouvrir le catalogue";
    case Problem::corrupt:
        return "Catalogue endommagé, laissé tel quel";
    case Problem::read_only:
        return "Catalogue en lecture seule, laissé tel quel";
    case Problem::newer_version:
        return "Catalogue d'une version plus récente du programme, laissé tel quel";
    case Problem::not_a_catalogue:
        return "Ce fichier n'est pas un catalogue, laissé tel quel";
    case Problem::reference_empty:
        return "Référence obligatoire";
    case Problem::reference_taken:
        return "Référence déjà utilisée";
    case Problem::reference_in_import_twice:
        return "Référence en double dans l'import";
    case Problem::stock_invalid:
        return "Stock actuel invalide";
    case Problem::not_found:
        return "Article introuvable";
    case Problem::changed_elsewhere:
        return "Article modifié ailleurs entre-temps";
    case Problem::busy:
        return "Catalogue occupé, réessayez";
    case Problem::import_changed:
        return "Le catalogue a changé depuis l'aperçu de l'import";
    case Problem::storage:
        return "Erreur du catalogue";
    case Problem::offline:
        return "Serveur de catalogue injoignable";
    }
    return "Erreur du catalogue";
}

std::string Failure::line(std::string_view caption) const
{
    std::string out(caption);
    if (!detail.empty()) {
        out += ": ";
        for (char c : detail)
            out += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return out;
}

Done normalize(ArticleData& a)
{
    std::string_view r = a.reference;
    while (!r.empty() && is_blank(r.front()))
        r.remove_prefix(1);
    while (!r.empty() && is_blank(r.back()))
        r.remove_suffix(1);
    a.reference = std::string(r);
    if (a.reference.empty())
        return Failure{Problem::reference_empty, {}};
    if (a.stock && *a.stock < 0)
        return Failure{Problem::stock_invalid, a.reference};
    return std::nullopt;
}

std::string duplicate_base(std::string_view reference)
{
    // "name (n)" with n made of digits only.
    if (reference.size() >= 4 && reference.back() == ')') {
        const std::size_t open = reference.rfind(" (");
        if (open != std::string_view::npos && open > 0 && open + 3 < reference.size()) {
            const std::string_view digits = reference.substr(open + 2, reference.size() - open - 3);
            bool all_digits = true;
            for (char c : digits)
                all_digits = all_digits && c >= '0' && c <= '9';
            if (all_digits)
                return std::string(reference.substr(0, open));
        }
    }
    return std::string(reference);
}

std::filesystem::path catalogue_path(const std::filesystem::path& folder) { return folder / catalogue_file_name; }

bool is_server_location(std::string_view where)
{
    for (std::string_view scheme : {"postgresql://", "postgres://"})
        if (where.size() >= scheme.size() && ascii_folded(where.substr(0, scheme.size())) == scheme)
            return true;
    // A libpq "keyword=value" string: a first word of letters followed by '='.
    std::size_t i = 0;
    while (i < where.size() && is_blank(where[i]))
        ++i;
    const std::size_t word = i;
    while (i < where.size() && ((where[i] >= 'a' && where[i] <= 'z') || where[i] == '_'))
        ++i;
    while (i < where.size() && where[i] == ' ')
        ++i;
    return i > word && i < where.size() && where[i] == '=';
}

Failure Catalogue::storage_failure(const std::string& message) const
{
    return Failure{Problem::storage, message.empty() ? db_.error() : message};
}

Failure Catalogue::statement_failure(const sql::Statement& s) const
{
    return Failure{problem_of(s.result_code()), s.error()};
}

Result<Catalogue> Catalogue::open(const std::filesystem::path& path)
{
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec) || ec;
    Catalogue c;
    c.path_ = path;
    const std::string where = path.string();
    if (auto failure = c.db_.open(where, !exists))
        return Failure{Problem::cannot_open, where + ": " + *failure};
    // A file the user cannot write is not ours to change.
    if (exists && c.db_.read_only())
        return Failure{Problem::read_only, where};
    c.db_.busy_timeout(2000);

    const auto classify = [&](const sql::Statement& s) {
        Failure f = c.statement_failure(s);
        f.detail = where + ": " + f.detail;
        return f;
    };
    std::int64_t version = 0, objects = 0;
    std::string journal;
    {
        sql::Statement s(c.db_, "PRAGMA user_version");
        if (s.step() != sql::Statement::Step::row)
            return classify(s);
        version = s.integer(0);
    }
    {
        sql::Statement s(c.db_, "SELECT count(*) FROM sqlite_master");
        if (s.step() != sql::Statement::Step::row)
            return classify(s);
        objects = s.integer(0);
    }
    if (version > catalogue_schema_version)
        return Failure{Problem::newer_version, where + ": " + std::to_string(version)};
    if (version == 0 && objects > 0)
        return Failure{Problem::not_a_catalogue, where};
    {
        sql::Statement s(c.db_, "PRAGMA journal_mode");
        if (s.step() != sql::Statement::Step::row)
            return classify(s);
        journal = ascii_folded(s.text_view(0));
    }
    // Before the first write to an existing file (an upgrade, the switch to
    // WAL), make sure it is sound: a damaged file is left as it is.
    if (exists && objects > 0 && (version < catalogue_schema_version || journal != "wal")) {
        sql::Statement s(c.db_, "PRAGMA quick_check(1)");
        if (s.step() != sql::Statement::Step::row)
            return classify(s);
        if (s.text_view(0) != "ok")
            return Failure{Problem::corrupt, where + ": " + s.text(0)};
    }
    if (version < catalogue_schema_version) {
        sql::Transaction t(c.db_);
        if (t.begin_error())
            return Failure{Problem::busy, where + ": " + *t.begin_error()};
        if (version == 1) {
            if (auto f = c.db_.exec(upgrade_v1_to_v2))
                return c.storage_failure(where + ": " + *f);
        }
        if (version < 2) {
            if (auto f = c.db_.exec(schema_v2))
                return c.storage_failure(where + ": " + *f);
        }
        if (version == 1) {
            if (auto f = c.db_.exec(copy_v1))
                return c.storage_failure(where + ": " + *f);
        }
        if (auto f = c.db_.exec(schema_v3))
            return c.storage_failure(where + ": " + *f);
        if (auto f = c.db_.exec(("PRAGMA user_version = " + std::to_string(catalogue_schema_version)).c_str()))
            return c.storage_failure(where + ": " + *f);
        if (auto f = t.commit())
            return Failure{Problem::busy, where + ": " + *f};
    }
    if (journal != "wal") {
        sql::Statement s(c.db_, "PRAGMA journal_mode = WAL");
        if (s.step() != sql::Statement::Step::row)
            return classify(s);
        if (ascii_folded(s.text_view(0)) != "wal")
            return Failure{Problem::cannot_open, where + ": journal mode " + s.text(0)};
    }
    return c;
}

std::string Catalogue::location() const { return path_.string(); }

bool Catalogue::is_shared() const { return false; }

Result<std::int64_t> Catalogue::change_count()
{
    sql::Statement s(db_, "SELECT change_count FROM catalogue_state WHERE id = 1");
    if (s.step() != sql::Statement::Step::row)
        return statement_failure(s);
    return s.integer(0);
}

Result<Catalogue> Catalogue::open_location(std::string_view where)
{
    if (is_server_location(where))
        return connect(where);
    return open(std::filesystem::path(where));
}

Result<Catalogue> Catalogue::connect(std::string_view connection)
{
    return Failure{Problem::offline, std::string(connection)};
}

Result<std::vector<Article>> Catalogue::list(std::string_view filter, Order order)
{
    return read_articles(filter, order, std::nullopt);
}

Result<std::vector<Article>> Catalogue::page(std::string_view filter, Order order, std::size_t offset,
                                             std::size_t limit)
{
    return read_articles(filter, order, std::pair{offset, limit});
}

Result<std::vector<Article>> Catalogue::read_articles(std::string_view filter, Order order,
                                                      std::optional<std::pair<std::size_t, std::size_t>> window)
{
    std::string q = std::string("SELECT ") + article_columns + " FROM article";
    if (!filter.empty())
        q += " WHERE reference LIKE ?1 ESCAPE '\\' OR description LIKE ?1 ESCAPE '\\'";
    q += order == Order::reference ? " ORDER BY reference, id" : " ORDER BY description COLLATE NOCASE, reference, id";
    const int limit_at = filter.empty() ? 1 : 2;
    if (window)
        q += " LIMIT ?" + std::to_string(limit_at) + " OFFSET ?" + std::to_string(limit_at + 1);
    sql::Statement s(db_, q);
    if (!filter.empty())
        s.bind(1, contains_pattern(filter));
    if (window)
        s.bind(limit_at, clamped(window->second)).bind(limit_at + 1, clamped(window->first));
    std::vector<Article> out;
    if (window)
        out.reserve(std::min<std::size_t>(window->second, 1000));
    else if (filter.empty())
        out.reserve(static_cast<std::size_t>(count()));  // no copies while it grows
    sql::Statement::Step step;
    while ((step = s.step()) == sql::Statement::Step::row)
        out.push_back(read_article(s));
    if (step == sql::Statement::Step::error)
        return statement_failure(s);
    return out;
}

Result<Article> Catalogue::get(std::string_view reference)
{
    ArticleData probe;
    probe.reference = std::string(reference);
    if (auto f = normalize(probe))
        return *f;
    sql::Statement s(db_, std::string("SELECT ") + article_columns + " FROM article WHERE reference = ?1");
    s.bind(1, probe.reference);
    return fetch_one(s, probe.reference);
}

Result<Article> Catalogue::get(std::int64_t id)
{
    sql::Statement s(db_, std::string("SELECT ") + article_columns + " FROM article WHERE id = ?1");
    s.bind(1, id);
    return fetch_one(s, {});
}

Result<Article> Catalogue::fetch_one(sql::Statement& s, const std::string& wanted)
{
    switch (s.step()) {
    case sql::Statement::Step::row:
        return read_article(s);
    case sql::Statement::Step::done:
        return Failure{Problem::not_found, wanted};
    default:
        return statement_failure(s);
    }
}

Done Catalogue::begin_change(const sql::Transaction& t)
{
    if (t.begin_error())
        return Failure{Problem::busy, *t.begin_error()};
    if (auto f = db_.exec("UPDATE catalogue_state SET change_count = change_count + 1 WHERE id = 1"))
        return Failure{Problem::busy, *f};
    return std::nullopt;
}

Result<Article> Catalogue::commit_with(sql::Transaction& t, std::int64_t id)
{
    auto stored = get(id);
    if (!stored)
        return stored;
    if (auto f = t.commit())
        return Failure{Problem::busy, *f};
    return stored;
}

std::int64_t Catalogue::count()
{
    sql::Statement s(db_, "SELECT count(*) FROM article");
    return s.step() == sql::Statement::Step::row ? s.integer(0) : 0;
}

Result<Article> Catalogue::add(ArticleData a)
{
    if (auto f = normalize(a))
        return *f;
    sql::Transaction t(db_);
    if (auto f = begin_change(t))
        return *f;
    sql::Statement s(db_, insert_sql());
    bind_data(s, a, 1);
    if (s.step() == sql::Statement::Step::error) {
        if (s.result_code() == SQLITE_CONSTRAINT_UNIQUE)
            return Failure{Problem::reference_taken, a.reference};
        return statement_failure(s);
    }
    return commit_with(t, db_.last_insert_id());
}

Result<Article> Catalogue::update(const Article& edited)
{
    ArticleData a = edited;
    if (auto f = normalize(a))
        return *f;
    sql::Transaction t(db_);
    if (auto f = begin_change(t))
        return *f;
    sql::Statement s(db_, std::string("UPDATE article SET reference = ?1, description = ?2, dat = ?3, pst = ?4, "
                                      "uut = ?5, dvt = ?6, crt = ?7, nbt = ?8, stock = ?9, changed = ") +
                              now_utc + ", version = version + 1 WHERE id = ?10 AND version = ?11");
    bind_data(s, a, 1);
    s.bind(10, edited.id).bind(11, edited.version);
    if (s.step() == sql::Statement::Step::error) {
        if (s.result_code() == SQLITE_CONSTRAINT_UNIQUE)
            return Failure{Problem::reference_taken, a.reference};
        return statement_failure(s);
    }
    if (db_.changes() == 0) {
        auto current = get(edited.id);
        if (!current)
            return *current.failure;
        return Failure{Problem::changed_elsewhere, current.value->reference};
    }
    return commit_with(t, edited.id);
}

Result<Article> Catalogue::duplicate(std::int64_t id)
{
    sql::Transaction t(db_);
    if (auto f = begin_change(t))
        return *f;
    auto original = get(id);
    if (!original)
        return original;
    ArticleData copy = *original.value;
    const std::string base = duplicate_base(copy.reference);
    sql::Statement taken(db_, "SELECT 1 FROM article WHERE reference = ?1");
    for (std::int64_t n = 2;; ++n) {
        copy.reference = base + " (" + std::to_string(n) + ")";
        taken.reset();
        taken.bind(1, copy.reference);
        const auto step = taken.step();
        if (step == sql::Statement::Step::error)
            return statement_failure(taken);
        if (step == sql::Statement::Step::done)
            break;
    }
    // The nested add joins this transaction's lock: do the insert here.
    sql::Statement s(db_, insert_sql());
    bind_data(s, copy, 1);
    if (s.step() == sql::Statement::Step::error)
        return statement_failure(s);
    return commit_with(t, db_.last_insert_id());
}

Done Catalogue::remove(std::int64_t id)
{
    sql::Transaction t(db_);
    if (auto f = begin_change(t))
        return *f;
    auto article = get(id);
    if (!article)
        return article.failure;
    sql::Statement s(db_, "DELETE FROM article WHERE id = ?1");
    s.bind(1, id);
    if (s.step() == sql::Statement::Step::error)
        return statement_failure(s);
    if (auto f = t.commit())
        return Failure{Problem::busy, *f};
    last_removed_ = std::move(article.value);
    return std::nullopt;
}

Result<Article> Catalogue::undo_remove()
{
    if (!last_removed_)
        return Failure{Problem::not_found, {}};
    const Article& a = *last_removed_;
    sql::Transaction t(db_);
    if (auto f = begin_change(t))
        return *f;
    sql::Statement s(db_, std::string("INSERT INTO article (reference, description, dat, pst, uut, dvt, crt, nbt, "
                                      "stock, id, changed, version) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, "
                                      "?10, ?11, ?12)"));
    bind_data(s, a, 1);
    s.bind(10, a.id).bind(11, a.changed).bind(12, a.version);
    if (s.step() == sql::Statement::Step::error) {
        if ((s.result_code() & 0xff) == SQLITE_CONSTRAINT)
            return Failure{Problem::reference_taken, a.reference};
        return statement_failure(s);
    }
    auto stored = commit_with(t, a.id);
    if (stored)
        last_removed_.reset();
    return stored;
}

Result<ImportPlan> Catalogue::plan_import(std::vector<ArticleData>& articles, std::vector<std::int64_t>* ids)
{
    ImportPlan plan;
    std::unordered_set<std::string> seen;
    seen.reserve(articles.size());
    sql::Statement find(db_, "SELECT id FROM article WHERE reference = ?1");
    if (ids)
        ids->assign(articles.size(), -1);
    for (std::size_t i = 0; i < articles.size(); ++i) {
        ArticleData& a = articles[i];
        if (auto f = normalize(a)) {
            plan.refused.push_back({i, *f});
            continue;
        }
        if (!seen.insert(ascii_folded(a.reference)).second) {
            plan.refused.push_back({i, Failure{Problem::reference_in_import_twice, a.reference}});
            continue;
        }
        find.reset();
        find.bind(1, a.reference);
        const auto step = find.step();
        if (step == sql::Statement::Step::error)
            return statement_failure(find);
        if (step == sql::Statement::Step::row) {
            ++plan.updated;
            if (ids)
                (*ids)[i] = find.integer(0);
        } else {
            ++plan.added;
            if (ids)
                (*ids)[i] = 0;
        }
    }
    return plan;
}

Result<ImportPlan> Catalogue::preview_import(std::vector<ArticleData> articles)
{
    return plan_import(articles, nullptr);
}

Result<ImportPlan> Catalogue::commit_import(std::vector<ArticleData> articles, const ImportPlan& previewed)
{
    sql::Transaction t(db_);
    if (auto f = begin_change(t))
        return *f;
    std::vector<std::int64_t> ids;
    auto plan = plan_import(articles, &ids);
    if (!plan)
        return plan;
    if (!(*plan.value == previewed) || plan.value->refused.size() != previewed.refused.size())
        return Failure{Problem::import_changed, {}};
    sql::Statement insert(db_, insert_sql());
    // An article found by its reference keeps the reference as stored.
    sql::Statement update(db_, std::string("UPDATE article SET description = ?2, dat = ?3, pst = ?4, uut = ?5, "
                                           "dvt = ?6, crt = ?7, nbt = ?8, stock = ?9, changed = ") +
                                   now_utc + ", version = version + 1 WHERE id = ?10 AND reference = ?1");
    for (std::size_t i = 0; i < articles.size(); ++i) {
        if (ids[i] < 0)
            continue;
        sql::Statement& s = ids[i] == 0 ? insert : update;
        s.reset();
        bind_data(s, articles[i], 1);
        if (ids[i] > 0)
            s.bind(10, ids[i]);
        if (s.step() == sql::Statement::Step::error) {
            Failure f = statement_failure(s);
            f.detail = articles[i].reference + ": " + f.detail;
            return f;
        }
    }
    if (auto f = t.commit())
        return Failure{Problem::busy, *f};
    return plan;
}

Done Catalogue::for_each(const std::function<void(const Article&)>& visit)
{
    sql::Statement s(db_, std::string("SELECT ") + article_columns + " FROM article ORDER BY reference, id");
    sql::Statement::Step step;
    while ((step = s.step()) == sql::Statement::Step::row)
        visit(read_article(s));
    if (step == sql::Statement::Step::error)
        return statement_failure(s);
    return std::nullopt;
}

}  // namespace stk
