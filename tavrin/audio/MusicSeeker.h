#pragma once

namespace Tavrin::Audio {

// What the seek keys need of the music: moving the playback position to a time in seconds.
class MusicSeeker {
public:
    virtual ~MusicSeeker() = default;
    virtual void seek(float seconds) = 0;
};

}
