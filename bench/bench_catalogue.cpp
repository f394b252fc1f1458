// The catalogue at 100 000 articles: opening it and writing the first screen,
// recomputing every article after a company-parameter change, an import.
#include "catalogue/article_table.h"
#include "catalogue_articles.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::size_t article_count = 100000;
constexpr std::size_t screen_rows = 40;

std::vector<stk::Article> stored_articles(std::size_t count)
{
    std::vector<stk::Article> articles;
    for (auto& data : bench_articles(count)) {
        stk::Article a;
        static_cast<stk::ArticleData&>(a) = std::move(data);
        a.id = static_cast<std::int64_t>(articles.size() + 1);
        articles.push_back(std::move(a));
    }
    return articles;
}

// Open the file, read every article, compute every result, write the texts
// of the first screen.
void BM_open_and_first_screen(benchmark::State& state)
{
    const auto path = stk::catalogue_path(filled_folder(article_count));
    for (auto _ : state) {
        auto c = stk::Catalogue::open(path);
        if (!c) {
            state.SkipWithError(c.failure->line().c_str());
            return;
        }
        auto articles = c.value->list();
        stk::ArticleTable table;
        table.set_company("50", "2");
        table.set_articles(std::move(*articles.value));
        std::size_t chars = 0;
        for (std::size_t row = 0; row < screen_rows; ++row)
            for (std::size_t col = 0; col < stk::column_count; ++col)
                chars += table.text(row, static_cast<stk::Column>(col), ".").size();
        benchmark::DoNotOptimize(chars);
    }
}
BENCHMARK(BM_open_and_first_screen)->Unit(benchmark::kMillisecond)->MinTime(2);

// The part of the above spent in SQLite: open and read every article.
void BM_open_and_list(benchmark::State& state)
{
    const auto path = stk::catalogue_path(filled_folder(article_count));
    for (auto _ : state) {
        auto c = stk::Catalogue::open(path);
        auto articles = c.value->list();
        benchmark::DoNotOptimize(articles.value->size());
    }
}
BENCHMARK(BM_open_and_list)->Unit(benchmark::kMillisecond)->MinTime(2);

// A company parameter changes: every article's results again. With argument
// 1 the table is sorted on the total, and the order follows.
void BM_recompute_all(benchmark::State& state)
{
    stk::ArticleTable table;
    table.set_articles(stored_articles(article_count));
    if (state.range(0) == 1)
        table.sort(stk::Column::total, false);
    int keystroke = 0;
    for (auto _ : state) {
        table.set_company(std::to_string(40 + keystroke++ % 20), "2");
        benchmark::DoNotOptimize(table.figures(0));
    }
}
BENCHMARK(BM_recompute_all)->ArgName("sorted_on_total")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);

// 100 000 articles into an empty catalogue: the preview, then the commit.
void BM_import(benchmark::State& state)
{
    const auto articles = bench_articles(article_count);
    for (auto _ : state) {
        state.PauseTiming();
        BenchFolder folder;
        auto c = stk::Catalogue::open(stk::catalogue_path(folder.path()));
        state.ResumeTiming();
        auto plan = c.value->preview_import(articles);
        auto done = c.value->commit_import(articles, *plan.value);
        if (!done) {
            state.SkipWithError(done.failure->line().c_str());
            return;
        }
        state.PauseTiming();
        c = stk::Catalogue::open(folder.path() / "closed");  // closes the file before the folder goes
        state.ResumeTiming();
    }
}
BENCHMARK(BM_import)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
