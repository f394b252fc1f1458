#include "catalogue/sqlite_db.h"

#include <sqlite3.h>

#include <utility>

namespace stk::sql {

namespace {

// SQLite's messages are one line already; make sure of it.
std::string one_line(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

}  // namespace

Database::~Database() { close(); }

Database::Database(Database&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
    }
    return *this;
}

std::optional<std::string> Database::open(const std::string& path, bool create)
{
    close();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (create)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db_ ? error() : sqlite3_errstr(rc);
        close();
        return message;
    }
    sqlite3_extended_result_codes(db_, 1);
    return std::nullopt;
}

void Database::close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

std::optional<std::string> Database::exec(const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return std::nullopt;
    std::string text = message ? message : error();
    sqlite3_free(message);
    return one_line(std::move(text));
}

std::string Database::error() const { return db_ ? one_line(sqlite3_errmsg(db_)) : std::string("not open"); }

bool Database::read_only() const { return sqlite3_db_readonly(db_, "main") == 1; }

void Database::busy_timeout(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

Statement::Statement(Database& db, std::string_view sql) : db_(db)
{
    code_ = sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::bind(int index, std::string_view text)
{
    if (code_ == SQLITE_OK)
        code_ = sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value)
{
    if (code_ == SQLITE_OK)
        code_ = sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bind(int index, std::optional<std::int64_t> value)
{
    return value ? bind(index, *value) : bind_null(index);
}

Statement& Statement::bind_null(int index)
{
    if (code_ == SQLITE_OK)
        code_ = sqlite3_bind_null(stmt_, index);
    return *this;
}

Statement::Step Statement::step()
{
    if (!stmt_ || (code_ != SQLITE_OK && code_ != SQLITE_ROW && code_ != SQLITE_DONE))
        return Step::error;
    code_ = sqlite3_step(stmt_);
    if (code_ == SQLITE_ROW)
        return Step::row;
    if (code_ == SQLITE_DONE)
        return Step::done;
    return Step::error;
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    code_ = stmt_ ? SQLITE_OK : code_;
}

std::string Statement::text(int column) const { return std::string(text_view(column)); }

std::string_view Statement::text_view(int column) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (!p)
        return {};
    return {p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

bool Statement::is_null(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

std::string Statement::error() const
{
    // The connection's message describes the last failure of this statement.
    const char* message = sqlite3_errmsg(db_.handle());
    return one_line(message && *message ? message : sqlite3_errstr(code_));
}

}  // namespace stk::sql
