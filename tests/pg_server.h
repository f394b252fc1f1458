// The throwaway PostgreSQL server the test command starts (scripts/pg_throwaway.sh),
// and a fresh database on it for each test, so that tests run side by side.
#pragma once

#include "catalogue/catalogue.h"
#include "temp_files.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <unistd.h>

namespace stk::test {

// One session on the server, for what a test does behind the catalogue's back.
class PgSession {
public:
    explicit PgSession(const std::string& conninfo) : conn_(PQconnectdb(conninfo.c_str())) {}
    ~PgSession() { PQfinish(conn_); }
    PgSession(const PgSession&) = delete;
    PgSession& operator=(const PgSession&) = delete;

    // The failure, or nothing.
    std::optional<std::string> run(const std::string& sql)
    {
        if (PQstatus(conn_) != CONNECTION_OK)
            return std::string(PQerrorMessage(conn_));
        PGresult* r = PQexec(conn_, sql.c_str());
        const auto status = PQresultStatus(r);
        PQclear(r);
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
            return std::nullopt;
        return std::string(PQerrorMessage(conn_));
    }

private:
    PGconn* conn_;
};

// A new database, dropped at the end. Writers wait for a lock at most 2 s, as on a file.
class PgDatabase {
public:
    explicit PgDatabase(const std::string& server) : server_(server)
    {
        name_ = "stk_test_" + std::to_string(::getpid()) + "_" + std::to_string(std::random_device{}());
        failure_ = PgSession(server_).run("CREATE DATABASE " + name_);
        conninfo_ = server_ + " dbname=" + name_ + " options='-c lock_timeout=2000'";
    }
    ~PgDatabase() { PgSession(server_).run("DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)"); }
    PgDatabase(const PgDatabase&) = delete;
    PgDatabase& operator=(const PgDatabase&) = delete;

    const std::optional<std::string>& failure() const { return failure_; }
    const std::string& conninfo() const { return conninfo_; }

private:
    std::string server_, name_, conninfo_;
    std::optional<std::string> failure_;
};

// Makes a new database in `db`, or skips the test when the test command started no server.
inline void make_database(std::optional<PgDatabase>& db)
{
    const std::string state = STK_PG_STATE;
    std::string server, why_not;
    if (!std::getline(std::ifstream(state + "/conninfo"), server) || server.empty()) {
        if (!std::getline(std::ifstream(state + "/skipped"), why_not))
            why_not = "no PostgreSQL server started (run the tests through ctest)";
        GTEST_SKIP() << why_not;
    }
    db.emplace(server);
    ASSERT_FALSE(db->failure()) << *db->failure();
}

// An article with the worked example's parameters: lead time 4, price 200, use 2000,
// life 10000, stock-out 500, 3 in service.
inline ArticleData worked_article(std::string reference, std::string description = {},
                                  std::optional<std::int64_t> stock = {})
{
    ArticleData a;
    a.reference = std::move(reference);
    a.description = std::move(description);
    a.params = {"4", "200", "2000", "10000", "500", "3"};
    a.stock = stock;
    return a;
}

enum class Engine { sqlite, postgresql };

inline std::string engine_name(const testing::TestParamInfo<Engine>& info)
{
    return info.param == Engine::sqlite ? "sqlite" : "postgresql";
}

// A new catalogue on the engine under test: a file in a temporary folder or a new database.
// "Another copy of the program" is one more open() of the same place.
class OnEachEngine : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        if (GetParam() == Engine::sqlite)
            where = catalogue_path(dir.path).string();
        else if (make_database(database); database)
            where = database->conninfo();
    }
    Catalogue open()
    {
        auto c = Catalogue::open_location(where);
        EXPECT_TRUE(c) << (c.failure ? c.failure->line() : "");
        return std::move(*c.value);
    }

    TempDir dir;
    std::optional<PgDatabase> database;
    std::string where;
};

}  // namespace stk::test
