// Time of one keystroke and of the start-up, on the real window (offscreen).
#include "ui/da_stk_secu.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void type_worked_example(stk::da_stk_secu& w)
{
    const std::pair<stk::Field, const char*> example[] = {
        {stk::Field::nbt, "3"},     {stk::Field::dat, "4"},   {stk::Field::pst, "200"}, {stk::Field::uut, "2000"},
        {stk::Field::dvt, "10000"}, {stk::Field::crt, "500"}, {stk::Field::cct, "50"},  {stk::Field::tst, "2"}};
    for (const auto& [field, text] : example)
        w.set_field_text(field, text);
}

// One keystroke: the field changes, the results table and the chart are rewritten.
void BM_Keystroke(benchmark::State& state)
{
    QTemporaryDir dir;
    stk::da_stk_secu w(dir.path().toStdString());
    w.show();
    type_worked_example(w);
    QCoreApplication::processEvents();
    bool flip = false;
    for (auto _ : state) {
        w.set_field_text(stk::Field::dvt, (flip = !flip) ? "10001" : "10000");
        benchmark::DoNotOptimize(w.recommended_text());
    }
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// One keystroke and the repaint that follows it.
void BM_KeystrokeRepainted(benchmark::State& state)
{
    QTemporaryDir dir;
    stk::da_stk_secu w(dir.path().toStdString());
    w.show();
    type_worked_example(w);
    QCoreApplication::processEvents();
    bool flip = false;
    for (auto _ : state) {
        w.set_field_text(stk::Field::dvt, (flip = !flip) ? "10001" : "10000");
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
    params.write("da_stk_secu\tlangue\t1\r\nda_stk_secu\tnbt\t3\r\nda_stk_secu\tdat\t4\r\n"
                 "da_stk_secu\tpst\t200\r\nda_stk_secu\tuut\t2000\r\nda_stk_secu\tdvt\t10000\r\n"
                 "da_stk_secu\tcrt\t500\r\nda_stk_secu\tcct\t50\r\nda_stk_secu\ttst\t2\r\n");
    params.close();
    for (auto _ : state) {
        auto w = std::make_unique<stk::da_stk_secu>(dir.path().toStdString());
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

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
