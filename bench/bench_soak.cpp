// Soak runs on the real window (offscreen): many keystrokes, each refilling the
// table and the chart, and many analyses with their seven flasher ticks. The
// counter rss_growth_kB is the growth of the resident memory after a warm-up;
// it should stay under 1 MB.
#include "bench/bench_window.h"

#include <fstream>
#include <unistd.h>

namespace {

long resident_kb()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Texts a planner might type into the life field, one keystroke after another.
const char* const life_texts[] = {"1", "10", "100", "1000", "10000", "1000", "100", "10", "1", ""};

void keystrokes(stk::MainWindow& w, long count)
{
    for (long i = 0; i < count; ++i) {
        stk::bench::type(w, stk::Field::dvt, life_texts[i % 10]);
        if (i % 100 == 0)
            QCoreApplication::processEvents();  // repaints and deferred deletions
    }
    QCoreApplication::processEvents();
}

void BM_SoakKeystrokes(benchmark::State& state)
{
    stk::bench::ShownWindow shown;
    auto& w = shown.w;
    keystrokes(w, 5000);
    const long before = resident_kb();
    for (auto _ : state)
        keystrokes(w, state.range(0));
    state.counters["rss_growth_kB"] = static_cast<double>(resident_kb() - before);
    state.counters["rss_kB"] = static_cast<double>(resident_kb());
}
BENCHMARK(BM_SoakKeystrokes)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

void analyses(stk::MainWindow& w, int count)
{
    for (int i = 0; i < count; ++i) {
        w.model().analyse_sensitivity();
        for (int tick = 0; tick < 7; ++tick)
            w.model().flash_tick();
        QCoreApplication::processEvents();
    }
}

void BM_SoakAnalysis(benchmark::State& state)
{
    stk::bench::ShownWindow shown;
    auto& w = shown.w;
    analyses(w, 100);
    const long before = resident_kb();
    for (auto _ : state)
        analyses(w, static_cast<int>(state.range(0)));
    state.counters["rss_growth_kB"] = static_cast<double>(resident_kb() - before);
}
BENCHMARK(BM_SoakAnalysis)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return stk::bench::run_offscreen(argc, argv); }
