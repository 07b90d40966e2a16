#pragma once

#include "tavrin/audio/DecodedAudio.h"

#include <kiss_fftr.h>

#include <array>
#include <cstdint>
#include <vector>

namespace Tavrin::Audio {

// Magnitudes of a Hann-windowed 256-frame real FFT of the music, scaled by 2 / 256 so that a
// full-scale sine reads about 0.5 in its bin and full-scale DC reads 1 in bin 0.
class SpectrumAnalyzer {
public:
    static constexpr int WindowFrames = 256;
    static constexpr int BinCount = 128;

    SpectrumAnalyzer();
    ~SpectrumAnalyzer();
    SpectrumAnalyzer(const SpectrumAnalyzer&) = delete;
    SpectrumAnalyzer& operator=(const SpectrumAnalyzer&) = delete;

    // Left and right averaged over the 256 frames from startFrame; frames past either end count as
    // silence. Writes bins 0..127 to out.
    void analyze(const DecodedAudio& audio, std::int64_t startFrame, float* out);
    // The same for interleaved stereo floats, as decoders and generators produce them.
    void analyze(const std::vector<float>& interleaved, std::int64_t startFrame, float* out);

private:
    template <class Mono>
    void analyzeWindow(std::int64_t frames, std::int64_t startFrame, Mono mono, float* out);

    kiss_fftr_cfg fft_;
    std::array<float, WindowFrames> window_;
    std::vector<float> input_;
    std::vector<kiss_fft_cpx> bins_;
};

}
