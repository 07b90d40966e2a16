#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Tavrin {

// The music is played from memory at one fixed format, so positions are plain frame indices.
constexpr int MusicSampleRate = 44100;
constexpr int MusicChannels = 2;

struct DecodedAudio {
    std::vector<float> samples; // interleaved left, right
    std::int64_t frameCount() const { return std::int64_t(samples.size()) / MusicChannels; }
};

// Decodes a whole file (WAV, FLAC, Ogg Vorbis, Opus, MP3) to stereo at 44,100 Hz: mono is
// duplicated, only the first two of more channels are kept, other rates are resampled once.
// Throws FileNotFoundException for a missing file, UnsupportedFormatException naming the file for
// one that cannot be decoded or holds no audio. A file that breaks off after some audio keeps
// what decoded, with a warning on stderr saying where the music ends.
DecodedAudio decodeAudioFile(const std::string& path);

}
