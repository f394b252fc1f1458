#include "catalogue/sqlite_engine.h"

#include "catalogue/schema.h"
#include "catalogue/sqlite_db.h"

#include <sqlite3.h>

#include <chrono>
#include <string>
#include <system_error>
#include <thread>

namespace stk::db {

namespace {

// How long a writer waits for another program's write to end.
constexpr int busy_timeout_ms = 2000;
constexpr int wal_retry_ms = 10;

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
constexpr const char* copy_v1 = R"(
INSERT INTO article (reference, description, dat, pst, uut, dvt, crt, nbt, stock, changed, version)
  SELECT reference, description, dat, pst, uut, dvt, crt, nbt, NULL, changed, 1
  FROM article_v1 ORDER BY reference;
DROP TABLE article_v1;
)";

// Version 3: the change counter, and the description order kept by an index
// so that a page is read without sorting every article.
constexpr const char* schema_v3 = R"(
CREATE TABLE catalogue_state (
  id INTEGER PRIMARY KEY CHECK (id = 1),
  change_count INTEGER NOT NULL
);
INSERT INTO catalogue_state (id, change_count) VALUES (1, 0);
CREATE INDEX article_by_description ON article (description COLLATE NOCASE, reference, id);
)";

Fault fault_of(int code)
{
    if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY)
        return Fault::unique;
    switch (code & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return Fault::none;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Fault::busy;
    case SQLITE_CONSTRAINT:
        return Fault::constraint;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Fault::corrupt;
    case SQLITE_READONLY:
        return Fault::read_only;
    case SQLITE_CANTOPEN:
        return Fault::cannot_open;
    default:
        return Fault::other;
    }
}

class SqliteCursor : public Cursor {
public:
    SqliteCursor(sql::Database& db, std::string_view sql) : s_(db, sql) {}
    void bind(int index, std::string_view text) override { s_.bind(index, text); }
    void bind(int index, std::int64_t value) override { s_.bind(index, value); }
    void bind_null(int index) override { s_.bind_null(index); }
    Step step() override
    {
        switch (s_.step()) {
        case sql::Statement::Step::row:
            return Step::row;
        case sql::Statement::Step::done:
            return Step::done;
        default:
            return Step::error;
        }
    }
    void reset() override { s_.reset(); }
    std::string_view text(int column) const override { return s_.text_view(column); }
    std::int64_t integer(int column) const override { return s_.integer(column); }
    bool is_null(int column) const override { return s_.is_null(column); }
    std::string error() const override { return s_.error(); }
    Fault fault() const override { return fault_of(s_.result_code()); }

private:
    sql::Statement s_;
};

class SqliteConnection : public Connection {
public:
    SqliteConnection(sql::Database db, std::filesystem::path path) : db_(std::move(db)), path_(std::move(path)) {}
    std::unique_ptr<Cursor> prepare(std::string_view sql) override { return std::make_unique<SqliteCursor>(db_, sql); }
    std::optional<std::string> exec(std::string_view sql) override
    {
        auto failure = db_.exec(std::string(sql).c_str());
        fault_ = failure ? fault_of(sqlite3_extended_errcode(db_.handle())) : Fault::none;
        return failure;
    }
    Fault fault() const override { return fault_; }
    std::optional<std::string> begin() override { return exec("BEGIN IMMEDIATE"); }
    std::optional<std::string> commit() override { return exec("COMMIT"); }
    void rollback() override { exec("ROLLBACK"); }
    std::string now_utc() const override { return "strftime('%Y-%m-%dT%H:%M:%SZ', 'now')"; }
    std::string folded(std::string_view expr) const override { return std::string(expr) + " COLLATE NOCASE"; }
    std::string location() const override { return path_.string(); }
    bool is_shared() const override { return false; }

private:
    sql::Database db_;
    std::filesystem::path path_;
    Fault fault_ = Fault::none;
};

}  // namespace

Result<std::unique_ptr<Connection>> open_sqlite(const std::filesystem::path& path)
{
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec) || ec;
    const std::string where = path.string();
    sql::Database file;
    if (auto failure = file.open(where, !exists))
        return Failure{Problem::cannot_open, where + ": " + *failure};
    // A file the user cannot write is not ours to change.
    if (exists && file.read_only())
        return Failure{Problem::read_only, where};
    file.busy_timeout(busy_timeout_ms);
    auto db = std::make_unique<SqliteConnection>(std::move(file), path);
    const auto failed = [&](const Query& s) { return Failure{problem_of(s.fault()), where + ": " + s.error()}; };

    std::int64_t version = 0, objects = 0;
    std::string journal;
    {
        // One statement, so both come from the same state of a file that
        // another program may be creating at this moment.
        Query s(*db, "SELECT (SELECT user_version FROM pragma_user_version), (SELECT count(*) FROM sqlite_master)");
        if (s.step() != Query::Step::row)
            return failed(s);
        version = s.integer(0);
        objects = s.integer(1);
    }
    if (auto f = refuse_schema(version, version == 0 && objects > 0, where))
        return *f;
    {
        Query s(*db, "PRAGMA journal_mode");
        if (s.step() != Query::Step::row)
            return failed(s);
        journal = ascii_folded(s.text_view(0));
    }
    // Before the first write to an existing file (an upgrade, the switch to
    // WAL), make sure it is sound: a damaged file is left as it is.
    if (exists && objects > 0 && (version < catalogue_schema_version || journal != "wal")) {
        Query s(*db, "PRAGMA quick_check(1)");
        if (s.step() != Query::Step::row)
            return failed(s);
        if (s.text_view(0) != "ok")
            return Failure{Problem::corrupt, where + ": " + s.text(0)};
    }
    if (version < catalogue_schema_version) {
        Transaction t(*db);
        if (t.begin_error())
            return Failure{Problem::busy, where + ": " + *t.begin_error()};
        // Another copy of the program may have upgraded it meanwhile.
        Query again(*db, "PRAGMA user_version");
        if (again.step() != Query::Step::row)
            return failed(again);
        version = again.integer(0);
        again.reset();
        const std::string set_version = "PRAGMA user_version = " + std::to_string(catalogue_schema_version);
        const UpgradeSteps steps{
            .to_v2 = version == 1 ? std::string(upgrade_v1_to_v2) + schema_v2 + copy_v1 : std::string(schema_v2),
            .to_v3 = schema_v3,
            .set_version = set_version,
        };
        if (version < catalogue_schema_version)
            if (auto f = upgrade_schema(*db, version, steps, where))
                return *f;
        if (auto f = t.commit())
            return Failure{Problem::busy, where + ": " + *f};
    }
    // The switch to WAL takes its lock without waiting: another program
    // opening the file at the same moment is waited for here, as long as the
    // busy timeout.
    for (int waited = 0; journal != "wal"; waited += wal_retry_ms) {
        Query s(*db, "PRAGMA journal_mode = WAL");
        if (s.step() == Query::Step::row) {
            journal = ascii_folded(s.text_view(0));
            if (journal != "wal")
                return Failure{Problem::cannot_open, where + ": journal mode " + s.text(0)};
        } else if (s.fault() != Fault::busy || waited >= busy_timeout_ms) {
            return failed(s);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(wal_retry_ms));
        }
    }
    return std::unique_ptr<Connection>(std::move(db));
}

}  // namespace stk::db
