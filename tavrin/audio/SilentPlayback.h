#pragma once

#include "tavrin/audio/MusicPlayback.h"

namespace Tavrin::Audio {

// Plays nothing but keeps the music's time on the steady clock, for machines without a sound
// device. SDL's dummy driver is not used for this: its timing drifts by milliseconds a second.
class SilentPlayback : public MusicPlayback {
public:
    void setSource(const DecodedAudio* audio) override;
    void play() override;
    void seekFrame(std::int64_t frame) override;
    std::int64_t heardFrame() override;

private:
    std::int64_t frameCount_ = 0;
    std::int64_t anchorFrame_ = 0;
    std::int64_t anchorNs_ = 0;
    bool playing_ = false;
};

}
