// What the catalogue needs of a database engine: statements with numbered
// parameters, transactions, and the few pieces of SQL where the dialects
// differ. The SQLite file and the PostgreSQL server each implement it; the
// catalogue's own SQL is written once, with "?1", "?2"… parameters.
#pragma once

#include "catalogue/problem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace stk::db {

// What kind of failure a statement met.
enum class Fault {
    none,
    busy,         // another writer holds the lock past the waiting time, or a deadlock was broken
    unique,       // a unique key is taken
    constraint,   // another constraint
    corrupt,      // the storage is damaged
    read_only,    // no right to write
    cannot_open,  // the storage cannot be opened
    offline,      // the server cannot be reached or the connection was lost
    other,
};

// The catalogue's problem for a fault of the engine.
Problem problem_of(Fault f);

// One prepared statement.
class Cursor {
public:
    virtual ~Cursor() = default;
    // Parameters are numbered from 1, columns from 0.
    virtual void bind(int index, std::string_view text) = 0;
    virtual void bind(int index, std::int64_t value) = 0;
    virtual void bind_null(int index) = 0;
    enum class Step { row, done, error };
    virtual Step step() = 0;
    // Ready to run again, parameters cleared.
    virtual void reset() = 0;
    virtual std::string_view text(int column) const = 0;  // valid until the next step
    virtual std::int64_t integer(int column) const = 0;
    virtual bool is_null(int column) const = 0;
    // The last failure, on one line, and its kind.
    virtual std::string error() const = 0;
    virtual Fault fault() const = 0;
};

class Connection {
public:
    virtual ~Connection() = default;
    virtual std::unique_ptr<Cursor> prepare(std::string_view sql) = 0;
    // Runs SQL without parameters or results (one or more statements); the
    // failure on one line, or nothing. fault() tells its kind.
    virtual std::optional<std::string> exec(std::string_view sql) = 0;
    virtual Fault fault() const = 0;
    // Starts a transaction that will write (SQLite takes the write lock at once).
    virtual std::optional<std::string> begin() = 0;
    // Commits; a transaction that cannot be committed is rolled back and said so.
    virtual std::optional<std::string> commit() = 0;
    virtual void rollback() = 0;

    // SQL for the current UTC time as "2026-12-06T12:54:35Z".
    virtual std::string now_utc() const = 0;
    // SQL that compares and sorts `expr` with ASCII letters in any case, other
    // bytes as they are: the same order and matches on every engine.
    virtual std::string folded(std::string_view expr) const = 0;

    // The file, or the server's connection without its password.
    virtual std::string location() const = 0;
    virtual bool is_shared() const = 0;
};

// A statement with chained binds, as the catalogue writes them.
class Query {
public:
    Query(Connection& db, std::string_view sql) : cursor_(db.prepare(sql)) {}
    Query& bind(int index, std::string_view text)
    {
        cursor_->bind(index, text);
        return *this;
    }
    Query& bind(int index, std::int64_t value)
    {
        cursor_->bind(index, value);
        return *this;
    }
    Query& bind(int index, std::optional<std::int64_t> value)
    {
        value ? cursor_->bind(index, *value) : cursor_->bind_null(index);
        return *this;
    }
    using Step = Cursor::Step;
    Step step() { return cursor_->step(); }
    // Runs to the end, keeping the first column of the first row in `first`
    // (an id given back by RETURNING): row when there was one, done when
    // there was none, or error.
    Step run(std::int64_t* first = nullptr);
    void reset() { cursor_->reset(); }
    std::string text(int column) const { return std::string(cursor_->text(column)); }
    std::string_view text_view(int column) const { return cursor_->text(column); }
    std::int64_t integer(int column) const { return cursor_->integer(column); }
    bool is_null(int column) const { return cursor_->is_null(column); }
    std::string error() const { return cursor_->error(); }
    Fault fault() const { return cursor_->fault(); }

private:
    std::unique_ptr<Cursor> cursor_;
};

// A write transaction: begun on construction, rolled back on destruction
// unless committed.
class Transaction {
public:
    explicit Transaction(Connection& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    const std::optional<std::string>& begin_error() const { return begin_error_; }
    std::optional<std::string> commit();

private:
    Connection& db_;
    std::optional<std::string> begin_error_;
    bool open_ = false;
};

// ASCII letters in lower case, other bytes as they are.
std::string ascii_folded(std::string_view text);

// Text on one line: line ends and tabs become single blanks, blanks at the ends go.
std::string one_line(std::string_view text);

}  // namespace stk::db
