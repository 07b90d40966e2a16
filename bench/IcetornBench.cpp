// Per-frame CPU work of the ice burst and the tornado: placing and sorting their particles and,
// for the tornado, the scene's animation; the GL drawing is left out.
#include "BenchDemo.h"
#include "nightglass/effects/Icefractal.h"
#include "nightglass/effects/Tornardo.h"

#include <benchmark/benchmark.h>

namespace {

// Steps through the section a frame at a time, as the demo would.
template <typename Effect>
void frameCpu(benchmark::State& state, float sectionStart)
{
    Nightglass::Nightglass* bench = Bench::demo(state);
    if (!bench)
        return;
    Nightglass::Nightglass& demo = *bench;
    Bench::setCamera(demo, 0, -250, 30, 0, 0, 60);
    Effect effect(&demo);
    float t = 0.0f;
    for (auto _ : state) {
        demo.time = sectionStart + t;
        effect.update(t);
        t = t > 17.0f ? 0.0f : t + 1.0f / 60.0f;
    }
}

}

static void IcefractalFrameCpu(benchmark::State& state) { frameCpu<Nightglass::Icefractal>(state, 88.9f); }
BENCHMARK(IcefractalFrameCpu)->Unit(benchmark::kMicrosecond);

static void TornardoFrameCpu(benchmark::State& state) { frameCpu<Nightglass::Tornardo>(state, 146.7f); }
BENCHMARK(TornardoFrameCpu)->Unit(benchmark::kMicrosecond);
