#include "synth/Dsp.h"
#include "synth/Reverb.h"
#include "synth/Voice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace Nightglass::Synth;

namespace {

// Magnitude of one frequency in a mono signal (a single DFT bin).
double magnitudeAt(const std::vector<float>& mono, double hertz)
{
    double re = 0.0, im = 0.0;
    for (size_t i = 0; i < mono.size(); ++i) {
        double phase = 2.0 * Pi * hertz * double(i) / SampleRate;
        re += mono[i] * std::cos(phase);
        im += mono[i] * std::sin(phase);
    }
    return std::hypot(re, im) / double(mono.size());
}

int secondsToFrames(double seconds) { return int(std::lround(seconds * SampleRate)); }

std::vector<float> renderVoice(const Note& note, double seconds, double skipSeconds)
{
    auto voice = makeVoice(note, seconds, 1234);
    std::vector<float> left(size_t(seconds * SampleRate)), right(left.size());
    voice->render(left.data(), right.data(), int(left.size()));
    std::vector<float> mono;
    for (size_t i = size_t(skipSeconds * SampleRate); i < left.size(); ++i)
        mono.push_back(0.5f * (left[i] + right[i]));
    return mono;
}

}

TEST(SynthVoices, PitchedVoicesSoundAtTheirNote)
{
    for (Instrument instrument : {Instrument::Bass, Instrument::Pad, Instrument::Lead, Instrument::Pluck}) {
        std::vector<float> mono = renderVoice({instrument, 0.0, 8.0, 57.0, 1.0f, 0.7f}, 0.6, 0.1);  // A3, 220 Hz
        double atNote = magnitudeAt(mono, 220.0);
        EXPECT_GT(atNote, 3.0 * magnitudeAt(mono, 207.65)) << int(instrument);
        EXPECT_GT(atNote, 3.0 * magnitudeAt(mono, 233.08)) << int(instrument);
    }
}

TEST(SynthVoices, LeadGlidesFromThePreviousNote)
{
    // E4 (329.6 Hz) to A4 (440 Hz); the lead's sub-octave square sits at 220 Hz, out of the way.
    Note note{Instrument::Lead, 0.0, 8.0, 69.0, 1.0f, 0.5f, 64.0};
    std::vector<float> start = renderVoice(note, 0.02, 0.0);
    std::vector<float> settled = renderVoice(note, 0.25, 0.15);
    EXPECT_GT(magnitudeAt(start, 329.63), magnitudeAt(start, 440.0)) << "starts at the old pitch";
    EXPECT_GT(magnitudeAt(settled, 440.0), 3.0 * magnitudeAt(settled, 329.63)) << "arrives at the new one";
}

TEST(SynthVoices, EveryInstrumentFallsSilentSoonAfterItsNote)
{
    for (int i = 0; i <= int(Instrument::Pluck); ++i) {
        auto voice = makeVoice({Instrument(i), 0.0, 8.0, 57.0, 1.0f, 0.5f}, 1.0, 99);
        std::vector<float> left(256), right(256);
        int frames = 0;
        while (voice->render(left.data(), right.data(), 256) && frames < 10 * SampleRate)
            frames += 256;
        EXPECT_LT(frames, 6 * SampleRate) << "instrument " << i << " keeps sounding";
    }
}

TEST(SynthReverb, TailDecaysAndSpreadsAcrossTheSides)
{
    Reverb reverb(0.8, 0.5);
    std::vector<float> left, right;
    for (int i = 0; i < 6 * SampleRate; ++i) {
        float outLeft, outRight;
        reverb.process(i == 0 ? 1.0f : 0.0f, i == 0 ? 1.0f : 0.0f, outLeft, outRight);
        left.push_back(outLeft);
        right.push_back(outRight);
    }
    auto power = [&](double from) {
        double sum = 0.0;
        for (int i = secondsToFrames(from); i < secondsToFrames(from + 0.5); ++i)
            sum += left[size_t(i)] * left[size_t(i)] + right[size_t(i)] * right[size_t(i)];
        return sum;
    };
    EXPECT_GT(power(0.0), 0.0);
    EXPECT_GT(power(0.0), 10.0 * power(2.0));
    EXPECT_GT(power(2.0), 10.0 * power(5.0)) << "the tail keeps falling, it does not ring on";
    double difference = 0.0;
    for (size_t i = 0; i < left.size() / 6; ++i)
        difference += std::fabs(left[i] - right[i]);
    EXPECT_GT(difference, 1e-3) << "both sides identical: no width";
}
