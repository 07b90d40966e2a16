#include "nightglass/effects/Devil.h"
#include "nightglass/kit/Hair.h"

#include <benchmark/benchmark.h>

#include <cmath>

// The devil's hair per frame, as the effect runs it: follow a turning, bobbing head through its
// recent past, then build the camera-facing ribbons. The GL upload is not included.
static void devilHairPerFrame(benchmark::State& state)
{
    using Nightglass::Devil;
    Nightglass::HairStrands hair(Nightglass::scalpRoots(Devil::HairStrandCount, 30.0f, 70.0f, 125.0f),
                                 Devil::HairSegments, 0.016f);
    std::vector<Orvane::Matrix4> past(Devil::HairSegments + 1);
    float time = 0.0f;
    for (auto _ : state) {
        for (int k = 0; k <= Devil::HairSegments; ++k) {
            float then = time - 0.016f * float(k);
            past[size_t(k)].setRotation(40.0f * std::sin(then * 3.0f), 0, 0, 1);
            past[size_t(k)].translate(0, 0, 5.0f * std::sin(then * 8.0f));
        }
        hair.update(past, 31.2f, time, 0.8f);
        hair.buildRibbons({0, -170, 10}, 6.0f);
        benchmark::DoNotOptimize(hair.ribbons().data());
        time += 1.0f / 60.0f;
    }
}
BENCHMARK(devilHairPerFrame)->Unit(benchmark::kMicrosecond);
