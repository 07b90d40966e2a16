#include "BenchDemo.h"
#include "nightglass/effects/Dome.h"
#include "nightglass/kit/Particles.h"

#include <benchmark/benchmark.h>

#include <random>

// The Dome's CPU work per frame: rewrite all 10000 quads from the tree, then sort them.
static void domeFillAndSort(benchmark::State& state)
{
    Nightglass::Nightglass* demo = Bench::demo(state);
    if (!demo)
        return;
    Bench::setCamera(*demo, 30, 95, 40, 0, 0, 40);
    Nightglass::Dome dome(demo);
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
    Nightglass::Nightglass* demo = Bench::demo(state);
    if (!demo)
        return;
    Nightglass::Particles particles(demo, 10000);
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
