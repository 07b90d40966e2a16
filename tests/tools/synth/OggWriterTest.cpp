#include "AudioAnalysis.h"

#include "support/TempDir.h"
#include "synth/Dsp.h"
#include "synth/OggWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

using namespace Nightglass::Synth;

namespace {

std::vector<char> bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Two seconds of a tone, written in one call so the writer has to split it into chunks.
void writeTone(const std::string& path)
{
    std::vector<float> samples(2 * 2 * SampleRate);
    for (size_t i = 0; i < samples.size() / 2; ++i)
        samples[2 * i] = samples[2 * i + 1] = 0.5f * float(std::sin(2.0 * Pi * 440.0 * double(i) / SampleRate));
    OggWriter writer(path, SampleRate, 0.5);
    writer.write(samples.data(), int64_t(samples.size() / 2));
    writer.close();
}

}

TEST(SynthOggWriter, SameInputGivesTheSameBytesAndAReadableStream)
{
    TestSupport::TempDir dir;
    writeTone(dir.file("a.ogg"));
    writeTone(dir.file("b.ogg"));
    std::vector<char> first = bytesOf(dir.file("a.ogg"));
    EXPECT_GT(first.size(), 1000u);
    EXPECT_EQ(first, bytesOf(dir.file("b.ogg"))) << "the stream serial number must not be random";

    // libogg verifies every page checksum while decoding, so this also checks the rewritten pages.
    std::string error;
    ToolsTests::Audio audio = ToolsTests::readAudio(dir.file("a.ogg"), error);
    ASSERT_TRUE(error.empty()) << error;
    EXPECT_EQ(audio.channels, 2);
    EXPECT_EQ(audio.sampleRate, SampleRate);
    EXPECT_EQ(audio.frames(), 2 * SampleRate);
    EXPECT_NEAR(ToolsTests::toDecibels(ToolsTests::energy(ToolsTests::monoMix(audio.samples), 0, audio.frames())),
                10.0 * std::log10(0.125), 0.5);
}

TEST(SynthOggWriter, DamagedStreamIsReportedWithItsName)
{
    TestSupport::TempDir dir;
    writeTone(dir.file("tone.ogg"));
    std::vector<char> bytes = bytesOf(dir.file("tone.ogg"));
    std::ofstream(dir.file("short.ogg"), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size() / 2));
    try {
        setOggSerial(dir.file("short.ogg"), 1);
        FAIL() << "a truncated stream was accepted";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("short.ogg"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("truncated"), std::string::npos) << error.what();
    }
    EXPECT_THROW(OggWriter(dir.file("missing/folder/x.ogg"), SampleRate, 0.5), std::runtime_error);
}
