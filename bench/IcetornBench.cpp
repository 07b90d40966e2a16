// Per-frame CPU work of the ice burst and the tornado: placing and sorting their particles and,
// for the tornado, the scene's animation; the GL drawing is left out. They need a GL context for
// their buffers: run from the repository root under a display, e.g.
// `xvfb-run -a build/bench/nightglass_bench --benchmark_filter=Icefractal\|Tornardo`.
#include "nightglass/Nightglass.h"
#include "nightglass/effects/Icefractal.h"
#include "nightglass/effects/Tornardo.h"
#include "orvane/Device.h"
#include "orvane/Window.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct IcetornDemo {
    IcetornDemo()
        : window(std::make_unique<Orvane::Window>(256, 256, true, false))
        , device(std::make_unique<Orvane::Device>(window.get(), 24, 8, 0, false))
    {
        demo.width = demo.height = demo.viewportHeight = 256;
        demo.loadBuiltins();
        demo.createRenderTargets();
        demo.syncValues[0] = {0, -250, 30, 0};
        demo.syncValues[1] = {0, 0, 60, 0};
        demo.syncValues[2] = {0, 0, 1, 0};
        demo.syncValues[3] = {60, 0, 0, 0};
        demo.spectrum[0] = 0.15f;
    }
    std::unique_ptr<Orvane::Window> window;
    std::unique_ptr<Orvane::Device> device;
    Nightglass::Nightglass demo;
};

IcetornDemo& icetornDemo()
{
    static IcetornDemo shared;
    return shared;
}

// Steps through the section a frame at a time, as the demo would.
template <typename Effect>
void frameCpu(benchmark::State& state, float sectionStart)
{
    Tavrin::Demo& demo = icetornDemo().demo;
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
