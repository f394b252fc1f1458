// Time of one keystroke and of the start-up, on the real window (offscreen).
#include "bench/bench_window.h"

#include <QFile>
#include <memory>

namespace {

using stk::bench::ShownWindow;
using stk::bench::type;

// One keystroke: the field changes, the results table and the chart are rewritten.
void BM_Keystroke(benchmark::State& state)
{
    ShownWindow shown;
    auto& w = shown.w;
    bool flip = false;
    for (auto _ : state) {
        type(w, stk::Field::dvt, (flip = !flip) ? "10001" : "10000");
        benchmark::DoNotOptimize(w.model().recommended_text());
    }
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// One keystroke that moves the chart's value axis each time: the life field
// typed and erased digit by digit.
void BM_KeystrokeAxisMoves(benchmark::State& state)
{
    ShownWindow shown;
    const char* const lives[] = {"1", "10", "100", "1000", "10000", "1000", "100", "10"};
    std::size_t i = 0;
    for (auto _ : state)
        type(shown.w, stk::Field::dvt, lives[i++ % 8]);
}
BENCHMARK(BM_KeystrokeAxisMoves)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// One keystroke and the repaint that follows it.
void BM_KeystrokeRepainted(benchmark::State& state)
{
    ShownWindow shown;
    auto& w = shown.w;
    bool flip = false;
    for (auto _ : state) {
        type(w, stk::Field::dvt, (flip = !flip) ? "10001" : "10000");
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_KeystrokeRepainted)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Start-up: the window reads its two files (the worked example and the shipped
// translations, in English), is built, translated, calculated and shown.
void BM_StartUp(benchmark::State& state)
{
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(STK_DATA_DIR "/trad_stk_secu.txt"), dir.filePath("trad_stk_secu.txt"));
    QFile params(dir.filePath("param_stk_secu.txt"));
    params.open(QIODevice::WriteOnly);
    params.write(
        "da_stk_secu\tlangue\t1\r\nda_stk_secu\tnbt\t3\r\nda_stk_secu\tdat\t4\r\n"
        "da_stk_secu\tpst\t200\r\nda_stk_secu\tuut\t2000\r\nda_stk_secu\tdvt\t10000\r\n"
        "da_stk_secu\tcrt\t500\r\nda_stk_secu\tcct\t50\r\nda_stk_secu\ttst\t2\r\n");
    params.close();
    for (auto _ : state) {
        auto w = std::make_unique<stk::MainWindow>(dir.path().toStdString());
        w->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        w.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return stk::bench::run_offscreen(argc, argv); }
