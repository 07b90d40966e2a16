#include "tavrin/edit/Transport.h"

#include <algorithm>
#include <cmath>

namespace Tavrin::Edit {

Transport::Transport(float barSeconds, float startTime)
    : barSeconds_(barSeconds)
    , time_(startTime)
{}

void Transport::press(const TransportKeys& keys)
{
    if (keys.pause) {
        paused_ = !paused_;
        // The music ran on muted while paused; it has to come back to the playhead.
        jumped_ = true;
    }
    // A bar back from inside a bar goes to its start first, as a player's "previous" does.
    if (keys.barBack) {
        float bar = std::ceil(time_ / barSeconds_ - 1e-3f) - 1.0f;
        seek(bar * barSeconds_);
    }
    if (keys.barForward)
        seek((std::floor(time_ / barSeconds_ + 1e-3f) + 1.0f) * barSeconds_);
    if (keys.home)
        seek(0.0f);
    if (keys.loopStart)
        loopStart_ = time_;
    if (keys.loopEnd)
        loopEnd_ = time_;
    if (keys.clearLoop)
        loopStart_ = loopEnd_ = std::nullopt;
}

void Transport::seek(float time)
{
    time_ = std::max(0.0f, time);
    jumped_ = true;
}

void Transport::setPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    jumped_ = true;
}

void Transport::advance(float delta)
{
    if (paused_)
        return;
    time_ += delta;
    wrap();
}

void Transport::follow(float heardTime)
{
    if (paused_ || jumped_)
        return;
    time_ = heardTime;
    wrap();
}

void Transport::wrap()
{
    if (!looping() || time_ < *loopEnd_)
        return;
    float length = *loopEnd_ - *loopStart_;
    time_ = *loopStart_ + std::fmod(time_ - *loopStart_, length);
    jumped_ = true;
}

void Transport::stopAt(float end)
{
    if (time_ <= end)
        return;
    time_ = end;
    paused_ = true;
    jumped_ = true;
}

bool Transport::takeJump()
{
    bool jumped = jumped_;
    jumped_ = false;
    return jumped;
}

}
