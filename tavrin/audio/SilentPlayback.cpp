#include "tavrin/audio/SilentPlayback.h"

#include "tavrin/audio/HeardPosition.h"

#include <algorithm>

namespace Tavrin::Audio {

void SilentPlayback::setSource(const DecodedAudio* audio) { frameCount_ = audio->frameCount(); }

void SilentPlayback::play()
{
    if (playing_)
        return;
    anchorNs_ = steadyNowNs();
    playing_ = true;
}

void SilentPlayback::seekFrame(std::int64_t frame)
{
    anchorFrame_ = frame;
    anchorNs_ = steadyNowNs();
}

std::int64_t SilentPlayback::heardFrame()
{
    if (!playing_)
        return anchorFrame_;
    std::int64_t elapsedFrames = (steadyNowNs() - anchorNs_) * MusicSampleRate / 1'000'000'000;
    return std::min(frameCount_, anchorFrame_ + elapsedFrames);
}

}
