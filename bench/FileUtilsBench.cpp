#include "core/FileUtils.hpp"

#include <benchmark/benchmark.h>

// Paths are recomputed on every call; this shows what that costs a caller in a frame.
static void BM_SavedPath(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(savedPath());
}
BENCHMARK(BM_SavedPath);
