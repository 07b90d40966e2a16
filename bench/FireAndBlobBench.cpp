// Per-frame CPU work of the fire ball and the scenes around it.
#include "BenchDemo.h"
#include "nightglass/effects/ExplosionScene.h"
#include "nightglass/effects/Lolscene.h"
#include "nightglass/kit/Explosion.h"

#include <benchmark/benchmark.h>

static void explosionUpdateAndSort(benchmark::State& state)
{
    Nightglass::Nightglass* bench = Bench::demo(state);
    if (!bench)
        return;
    Nightglass::Nightglass& demo = *bench;
    Bench::setCamera(demo, 0, -700, 150, 0, 0, 150);
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
    Nightglass::Nightglass* bench = Bench::demo(state);
    if (!bench)
        return;
    Nightglass::Nightglass& demo = *bench;
    Bench::setCamera(demo, 0, -700, 150, 0, 0, 150);
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
    Nightglass::Nightglass* bench = Bench::demo(state);
    if (!bench)
        return;
    Nightglass::Nightglass& demo = *bench;
    Bench::setCamera(demo, 0, -700, 150, 0, 0, 150);
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
