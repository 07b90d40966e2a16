#pragma once

#include "tavrin/audio/MusicPlayback.h"

namespace Tavrin::Capture {

// Offline rendering: no device and no clock; the position is whatever frame was last set, so the
// same time always gives the same position and spectrum.
class CapturePlayback : public Audio::MusicPlayback {
public:
    void setSource(const Audio::DecodedAudio*) override {}
    void play() override {}
    void seekFrame(std::int64_t frame) override { frame_ = frame; }
    std::int64_t heardFrame() override { return frame_; }

private:
    std::int64_t frame_ = 0;
};

}
