// stk_batch's costs: the result texts, the CSV reader, and a list of
// 1 000 000 articles end to end (file in, file out).
#include "batch/batch.h"
#include "csv/csv.h"
#include "engine/numtext.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

// The worked example's 20 result values.
constexpr std::array<float, 20> results{26549.06f, 534.3407f, 216.9994f, 0.07472568f, 0.001140828f, 0,        40,
                                        80,        120,       160,       0,           214,          378,      542,
                                        706,       26549.06f, 788.3407f, 674.9994f,   662.0747f,    866.0012f};

void BM_num_text(benchmark::State& state)
{
    for (auto _ : state)
        for (float v : results)
            benchmark::DoNotOptimize(stk::num_text(v, ","));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(results.size()));
}
BENCHMARK(BM_num_text);

void BM_num_text_to(benchmark::State& state)
{
    char out[stk::num_text_capacity];
    for (auto _ : state)
        for (float v : results) {
            benchmark::DoNotOptimize(stk::num_text_to(out, v, ','));
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(results.size()));
}
BENCHMARK(BM_num_text_to);

// A semicolon export with decimal commas, as a maintenance system writes it.
std::string articles(std::size_t count)
{
    std::mt19937 random(11);
    std::ostringstream out;
    out << "Référence;Désignation;cct;tst;nbt;dat;pst;uut;dvt;crt\r\n";
    for (std::size_t i = 0; i < count; ++i)
        out << "REF-" << i << ";\"Roulement; type " << i % 97 << "\";50;2;" << 1 + random() % 12 << ';'
            << 1 + random() % 26 << ';' << 1 + random() % 99999 << ',' << random() % 100 << ';' << 100 + random() % 8660
            << ';' << 1000 + random() % 99000 << ';' << 10 + random() % 4990 << "\r\n";
    return out.str();
}

void BM_csv_read(benchmark::State& state)
{
    const std::string text = articles(100'000);
    for (auto _ : state) {
        std::string error;
        auto reader = stk::csv::Reader::from_string(text, {}, error);
        stk::csv::Row row;
        std::size_t fields = 0;
        while (reader->next(row))
            fields += row.size();
        benchmark::DoNotOptimize(fields);
    }
    state.SetItemsProcessed(state.iterations() * 100'000);
    state.SetBytesProcessed(state.iterations() * static_cast<long>(text.size()));
}
BENCHMARK(BM_csv_read)->Unit(benchmark::kMillisecond);

void BM_batch_million_articles(benchmark::State& state)
{
    const auto dir = std::filesystem::temp_directory_path() / ("bench_batch_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in.csv", std::ios::binary) << articles(1'000'000);
    stk::batch::Options options;
    options.input = (dir / "in.csv").string();
    options.output = (dir / "out.csv").string();
    std::ostringstream diag;
    for (auto _ : state)
        if (stk::batch::run(options, diag) != stk::batch::clean)
            state.SkipWithError(diag.str().c_str());
    state.SetItemsProcessed(state.iterations() * 1'000'000);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_batch_million_articles)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
