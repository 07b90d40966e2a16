#pragma once

#include "tavrin/audio/DecodedAudio.h"

#include <cstdint>

namespace Tavrin::Audio {

// Where the decoded music goes and how its position is known: a sound device, a silent clock when
// there is none, or the fixed times of an offline capture.
class MusicPlayback {
public:
    virtual ~MusicPlayback() = default;

    // The audio to play; it must outlive the playback. Set once, before play.
    virtual void setSource(const DecodedAudio* audio) = 0;
    virtual void play() = 0;
    // frame lies within the source (the caller clamps); the position reads it at once.
    virtual void seekFrame(std::int64_t frame) = 0;
    // The frame being heard now; never decreases between seeks.
    virtual std::int64_t heardFrame() = 0;
};

}
