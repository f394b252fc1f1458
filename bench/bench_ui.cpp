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

// Opens, shows and closes the window on the files of `dir`, timing open and show.
void time_start_ups(benchmark::State& state, const QTemporaryDir& dir)
{
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

// Start-up: the window reads its two files (the worked example and the shipped
// translations, in English), is built, translated, calculated and shown.
void BM_StartUp(benchmark::State& state)
{
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(STK_DATA_DIR "/trad_stk_secu.txt"), dir.filePath("trad_stk_secu.txt"));
    QFile params(dir.filePath("param_stk_secu.txt"));
    params.open(QIODevice::WriteOnly);
    QByteArray rows = "da_stk_secu\tlangue\t1\r\n";
    for (const auto& [field, text] : stk::worked::typed)
        rows += "da_stk_secu\t" + QByteArray(stk::info(field).name.data(), qsizetype(stk::info(field).name.size())) +
                "\t" + QByteArray(text.data(), qsizetype(text.size())) + "\r\n";
    params.write(rows);
    params.close();
    time_start_ups(state, dir);
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Start-up with a chart caption of state.range(0) characters in the language shown:
// the time stays that of a short caption's start-up, plus reading the file.
void BM_StartUpLongCaption(benchmark::State& state)
{
    QTemporaryDir dir;
    QFile shipped(QStringLiteral(STK_DATA_DIR "/trad_stk_secu.txt"));
    shipped.open(QIODevice::ReadOnly);
    QFile trad(dir.filePath("trad_stk_secu.txt"));
    trad.open(QIODevice::WriteOnly);
    trad.write("Risque\t" + QByteArray(state.range(0), 'X') + "\tRisco\r\n" + shipped.readAll());
    trad.close();
    QFile params(dir.filePath("param_stk_secu.txt"));
    params.open(QIODevice::WriteOnly);
    params.write("da_stk_secu\tlangue\t1\r\n");
    params.close();
    time_start_ups(state, dir);
}
BENCHMARK(BM_StartUpLongCaption)->Arg(6)->Arg(100000)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return stk::bench::run_offscreen(argc, argv); }
