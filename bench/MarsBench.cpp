#include "BenchDemo.h"
#include "nightglass/effects/Mars.h"

#include <benchmark/benchmark.h>

// The CPU work of one frame before drawing, as a pre-roll does it too: the scene posed, one step of
// 64 puffs emitted and the 6000 records moved. A frame time just over the step length makes every
// frame emit, the dearest case.
static void marsFrameAnimation(benchmark::State& state)
{
    Nightglass::Nightglass* demo = Bench::demo(state);
    if (!demo)
        return;
    Bench::setCamera(*demo, -120, -70, 26, 0, 0, 20);
    static Nightglass::Mars mars(demo);
    demo->frameDelta = 0.021f;
    float t = 0;
    for (auto _ : state) {
        mars.advance(t);
        t += demo->frameDelta;
        if (t > 17.0f)
            t = 0;
    }
}
BENCHMARK(marsFrameAnimation)->Unit(benchmark::kMicrosecond);

// The records alone, without GL: one step emitted and the 6000 puffs moved.
static void marsSmokeStep(benchmark::State& state)
{
    Nightglass::MarsSmoke smoke;
    std::array<Orvane::Vector3, Nightglass::MarsSmoke::Emitters> emitters{};
    for (int i = 0; i < Nightglass::MarsSmoke::Emitters; ++i)
        emitters[size_t(i)] = {float(i), float(i % 7), float(i % 5)};
    float t = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(smoke.update(0.021f, t, emitters));
        t += 0.021f;
    }
}
BENCHMARK(marsSmokeStep)->Unit(benchmark::kMicrosecond);
