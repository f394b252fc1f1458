// A small RAII layer over the SQLite C library: one database connection and
// its prepared statements. Nothing here prints; every failure
// is returned as a one-line message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace stk::sql {

class Database {
public:
    Database() = default;
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing file for reading and writing (`create`: or creates it).
    // Answers the failure, or nothing.
    std::optional<std::string> open(const std::string& path, bool create);
    void close();
    bool is_open() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    // Runs SQL text without results (one or more statements).
    std::optional<std::string> exec(const char* sql);
    // The last error of the connection, on one line.
    std::string error() const;
    bool read_only() const;
    void busy_timeout(int milliseconds);

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }

    // Parameters are numbered from 1.
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::optional<std::int64_t> value);
    Statement& bind_null(int index);

    enum class Step { row, done, error };
    Step step();
    void reset();

    // Columns are numbered from 0.
    std::string text(int column) const;
    std::string_view text_view(int column) const;  // valid until the next step
    std::int64_t integer(int column) const;
    bool is_null(int column) const;

    // The failure of the last prepare, bind or step.
    std::string error() const;
    int result_code() const { return code_; }

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    int code_ = 0;
};

}  // namespace stk::sql
