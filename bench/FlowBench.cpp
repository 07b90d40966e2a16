#include "tavrin/Demo.h"
#include "tavrin/flow/FlowLoader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class NoEffects : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { return nullptr; }
};

// A timeline of windows holding animated transforms, about six nodes per window; no drawing, so
// it runs without a GL context.
std::string writeTimeline(int windows)
{
    std::string path = (std::filesystem::temp_directory_path() / "nightglass_bench.flow").string();
    std::ofstream out(path);
    out << "<flow>";
    for (int i = 0; i < windows; ++i)
        out << "<at time=\"" << i << ":0\" length=\"2:0\"><time_stretch factor=\"2\"><translate>"
            << "<x><scurve start=\"0\" stop=\"1:0\" from=\"0\" to=\"8\"/></x></translate></time_stretch></at>";
    out << "</flow>";
    return path;
}

}

// Loading reports progress after every element (four per window); the cost should grow in
// proportion to the flow's size, which the complexity fit at the end shows.
static void loadFlowWithProgress(benchmark::State& state)
{
    int windows = int(state.range(0));
    std::string path = writeTimeline(windows);
    NoEffects demo;
    Tavrin::Flow::LoadOptions options;
    options.nodeCountFile = path + ".count";
    float last = 0.0f;
    options.progress = [&last](float percent) { last = percent; };
    for (auto _ : state)
        benchmark::DoNotOptimize(Tavrin::Flow::loadFlow(path, demo, options));
    state.counters["elements"] = float(4 * windows);
    state.counters["nodes"] = float(Tavrin::Flow::loadFlow(path, demo, options)->countNodes());
    state.counters["per_element"] = benchmark::Counter(
        float(4 * windows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetComplexityN(4 * windows);
    std::remove(path.c_str());
    std::remove(options.nodeCountFile.c_str());
}
BENCHMARK(loadFlowWithProgress)->Arg(25)->Arg(250)->Arg(2500)->Unit(benchmark::kMillisecond)->Complexity();

// One frame's walk over the timeline, as the frame loop does it.
static void evaluateTimeline(benchmark::State& state)
{
    std::string path = writeTimeline(int(state.range(0)));
    NoEffects demo;
    Tavrin::Flow::LoadOptions options;
    options.nodeCountFile = path + ".count";
    auto root = Tavrin::Flow::loadFlow(path, demo, options);
    float time = 0.0f;
    for (auto _ : state) {
        root->evaluate(time);
        time += 0.016f;
    }
    std::remove(path.c_str());
    std::remove(options.nodeCountFile.c_str());
}
BENCHMARK(evaluateTimeline)->Arg(100)->Arg(1000);
