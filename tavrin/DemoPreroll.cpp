#include "tavrin/Demo.h"

#include "tavrin/Demoface.h"
#include "tavrin/audio/Music.h"
#include "tavrin/flow/ParentNode.h"
#include "tavrin/flow/PrerollStart.h"
#include "tavrin/profile/FrameProfiler.h"

#include <cmath>
#include <ctime>

namespace Tavrin {

namespace {

// A live frame whose time moved this much more or less than the wall clock did was sought to; a
// slow frame moves both alike.
constexpr float SeekTolerance = 0.1f;
// Before the first live frame there is no frame rate to go by.
constexpr float NominalFrameSeconds = 1.0f / 60.0f;
// A history that reaches further back than this is not one an effect can mean.
constexpr long MostPrerolledFrames = 1'000'000;

}

void Demo::prerollTo(float target, float step, const std::function<float(long)>& frameTime)
{
    // A frame number left out: whatever was shown before the jump does not continue after it.
    countFrame();
    std::optional<float> origin = flowRoot_ ? Flow::prerollStart(*flowRoot_, target) : std::nullopt;
    if (!origin || !(step > 0.0f))
        return;
    long frames = 0;
    while (frames < MostPrerolledFrames && frameTime(frames + 1) > *origin)
        ++frames;
    const float playedTime = time, playedDelta = frameDelta;
    float playedSpectrum[Audio::SpectrumAnalyzer::BinCount];
    std::copy(spectrum, spectrum + Audio::SpectrumAnalyzer::BinCount, playedSpectrum);
    timespec before{}, after{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &before);
    prerollTarget_ = target;
    for (long k = frames; k >= 1; --k)
        simulateFrame(frameTime(k), step);
    prerollTarget_.reset();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &after);
    if (profiler_)
        profiler_->prerolled(frames,
                             double(after.tv_sec - before.tv_sec) * 1e3 + double(after.tv_nsec - before.tv_nsec) / 1e6);
    time = playedTime;
    frameDelta = playedDelta;
    std::copy(playedSpectrum, playedSpectrum + Audio::SpectrumAnalyzer::BinCount, spectrum);
}

// Live frames come at no fixed times: after a jump the pre-roll takes the frame rate of the last
// frame as steady up to the target, and the frame then draws with the sync values of the frame
// before it, as in play. A playhead that stands still (paused) leaves every history as it is.
void Demo::followLiveTime(float target, float elapsed)
{
    bool jumped = !lastLiveTime_ || std::fabs((target - *lastLiveTime_) - elapsed) > SeekTolerance;
    bool standing = lastLiveTime_ && target == *lastLiveTime_;
    lastLiveTime_ = target;
    if (standing)
        frameDelta = 0.0f;
    if (!jumped)
        return;
    float step = frameDelta > 0.0f ? frameDelta : NominalFrameSeconds;
    prerollTo(target, step, [target, step](long k) { return target - float(k) * step; });
    demoface_->evaluateTracks(target - step);
}

void Demo::simulateFrame(float frameTime, float step)
{
    countFrame();
    demoface_->evaluateTracks(frameTime - step);
    time = frameTime;
    frameDelta = step;
    readSpectrumAt(frameTime);
    evaluateFlow();
}

void Demo::readSpectrumAt(float seconds)
{
    if (music_)
        music_->readSpectrumAt(seconds, spectrum);
}

}
