// One full calculation from the eight field texts, as a keystroke runs it:
// reading, the five rows, the recommendation and the result texts.
#include "engine/model.h"
#include "engine/presentation.h"
#include "tests/worked_example.h"

#include <benchmark/benchmark.h>

namespace {

void BM_calc(benchmark::State& state)
{
    const auto texts = stk::worked::field_texts();
    for (auto _ : state)
        benchmark::DoNotOptimize(stk::calc(texts));
}
BENCHMARK(BM_calc);

void BM_calc_and_texts(benchmark::State& state)
{
    const auto texts = stk::worked::field_texts();
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
