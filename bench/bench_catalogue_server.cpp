// The catalogue on a PostgreSQL server at 100 000 articles: the import in one
// transaction, then what a window asks when it shows the catalogue: the first
// screen (one page, never every row), the same sorted on the description or
// filtered, and the change counter it asks on every focus.
//
// Starts its own throwaway server through scripts/pg_throwaway.sh, or uses
// the one named by STK_BENCH_PG ("host=… dbname=…", a database it may fill).
#include "catalogue/catalogue.h"
#include "catalogue_articles.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include <unistd.h>

namespace {

constexpr std::size_t article_count = 100000;
constexpr std::size_t screen_rows = 40;

// The throwaway server, for the whole run.
class Server {
public:
    Server()
    {
        if (const char* given = std::getenv("STK_BENCH_PG")) {
            conninfo_ = given;
            return;
        }
        ::setenv("STK_PG_OWNER", std::to_string(::getpid()).c_str(), 1);
        script_ = std::string("bash '") + STK_PG_SCRIPT + "' ";
        if (std::system((script_ + "start '" + state_.path().string() + "' >&2").c_str()) != 0)
            return;
        std::getline(std::ifstream(state_.path() / "conninfo"), conninfo_);
    }
    ~Server()
    {
        if (!script_.empty())
            std::system((script_ + "stop '" + state_.path().string() + "'").c_str());
    }
    const std::string& conninfo() const { return conninfo_; }

private:
    BenchFolder state_;
    std::string script_, conninfo_;
};

Server& server()
{
    static Server s;
    return s;
}

// The catalogue, filled once with 100 000 articles; the import's time is told on standard error.
stk::Catalogue* filled()
{
    static std::optional<stk::Catalogue> catalogue = []() -> std::optional<stk::Catalogue> {
        if (server().conninfo().empty())
            return std::nullopt;
        auto c = stk::Catalogue::connect(server().conninfo());
        if (!c) {
            std::cerr << c.failure->line() << "\n";
            return std::nullopt;
        }
        if (c.value->count() < static_cast<std::int64_t>(article_count)) {
            auto articles = bench_articles(article_count);
            const auto start = std::chrono::steady_clock::now();
            auto plan = c.value->preview_import(articles);
            auto done = c.value->commit_import(std::move(articles), *plan.value);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            if (!done) {
                std::cerr << done.failure->line() << "\n";
                return std::nullopt;
            }
            std::cerr << "import of " << article_count << " articles (preview, then commit): " << took.count()
                      << " s\n";
        }
        return std::move(*c.value);
    }();
    return catalogue ? &*catalogue : nullptr;
}

void page(benchmark::State& state, stk::Catalogue::Order order, std::string_view filter, std::size_t offset,
          bool full = true)
{
    stk::Catalogue* c = filled();
    if (!c) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    for (auto _ : state) {
        auto rows = c->page(filter, order, offset, screen_rows);
        if (!rows || (full && rows.value->size() != screen_rows)) {
            state.SkipWithError("the page is not full");
            return;
        }
        benchmark::DoNotOptimize(rows.value->data());
    }
}

void BM_first_screen_by_reference(benchmark::State& state) { page(state, stk::Catalogue::Order::reference, {}, 0); }
BENCHMARK(BM_first_screen_by_reference)->Unit(benchmark::kMillisecond);

void BM_first_screen_by_description(benchmark::State& state) { page(state, stk::Catalogue::Order::description, {}, 0); }
BENCHMARK(BM_first_screen_by_description)->Unit(benchmark::kMillisecond);

// The last screen: how far an offset costs.
void BM_last_screen_by_reference(benchmark::State& state)
{
    page(state, stk::Catalogue::Order::reference, {}, article_count - screen_rows);
}
BENCHMARK(BM_last_screen_by_reference)->Unit(benchmark::kMillisecond);

// A filter matches anywhere in the text: rows are read in order until the
// screen is full, every row when it matches none.
void BM_first_screen_filtered(benchmark::State& state) { page(state, stk::Catalogue::Order::reference, "série 97", 0); }
BENCHMARK(BM_first_screen_filtered)->Unit(benchmark::kMillisecond);

void BM_first_screen_filter_matching_nothing(benchmark::State& state)
{
    page(state, stk::Catalogue::Order::reference, "no such text", 0, false);
}
BENCHMARK(BM_first_screen_filter_matching_nothing)->Unit(benchmark::kMillisecond);

// A new connection, its checks of the schema, then the first screen.
void BM_connect_and_first_screen(benchmark::State& state)
{
    if (!filled()) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    for (auto _ : state) {
        auto c = stk::Catalogue::connect(server().conninfo());
        auto rows = c.value->page({}, stk::Catalogue::Order::reference, 0, screen_rows);
        benchmark::DoNotOptimize(rows.value->data());
    }
}
BENCHMARK(BM_connect_and_first_screen)->Unit(benchmark::kMillisecond);

void BM_change_count(benchmark::State& state)
{
    stk::Catalogue* c = filled();
    if (!c) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(c->change_count().value);
}
BENCHMARK(BM_change_count)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    filled();  // nothing more: the server stops when `server()` goes
    return 0;
}
