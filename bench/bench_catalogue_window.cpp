// The catalogue window over 100 000 articles, offscreen: from opening the
// catalogue to the first screen painted (one page, the rest still being read
// on a worker thread), to every article read and shown, and a company-parameter change with its
// repaint. On the catalogue file, and on a PostgreSQL database when
// STK_BENCH_PG names one it may fill ("host=… dbname=…"; it is filled once
// with the 100 000 articles when it holds another number of them).
#include "catalogue_articles.h"
#include "catalogue_ui/catalogue_window.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr std::size_t article_count = 100000;

// Where the catalogue is: the file, or the server's database filled once.
QString location(bool server)
{
    if (!server)
        return QString::fromStdString(stk::catalogue_path(filled_folder(article_count)).string());
    const char* given = std::getenv("STK_BENCH_PG");
    if (!given)
        return {};
    static const bool filled = [&] {
        auto c = stk::Catalogue::connect(given);
        if (!c)
            return false;
        if (c.value->count() == static_cast<std::int64_t>(article_count))
            return true;
        auto articles = bench_articles(article_count);
        auto plan = c.value->preview_import(articles);
        return plan && c.value->commit_import(std::move(articles), *plan.value);
    }();
    return filled ? QString::fromUtf8(given) : QString();
}

// Opens the window on the catalogue; false, and the benchmark says why, when it cannot.
bool open(benchmark::State& state, stk::CatalogueWindow& w, const QString& where)
{
    w.setCompanyParameters("50", "2");
    w.openLocation(where);
    while (w.model()->isConnecting())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!w.model()->isOpen()) {
        state.SkipWithError(w.stateLine().toStdString().c_str());
        return false;
    }
    return true;
}

void BM_window_first_screen(benchmark::State& state)
{
    const QString where = location(state.range(0) != 0);
    if (where.isEmpty()) {
        state.SkipWithError("no server: set STK_BENCH_PG to a database this benchmark may fill");
        return;
    }
    for (auto _ : state) {
        stk::CatalogueWindow w;
        if (!open(state, w, where))
            return;
        w.show();
        benchmark::DoNotOptimize(w.grab());
        state.PauseTiming();
        state.counters["rows_shown"] = w.model()->rowCount();
        state.counters["rows_written"] = static_cast<double>(w.model()->formattedRows());
        while (w.model()->isLoading())  // the rest, read meanwhile, stays out of the next measure
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        w.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_window_first_screen)->ArgName("server")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);

// Every article read (on a worker thread) and shown: sorting on the results works from then on.
void BM_window_every_article(benchmark::State& state)
{
    const QString where = location(state.range(0) != 0);
    if (where.isEmpty()) {
        state.SkipWithError("no server: set STK_BENCH_PG to a database this benchmark may fill");
        return;
    }
    for (auto _ : state) {
        stk::CatalogueWindow w;
        if (!open(state, w, where))
            return;
        w.show();
        while (w.model()->isLoading())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        benchmark::DoNotOptimize(w.grab());
        state.PauseTiming();
        state.counters["rows_shown"] = w.model()->rowCount();
        w.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_window_every_article)->ArgName("server")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_window_company_change(benchmark::State& state)
{
    stk::CatalogueWindow w;
    if (!open(state, w, location(false)))
        return;
    while (w.model()->isLoading())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    w.show();
    benchmark::DoNotOptimize(w.grab());
    int keystroke = 0;
    for (auto _ : state) {
        w.setCompanyParameters(QString::number(40 + keystroke++ % 20), "2");
        benchmark::DoNotOptimize(w.grab());
    }
}
BENCHMARK(BM_window_company_change)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
