#pragma once

namespace Tavrin {

// What the seek keys need of the music: moving the playback position to a time in seconds.
class MusicSeeker {
public:
    virtual ~MusicSeeker() = default;
    virtual void seek(float seconds) = 0;
};

}
