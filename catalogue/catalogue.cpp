#include "catalogue/catalogue.h"

#include "catalogue/pg_engine.h"
#include "catalogue/sqlite_engine.h"

#include <algorithm>
#include <limits>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace stk {

namespace {

using db::Query;
using Step = db::Query::Step;

constexpr const char* article_columns =
    "id, reference, description, dat, pst, uut, dvt, crt, nbt, stock, changed, version";

// A count as an SQL integer: beyond the largest, the largest (the same for any table).
std::int64_t clamped(std::size_t n)
{
    return static_cast<std::int64_t>(std::min<std::size_t>(n, std::numeric_limits<std::int64_t>::max()));
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

using db::ascii_folded;

// A LIKE pattern that finds `text` anywhere, ASCII letters in lower case; '\' escapes the wildcards.
std::string contains_pattern(std::string_view text)
{
    std::string out = "%";
    for (char c : ascii_folded(text)) {
        if (c == '%' || c == '_' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '%';
    return out;
}

Article read_article(const Query& s)
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

// What bind_data() binds for one article.
constexpr std::size_t bound_per_article = 9;
// New articles an import writes with one statement (well below the parameters SQLite and PostgreSQL take).
constexpr std::size_t import_rows_per_insert = 250;

// Binds reference, description, the six parameters and the stock from `first` on.
void bind_data(Query& s, const ArticleData& a, int first)
{
    s.bind(first, a.reference).bind(first + 1, a.description);
    for (std::size_t i = 0; i < article_param_count; ++i)
        s.bind(first + 2 + static_cast<int>(i), a.params[i]);
    s.bind(first + 8, a.stock);
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

Failure Catalogue::failure_of(const Query& s) const { return Failure{db::problem_of(s.fault()), s.error()}; }

Result<Catalogue> Catalogue::open(const std::filesystem::path& path)
{
    auto db = db::open_sqlite(path);
    if (!db)
        return *db.failure;
    Catalogue c;
    c.db_ = std::move(*db.value);
    c.path_ = path;
    return c;
}

Result<Catalogue> Catalogue::connect(std::string_view connection)
{
    auto db = db::connect_postgres(connection);
    if (!db)
        return *db.failure;
    Catalogue c;
    c.db_ = std::move(*db.value);
    return c;
}

Result<Catalogue> Catalogue::open_location(std::string_view where)
{
    if (is_server_location(where))
        return connect(where);
    return open(std::filesystem::path(where));
}

std::string Catalogue::location() const { return db_->location(); }

bool Catalogue::is_shared() const { return db_->is_shared(); }

Result<std::int64_t> Catalogue::change_count()
{
    Query s(*db_, "SELECT change_count FROM catalogue_state WHERE id = 1");
    if (s.step() != Step::row)
        return failure_of(s);
    return s.integer(0);
}

std::string Catalogue::select_articles(bool filtered) const
{
    std::string q = std::string("SELECT ") + article_columns + " FROM article";
    if (filtered)
        q += " WHERE " + db_->folded("reference") + " LIKE ?1 ESCAPE '\\' OR " + db_->folded("description") +
             " LIKE ?1 ESCAPE '\\'";
    return q;
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
    std::string q = select_articles(!filter.empty());
    const std::string by_reference = db_->folded("reference") + ", id";
    q += " ORDER BY " + (order == Order::reference ? by_reference : db_->folded("description") + ", " + by_reference);
    const int limit_at = filter.empty() ? 1 : 2;
    if (window)
        q += " LIMIT ?" + std::to_string(limit_at) + " OFFSET ?" + std::to_string(limit_at + 1);
    Query s(*db_, q);
    if (!filter.empty())
        s.bind(1, contains_pattern(filter));
    if (window)
        s.bind(limit_at, clamped(window->second)).bind(limit_at + 1, clamped(window->first));
    std::vector<Article> out;
    if (window)
        out.reserve(std::min<std::size_t>(window->second, 1000));
    else if (filter.empty())
        out.reserve(static_cast<std::size_t>(count()));  // no copies while it grows
    Step step;
    while ((step = s.step()) == Step::row)
        out.push_back(read_article(s));
    if (step == Step::error)
        return failure_of(s);
    return out;
}

Result<Article> Catalogue::get(std::string_view reference)
{
    ArticleData probe;
    probe.reference = std::string(reference);
    if (auto f = normalize(probe))
        return *f;
    Query s(*db_, select_articles(false) + " WHERE " + db_->folded("reference") + " = " + db_->folded("?1"));
    s.bind(1, probe.reference);
    return fetch_one(s, probe.reference);
}

Result<Article> Catalogue::get(std::int64_t id)
{
    Query s(*db_, select_articles(false) + " WHERE id = ?1");
    s.bind(1, id);
    return fetch_one(s, {});
}

Result<Article> Catalogue::fetch_one(Query& s, const std::string& wanted)
{
    switch (s.step()) {
    case Step::row:
        return read_article(s);
    case Step::done:
        return Failure{Problem::not_found, wanted};
    default:
        return failure_of(s);
    }
}

Done Catalogue::begin_change(const db::Transaction& t)
{
    if (t.begin_error())
        return Failure{db::problem_of(db_->fault()), *t.begin_error()};
    if (auto f = db_->exec("UPDATE catalogue_state SET change_count = change_count + 1 WHERE id = 1"))
        return Failure{db::problem_of(db_->fault()), *f};
    return std::nullopt;
}

Result<Article> Catalogue::commit_with(db::Transaction& t, std::int64_t id)
{
    auto stored = get(id);
    if (!stored)
        return stored;
    if (auto f = t.commit())
        return Failure{db::problem_of(db_->fault()), *f};
    return stored;
}

std::int64_t Catalogue::count()
{
    Query s(*db_, "SELECT count(*) FROM article");
    return s.step() == Step::row ? s.integer(0) : 0;
}

std::string Catalogue::insert_rows_sql(std::size_t rows) const
{
    std::string q =
        "INSERT INTO article (reference, description, dat, pst, uut, dvt, crt, nbt, stock, changed, "
        "version) VALUES ";
    for (std::size_t k = 0; k < rows; ++k) {
        q += k == 0 ? "(" : ", (";
        for (std::size_t p = 1; p <= bound_per_article; ++p)
            q += "?" + std::to_string(k * bound_per_article + p) + ", ";
        q += db_->now_utc() + ", 1)";
    }
    return q;
}

std::string Catalogue::insert_sql() const { return insert_rows_sql(1) + " RETURNING id"; }

Result<Article> Catalogue::insert(const ArticleData& a, db::Transaction& t)
{
    Query s(*db_, insert_sql());
    bind_data(s, a, 1);
    std::int64_t id = 0;
    if (s.run(&id) != Step::row) {
        if (s.fault() == db::Fault::unique)
            return Failure{Problem::reference_taken, a.reference};
        return failure_of(s);
    }
    return commit_with(t, id);
}

Result<Article> Catalogue::add(ArticleData a)
{
    if (auto f = normalize(a))
        return *f;
    db::Transaction t(*db_);
    if (auto f = begin_change(t))
        return *f;
    return insert(a, t);
}

Result<Article> Catalogue::update(const Article& edited)
{
    ArticleData a = edited;
    if (auto f = normalize(a))
        return *f;
    db::Transaction t(*db_);
    if (auto f = begin_change(t))
        return *f;
    // The version check and the change are one statement: of two edits of the
    // same version, exactly one finds it.
    Query s(*db_,
            "UPDATE article SET reference = ?1, description = ?2, dat = ?3, pst = ?4, uut = ?5, dvt = ?6, "
            "crt = ?7, nbt = ?8, stock = ?9, changed = " +
                db_->now_utc() + ", version = version + 1 WHERE id = ?10 AND version = ?11 RETURNING id");
    bind_data(s, a, 1);
    s.bind(10, edited.id).bind(11, edited.version);
    switch (s.run()) {
    case Step::row:
        return commit_with(t, edited.id);
    case Step::error:
        if (s.fault() == db::Fault::unique)
            return Failure{Problem::reference_taken, a.reference};
        return failure_of(s);
    case Step::done:
        break;
    }
    auto current = get(edited.id);
    if (!current)
        return *current.failure;
    return Failure{Problem::changed_elsewhere, current.value->reference};
}

Result<Article> Catalogue::duplicate(std::int64_t id)
{
    db::Transaction t(*db_);
    if (auto f = begin_change(t))
        return *f;
    auto original = get(id);
    if (!original)
        return original;
    ArticleData copy = *original.value;
    const std::string base = duplicate_base(copy.reference);
    Query taken(*db_, "SELECT 1 FROM article WHERE " + db_->folded("reference") + " = " + db_->folded("?1"));
    for (std::int64_t n = 2;; ++n) {
        copy.reference = base + " (" + std::to_string(n) + ")";
        taken.reset();
        taken.bind(1, copy.reference);
        const auto step = taken.run();
        if (step == Step::error)
            return failure_of(taken);
        if (step == Step::done)
            break;
    }
    return insert(copy, t);
}

Done Catalogue::remove(std::int64_t id)
{
    db::Transaction t(*db_);
    if (auto f = begin_change(t))
        return *f;
    auto article = get(id);
    if (!article)
        return article.failure;
    Query s(*db_, "DELETE FROM article WHERE id = ?1");
    s.bind(1, id);
    if (s.run() == Step::error)
        return failure_of(s);
    if (auto f = t.commit())
        return Failure{db::problem_of(db_->fault()), *f};
    last_removed_ = std::move(article.value);
    return std::nullopt;
}

Result<Article> Catalogue::undo_remove()
{
    if (!last_removed_)
        return Failure{Problem::not_found, {}};
    const Article& a = *last_removed_;
    db::Transaction t(*db_);
    if (auto f = begin_change(t))
        return *f;
    Query s(*db_,
            "INSERT INTO article (reference, description, dat, pst, uut, dvt, crt, nbt, stock, id, changed, "
            "version) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
    bind_data(s, a, 1);
    s.bind(10, a.id).bind(11, a.changed).bind(12, a.version);
    if (s.run() == Step::error) {
        if (s.fault() == db::Fault::unique || s.fault() == db::Fault::constraint)
            return Failure{Problem::reference_taken, a.reference};
        return failure_of(s);
    }
    auto stored = commit_with(t, a.id);
    if (stored)
        last_removed_.reset();
    return stored;
}

Result<ImportPlan> Catalogue::plan_import(std::vector<ArticleData>& articles, std::vector<std::int64_t>* ids)
{
    // Every stored reference in one read, rather than one question per article.
    std::unordered_map<std::string, std::int64_t> stored;
    {
        Query s(*db_, "SELECT id, reference FROM article");
        Step step;
        while ((step = s.step()) == Step::row)
            stored.emplace(ascii_folded(s.text_view(1)), s.integer(0));
        if (step == Step::error)
            return failure_of(s);
    }
    ImportPlan plan;
    std::unordered_set<std::string> seen;
    seen.reserve(articles.size());
    if (ids)
        ids->assign(articles.size(), -1);
    for (std::size_t i = 0; i < articles.size(); ++i) {
        ArticleData& a = articles[i];
        if (auto f = normalize(a)) {
            plan.refused.push_back({i, *f});
            continue;
        }
        std::string key = ascii_folded(a.reference);
        const auto found = stored.find(key);
        if (!seen.insert(std::move(key)).second) {
            plan.refused.push_back({i, Failure{Problem::reference_in_import_twice, a.reference}});
            continue;
        }
        if (found != stored.end()) {
            ++plan.updated;
            if (ids)
                (*ids)[i] = found->second;
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
    db::Transaction t(*db_);
    if (auto f = begin_change(t))
        return *f;
    std::vector<std::int64_t> ids;
    auto plan = plan_import(articles, &ids);
    if (!plan)
        return plan;
    if (!(*plan.value == previewed) || plan.value->refused.size() != previewed.refused.size())
        return Failure{Problem::import_changed, {}};
    // An article found by its reference keeps the reference as stored.
    Query update_row(*db_,
                     "UPDATE article SET description = ?2, dat = ?3, pst = ?4, uut = ?5, dvt = ?6, crt = ?7, "
                     "nbt = ?8, stock = ?9, changed = " +
                         db_->now_utc() + ", version = version + 1 WHERE id = ?10 AND " + db_->folded("reference") +
                         " = " + db_->folded("?1"));
    const auto failed = [&](const Query& s, std::size_t i) {
        Failure f = failure_of(s);
        f.detail = articles[i].reference + ": " + f.detail;
        return f;
    };
    std::vector<std::size_t> added;
    for (std::size_t i = 0; i < articles.size(); ++i) {
        if (ids[i] == 0)
            added.push_back(i);
        if (ids[i] <= 0)
            continue;
        update_row.reset();
        bind_data(update_row, articles[i], 1);
        update_row.bind(10, ids[i]);
        if (update_row.run() == Step::error)
            return failed(update_row, i);
    }
    // New articles by rows of a few hundred: one statement, one exchange with a server, for each.
    std::optional<Query> full, last;
    for (std::size_t first = 0; first < added.size(); first += import_rows_per_insert) {
        const std::size_t n = std::min(import_rows_per_insert, added.size() - first);
        Query& s = n == import_rows_per_insert ? (full ? *full : full.emplace(*db_, insert_rows_sql(n)))
                                               : last.emplace(*db_, insert_rows_sql(n));
        s.reset();
        for (std::size_t k = 0; k < n; ++k)
            bind_data(s, articles[added[first + k]], 1 + static_cast<int>(k * bound_per_article));
        if (s.run() == Step::error)
            return failed(s, added[first]);
    }
    if (auto f = t.commit())
        return Failure{db::problem_of(db_->fault()), *f};
    return plan;
}

Done Catalogue::for_each(const std::function<void(const Article&)>& visit)
{
    Query s(*db_, select_articles(false) + " ORDER BY " + db_->folded("reference") + ", id");
    Step step;
    while ((step = s.step()) == Step::row)
        visit(read_article(s));
    if (step == Step::error)
        return failure_of(s);
    return std::nullopt;
}

}  // namespace stk
