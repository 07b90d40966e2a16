#include "tavrin/audio/DecodedAudio.h"

#include <benchmark/benchmark.h>

#include <filesystem>

// Decoding the production's soundtrack, which the build generates; run from the repository root.
// Long files decode in parts on several threads: the time is wall-clock, the CPU time that of
// every thread.
static void decodeSoundtrack(benchmark::State& state)
{
    const char* path = "data/music/nightglass.ogg";
    if (!std::filesystem::exists(path)) {
        state.SkipWithError("data/music/nightglass.ogg is missing: build first and run from the repository root");
        return;
    }
    Tavrin::Audio::DecodedAudio audio;
    for (auto _ : state)
        audio = Tavrin::Audio::decodeAudioFile(path);
    state.counters["seconds"] = double(audio.frameCount()) / Tavrin::Audio::MusicSampleRate;
    state.counters["buffer_MB"] = double(audio.samples.capacity() * sizeof(audio.samples[0])) / (1024.0 * 1024.0);
}
BENCHMARK(decodeSoundtrack)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime()->UseRealTime();
