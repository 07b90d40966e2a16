// Per-frame CPU work of the devil.
#include "BenchDemo.h"
#include "nightglass/effects/Devil.h"
#include "nightglass/kit/Hair.h"

#include <benchmark/benchmark.h>

#include <cmath>

// Everything the devil computes per frame before it draws: the scene posed at the present and
// at each of the hair's lags, the strands and their ribbons, the face glows and the embers.
static void devilAnimatePerFrame(benchmark::State& state)
{
    Nightglass::Nightglass* demo = Bench::demo(state);
    if (!demo)
        return;
    Bench::setCamera(*demo, 60, -150, 10, 0, 0, 0, 55);
    demo->spectrum[0] = 0.18f;
    Nightglass::Devil devil(demo);
    float t = 0.0f;
    for (auto _ : state) {
        devil.animate(12.0f + std::fmod(t, 10.0f));
        t += 1.0f / 60.0f;
    }
}
BENCHMARK(devilAnimatePerFrame)->Unit(benchmark::kMicrosecond);

// The hair alone, following a turning, bobbing head, with no GL.
static void devilHairPerFrame(benchmark::State& state)
{
    using Nightglass::Devil;
    Nightglass::HairStrands hair(Nightglass::scalpRoots(Devil::HairStrandCount, 30.0f, 70.0f, 125.0f),
                                 Devil::HairSegments);
    std::vector<Orvane::Matrix4> past(Devil::HairSegments + 1);
    float time = 0.0f;
    for (auto _ : state) {
        for (int k = 0; k <= Devil::HairSegments; ++k) {
            float then = time - 0.016f * float(k);
            past[size_t(k)].setRotation(40.0f * std::sin(then * 3.0f), 0, 0, 1);
            past[size_t(k)].translate(0, 0, 5.0f * std::sin(then * 8.0f));
        }
        hair.update(past, 31.2f, time, 0.8f);
        hair.buildRibbons({0, -170, 10}, 8.0f);
        benchmark::DoNotOptimize(hair.ribbons().data());
        time += 1.0f / 60.0f;
    }
}
BENCHMARK(devilHairPerFrame)->Unit(benchmark::kMicrosecond);
