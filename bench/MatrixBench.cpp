#include "orvane/Matrix4.h"

#include <benchmark/benchmark.h>

// The frame loop multiplies state matrices for every shader upload; this keeps an eye on it.
static void matrixProduct(benchmark::State& state)
{
    Orvane::Matrix4 a, b;
    a.setPerspective(60, 16.0f / 9.0f, 0.1f, 100.0f);
    b.setLookAt(0, 1, 5, 0, 0, 0, 0, 1, 0);
    for (auto _ : state) {
        Orvane::Matrix4 c = a * b;
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(matrixProduct);
