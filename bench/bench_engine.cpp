// One full calculation from the eight field texts, as a keystroke runs it:
// reading, the five rows, the recommendation and the result texts.
#include "engine/model.h"
#include "engine/presentation.h"

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

void BM_calc(benchmark::State& state)
{
    const auto texts = worked_example();
    for (auto _ : state)
        benchmark::DoNotOptimize(stk::calc(texts));
}
BENCHMARK(BM_calc);

void BM_calc_and_texts(benchmark::State& state)
{
    const auto texts = worked_example();
    for (auto _ : state)
        benchmark::DoNotOptimize(stk::present(stk::calc(texts), "."));
}
BENCHMARK(BM_calc_and_texts);

// Every field empty: most steps of rows 1 to 4 fail and are skipped.
void BM_calc_all_empty(benchmark::State& state)
{
    const stk::FieldTexts texts;
    for (auto _ : state)
        benchmark::DoNotOptimize(stk::present(stk::calc(texts), "."));
}
BENCHMARK(BM_calc_all_empty);

}  // namespace
