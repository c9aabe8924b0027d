// The one entry point of kestrun_bench; each benchmark file registers its own cases.

#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
