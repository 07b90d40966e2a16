#include "tavrin/audio/SpectrumAnalyzer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using Tavrin::Audio::DecodedAudio;
using Tavrin::Audio::SpectrumAnalyzer;

namespace {

// Left and right differ but average to a half-scale sine completing `cycles` periods per 256 frames.
DecodedAudio sine(double cycles, std::int64_t frames)
{
    DecodedAudio audio;
    for (std::int64_t n = 0; n < frames; ++n) {
        float v = 0.5f * float(std::sin(2.0 * std::numbers::pi * cycles * double(n) / 256.0));
        const float frame[2] = {v + 0.25f, v - 0.25f};
        audio.appendStereo(frame, 1);
    }
    return audio;
}

}

TEST(SpectrumAnalyzer, HalfScaleSineReadsAQuarterInItsBinAndAnEighthBeside)
{
    DecodedAudio audio = sine(10, 4096);
    SpectrumAnalyzer analyzer;
    float bins[128];
    analyzer.analyze(audio, 300, bins);
    EXPECT_NEAR(bins[10], 0.25f, 0.01f);
    EXPECT_NEAR(bins[9], 0.125f, 0.01f);
    EXPECT_NEAR(bins[11], 0.125f, 0.01f);
    EXPECT_NEAR(bins[0], 0.0f, 0.01f);
    for (int k = 13; k < 128; ++k)
        EXPECT_LT(bins[k], 0.01f) << "bin " << k;
}

TEST(SpectrumAnalyzer, FullScaleDcReadsOneInBinZeroAndSilenceOutsideTheMusic)
{
    DecodedAudio audio;
    std::vector<float> fullScale(2 * 1000, 1.0f);
    audio.appendStereo(fullScale.data(), 1000);
    SpectrumAnalyzer analyzer;
    float bins[128];
    analyzer.analyze(audio, 0, bins);
    EXPECT_NEAR(bins[0], 1.0f, 1e-4f);
    EXPECT_NEAR(bins[1], 0.5f, 1e-4f);
    EXPECT_NEAR(bins[2], 0.0f, 1e-4f);

    analyzer.analyze(audio, 1000, bins);
    for (float bin : bins)
        EXPECT_EQ(bin, 0.0f);
    analyzer.analyze(audio, -256, bins);
    EXPECT_EQ(bins[0], 0.0f);
}
