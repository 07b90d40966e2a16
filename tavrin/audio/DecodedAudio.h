#pragma once

#include <cstddef>
#include <cstdint>
#include <future>
#include <string>
#include <vector>

namespace Tavrin::Audio {

// The music is played from memory at one fixed format, so positions are plain frame indices.
constexpr int MusicSampleRate = 44100;
constexpr int MusicChannels = 2;
// Full scale of a 16-bit sample: what the sound card plays, at half the memory of floats.
constexpr float Pcm16FullScale = 32768.0f;

std::int16_t toPcm16(float sample);
inline float fromPcm16(std::int16_t sample) { return float(sample) / Pcm16FullScale; }

struct DecodedAudio {
    std::vector<std::int16_t> samples;  // interleaved left, right
    std::int64_t frameCount() const { return std::int64_t(samples.size()) / MusicChannels; }

    // Appends interleaved stereo floats as 16 bits. Space runs out only when the reserved length
    // was too short (or unknown); it then grows by half, so appending stays linear.
    void appendStereo(const float* interleaved, std::int64_t frames);
};

// Decodes a whole file (WAV, FLAC, Ogg Vorbis, Opus, MP3) to stereo at 44,100 Hz: mono is
// duplicated, only the first two of more channels are kept, other rates are resampled once.
// Throws FileNotFoundException for a missing file, UnsupportedFormatException naming the file for
// one that cannot be decoded or holds no audio. A file that breaks off after some audio keeps
// what decoded, with a warning on stderr saying where the music ends.
DecodedAudio decodeAudioFile(const std::string& path);

// The same for a whole file's bytes in memory; name stands for them in messages.
DecodedAudio decodeAudioMemory(const void* data, std::size_t size, const std::string& name);

// decodeAudioFile on a thread of its own; the future hands over the audio or the exception.
std::future<DecodedAudio> decodeAudioFileAsync(const std::string& path);

}
