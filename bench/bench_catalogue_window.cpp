// The catalogue window over 100 000 articles, offscreen: from opening the file
// to the first screen painted, and a company-parameter change with its repaint.
#include "catalogue_articles.h"
#include "catalogue_ui/catalogue_window.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

constexpr std::size_t article_count = 100000;

void BM_window_first_screen(benchmark::State& state)
{
    const auto file = stk::catalogue_path(filled_folder(article_count));
    for (auto _ : state) {
        stk::CatalogueWindow w;
        w.setCompanyParameters("50", "2");
        if (!w.openCatalogue(file)) {
            state.SkipWithError(w.stateLine().toStdString().c_str());
            return;
        }
        w.show();
        benchmark::DoNotOptimize(w.grab());
        state.PauseTiming();
        state.counters["rows_written"] = static_cast<double>(w.model()->formattedRows());
        w.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_window_first_screen)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_window_company_change(benchmark::State& state)
{
    stk::CatalogueWindow w;
    w.setCompanyParameters("50", "2");
    w.openCatalogue(stk::catalogue_path(filled_folder(article_count)));
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
