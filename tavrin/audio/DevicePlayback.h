#pragma once

#include "tavrin/audio/HeardPosition.h"
#include "tavrin/audio/MusicPlayback.h"

#include <SDL2/SDL_audio.h>

#include <atomic>
#include <memory>
#include <string>

namespace Tavrin::Audio {

// Plays the decoded music through an SDL2 audio device. The callback only copies samples and
// publishes how far it got and when; the main thread derives the frame being heard from that,
// assuming the output lags one buffer behind the callback unless told otherwise.
class DevicePlayback : public MusicPlayback {
public:
    // Null when no output device can be opened; why goes to error.
    static std::unique_ptr<DevicePlayback> open(int bufferFrames, std::string& error);
    ~DevicePlayback() override;
    DevicePlayback(const DevicePlayback&) = delete;
    DevicePlayback& operator=(const DevicePlayback&) = delete;

    void setSource(const DecodedAudio* audio) override;
    void play() override;
    void seekFrame(std::int64_t frame) override;
    std::int64_t heardFrame() override;

    // Muted output is silence, but the position still advances.
    void setMuted(bool muted) { muted_.store(muted, std::memory_order_relaxed); }
    void setLatencyFrames(int frames) { latencyFrames_.store(frames, std::memory_order_relaxed); }
    int bufferFrames() const { return bufferFrames_; }

    // The callback's work: the next frames (silence when muted or past the end), then publish.
    // Only the audio thread calls it while playing; it is public so tests can drive a paused device.
    void fill(std::int16_t* out, std::int64_t frames);

private:
    DevicePlayback(SDL_AudioDeviceID device, int bufferFrames);
    static void callback(void* self, Uint8* stream, int length);

    SDL_AudioDeviceID device_;
    int bufferFrames_;
    std::atomic<int> latencyFrames_;
    std::atomic<bool> muted_{false};
    // Touched by the callback, and by the main thread only under SDL_LockAudioDevice.
    const DecodedAudio* source_ = nullptr;
    std::int64_t cursor_ = 0;
    HeardPosition position_;
};

}
