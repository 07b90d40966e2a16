#include "nightglass/Nightglass.h"
#include "nightglass/effects/Mars.h"
#include "orvane/Device.h"
#include "orvane/Window.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// A hidden window's GL context: the scene's meshes and the smoke quads live in GL buffers. Run
// from the repository root (the demo's data folder) under a display, e.g. xvfb-run.
struct MarsSetup {
    std::unique_ptr<Orvane::Window> window;
    std::unique_ptr<Orvane::Device> device;
    Nightglass::Nightglass demo;
    std::unique_ptr<Nightglass::Mars> mars;

    MarsSetup()
    {
        window = std::make_unique<Orvane::Window>(640, 360, true, false);
        device = std::make_unique<Orvane::Device>(window.get(), 24, 8, 0, false);
        demo.width = 640;
        demo.height = 360;
        demo.loadBuiltins();
        demo.createRenderTargets();
        demo.syncValues[0] = {-120, -70, 26, 0};
        mars = std::make_unique<Nightglass::Mars>(&demo);
    }
};

}

// The CPU work of one frame before drawing: the scene posed, one step of 64 puffs emitted, the
// 6000 records moved and written into the quads, and the quads sorted far to near. A frame time
// just over the step length makes every frame emit, the dearest case.
static void marsFrameAnimation(benchmark::State& state)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        state.SkipWithError("needs a display: run under xvfb-run");
        return;
    }
    static MarsSetup setup;
    setup.demo.frameDelta = 0.021f;
    float t = 0;
    for (auto _ : state) {
        setup.mars->animate(t);
        t += setup.demo.frameDelta;
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
