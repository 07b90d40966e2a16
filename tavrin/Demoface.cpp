#include "tavrin/Demoface.h"

#include "orvane/exceptions/Exception.h"
#include "tavrin/Demo.h"
#include "tavrin/audio/MusicSeeker.h"

#include <cstdio>

namespace Tavrin::Demoface {

using Orvane::Keyboard::Key;

Demoface::Demoface(Demo& owner, std::string dataFolder, KeyState keyState)
    : Visual(&owner)
    , dataFolder_(std::move(dataFolder))
    , keyState_(std::move(keyState))
{
    Sync::applySyncTrackKeys(tracks_, Sync::readSyncTrackFile(trackFilePath()));
}

std::string Demoface::trackFilePath() const { return dataFolder_ + demo->trackFileName; }

void Demoface::update()
{
    for (float& timer : keyTimers_)
        timer -= demo->frameDelta;
    evaluateTracks(demo->time);
    handleSeekKeys();
    handleReloadKey();
}

void Demoface::evaluateTracks(float time)
{
    for (int i = 0; i < Sync::SyncTrackCount; ++i)
        demo->syncValues[i] = tracks_[size_t(i)].evaluate(time);
}

void Demoface::handleSeekKeys()
{
    // The step is rounded to float before it is added; both keys down seek twice, right last.
    float step = SeekSpeed * demo->frameDelta;
    if (keyState_(Key::Left) && music_ != nullptr)
        music_->seek(demo->time - step);
    if (keyState_(Key::Right) && music_ != nullptr)
        music_->seek(demo->time + step);
}

void Demoface::handleReloadKey()
{
    if (!keyState_(Key::L) || keyTimers_[ReloadKeyTimer] >= 0.0f)
        return;
    keyTimers_[ReloadKeyTimer] = ReloadInterval;
    reload();
}

bool Demoface::reload()
{
    ++reloadAttempts_;
    try {
        Sync::applySyncTrackKeys(tracks_, Sync::readSyncTrackFile(trackFilePath()));
        return true;
    } catch (const Orvane::Exceptions::Exception& e) {
        std::fprintf(stderr, "Sync tracks not reloaded, the previous ones stay: %s\n", e.getMessage().c_str());
        return false;
    }
}

}
