#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

namespace Tavrin::Profile {

// Measures where each frame's time goes: the CPU time of every effect's draw and of the whole
// frame, and, where the driver has timer queries, the GPU time of each effect's commands. The
// report is a table of milliseconds per frame. Off unless --profile asks for it.
class FrameProfiler {
public:
    FrameProfiler();
    ~FrameProfiler();
    FrameProfiler(const FrameProfiler&) = delete;
    FrameProfiler& operator=(const FrameProfiler&) = delete;

    // The profiler of this run, or null; effects report to it only while one is installed.
    static FrameProfiler* active();
    static void install(FrameProfiler* profiler);

    void beginSection(const std::string& name);
    // A section named after the class of the object timed (an effect's class).
    void beginSection(const std::type_info& type);
    void endSection();
    void beginFrame();
    void endFrame();

    // A pre-roll after a jump: how many frames it simulated and the CPU time it took on this thread.
    void prerolled(long frames, double cpuMs);

    bool hasGpuTimes() const;
    std::string report() const;

    struct Totals {
        int frames = 0;
        double cpuMs = 0, cpuMaxMs = 0, gpuMs = 0;
        int gpuSamples = 0;
    };

private:
    using Clock = std::chrono::steady_clock;
    struct Open {
        std::string name;
        Clock::time_point start;
        unsigned query;
    };
    struct Pending {
        std::string name;
        unsigned query;
    };

    void collectGpuTimes();

    std::map<std::string, Totals> sections_;
    std::map<std::type_index, std::string> typeNames_;
    std::map<std::string, double> frameCpu_;
    std::vector<Open> open_;
    std::vector<Pending> pending_;
    std::vector<unsigned> freeQueries_;
    Clock::time_point frameStart_;
    Clock::time_point runStart_;
    int frames_ = 0;
    int prerolls_ = 0;
    long prerolledFrames_ = 0;
    double prerollCpuMs_ = 0, prerollCpuMaxMs_ = 0;
    struct TimerQueries;
    std::unique_ptr<TimerQueries> gl_;
};

// Times one section of a frame on the installed profiler; does nothing (and allocates nothing)
// without one.
class ProfileScope {
public:
    explicit ProfileScope(const std::string& name);
    explicit ProfileScope(const std::type_info& type);
    ~ProfileScope();
    ProfileScope(const ProfileScope&) = delete;
    ProfileScope& operator=(const ProfileScope&) = delete;

private:
    FrameProfiler* profiler_;
};

}
