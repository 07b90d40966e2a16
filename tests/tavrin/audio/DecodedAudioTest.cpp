#include "tavrin/audio/DecodedAudio.h"

#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"
#include "tavrin/audio/SpectrumAnalyzer.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <vector>

using Tavrin::Audio::decodeAudioFile;

namespace {

// Written in chunks: one very large write crashes inside libvorbis.
void writeSound(const std::string& path, int format, int rate, int channels, const std::vector<float>& samples)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_count_t frames = sf_count_t(samples.size()) / channels;
    for (sf_count_t at = 0; at < frames; at += 4096)
        sf_writef_float(file, samples.data() + at * channels, std::min<sf_count_t>(4096, frames - at));
    sf_close(file);
}

std::vector<float> tone(double hertz, int rate, int frames)
{
    std::vector<float> samples;
    for (int n = 0; n < frames; ++n)
        samples.push_back(0.5f * float(std::sin(2.0 * std::numbers::pi * hertz * n / rate)));
    return samples;
}

}

TEST(DecodedAudio, StereoWavAtTheMusicRateDecodesUnchanged)
{
    TestSupport::TempDir dir;
    std::vector<float> samples;
    for (int n = 0; n < 5000; ++n) {
        samples.push_back(float(n % 100) / 100.0f);
        samples.push_back(-float(n % 7) / 8.0f);
    }
    writeSound(dir.file("a.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2, samples);
    Tavrin::Audio::DecodedAudio audio = decodeAudioFile(dir.file("a.wav"));
    ASSERT_EQ(audio.frameCount(), 5000);
    for (size_t i = 0; i < samples.size(); ++i)
        ASSERT_NEAR(Tavrin::Audio::fromPcm16(audio.samples[i]), samples[i], 0.5f / 32768.0f) << "sample " << i;
}

TEST(DecodedAudio, MonoOggAtAnotherRateIsResampledAndDuplicated)
{
    TestSupport::TempDir dir;
    // 1 s of a tone that falls on bin 20 of the 256-frame spectrum once at 44,100 Hz.
    double hertz = 20.0 * 44100.0 / 256.0;
    writeSound(dir.file("m.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, 1, tone(hertz, 22050, 22050));
    Tavrin::Audio::DecodedAudio audio = decodeAudioFile(dir.file("m.ogg"));
    EXPECT_NEAR(double(audio.frameCount()), 44100.0, 200.0);
    for (std::int64_t n = 0; n < audio.frameCount(); ++n)
        ASSERT_EQ(audio.samples[size_t(n) * 2], audio.samples[size_t(n) * 2 + 1]);
    Tavrin::Audio::SpectrumAnalyzer analyzer;
    float bins[128];
    analyzer.analyze(audio, 20000, bins);
    EXPECT_EQ(std::max_element(bins, bins + 128) - bins, 20);
    EXPECT_NEAR(bins[20], 0.25f, 0.03f);
}

TEST(DecodedAudio, FlacIsLosslessAndMp3AtFortyEightKilohertzIsResampled)
{
    TestSupport::TempDir dir;
    double hertz = 12.0 * 44100.0 / 256.0;
    std::vector<float> mono = tone(hertz, 44100, 20000);
    std::vector<float> stereo;
    for (float v : mono) {
        stereo.push_back(v);
        stereo.push_back(-v);
    }
    writeSound(dir.file("s.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, stereo);
    Tavrin::Audio::DecodedAudio flac = decodeAudioFile(dir.file("s.flac"));
    ASSERT_EQ(flac.samples.size(), stereo.size());
    for (size_t i = 0; i < stereo.size(); ++i)
        ASSERT_NEAR(Tavrin::Audio::fromPcm16(flac.samples[i]), stereo[i], 1.0f / 32768.0f);

    std::vector<float> mp3Source = tone(hertz, 48000, 48000);
    std::vector<float> mp3Stereo;
    for (float v : mp3Source) {
        mp3Stereo.push_back(v);
        mp3Stereo.push_back(v);
    }
    writeSound(dir.file("s.mp3"), SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 48000, 2, mp3Stereo);
    Tavrin::Audio::DecodedAudio mp3 = decodeAudioFile(dir.file("s.mp3"));
    EXPECT_NEAR(double(mp3.frameCount()), 44100.0, 3000.0);
    Tavrin::Audio::SpectrumAnalyzer analyzer;
    float bins[128];
    analyzer.analyze(mp3, 20000, bins);
    EXPECT_EQ(std::max_element(bins, bins + 128) - bins, 12);
}

TEST(DecodedAudio, MissingEmptyAndDamagedFilesAreErrorsNamingTheFile)
{
    TestSupport::TempDir dir;
    EXPECT_THROW(decodeAudioFile(dir.file("none.ogg")), Orvane::Exceptions::FileNotFoundException);

    std::ofstream(dir.file("junk.ogg"), std::ios::binary) << "this is not a sound file at all";
    try {
        decodeAudioFile(dir.file("junk.ogg"));
        ADD_FAILURE() << "junk was decoded";
    } catch (const Orvane::Exceptions::UnsupportedFormatException& e) {
        EXPECT_NE(e.getMessage().find(dir.file("junk.ogg")), std::string::npos) << e.getMessage();
    }

    writeSound(dir.file("empty.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, {});
    EXPECT_THROW(decodeAudioFile(dir.file("empty.wav")), Orvane::Exceptions::UnsupportedFormatException);
}

TEST(DecodedAudio, SixteenBitsKeepTheSamplesLengthAndSpectrumOfTheFloatDecodingInOneAllocation)
{
    TestSupport::TempDir dir;
    // Music-like: a different chord on each side plus noise, so every bin carries something.
    std::vector<float> stereo;
    unsigned noise = 1;
    for (int n = 0; n < 3 * 44100; ++n) {
        noise = noise * 1103515245u + 12345u;
        float hiss = 0.05f * (float(noise >> 16 & 0x7fff) / 16384.0f - 1.0f);
        double t = double(n) / 44100.0;
        stereo.push_back(
            float(0.4 * std::sin(2 * std::numbers::pi * 220 * t) + 0.2 * std::sin(2 * std::numbers::pi * 3300 * t))
            + hiss);
        stereo.push_back(
            float(0.5 * std::sin(2 * std::numbers::pi * 330 * t) + 0.1 * std::sin(2 * std::numbers::pi * 9000 * t))
            - hiss);
    }
    writeSound(dir.file("music.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2, stereo);

    SF_INFO info{};
    SNDFILE* file = sf_open(dir.file("music.ogg").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> reference(size_t(info.frames) * 2);
    reference.resize(size_t(sf_readf_float(file, reference.data(), info.frames)) * 2);
    sf_close(file);

    Tavrin::Audio::DecodedAudio audio = decodeAudioFile(dir.file("music.ogg"));
    ASSERT_EQ(audio.frameCount(), std::int64_t(reference.size() / 2)) << "the same length: positions clamp alike";
    EXPECT_EQ(audio.samples.capacity(), audio.samples.size()) << "sized from the header, never grown";
    // Long files are decoded in parts side by side: no seam may differ from a straight read.
    for (size_t i = 0; i < reference.size(); ++i)
        ASSERT_EQ(audio.samples[i], Tavrin::Audio::toPcm16(reference[i])) << "sample " << i;

    Tavrin::Audio::SpectrumAnalyzer analyzer;
    for (std::int64_t frame : {std::int64_t(0), std::int64_t(12345), std::int64_t(44100), audio.frameCount() - 100}) {
        float fromShorts[128], fromFloats[128];
        analyzer.analyze(audio, frame, fromShorts);
        analyzer.analyze(reference, frame, fromFloats);
        for (int k = 0; k < 128; ++k)
            ASSERT_NEAR(fromShorts[k], fromFloats[k], 1e-3f) << "bin " << k << " at frame " << frame;
        EXPECT_GT(*std::max_element(fromFloats, fromFloats + 128), 0.05f) << "the window holds music";
    }
}

TEST(DecodedAudio, ACutFilePlaysWhatDecodedAndSaysWhereTheMusicEnds)
{
    TestSupport::TempDir dir;
    std::vector<float> noise;
    for (int n = 0; n < 2 * 44100 * 2; ++n)
        noise.push_back(float((n * 7919) % 2001 - 1000) / 2000.0f);
    for (const auto& [name, format] : {std::pair{"cut.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
                                       std::pair{"cut.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS}}) {
        std::string path = dir.file(name);
        writeSound(path, format, 44100, 2, noise);
        std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
        testing::internal::CaptureStderr();
        Tavrin::Audio::DecodedAudio audio = decodeAudioFile(path);
        std::string warning = testing::internal::GetCapturedStderr();
        EXPECT_GT(audio.frameCount(), 22050) << name;
        EXPECT_LT(audio.frameCount(), 2 * 44100) << name;
        char endsAt[64];
        std::snprintf(endsAt, sizeof endsAt, "; the music ends at %.2f seconds\n",
                      double(audio.frameCount()) / 44100.0);
        EXPECT_EQ(warning.rfind(path + ": ", 0), 0u) << warning;
        EXPECT_NE(warning.find(endsAt), std::string::npos) << warning;
    }
    // Cut inside its headers, an Ogg is refused at open (where the library leaks, see lsan.supp).
    std::filesystem::resize_file(dir.file("cut.ogg"), 300);
    EXPECT_THROW(decodeAudioFile(dir.file("cut.ogg")), Orvane::Exceptions::UnsupportedFormatException);
}

TEST(DecodedAudio, BytesInMemoryDecodeAsTheirFileDoesWarningsAndErrorsNamingThem)
{
    TestSupport::TempDir dir;
    std::vector<float> stereo;
    for (int n = 0; n < 3 * 44100 * 2; ++n)
        stereo.push_back(float((n * 7919) % 2001 - 1000) / 2000.0f);
    // Decoded straight, in parts side by side, resampled, and cut short.
    writeSound(dir.file("a.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, stereo);
    writeSound(dir.file("b.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2, stereo);
    writeSound(dir.file("c.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, 1, tone(440, 22050, 22050));
    writeSound(dir.file("d.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, stereo);
    std::filesystem::resize_file(dir.file("d.flac"), std::filesystem::file_size(dir.file("d.flac")) / 2);
    std::ofstream(dir.file("e.wav"), std::ios::binary) << "RIFF, but not a sound";
    for (const char* name : {"a.wav", "b.ogg", "c.ogg", "d.flac", "e.wav"}) {
        SCOPED_TRACE(name);
        std::ifstream in(dir.file(name), std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        auto decode = [&](bool fromMemory, std::string& warning) -> std::string {
            testing::internal::CaptureStderr();
            std::string outcome;
            try {
                Tavrin::Audio::DecodedAudio audio = fromMemory
                    ? Tavrin::Audio::decodeAudioMemory(bytes.data(), bytes.size(), "<tune>")
                    : decodeAudioFile(dir.file(name));
                outcome.assign(reinterpret_cast<const char*>(audio.samples.data()), audio.samples.size() * 2);
            } catch (const Orvane::Exceptions::UnsupportedFormatException& e) {
                outcome = e.getMessage();
            }
            warning = testing::internal::GetCapturedStderr();
            return outcome;
        };
        std::string fileWarning, memoryWarning;
        std::string fromFile = decode(false, fileWarning);
        std::string fromMemory = decode(true, memoryWarning);
        auto renamed = [&](std::string text) {
            for (size_t at; (at = text.find(dir.file(name))) != std::string::npos;)
                text.replace(at, dir.file(name).size(), "<tune>");
            return text;
        };
        EXPECT_GT(fromFile.size(), 0u);
        EXPECT_TRUE(fromMemory == renamed(fromFile)) << "memory: " << fromMemory.substr(0, 200);
        EXPECT_EQ(memoryWarning, renamed(fileWarning));
    }
}
