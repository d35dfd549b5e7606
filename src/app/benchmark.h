#pragma once
// The benchmark: one BENCH round at once with no window; prints its figures.

int runBenchmark();
