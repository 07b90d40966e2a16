#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ToolsTests {

struct Audio {
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> samples;  // interleaved
    int64_t frames() const { return channels ? int64_t(samples.size()) / channels : 0; }
};

// Decodes a whole file with libsndfile; an unreadable file is a test failure (via the message).
Audio readAudio(const std::string& path, std::string& error);

// Mono mix of interleaved stereo.
std::vector<float> monoMix(const std::vector<float>& interleaved);

// Second-order low-pass (two cascaded one-poles), independent of the synthesiser's filters.
std::vector<float> lowBand(const std::vector<float>& mono, double cutoffHertz, int sampleRate);

// Mean square of mono[from, from + length).
double energy(const std::vector<float>& mono, int64_t from, int64_t length);

double toDecibels(double meanSquare);

}
