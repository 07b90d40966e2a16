#include "tavrin/audio/DevicePlayback.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

namespace Tavrin::Audio {

namespace {

constexpr size_t FrameBytes = sizeof(std::int16_t) * MusicChannels;

}

std::unique_ptr<DevicePlayback> DevicePlayback::open(int bufferFrames, std::string& error)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<DevicePlayback> playback(new DevicePlayback(0, bufferFrames));
    SDL_AudioSpec wanted{};
    wanted.freq = MusicSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = MusicChannels;
    wanted.samples = Uint16(bufferFrames);
    wanted.callback = &DevicePlayback::callback;
    wanted.userdata = playback.get();
    // No changes allowed: SDL converts to whatever the hardware wants, the callback sees this format.
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    // The audio subsystem stays up when no device opens: quitting it waits for SDL's ALSA
    // device-watching thread, 100 ms of the start-up on a machine without sound.
    if (device == 0) {
        error = SDL_GetError();
        return nullptr;
    }
    playback->device_ = device;
    return playback;
}

DevicePlayback::DevicePlayback(SDL_AudioDeviceID device, int bufferFrames)
    : device_(device)
    , bufferFrames_(bufferFrames)
    , latencyFrames_(bufferFrames)
{}

DevicePlayback::~DevicePlayback()
{
    if (device_ == 0)
        return;
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void DevicePlayback::setSource(const DecodedAudio* audio)
{
    SDL_LockAudioDevice(device_);
    source_ = audio;
    cursor_ = 0;
    SDL_UnlockAudioDevice(device_);
}

void DevicePlayback::play() { SDL_PauseAudioDevice(device_, 0); }

void DevicePlayback::seekFrame(std::int64_t frame)
{
    SDL_LockAudioDevice(device_);
    cursor_ = frame;
    position_.publish({frame, frame, steadyNowNs()});
    SDL_UnlockAudioDevice(device_);
    position_.restartFrom(frame);
}

std::int64_t DevicePlayback::heardFrame() { return position_.heardFrame(steadyNowNs()); }

void DevicePlayback::callback(void* self, Uint8* stream, int length)
{
    auto* playback = static_cast<DevicePlayback*>(self);
    playback->fill(reinterpret_cast<std::int16_t*>(stream), length / std::int64_t(FrameBytes));
}

// On SDL's audio thread with the device lock held: copy, advance, publish, nothing else.
void DevicePlayback::fill(std::int16_t* out, std::int64_t frames)
{
    std::memset(out, 0, size_t(frames) * FrameBytes);
    std::int64_t available = source_ != nullptr ? source_->frameCount() - cursor_ : 0;
    std::int64_t copied = std::clamp<std::int64_t>(available, 0, frames);
    if (copied > 0 && !muted_.load(std::memory_order_relaxed))
        std::memcpy(out, &source_->samples[size_t(cursor_) * MusicChannels], size_t(copied) * FrameBytes);
    cursor_ += copied;
    std::int64_t latency = latencyFrames_.load(std::memory_order_relaxed);
    position_.publish({cursor_ - latency, cursor_, steadyNowNs()});
}

}
