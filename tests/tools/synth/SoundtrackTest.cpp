#include "AudioAnalysis.h"

#include "synth/Renderer.h"
#include "synth/Score.h"
#include "synth/Tempo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Nightglass::Synth;
using namespace ToolsTests;

namespace {

const std::string SoundtrackPath = std::string(NIGHTGLASS_SOURCE_DIR) + "/data/music/nightglass.ogg";
constexpr double WindowSeconds = 0.06;

// The build renders the soundtrack before this program; a missing file is a failure, not a skip.
Audio soundtrack()
{
    std::string error;
    Audio audio = readAudio(SoundtrackPath, error);
    EXPECT_TRUE(error.empty()) << error;
    return audio;
}

int64_t windowFrames() { return secondsToFrame(WindowSeconds); }

// Low-band energy just after each beat against just after the off-beat eighth that follows.
struct BeatContrast {
    double weakestBeatOverLoudestOffBeat;
    double medianRatio;
};

BeatContrast beatContrast(const std::vector<float>& low, int firstRow, int lastRow, int64_t firstFrame)
{
    std::vector<double> ratios;
    double weakestBeat = 1e30, loudestOffBeat = 0.0;
    for (int row = firstRow; row < lastRow; row += RowsPerBeat) {
        double onBeat = energy(low, rowToFrame(row) - firstFrame, windowFrames());
        double offBeat = energy(low, rowToFrame(row + 2) - firstFrame, windowFrames());
        weakestBeat = std::min(weakestBeat, onBeat);
        loudestOffBeat = std::max(loudestOffBeat, offBeat);
        ratios.push_back(onBeat / std::max(offBeat, 1e-12));
    }
    std::sort(ratios.begin(), ratios.end());
    return {weakestBeat / std::max(loudestOffBeat, 1e-12), ratios[ratios.size() / 2]};
}

}

TEST(Soundtrack, FileIsStereo44kAtLeast222SecondsAndPeaksBelowFullScale)
{
    Audio audio = soundtrack();
    ASSERT_FALSE(audio.samples.empty()) << SoundtrackPath;
    EXPECT_EQ(audio.sampleRate, 44100);
    EXPECT_EQ(audio.channels, 2);
    double seconds = double(audio.frames()) / audio.sampleRate;
    EXPECT_GE(seconds, 222.0);
    EXPECT_LE(seconds, 230.0);

    float peak = 0.0f;
    double sum = 0.0;
    for (float sample : audio.samples) {
        peak = std::max(peak, std::fabs(sample));
        sum += sample;
    }
    EXPECT_LE(peak, decibelsToGain(-1.0)) << "peak " << 20.0 * std::log10(peak) << " dBFS";
    EXPECT_GT(peak, decibelsToGain(-3.0)) << "the master is far too quiet";
    EXPECT_LT(std::fabs(sum / double(audio.samples.size())), 1e-3) << "DC offset";
}

TEST(Soundtrack, FileKeepsPlayingUntilTheEndAndThenFades)
{
    Audio audio = soundtrack();
    ASSERT_FALSE(audio.samples.empty()) << SoundtrackPath;
    std::vector<float> mono = monoMix(audio.samples);
    for (int row = 0; row < EndRow; row += 16) {
        double bar = toDecibels(energy(mono, rowToFrame(row), rowToFrame(row + 16) - rowToFrame(row)));
        EXPECT_GT(bar, -35.0) << "near silence in the bar at row " << row;
    }
    int64_t last = audio.frames() - secondsToFrame(0.25);
    EXPECT_LT(toDecibels(energy(mono, last, secondsToFrame(0.25))), -50.0) << "the tail does not die away";
}

TEST(Soundtrack, FileHasKicksOnTheBeatsOfTheDrivingPart)
{
    Audio audio = soundtrack();
    ASSERT_FALSE(audio.samples.empty()) << SoundtrackPath;
    std::vector<float> low = lowBand(monoMix(audio.samples), 100.0, audio.sampleRate);
    for (auto [from, to] : {std::pair{640, 704}, std::pair{960, 1088}, std::pair{1856, 2048}}) {
        BeatContrast contrast = beatContrast(low, from, to, 0);
        EXPECT_GT(contrast.medianRatio, 4.0) << "rows " << from << "-" << to;
        EXPECT_GT(contrast.weakestBeatOverLoudestOffBeat, 2.0) << "rows " << from << "-" << to;
    }
}

TEST(Soundtrack, BreakdownDropsTheKickAndTheBiggestHitStandsOut)
{
    Audio audio = soundtrack();
    ASSERT_FALSE(audio.samples.empty()) << SoundtrackPath;
    std::vector<float> low = lowBand(monoMix(audio.samples), 100.0, audio.sampleRate);
    auto span = [](int from, int to) { return rowToFrame(to) - rowToFrame(from); };
    double mainBody = energy(low, rowToFrame(1024), span(1024, 1152));
    double breakdown = energy(low, rowToFrame(1424), span(1424, 1536));
    EXPECT_GT(toDecibels(mainBody) - toDecibels(breakdown), 6.0);

    double hit = energy(low, rowToFrame(BiggestHitRow), span(0, 8));
    for (int row : {1152, 1280, 1856, 1920})
        EXPECT_GT(hit, 1.3 * energy(low, rowToFrame(row), span(0, 8))) << "against row " << row;
}

TEST(Soundtrack, StabsLandExactlyOnTheirRows)
{
    int64_t first = rowToFrame(248);
    std::vector<float> mono = monoMix(renderRange(nightglassScore(), rowToSeconds(248), rowToSeconds(320)));
    for (int row : StabRows) {
        int64_t at = rowToFrame(row) - first;
        double onset = energy(mono, at, windowFrames());
        double before = energy(mono, at - windowFrames(), windowFrames());
        EXPECT_GT(onset, 3.0 * before) << "no accent at row " << row;
    }
    for (int row : {266, 270, 284, 298, 302})
        EXPECT_LT(energy(mono, rowToFrame(row) - first, windowFrames()),
                  0.5 * energy(mono, rowToFrame(StabRows[0]) - first, windowFrames()))
            << "an accent where there should be none, row " << row;
}

TEST(Soundtrack, ImpactsArePreparedByRisers)
{
    int64_t first = rowToFrame(640);
    std::vector<float> mono = monoMix(renderRange(nightglassScore(), rowToSeconds(640), rowToSeconds(900)));
    std::vector<float> low = lowBand(mono, 100.0, SampleRate);
    std::vector<float> belowHiss = lowBand(mono, 2000.0, SampleRate);
    std::vector<float> hiss(mono.size());
    for (size_t i = 0; i < mono.size(); ++i)
        hiss[i] = mono[i] - belowHiss[i];
    auto rows = [](int count) { return rowToFrame(count); };
    for (int row : ImpactRows) {
        int64_t at = rowToFrame(row) - first;
        // The boom under the impact outweighs the plain kick a bar earlier.
        EXPECT_GT(energy(low, at, rows(4)), 1.5 * energy(low, at - rows(16), rows(4))) << "impact at row " << row;
        // The riser's last rows are louder than its first ones.
        double start = energy(hiss, at - rows(RiserRows), rows(6));
        double end = energy(hiss, at - rows(6), rows(6));
        EXPECT_GT(end, 1.5 * start) << "riser before row " << row;
    }
}

TEST(Soundtrack, RenderedSectionHasKicksOnTheBeat)
{
    int64_t first = rowToFrame(640);
    std::vector<float> low
        = lowBand(monoMix(renderRange(nightglassScore(), rowToSeconds(640), rowToSeconds(704))), 100.0, SampleRate);
    BeatContrast contrast = beatContrast(low, 640, 704, first);
    EXPECT_GT(contrast.medianRatio, 4.0);
    EXPECT_GT(contrast.weakestBeatOverLoudestOffBeat, 1.5);
}
