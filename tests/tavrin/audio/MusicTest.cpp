#include "tavrin/audio/Music.h"

#include "orvane/MessageBox.h"
#include "support/TempDir.h"
#include "tavrin/audio/DevicePlayback.h"
#include "tavrin/audio/SilentPlayback.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <thread>

using Tavrin::Audio::Music;
using Tavrin::Audio::MusicOptions;

namespace {

// Ten seconds of a tone on bin 8 of the spectrum.
std::string writeMusic(const TestSupport::TempDir& dir)
{
    std::string path = dir.file("music.wav");
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    std::vector<float> samples;
    for (int n = 0; n < 441000; ++n) {
        float v = 0.9f * float(std::sin(2.0 * std::numbers::pi * 8.0 * n / 256.0));
        samples.push_back(v);
        samples.push_back(v);
    }
    sf_writef_float(file, samples.data(), 441000);
    sf_close(file);
    return path;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override { Orvane::MessageBox::setBatchMode(true); }
    TestSupport::TempDir dir;
};

}

TEST(MusicBytes, SecondsBecomeBytesAtTheFixedRateTruncated)
{
    EXPECT_EQ(Tavrin::Audio::secondsToMusicBytes(1.5f), 264600);
    EXPECT_EQ(Tavrin::Audio::secondsToMusicBytes(220.0f), 38808000);
    EXPECT_EQ(Tavrin::Audio::secondsToMusicBytes(1e-5f), 1);
    EXPECT_EQ(Tavrin::Audio::secondsToMusicBytes(-0.5f), -88200);
    EXPECT_EQ(Tavrin::Audio::secondsToMusicBytes(-0.000001f), 0);
}

TEST_F(MusicTest, CaptureSeeksClampToTheStreamAndTheSpectrumFollowsTheTime)
{
    MusicOptions options;
    options.capture = true;
    std::unique_ptr<Music> music = Music::start(writeMusic(dir), options);
    ASSERT_TRUE(music->hasStream());
    EXPECT_FALSE(music->hasOutputDevice());
    EXPECT_NEAR(music->lengthSeconds(), 10.0f, 1e-4f);

    music->setCaptureTime(2.5f);
    EXPECT_EQ(music->positionBytes(), 441000);
    EXPECT_EQ(music->position(), 2.5f);
    music->seek(0.0001f);
    EXPECT_EQ(music->positionBytes(), 16) << "17.64 bytes truncate to 17, then to a whole frame";
    music->seek(-0.5f);
    EXPECT_EQ(music->positionBytes(), 0);
    music->seek(50.0f);
    EXPECT_EQ(music->positionBytes(), 441000 * 4);

    float bins[128];
    music->setCaptureTime(4.0f);
    music->readSpectrum(bins);
    EXPECT_NEAR(bins[8], 0.45f, 0.01f);
    float again[128];
    music->readSpectrum(again);
    EXPECT_EQ(std::vector<float>(bins, bins + 128), std::vector<float>(again, again + 128));
    music->setCaptureTime(10.0f);
    music->readSpectrum(bins);
    EXPECT_EQ(bins[8], 0.0f) << "nothing is heard past the end";
}

TEST_F(MusicTest, MissingFileShowsTheTwoBoxesInOrderAndLeavesNoStream)
{
    MusicOptions options;
    options.capture = true;
    testing::internal::CaptureStderr();
    std::unique_ptr<Music> music = Music::start(dir.file("missing.ogg"), options);
    std::string output = testing::internal::GetCapturedStderr();
    size_t notFound = output.find("BASS: BASS error, file not found?\n");
    size_t cannotPlay = output.find("BASS: BASS error, can not play stream?\n");
    ASSERT_NE(notFound, std::string::npos) << output;
    ASSERT_NE(cannotPlay, std::string::npos) << output;
    EXPECT_LT(notFound, cannotPlay);
    EXPECT_FALSE(music->hasStream());
    music->seek(3.0f);
    EXPECT_EQ(music->position(), 0.0f);
    float bins[128];
    music->readSpectrum(bins);
    EXPECT_EQ(bins[0], 0.0f);
}

TEST_F(MusicTest, ADamagedFileDecodedOnAWorkerThreadGetsTheSameBoxesAsOneDecodedHere)
{
    std::string path = dir.file("damaged.ogg");
    std::ofstream(path, std::ios::binary) << "OggS but nothing a decoder could use";
    MusicOptions options;
    options.capture = true;
    testing::internal::CaptureStderr();
    std::unique_ptr<Music> here = Music::start(path, options);
    std::string hereOutput = testing::internal::GetCapturedStderr();
    testing::internal::CaptureStderr();
    std::unique_ptr<Music> worker = Music::start(path, options, Tavrin::Audio::decodeAudioFileAsync(path));
    std::string workerOutput = testing::internal::GetCapturedStderr();

    EXPECT_EQ(workerOutput, hereOutput);
    size_t named = workerOutput.find(path);
    size_t notFound = workerOutput.find("BASS: BASS error, file not found?\n");
    size_t cannotPlay = workerOutput.find("BASS: BASS error, can not play stream?\n");
    ASSERT_NE(named, std::string::npos) << workerOutput;
    ASSERT_NE(notFound, std::string::npos) << workerOutput;
    ASSERT_NE(cannotPlay, std::string::npos) << workerOutput;
    EXPECT_LT(notFound, cannotPlay);
    EXPECT_FALSE(worker->hasStream());
}

TEST_F(MusicTest, WithoutAnOutputDeviceASilentClockKeepsTimeAndSeeks)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    std::unique_ptr<Music> music = Music::start(writeMusic(dir));
    std::string output = testing::internal::GetCapturedStderr();
    EXPECT_NE(output.find("BASS: BASS error\n"), std::string::npos) << output;
    EXPECT_FALSE(music->hasOutputDevice());
    ASSERT_TRUE(music->hasStream());

    auto start = std::chrono::steady_clock::now();
    music->seek(3.0f);
    EXPECT_NEAR(music->position(), 3.0f, 0.001f) << "a seek reads its target at once";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_NEAR(music->position(), 3.0f + secondsSince(start), 0.005);
    music->seek(1.0f);
    EXPECT_NEAR(music->position(), 1.0f, 0.001f) << "seeking backwards goes backwards";
    float bins[128];
    music->readSpectrum(bins);
    EXPECT_NEAR(bins[8], 0.45f, 0.01f);
}

TEST_F(MusicTest, MutedMusicOpensNoDeviceAndShowsNoBoxYetKeepsTime)
{
    std::vector<std::string> boxes;
    Orvane::MessageBox::setSink([&](const std::string&, const std::string& text) { boxes.push_back(text); });
    MusicOptions options;
    options.muted = true;
    std::unique_ptr<Music> music = Music::start(writeMusic(dir), options);
    EXPECT_FALSE(music->hasOutputDevice()) << "silence needs no sound card";
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    auto start = std::chrono::steady_clock::now();
    music->seek(2.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_NEAR(music->position(), 2.0f + secondsSince(start), 0.005);
}

TEST(SilentPlayback, FollowsTheWallClockAndNeverGoesBackwards)
{
    Tavrin::Audio::DecodedAudio audio;
    audio.samples.assign(size_t(44100) * 2 * 60, 0);
    Tavrin::Audio::SilentPlayback playback;
    playback.setSource(&audio);
    EXPECT_EQ(playback.heardFrame(), 0) << "nothing moves before play";
    playback.play();
    playback.seekFrame(44100);
    auto start = std::chrono::steady_clock::now();
    std::int64_t previous = playback.heardFrame();
    EXPECT_LE(previous - 44100, 44) << "the seek target reads at once";
    double worst = 0.0;
    while (secondsSince(start) < 2.0) {
        std::int64_t frame = playback.heardFrame();
        double wall = secondsSince(start);
        ASSERT_GE(frame, previous);
        worst = std::max(worst, std::abs(double(frame - 44100) / 44100.0 - wall));
        previous = frame;
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    EXPECT_LT(worst, 0.005);
}

TEST(SilentPlayback, StopsAtTheEndOfTheMusic)
{
    Tavrin::Audio::DecodedAudio audio;
    audio.samples.assign(2000, 0);
    Tavrin::Audio::SilentPlayback playback;
    playback.setSource(&audio);
    playback.play();
    playback.seekFrame(990);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(playback.heardFrame(), 1000);
}

// SDL's dummy driver stands in for a sound card: it runs the callback on its own thread, which is
// all the position logic needs.
TEST(DevicePlayback, CallbackDrivesAPositionThatRisesWithinWhatWasHandedOver)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string error;
    std::unique_ptr<Tavrin::Audio::DevicePlayback> playback = Tavrin::Audio::DevicePlayback::open(1024, error);
    ASSERT_NE(playback, nullptr) << error;
    Tavrin::Audio::DecodedAudio audio;
    audio.samples.assign(size_t(44100) * 2 * 5, 8192);
    playback->setSource(&audio);
    playback->play();
    playback->seekFrame(44100);
    EXPECT_EQ(playback->heardFrame(), 44100);
    auto start = std::chrono::steady_clock::now();
    std::int64_t previous = 44100;
    while (secondsSince(start) < 0.5) {
        std::int64_t frame = playback->heardFrame();
        ASSERT_GE(frame, previous);
        previous = frame;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_GT(previous, 44100 + 44100 / 10) << "the callback has been handing over samples";
    EXPECT_LT(previous, 44100 + 44100);
    playback->seekFrame(1000);
    EXPECT_EQ(playback->heardFrame(), 1000);
}

TEST(DevicePlayback, FillCopiesAdvancesAndGoesSilentWhenMutedOrAtTheEnd)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string error;
    std::unique_ptr<Tavrin::Audio::DevicePlayback> playback = Tavrin::Audio::DevicePlayback::open(256, error);
    ASSERT_NE(playback, nullptr) << error;
    Tavrin::Audio::DecodedAudio audio;
    for (int n = 0; n < 300; ++n) {
        audio.samples.push_back(std::int16_t(n));
        audio.samples.push_back(std::int16_t(-n));
    }
    playback->setSource(&audio);
    std::vector<std::int16_t> out(512, 99);
    playback->fill(out.data(), 256);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[511], -255);

    playback->setMuted(true);
    playback->fill(out.data(), 10);
    EXPECT_EQ(std::count(out.begin(), out.begin() + 20, 0), 20);
    playback->setMuted(false);
    playback->fill(out.data(), 256);
    EXPECT_EQ(out[0], 266) << "muted frames still advance the position";
    EXPECT_EQ(out[67], -299);
    EXPECT_EQ(std::count(out.begin() + 68, out.end(), 0), 512 - 68) << "silence after the end";
    EXPECT_EQ(playback->heardFrame(), 300 - 256) << "one buffer of assumed output latency";
    playback->setLatencyFrames(0);
    playback->fill(out.data(), 256);
    EXPECT_EQ(playback->heardFrame(), 300);
}
