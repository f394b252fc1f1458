// The decision ranges of the eight inputs of the worked example, as the
// window computes them on demand for its tooltips and the report.
#include "analysis/decision_ranges.h"

#include <benchmark/benchmark.h>

namespace {

void BM_eight_ranges(benchmark::State& state)
{
    const stk::Params worked{.nb = 3, .da = 4, .ps = 200, .uu = 2000, .dv = 10000, .cr = 500, .cc = 50, .ts = 2};
    for (auto _ : state)
        benchmark::DoNotOptimize(stk::decision_ranges(worked));
}
BENCHMARK(BM_eight_ranges)->Unit(benchmark::kMicrosecond);

// Every field empty: most steps of the model fail (each failure unwinds an
// exception) and a zero value is searched over twice the span.
void BM_eight_ranges_empty(benchmark::State& state)
{
    const stk::Params empty;
    for (auto _ : state)
        benchmark::DoNotOptimize(stk::decision_ranges(empty));
}
BENCHMARK(BM_eight_ranges_empty)->Unit(benchmark::kMicrosecond);

}  // namespace
