#include "BenchDemo.h"
#include "nightglass/effects/Logopart.h"

#include <benchmark/benchmark.h>

// One frame of the logo scene's smoke: 500 records drift and wrap, their quads are written to the
// vertex buffer and sorted far to near.
static void logopartSmokeFrame(benchmark::State& state)
{
    Nightglass::Nightglass* demo = Bench::demo(state);
    if (!demo)
        return;
    Bench::setCamera(*demo, 0, -200, 10, 0, 0, 10);
    Nightglass::Logopart logo(demo);
    for (auto _ : state)
        logo.updateSmoke(1.0f / 60.0f);
}
BENCHMARK(logopartSmokeFrame)->Unit(benchmark::kMicrosecond);
