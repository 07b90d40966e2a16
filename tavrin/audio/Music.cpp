#include "tavrin/audio/Music.h"

#include "orvane/MessageBox.h"
#include "orvane/exceptions/Exception.h"
#include "tavrin/audio/DevicePlayback.h"
#include "tavrin/audio/SilentPlayback.h"
#include "tavrin/capture/CapturePlayback.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Tavrin::Audio {

namespace {

constexpr const char* BoxCaption = "BASS";

}

std::int64_t secondsToMusicBytes(float seconds)
{
    return static_cast<std::int64_t>(std::trunc(double(seconds) * double(MusicBytesPerSecond)));
}

Music::Music(const MusicOptions& options)
    : playback_(openOutput(options))
{}

Music::~Music() = default;

std::unique_ptr<MusicPlayback> Music::openOutput(const MusicOptions& options)
{
    if (options.capture)
        return std::make_unique<Capture::CapturePlayback>();
    // Silence needs no sound card: a muted run keeps time on the clock alone.
    if (options.muted)
        return std::make_unique<SilentPlayback>();
    std::string error;
    std::unique_ptr<DevicePlayback> device = DevicePlayback::open(options.bufferFrames, error);
    if (!device) {
        std::fprintf(stderr, "No audio output (%s); the music keeps time silently.\n", error.c_str());
        Orvane::MessageBox::show(BoxCaption, "BASS error");
        return std::make_unique<SilentPlayback>();
    }
    device->setMuted(options.muted);
    if (options.latencyFrames)
        device->setLatencyFrames(*options.latencyFrames);
    device_ = device.get();
    return device;
}

std::unique_ptr<Music> Music::start(const std::string& path, const MusicOptions& options,
                                    std::future<DecodedAudio> decoding)
{
    auto music = std::make_unique<Music>(options);
    if (decoding.valid())
        music->open(std::move(decoding));
    else
        music->open(path);
    music->playFrom(0.0f);
    return music;
}

bool Music::open(const std::string& path) { return open(std::async(std::launch::deferred, decodeAudioFile, path)); }

bool Music::open(std::future<DecodedAudio> decoding)
{
    // The device may be reading the current samples; replacing them would pull them from under it.
    if (stream_)
        throw Orvane::Exceptions::Exception("Music::open(): a stream is already open");
    try {
        stream_ = decoding.get();
    } catch (const Orvane::Exceptions::Exception& e) {
        std::fprintf(stderr, "%s\n", e.getMessage().c_str());
        Orvane::MessageBox::show(BoxCaption, "BASS error, file not found?");
        return false;
    }
    playback_->setSource(&*stream_);
    return true;
}

void Music::playFrom(float seconds)
{
    if (!stream_) {
        Orvane::MessageBox::show(BoxCaption, "BASS error, can not play stream?");
        return;
    }
    playback_->play();
    seek(seconds);
}

void Music::seek(float seconds) { seekBytes(secondsToMusicBytes(seconds)); }

void Music::seekBytes(std::int64_t bytes)
{
    if (!stream_)
        return;
    std::int64_t frame
        = std::clamp<std::int64_t>(bytes, 0, stream_->frameCount() * MusicBytesPerFrame) / MusicBytesPerFrame;
    playback_->seekFrame(frame);
}

std::int64_t Music::positionBytes() { return stream_ ? playback_->heardFrame() * MusicBytesPerFrame : 0; }

float Music::position() { return float(double(positionBytes()) / double(MusicBytesPerSecond)); }

void Music::setCaptureTime(float seconds) { seek(seconds); }

void Music::readSpectrum(float* bins)
{
    if (!stream_) {
        std::fill(bins, bins + SpectrumAnalyzer::BinCount, 0.0f);
        return;
    }
    spectrum_.analyze(*stream_, playback_->heardFrame(), bins);
}

void Music::readSpectrumAt(float seconds, float* bins)
{
    if (!stream_) {
        std::fill(bins, bins + SpectrumAnalyzer::BinCount, 0.0f);
        return;
    }
    std::int64_t bytes
        = std::clamp<std::int64_t>(secondsToMusicBytes(seconds), 0, stream_->frameCount() * MusicBytesPerFrame);
    spectrum_.analyze(*stream_, bytes / MusicBytesPerFrame, bins);
}

float Music::lengthSeconds() const { return stream_ ? float(double(stream_->frameCount()) / MusicSampleRate) : 0.0f; }

void Music::setMuted(bool muted)
{
    if (device_ != nullptr)
        device_->setMuted(muted);
}

void Music::setLatencyFrames(int frames)
{
    if (device_ != nullptr)
        device_->setLatencyFrames(frames);
}

}
