#include "tavrin/audio/SpectrumAnalyzer.h"

#include "orvane/exceptions/Exception.h"

#include <cmath>
#include <numbers>

namespace Tavrin::Audio {

SpectrumAnalyzer::SpectrumAnalyzer()
    : fft_(kiss_fftr_alloc(WindowFrames, 0, nullptr, nullptr))
    , input_(WindowFrames)
    , bins_(WindowFrames / 2 + 1)
{
    if (fft_ == nullptr)
        throw Orvane::Exceptions::Exception("SpectrumAnalyzer: cannot set up the FFT");
    // Periodic Hann: the window repeats every 256 frames, so bin centres fall on whole cycles.
    for (int n = 0; n < WindowFrames; ++n)
        window_[size_t(n)] = float(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * n / WindowFrames));
}

SpectrumAnalyzer::~SpectrumAnalyzer() { kiss_fftr_free(fft_); }

void SpectrumAnalyzer::analyze(const DecodedAudio& audio, std::int64_t startFrame, float* out)
{
    const std::int16_t* samples = audio.samples.data();
    analyzeWindow(
        audio.frameCount(), startFrame,
        [samples](size_t frame) { return 0.5f * (fromPcm16(samples[frame * 2]) + fromPcm16(samples[frame * 2 + 1])); },
        out);
}

void SpectrumAnalyzer::analyze(const std::vector<float>& interleaved, std::int64_t startFrame, float* out)
{
    const float* samples = interleaved.data();
    analyzeWindow(
        std::int64_t(interleaved.size() / 2), startFrame,
        [samples](size_t frame) { return 0.5f * (samples[frame * 2] + samples[frame * 2 + 1]); }, out);
}

template <class Mono>
void SpectrumAnalyzer::analyzeWindow(std::int64_t frames, std::int64_t startFrame, Mono mono, float* out)
{
    for (int n = 0; n < WindowFrames; ++n) {
        std::int64_t frame = startFrame + n;
        float value = frame >= 0 && frame < frames ? mono(size_t(frame)) : 0.0f;
        input_[size_t(n)] = value * window_[size_t(n)];
    }
    kiss_fftr(fft_, input_.data(), bins_.data());
    for (int k = 0; k < BinCount; ++k)
        out[k] = std::hypot(bins_[size_t(k)].r, bins_[size_t(k)].i) * 2.0f / WindowFrames;
}

}
