#include "AudioAnalysis.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace ToolsTests {

Audio readAudio(const std::string& path, std::string& error)
{
    Audio audio;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = path + ": " + sf_strerror(nullptr);
        return audio;
    }
    audio.sampleRate = info.samplerate;
    audio.channels = info.channels;
    std::vector<float> chunk(size_t(4096) * info.channels);
    sf_count_t read;
    while ((read = sf_readf_float(file, chunk.data(), 4096)) > 0)
        audio.samples.insert(audio.samples.end(), chunk.begin(), chunk.begin() + read * info.channels);
    sf_close(file);
    return audio;
}

std::vector<float> monoMix(const std::vector<float>& interleaved)
{
    std::vector<float> mono(interleaved.size() / 2);
    for (size_t i = 0; i < mono.size(); ++i)
        mono[i] = 0.5f * (interleaved[2 * i] + interleaved[2 * i + 1]);
    return mono;
}

std::vector<float> lowBand(const std::vector<float>& mono, double cutoffHertz, int sampleRate)
{
    double a = 1.0 - std::exp(-2.0 * 3.14159265358979 * cutoffHertz / sampleRate);
    double first = 0.0, second = 0.0;
    std::vector<float> low(mono.size());
    for (size_t i = 0; i < mono.size(); ++i) {
        first += a * (mono[i] - first);
        second += a * (first - second);
        low[i] = float(second);
    }
    return low;
}

double energy(const std::vector<float>& mono, int64_t from, int64_t length)
{
    int64_t begin = std::clamp<int64_t>(from, 0, int64_t(mono.size()));
    int64_t end = std::clamp<int64_t>(from + length, 0, int64_t(mono.size()));
    double sum = 0.0;
    for (int64_t i = begin; i < end; ++i)
        sum += double(mono[size_t(i)]) * mono[size_t(i)];
    return end > begin ? sum / double(end - begin) : 0.0;
}

double toDecibels(double meanSquare) { return 10.0 * std::log10(std::max(meanSquare, 1e-20)); }

}
