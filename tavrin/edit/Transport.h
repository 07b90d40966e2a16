#pragma once

#include <optional>

namespace Tavrin::Edit {

// Keys pressed since the last frame (not held), as the transport acts once per press.
struct TransportKeys {
    bool pause = false;
    bool barBack = false;
    bool barForward = false;
    bool home = false;
    bool loopStart = false;
    bool loopEnd = false;
    bool clearLoop = false;
};

// The editor's playhead: pause, seek by bars, and an optional loop the playhead wraps in. It runs
// on frame time or follows the music's heard position; after a move that the music did not make
// (a seek, a wrap, a resume), takeJump says where the music has to go.
class Transport {
public:
    Transport(float barSeconds, float startTime);

    // The tempo may change under a running session (another flow); seeks use the latest.
    void setBarSeconds(float barSeconds) { barSeconds_ = barSeconds; }
    void press(const TransportKeys& keys);
    // Moves the playhead (not below 0), as the keys do.
    void seek(float time);
    void setPaused(bool paused);
    // One frame of playing: delta seconds more, unless paused.
    void advance(float delta);
    // The music plays on its own; the playhead takes its position, unless paused or moved since
    // the last takeJump (the music has not been sent there yet).
    void follow(float heardTime);
    // The end of the demo pauses the playhead there rather than ending the run.
    void stopAt(float end);
    // Whether the playhead was moved other than by playing since the last call.
    bool takeJump();

    float time() const { return time_; }
    bool paused() const { return paused_; }
    std::optional<float> loopStart() const { return loopStart_; }
    std::optional<float> loopEnd() const { return loopEnd_; }

private:
    void wrap();
    bool looping() const { return loopStart_ && loopEnd_ && *loopEnd_ > *loopStart_; }

    float barSeconds_;
    float time_;
    bool paused_ = false;
    bool jumped_ = false;
    std::optional<float> loopStart_, loopEnd_;
};

}
