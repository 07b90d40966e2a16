#include "synth/Dsp.h"
#include "synth/Renderer.h"
#include "synth/Tempo.h"
#include "synth/Voice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace Nightglass::Synth;

namespace {

// First frame above -80 dBFS (the DC blocker leaves a faint decaying residue after a sound).
int64_t firstSound(const std::vector<float>& interleaved) {
    for (size_t i = 0; i < interleaved.size(); ++i)
        if (std::fabs(interleaved[i]) > 1e-4f)
            return int64_t(i / 2);
    return -1;
}

// Magnitude of one frequency in a mono signal (a single DFT bin).
double magnitudeAt(const std::vector<float>& mono, double hertz) {
    double re = 0.0, im = 0.0;
    for (size_t i = 0; i < mono.size(); ++i) {
        double phase = 2.0 * Pi * hertz * double(i) / SampleRate;
        re += mono[i] * std::cos(phase);
        im += mono[i] * std::sin(phase);
    }
    return std::hypot(re, im) / double(mono.size());
}

std::vector<float> renderVoice(const Note& note, double seconds, double skipSeconds) {
    auto voice = makeVoice(note, seconds, 1234);
    std::vector<float> left(size_t(seconds * SampleRate)), right(left.size());
    voice->render(left.data(), right.data(), int(left.size()));
    std::vector<float> mono;
    for (size_t i = size_t(skipSeconds * SampleRate); i < left.size(); ++i)
        mono.push_back(0.5f * (left[i] + right[i]));
    return mono;
}

}

TEST(SynthRenderer, NotesStartOnTheFrameOfTheirRow) {
    std::vector<Note> score{{Instrument::Kick, 8.0, 1.0, 0.0, 1.0f}, {Instrument::Kick, 40.0, 1.0, 0.0, 1.0f}};
    Renderer renderer(score);
    std::vector<float> samples(2 * size_t(rowToFrame(48)));
    renderer.render(samples.data(), rowToFrame(48));
    EXPECT_EQ(firstSound(samples), rowToFrame(8)) << "the master's look-ahead must not delay the music";

    // Starting late, from silence between the kicks, finds the second one on its frame too.
    std::vector<float> late = renderRange(score, rowToSeconds(30), rowToSeconds(48));
    EXPECT_EQ(firstSound(late), rowToFrame(40) - secondsToFrame(rowToSeconds(30)));
}

TEST(SynthRenderer, SameScoreRendersTheSameSamplesInAnyBlockSizes) {
    std::vector<Note> score{{Instrument::Pad, 0.0, 16.0, 57.0, 1.0f, 0.5f},
                            {Instrument::Lead, 4.0, 6.0, 69.0, 1.0f, 0.6f, 64.0},
                            {Instrument::Snare, 12.0, 1.0}};
    int64_t frames = rowToFrame(24);
    Renderer whole(score), pieces(score);
    std::vector<float> a(2 * size_t(frames)), b(a.size());
    whole.render(a.data(), frames);
    for (int64_t done = 0, step = 1; done < frames; done += step, step = step * 3 % 1000 + 1)
        pieces.render(b.data() + 2 * done, std::min(step, frames - done));
    EXPECT_EQ(a, b);
}

TEST(SynthVoices, PitchedVoicesSoundAtTheirNote) {
    for (Instrument instrument : {Instrument::Bass, Instrument::Pad, Instrument::Lead, Instrument::Pluck}) {
        std::vector<float> mono = renderVoice({instrument, 0.0, 8.0, 57.0, 1.0f, 0.7f}, 0.6, 0.1);  // A3, 220 Hz
        double atNote = magnitudeAt(mono, 220.0);
        EXPECT_GT(atNote, 3.0 * magnitudeAt(mono, 207.65)) << int(instrument);
        EXPECT_GT(atNote, 3.0 * magnitudeAt(mono, 233.08)) << int(instrument);
    }
}

TEST(SynthVoices, LeadGlidesFromThePreviousNote) {
    // E4 (329.6 Hz) to A4 (440 Hz); the lead's sub-octave square sits at 220 Hz, out of the way.
    Note note{Instrument::Lead, 0.0, 8.0, 69.0, 1.0f, 0.5f, 64.0};
    std::vector<float> start = renderVoice(note, 0.02, 0.0);
    std::vector<float> settled = renderVoice(note, 0.25, 0.15);
    EXPECT_GT(magnitudeAt(start, 329.63), magnitudeAt(start, 440.0)) << "starts at the old pitch";
    EXPECT_GT(magnitudeAt(settled, 440.0), 3.0 * magnitudeAt(settled, 329.63)) << "arrives at the new one";
}
