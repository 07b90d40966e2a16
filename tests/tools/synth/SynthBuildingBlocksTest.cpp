#include "synth/Dsp.h"
#include "synth/Envelope.h"
#include "synth/Filter.h"
#include "synth/MasterBus.h"
#include "synth/Oscillator.h"
#include "synth/Pattern.h"
#include "synth/StereoDelay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

using namespace Nightglass::Synth;

namespace {

// RMS of a sine at `hertz` after the filter has settled.
double filteredSineLevel(Filter::Mode mode, double cutoff, double hertz)
{
    Filter filter(mode, cutoff);
    Oscillator sine(Waveform::Sine);
    sine.setFrequency(hertz);
    double sum = 0.0;
    for (int i = 0; i < SampleRate; ++i) {
        float out = filter.process(sine.next());
        if (i >= SampleRate / 2)
            sum += out * out;
    }
    return std::sqrt(sum / (SampleRate / 2)) * std::sqrt(2.0);
}

int secondsToFrames(double seconds) { return int(std::lround(seconds * SampleRate)); }

}

TEST(SynthEnvelope, RunsThroughAttackDecaySustainAndRelease)
{
    Envelope envelope(0.01, 0.1, 0.5, 0.2);
    float level = 0.0f;
    for (int i = 0; i < secondsToFrames(0.005); ++i)
        level = envelope.next();
    EXPECT_EQ(envelope.stage(), Envelope::Stage::Attack);
    EXPECT_NEAR(level, 0.5f, 0.01f);
    for (int i = 0; i < secondsToFrames(0.0051); ++i)
        level = envelope.next();
    EXPECT_EQ(envelope.stage(), Envelope::Stage::Decay);
    EXPECT_NEAR(level, 1.0f, 0.01f);

    for (int i = 0; i < secondsToFrames(0.1); ++i)
        level = envelope.next();
    EXPECT_NEAR(level, 0.5f + 0.5f * 0.01f, 0.002f) << "decay covers 99 % in its time";
    for (int i = 0; i < secondsToFrames(0.5); ++i)
        level = envelope.next();
    EXPECT_EQ(envelope.stage(), Envelope::Stage::Sustain);
    EXPECT_FLOAT_EQ(level, 0.5f);

    envelope.release();
    for (int i = 0; i < secondsToFrames(0.2); ++i)
        level = envelope.next();
    EXPECT_NEAR(level, 0.005f, 0.001f);
    for (int i = 0; i < secondsToFrames(0.5); ++i)
        level = envelope.next();
    EXPECT_EQ(envelope.stage(), Envelope::Stage::Done);
    EXPECT_EQ(level, 0.0f);
}

TEST(SynthEnvelope, PercussiveShapeEndsWithoutRelease)
{
    Envelope envelope(0.0, 0.05, 0.0, 0.1);
    EXPECT_FLOAT_EQ(envelope.next(), 1.0f);
    for (int i = 0; i < secondsToFrames(0.2); ++i)
        envelope.next();
    EXPECT_EQ(envelope.stage(), Envelope::Stage::Done);
}

TEST(SynthFilter, LowPassPassesBelowAndAttenuatesAboveTheCutoff)
{
    EXPECT_NEAR(filteredSineLevel(Filter::Mode::LowPass, 1000.0, 100.0), 1.0, 0.02);
    EXPECT_NEAR(filteredSineLevel(Filter::Mode::LowPass, 1000.0, 1000.0), 0.7071, 0.03) << "-3 dB at the cutoff";
    EXPECT_LT(filteredSineLevel(Filter::Mode::LowPass, 1000.0, 8000.0), 0.02) << "12 dB per octave: about -36 dB";
}

TEST(SynthFilter, HighPassAndBandPassKeepTheirBands)
{
    EXPECT_LT(filteredSineLevel(Filter::Mode::HighPass, 4000.0, 250.0), 0.01);
    EXPECT_NEAR(filteredSineLevel(Filter::Mode::HighPass, 4000.0, 16000.0), 1.0, 0.1);
    double centre = filteredSineLevel(Filter::Mode::BandPass, 2000.0, 2000.0);
    EXPECT_GT(centre, 4.0 * filteredSineLevel(Filter::Mode::BandPass, 2000.0, 200.0));
    EXPECT_GT(centre, 4.0 * filteredSineLevel(Filter::Mode::BandPass, 2000.0, 16000.0));
}

TEST(SynthOscillator, SawHasItsPitchFullRangeAndNoOffset)
{
    Oscillator saw(Waveform::Saw);
    saw.setFrequency(441.0);
    int upwardCrossings = 0;
    float previous = saw.next(), lowest = previous, highest = previous;
    double sum = previous;
    for (int i = 1; i < SampleRate; ++i) {
        float value = saw.next();
        upwardCrossings += previous < 0.0f && value >= 0.0f;
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
        sum += value;
        previous = value;
    }
    EXPECT_NEAR(upwardCrossings, 441, 1);
    EXPECT_LT(lowest, -0.9f);
    EXPECT_GT(highest, 0.9f);
    EXPECT_LT(highest, 1.2f) << "polyBLEP overshoot stays small";
    EXPECT_NEAR(sum / SampleRate, 0.0, 0.01);
}

TEST(SynthStereoDelay, EchoesAfterItsDelayAndAlternatesSides)
{
    constexpr int Delay = 1000;
    StereoDelay delay(Delay, 0.5, 20000.0);
    std::vector<float> left, right;
    for (int i = 0; i < 3 * Delay + 10; ++i) {
        float outLeft, outRight;
        delay.process(i == 0 ? 1.0f : 0.0f, i == 0 ? 1.0f : 0.0f, outLeft, outRight);
        left.push_back(outLeft);
        right.push_back(outRight);
    }
    auto loudest = [](const std::vector<float>& side, int from, int to) {
        int at = from;
        for (int i = from; i < to; ++i)
            if (std::fabs(side[i]) > std::fabs(side[at]))
                at = i;
        return at;
    };
    EXPECT_EQ(left[Delay - 1], 0.0f);
    EXPECT_EQ(loudest(left, 0, Delay + 5), Delay);
    EXPECT_NEAR(left[Delay], 1.0f, 0.01f);
    EXPECT_NEAR(right[Delay], 0.0f, 1e-6f);
    EXPECT_NEAR(loudest(right, Delay + 5, 2 * Delay + 5), 2 * Delay, 2);
    EXPECT_NEAR(std::fabs(right[size_t(loudest(right, Delay + 5, 2 * Delay + 5))]), 0.5f, 0.05f);
    EXPECT_NEAR(loudest(left, 2 * Delay - 5, 3 * Delay + 5), 3 * Delay, 2);
}

TEST(SynthMasterBus, NeverExceedsItsCeilingAndLeavesQuietSignalsAlone)
{
    MasterBus master(-1.0, 0.0);
    Oscillator sine(Waveform::Sine);
    sine.setFrequency(60.0);
    float ceiling = decibelsToGain(-1.0), loudest = 0.0f;
    for (int i = 0; i < SampleRate; ++i) {
        float burst = (i / 4410) % 2 ? 4.0f : 0.5f;
        float left = sine.next() * burst, right = -left;
        master.process(left, right);
        loudest = std::max({loudest, std::fabs(left), std::fabs(right)});
    }
    EXPECT_LE(loudest, ceiling);
    EXPECT_GT(loudest, 0.9f * ceiling);

    MasterBus quiet(-1.0, 0.0);
    std::vector<float> out;
    for (int i = 0; i < 2000; ++i) {
        float left = i == 100 ? 0.05f : 0.0f, right = left;
        quiet.process(left, right);
        out.push_back(left);
    }
    EXPECT_NEAR(out[100 + MasterBus::Latency], 0.05f, 0.001f) << "delayed by exactly the look-ahead";
}

TEST(SynthPattern, ParsesNotesHoldsRestsAndBars)
{
    Pattern pattern = parseMelody("A4 . . C#5 | - Bb3 . -");
    EXPECT_EQ(pattern.rows, 8);
    ASSERT_EQ(pattern.notes.size(), 3u);
    EXPECT_EQ(pattern.notes[0].row, 0);
    EXPECT_EQ(pattern.notes[0].length, 3);
    EXPECT_EQ(pattern.notes[0].pitch, 69.0);
    EXPECT_EQ(pattern.notes[1].row, 3);
    EXPECT_EQ(pattern.notes[1].length, 1);
    EXPECT_EQ(pattern.notes[1].pitch, 73.0);
    EXPECT_EQ(pattern.notes[2].row, 5);
    EXPECT_EQ(pattern.notes[2].length, 2);
    EXPECT_EQ(pattern.notes[2].pitch, 58.0);

    std::vector<Hit> hits = parseHits("x.o.|..x.");
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[1].row, 2);
    EXPECT_LT(hits[1].velocity, hits[0].velocity);
    EXPECT_EQ(hits[2].row, 6);
}

TEST(SynthPattern, RejectsMalformedTokens)
{
    for (const char* line : {"H4", "A", "A#", "C10", "A4x", "|A4"})
        EXPECT_THROW(parseMelody(line), std::invalid_argument) << line;
    EXPECT_THROW(parseHits("x.y."), std::invalid_argument);
}
