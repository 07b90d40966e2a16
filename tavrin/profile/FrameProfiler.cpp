#include "tavrin/profile/FrameProfiler.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>
#include <cxxabi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Tavrin::Profile {

namespace {

FrameProfiler* installed = nullptr;

double milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

bool hasExtension(const char* name)
{
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (extensions == nullptr)
        return false;
    size_t length = std::strlen(name);
    for (const char* p = std::strstr(extensions, name); p; p = std::strstr(p + length, name))
        if ((p == extensions || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0'))
            return true;
    return false;
}

}

// The timer-query entry points, loaded only when the driver names the extension.
struct FrameProfiler::TimerQueries {
    PFNGLGENQUERIESPROC genQueries = nullptr;
    PFNGLDELETEQUERIESPROC deleteQueries = nullptr;
    PFNGLBEGINQUERYPROC beginQuery = nullptr;
    PFNGLENDQUERYPROC endQuery = nullptr;
    PFNGLGETQUERYOBJECTUI64VPROC getResult = nullptr;

    static std::unique_ptr<TimerQueries> load()
    {
        if (!hasExtension("GL_ARB_timer_query"))
            return nullptr;
        auto gl = std::make_unique<TimerQueries>();
        gl->genQueries = reinterpret_cast<PFNGLGENQUERIESPROC>(SDL_GL_GetProcAddress("glGenQueries"));
        gl->deleteQueries = reinterpret_cast<PFNGLDELETEQUERIESPROC>(SDL_GL_GetProcAddress("glDeleteQueries"));
        gl->beginQuery = reinterpret_cast<PFNGLBEGINQUERYPROC>(SDL_GL_GetProcAddress("glBeginQuery"));
        gl->endQuery = reinterpret_cast<PFNGLENDQUERYPROC>(SDL_GL_GetProcAddress("glEndQuery"));
        gl->getResult = reinterpret_cast<PFNGLGETQUERYOBJECTUI64VPROC>(SDL_GL_GetProcAddress("glGetQueryObjectui64v"));
        bool complete = gl->genQueries && gl->deleteQueries && gl->beginQuery && gl->endQuery && gl->getResult;
        return complete ? std::move(gl) : nullptr;
    }
};

FrameProfiler::FrameProfiler()
    : runStart_(Clock::now())
    , gl_(TimerQueries::load())
{}

FrameProfiler::~FrameProfiler()
{
    if (installed == this)
        installed = nullptr;
    if (!gl_)
        return;
    for (const Pending& p : pending_)
        freeQueries_.push_back(p.query);
    if (!freeQueries_.empty())
        gl_->deleteQueries(GLsizei(freeQueries_.size()), freeQueries_.data());
}

FrameProfiler* FrameProfiler::active() { return installed; }

void FrameProfiler::install(FrameProfiler* profiler) { installed = profiler; }

bool FrameProfiler::hasGpuTimes() const { return gl_ != nullptr; }

void FrameProfiler::beginSection(const std::string& name)
{
    unsigned query = 0;
    // Time-elapsed queries cannot nest: only the outermost section is timed on the GPU.
    if (gl_ && open_.empty()) {
        if (freeQueries_.empty()) {
            freeQueries_.resize(16);
            gl_->genQueries(16, freeQueries_.data());
        }
        query = freeQueries_.back();
        freeQueries_.pop_back();
        gl_->beginQuery(GL_TIME_ELAPSED, query);
    }
    open_.push_back({name, Clock::now(), query});
}

void FrameProfiler::beginSection(const std::type_info& type)
{
    auto known = typeNames_.find(type);
    if (known == typeNames_.end()) {
        int status = 0;
        char* readable = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
        known = typeNames_.emplace(type, status == 0 && readable ? readable : type.name()).first;
        std::free(readable);
    }
    beginSection(known->second);
}

void FrameProfiler::endSection()
{
    if (open_.empty())
        return;
    Open section = open_.back();
    open_.pop_back();
    frameCpu_[section.name] += milliseconds(Clock::now() - section.start);
    if (section.query != 0) {
        gl_->endQuery(GL_TIME_ELAPSED);
        pending_.push_back({section.name, section.query});
    }
}

void FrameProfiler::beginFrame()
{
    frameStart_ = Clock::now();
    frameCpu_.clear();
}

void FrameProfiler::endFrame()
{
    frameCpu_["(whole frame)"] = milliseconds(Clock::now() - frameStart_);
    for (const auto& [name, ms] : frameCpu_) {
        Totals& totals = sections_[name];
        ++totals.frames;
        totals.cpuMs += ms;
        totals.cpuMaxMs = std::max(totals.cpuMaxMs, ms);
    }
    ++frames_;
    collectGpuTimes();
}

void FrameProfiler::collectGpuTimes()
{
    // Read at the end of the frame that issued them: the wait is part of what a profiled run
    // costs, not of what it reports.
    for (const Pending& p : pending_) {
        GLuint64 nanoseconds = 0;
        gl_->getResult(p.query, GL_QUERY_RESULT, &nanoseconds);
        Totals& totals = sections_[p.name];
        totals.gpuMs += double(nanoseconds) / 1e6;
        ++totals.gpuSamples;
        freeQueries_.push_back(p.query);
    }
    pending_.clear();
}

void FrameProfiler::prerolled(long frames, double cpuMs)
{
    ++prerolls_;
    prerolledFrames_ += frames;
    prerollCpuMs_ += cpuMs;
    prerollCpuMaxMs_ = std::max(prerollCpuMaxMs_, cpuMs);
}

std::string FrameProfiler::report() const
{
    std::string text;
    char line[256];
    std::snprintf(line, sizeof line, "%-28s %8s %12s %12s %12s\n", "section", "frames", "cpu ms/frame", "cpu max ms",
                  "gpu ms/frame");
    text += line;
    for (const auto& [name, t] : sections_) {
        char gpu[32] = "-";
        if (t.gpuSamples > 0)
            std::snprintf(gpu, sizeof gpu, "%.3f", t.gpuMs / t.gpuSamples);
        std::snprintf(line, sizeof line, "%-28s %8d %12.3f %12.3f %12s\n", name.c_str(), t.frames,
                      t.frames ? t.cpuMs / t.frames : 0.0, t.cpuMaxMs, gpu);
        text += line;
    }
    double seconds = milliseconds(Clock::now() - runStart_) / 1000.0;
    std::snprintf(line, sizeof line, "%d frames in %.2f s: %.1f frames per second%s\n", frames_, seconds,
                  seconds > 0 ? frames_ / seconds : 0.0, gl_ ? "" : " (no GPU timer queries on this driver)");
    text += line;
    if (prerolls_ > 0) {
        std::snprintf(line, sizeof line, "pre-roll after %d jumps: %ld frames, %.1f ms CPU, worst %.1f ms\n", prerolls_,
                      prerolledFrames_, prerollCpuMs_, prerollCpuMaxMs_);
        text += line;
    }
    return text;
}

ProfileScope::ProfileScope(const std::string& name)
    : profiler_(FrameProfiler::active())
{
    if (profiler_)
        profiler_->beginSection(name);
}

ProfileScope::ProfileScope(const std::type_info& type)
    : profiler_(FrameProfiler::active())
{
    if (profiler_)
        profiler_->beginSection(type);
}

ProfileScope::~ProfileScope()
{
    if (profiler_)
        profiler_->endSection();
}

}
