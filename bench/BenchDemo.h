#pragma once

#include "nightglass/Nightglass.h"

#include <benchmark/benchmark.h>

namespace Bench {

// The production demo set up as a run leaves it for the flow (built-ins, render targets, a sync
// camera), on one hidden GL window shared by every case: effects keep their meshes and quads in GL
// buffers. Run the benchmarks from the repository root, where data/ lies, under a display (for
// example `xvfb-run -a build/bench/nightglass_bench`). Without a display the case is skipped and
// null is returned.
Nightglass::Nightglass* demo(benchmark::State& state);

// Points the sync camera (tracks 0 to 3) from eye at target, z up.
void setCamera(Nightglass::Nightglass& demo, float eyeX, float eyeY, float eyeZ, float targetX, float targetY,
               float targetZ, float fovDegrees = 60.0f);

}
