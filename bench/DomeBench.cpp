#include "nightglass/Nightglass.h"
#include "nightglass/effects/Dome.h"
#include "nightglass/kit/Particles.h"
#include "orvane/Device.h"
#include "orvane/Window.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>

namespace {

// The particle systems keep their quads in GL buffers: these cases need a display (run them
// under xvfb-run from the source folder, where data/ lies).
struct GlDemo {
    GlDemo()
    {
        window = std::make_unique<Orvane::Window>(64, 64, true, false);
        device = std::make_unique<Orvane::Device>(window.get(), 24, 8, 0, false);
        demo.loadBuiltins();
        demo.syncValues[0] = {30, 95, 40, 0};
    }
    std::unique_ptr<Orvane::Window> window;
    std::unique_ptr<Orvane::Device> device;
    Nightglass::Nightglass demo;
};

GlDemo* glDemo(benchmark::State& state)
{
    static std::unique_ptr<GlDemo> shared;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        state.SkipWithError("no X display: run under xvfb-run");
        return nullptr;
    }
    if (!shared)
        shared = std::make_unique<GlDemo>();
    return shared.get();
}

}

// The Dome's CPU work per frame: rewrite all 10000 quads from the tree, then sort them.
static void domeFillAndSort(benchmark::State& state)
{
    GlDemo* gl = glDemo(state);
    if (!gl)
        return;
    Nightglass::Dome dome(&gl->demo);
    float time = 9.0f;
    for (auto _ : state) {
        dome.fillParticles(time);
        dome.getParticles().sortByDistance(1);
        time += 0.01f;
    }
}
BENCHMARK(domeFillAndSort)->Unit(benchmark::kMicrosecond);

// The depth sort of 10000 quads alone: distances from the eye, radix sort, index rewrite.
static void sortTenThousandQuads(benchmark::State& state)
{
    GlDemo* gl = glDemo(state);
    if (!gl)
        return;
    Nightglass::Particles particles(&gl->demo, 10000);
    std::mt19937 generator(3);
    std::uniform_real_distribution<float> coordinate(-200.0f, 200.0f);
    particles.lock();
    for (int i = 0; i < particles.count; ++i)
        particles.setQuadPosition(i, coordinate(generator), coordinate(generator), coordinate(generator));
    particles.unlock();
    for (auto _ : state)
        particles.sortByDistance(1);
}
BENCHMARK(sortTenThousandQuads)->Unit(benchmark::kMicrosecond);
