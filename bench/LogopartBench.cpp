#include "nightglass/Nightglass.h"
#include "nightglass/effects/Logopart.h"
#include "orvane/Device.h"
#include "orvane/Window.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

// One frame of the logo scene's smoke: 500 records drift and wrap, their quads are written to the
// vertex buffer and sorted far to near. Needs a GL context: run from the source folder under
// xvfb-run, like the GL tests.
static void logopartSmokeFrame(benchmark::State& state)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        state.SkipWithError("no X display: run under xvfb-run from the source folder");
        return;
    }
    Orvane::Window window(64, 64, true, false);
    Orvane::Device device(&window, 24, 8, 0, false);
    Nightglass::Nightglass demo;
    demo.syncValues[0] = {0, -200, 10, 0};
    Nightglass::Logopart logo(&demo);
    for (auto _ : state)
        logo.updateSmoke(1.0f / 60.0f);
}
BENCHMARK(logopartSmokeFrame)->Unit(benchmark::kMicrosecond);
