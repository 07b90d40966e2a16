#include "synth/Renderer.h"
#include "synth/Tempo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace Nightglass::Synth;

namespace {

// First frame above -80 dBFS (the DC blocker leaves a faint decaying residue after a sound).
int64_t firstSound(const std::vector<float>& interleaved)
{
    for (size_t i = 0; i < interleaved.size(); ++i)
        if (std::fabs(interleaved[i]) > 1e-4f)
            return int64_t(i / 2);
    return -1;
}

}

TEST(SynthRenderer, NotesStartOnTheFrameOfTheirRow)
{
    std::vector<Note> score{{Instrument::Kick, 8.0, 1.0, 0.0, 1.0f}, {Instrument::Kick, 40.0, 1.0, 0.0, 1.0f}};
    Renderer renderer(score);
    std::vector<float> samples(2 * size_t(rowToFrame(48)));
    renderer.render(samples.data(), rowToFrame(48));
    EXPECT_EQ(firstSound(samples), rowToFrame(8)) << "the master's look-ahead must not delay the music";

    // Starting late, from silence between the kicks, finds the second one on its frame too.
    std::vector<float> late = renderRange(score, rowToSeconds(30), rowToSeconds(48));
    EXPECT_EQ(firstSound(late), rowToFrame(40) - secondsToFrame(rowToSeconds(30)));
}

TEST(SynthRenderer, SameScoreRendersTheSameSamplesInAnyBlockSizes)
{
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
