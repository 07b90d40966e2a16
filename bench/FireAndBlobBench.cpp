// Per-frame CPU work of the fire ball and the scenes around it. They need a GL
// context (their quads live in GPU buffers): run from the repository root under a display, e.g.
// `xvfb-run -a build/bench/nightglass_bench`.
#include "nightglass/Nightglass.h"
#include "nightglass/effects/ExplosionScene.h"
#include "nightglass/effects/Lolscene.h"
#include "nightglass/kit/Explosion.h"
#include "orvane/Device.h"
#include "orvane/Window.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// One hidden window and a production demo with its built-ins, made on first use.
struct GlDemo {
    GlDemo()
        : window(std::make_unique<Orvane::Window>(256, 256, true, false))
        , device(std::make_unique<Orvane::Device>(window.get(), 24, 8, 0, false))
    {
        demo.width = demo.height = demo.viewportHeight = 256;
        demo.loadBuiltins();
        demo.createRenderTargets();
        demo.syncValues[0] = {0, -700, 150, 0};
        demo.syncValues[1] = {0, 0, 150, 0};
        demo.syncValues[2] = {0, 0, 1, 0};
        demo.syncValues[3] = {60, 0, 0, 0};
    }
    std::unique_ptr<Orvane::Window> window;
    std::unique_ptr<Orvane::Device> device;
    Nightglass::Nightglass demo;
};

GlDemo& glDemo()
{
    static GlDemo shared;
    return shared;
}

}

static void explosionUpdateAndSort(benchmark::State& state)
{
    Tavrin::Demo& demo = glDemo().demo;
    Nightglass::Explosion explosion(&demo);
    float t = 0.0f;
    for (auto _ : state) {
        demo.time = 40.0f + t;
        explosion.update(1.0f / 60.0f, t);
        t += 1.0f / 60.0f;
    }
}
BENCHMARK(explosionUpdateAndSort)->Unit(benchmark::kMicrosecond);

// Stars, clouds and the blob's deformation with its normals: everything Lolscene computes on the
// CPU in a frame.
static void lolsceneFrame(benchmark::State& state)
{
    Tavrin::Demo& demo = glDemo().demo;
    Nightglass::Lolscene scene(&demo);
    float t = 0.0f;
    for (auto _ : state) {
        scene.stars.update(t);
        scene.moveClouds(24.0f + t);
        scene.deformBlob(24.0f + t);
        t += 1.0f / 60.0f;
    }
}
BENCHMARK(lolsceneFrame)->Unit(benchmark::kMicrosecond);

// The star field and the fire's step: ExplosionScene's CPU work in a frame.
static void explosionSceneFrame(benchmark::State& state)
{
    Tavrin::Demo& demo = glDemo().demo;
    Nightglass::ExplosionScene scene(&demo);
    float t = 0.0f;
    for (auto _ : state) {
        demo.time = 60.0f + t;
        scene.stars.update(t);
        scene.explosion.update(1.0f / 60.0f, t);
        t += 1.0f / 60.0f;
    }
}
BENCHMARK(explosionSceneFrame)->Unit(benchmark::kMicrosecond);
