#include "codeconv/Jislib.h"
#include "officers/OfficerFile.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <vector>

namespace {

// The texts of 110 full records in GBK: surname, given name, style name and a long biography.
std::vector<std::string> OfficerTexts()
{
    const std::string names[] = {"\xC1\xF5\xB1\xB8", "\xD5\xC5\xB7\xC9", "\xB9\xD8\xD3\xF0", "\xD6\xEE\xB8\xF0"};
    std::string story;
    while (story.size() + 8 <= 150)
        story += "\xC1\xF5\xB1\xB8\xD5\xC5\xB7\xC9"; // 刘备张飞
    std::vector<std::string> texts;
    for (int slot = 0; slot < 110; ++slot) {
        texts.push_back(names[slot % 4]);
        texts.push_back(names[(slot + 1) % 4]);
        texts.push_back(names[(slot + 2) % 4]);
        texts.push_back(story);
    }
    return texts;
}

void BM_ConvertAllTextsBothWays(benchmark::State& state)
{
    LoadCodeTable();
    const std::vector<std::string> source = OfficerTexts();
    for (auto _ : state) {
        std::vector<std::string> texts = source;
        for (std::string& t : texts) {
            ToJis(t.data());
            FromJis(t.data());
        }
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_ConvertAllTextsBothWays);

void BM_LookupIndexed(benchmark::State& state)
{
    LoadCodeTable();
    std::uint32_t sum = 0;
    for (auto _ : state) {
        for (int key = 0x8140; key < 0x8140 + 4096; ++key)
            sum += FindGbk(static_cast<std::uint16_t>(key));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 4096);
}
BENCHMARK(BM_LookupIndexed);

void BM_LookupLinear(benchmark::State& state)
{
    LoadCodeTable();
    std::uint32_t sum = 0;
    for (auto _ : state) {
        for (int key = 0x8140; key < 0x8140 + 4096; ++key)
            sum += FindGbkLinear(static_cast<std::uint16_t>(key));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 4096);
}
BENCHMARK(BM_LookupLinear);

// Both lookups over the same keys in one run, so that the report carries their ratio.
void BM_LookupLinearOverIndexed(benchmark::State& state)
{
    LoadCodeTable();
    using Clock = std::chrono::steady_clock;
    Clock::duration indexed{}, linear{};
    std::uint32_t sum = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        for (int key = 0x8140; key < 0x8140 + 4096; ++key)
            sum += FindGbk(static_cast<std::uint16_t>(key));
        const auto t1 = Clock::now();
        for (int key = 0x8140; key < 0x8140 + 4096; ++key)
            sum += FindGbkLinear(static_cast<std::uint16_t>(key));
        const auto t2 = Clock::now();
        indexed += t1 - t0;
        linear += t2 - t1;
        benchmark::DoNotOptimize(sum);
    }
    state.counters["linear_over_indexed"] =
        static_cast<double>(linear.count()) / static_cast<double>(std::max<Clock::rep>(1, indexed.count()));
}
BENCHMARK(BM_LookupLinearOverIndexed);

} // namespace
