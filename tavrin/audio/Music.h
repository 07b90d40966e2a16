#pragma once

#include "tavrin/audio/DecodedAudio.h"
#include "tavrin/audio/MusicPlayback.h"
#include "tavrin/audio/MusicSeeker.h"
#include "tavrin/audio/SpectrumAnalyzer.h"

#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>

namespace Tavrin::Audio {

class DevicePlayback;

struct MusicOptions {
    bool muted = false;  // no output at all: a silent clock drives the demo time
    bool capture = false;  // no device at all; the position is set with setCaptureTime
    int bufferFrames = 1024;  // SDL callback size
    std::optional<int> latencyFrames;  // assumed output latency; unset means one buffer
};

// Byte positions count 176,400 bytes a second (44,100 stereo 16-bit frames), whatever the file.
constexpr std::int64_t MusicBytesPerSecond = 176400;
constexpr std::int64_t MusicBytesPerFrame = 4;

// seconds × 176400, truncated towards zero.
std::int64_t secondsToMusicBytes(float seconds);

// The music and the demo clock: decoded whole at open, played from memory, its heard position is
// the demo time. Audio failures are shown in "BASS" message boxes and never end the demo.
class Music : public MusicSeeker {
public:
    // Opens the output (a device; without one, a silent clock; in capture mode, neither).
    explicit Music(const MusicOptions& options = {});
    ~Music() override;
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    // Output, stream and playFrom(0), each failure reported in its box. decoding, when valid, is
    // path already being decoded (decodeAudioFileAsync), so the wait is all that is left.
    static std::unique_ptr<Music> start(const std::string& path, const MusicOptions& options = {},
                                        std::future<DecodedAudio> decoding = {});

    // Decodes the whole file; false (after its box) when it cannot be read. Once per Music.
    bool open(const std::string& path);
    // The same, for a decoding that runs elsewhere: waits for it, and its failure gets the same box.
    bool open(std::future<DecodedAudio> decoding);
    // Plays (a box when there is no stream), then seeks.
    void playFrom(float seconds);

    // Clamped to the stream: before 0 goes to 0, past the end to the end. No stream: nothing.
    void seek(float seconds) override;
    void seekBytes(std::int64_t bytes);
    std::int64_t positionBytes();
    float position();

    // Capture mode: the position is exactly this time.
    void setCaptureTime(float seconds);

    // 128 magnitudes at the position being heard; zeros without a stream.
    void readSpectrum(float* bins);
    // The same at a time of the decoded music, wherever the playback is, as a capture reads them.
    void readSpectrumAt(float seconds, float* bins);

    bool hasStream() const { return stream_.has_value(); }
    // The decoded music, null without a stream.
    const DecodedAudio* decoded() const { return stream_ ? &*stream_ : nullptr; }
    bool hasOutputDevice() const { return device_ != nullptr; }
    float lengthSeconds() const;
    void setMuted(bool muted);
    void setLatencyFrames(int frames);

private:
    std::unique_ptr<MusicPlayback> openOutput(const MusicOptions& options);

    std::optional<DecodedAudio> stream_;
    DevicePlayback* device_ = nullptr;
    std::unique_ptr<MusicPlayback> playback_;
    SpectrumAnalyzer spectrum_;
};

}
