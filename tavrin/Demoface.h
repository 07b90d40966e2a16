#pragma once

#include "orvane/Keyboard.h"
#include "tavrin/Visual.h"
#include "tavrin/sync/SyncTrackFile.h"

#include <array>
#include <functional>
#include <string>

namespace Tavrin {

class Demo;
namespace Audio {
class MusicSeeker;
}

namespace Demoface {

// Owns the 64 sync tracks: evaluates them into the demo's syncValues every frame, seeks the music
// on the arrow keys and re-reads the track file on "L", so timing can be edited while the demo runs.
class Demoface : public Visual {
public:
    using KeyState = std::function<bool(Orvane::Keyboard::Key)>;

    // Reads dataFolder + the demo's trackFileName, now and on every reload; an unreadable or
    // damaged file throws, naming the file.
    Demoface(Demo& demo, std::string dataFolder, KeyState keyState = Orvane::Keyboard::isDown);

    // The seek keys do nothing until a music object is connected (no music configured).
    void setMusic(Audio::MusicSeeker* music) { music_ = music; }

    // Once per frame, after drawing: tick the key timers, evaluate the tracks at demo.time, seek on
    // the arrows, and reload on "L" at most every 0.4 s.
    void update();

    // Writes every track's value at time into the demo's syncValues.
    void evaluateTracks(float time);

    // Re-reads the track file. A bad file is reported on stderr and the tracks in force stay.
    bool reload();

    // Puts keys read elsewhere in force, as a successful reload does.
    void applyKeys(const Sync::SyncTrackKeys& keys) { Sync::applySyncTrackKeys(tracks_, keys); }
    // The same for one track; throws as SyncTrack::setKeys does.
    void applyTrackKeys(int track, std::vector<Sync::SyncKey> keys)
    {
        tracks_.at(size_t(track)).setKeys(std::move(keys));
    }

    const Sync::SyncTracks& tracks() const { return tracks_; }
    // Reloads tried, whether or not the file could be read.
    int reloadAttempts() const { return reloadAttempts_; }
    std::string trackFilePath() const;

private:
    static constexpr int KeyTimerCount = 64;
    static constexpr int ReloadKeyTimer = 'L' - 'A';
    static constexpr float ReloadInterval = 0.4f;
    static constexpr float SeekSpeed = 30.5f;

    void handleSeekKeys();
    void handleReloadKey();

    Sync::SyncTracks tracks_;
    std::string dataFolder_;
    // DirectInput has no counterpart here: keys come from SDL, so no input interface is created.
    KeyState keyState_;
    Audio::MusicSeeker* music_ = nullptr;
    std::array<float, KeyTimerCount> keyTimers_{};
    int reloadAttempts_ = 0;
};

}
}
