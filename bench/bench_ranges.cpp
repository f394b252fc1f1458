// The decision ranges of the eight inputs of the worked example, as the
// window computes them on demand for its tooltips and the report.
#include "analysis/decision_ranges.h"

#include <benchmark/benchmark.h>

namespace {

stk::FieldTexts worked_example()
{
    stk::FieldTexts t;
    t[stk::Field::cct] = "50";
    t[stk::Field::tst] = "2";
    t[stk::Field::dat] = "4";
    t[stk::Field::pst] = "200";
    t[stk::Field::uut] = "2000";
    t[stk::Field::dvt] = "10000";
    t[stk::Field::crt] = "500";
    t[stk::Field::nbt] = "3";
    return t;
}

void BM_eight_ranges(benchmark::State& state)
{
    const auto texts = worked_example();
    for (auto _ : state)
        benchmark::DoNotOptimize(stk::decision_ranges(texts));
}
BENCHMARK(BM_eight_ranges)->Unit(benchmark::kMicrosecond);

// Every field empty: a zero value is searched on both sides, twice the scan.
void BM_eight_ranges_empty(benchmark::State& state)
{
    const stk::FieldTexts empty;
    for (auto _ : state)
        benchmark::DoNotOptimize(stk::decision_ranges(empty));
}
BENCHMARK(BM_eight_ranges_empty)->Unit(benchmark::kMicrosecond);

}  // namespace
