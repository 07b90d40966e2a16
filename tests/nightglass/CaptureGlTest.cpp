#include "nightglass/Nightglass.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/CommandLine.h"
#include "tavrin/capture/CaptureSink.h"

#include <png.h>
#include <sndfile.h>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

struct DecodedPng {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

DecodedPng readPng(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    DecodedPng result;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return result;
    image.format = PNG_FORMAT_RGB;
    result.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr)) {
        result.width = int(image.width);
        result.height = int(image.height);
    }
    return result;
}

// A timeline that only clears the screen, so every captured pixel is known.
std::string writeEmptyFlow(const TestSupport::TempDir& dir)
{
    std::ofstream(dir.file("empty.flow")) << "<flow><demo><data_folder>data/</data_folder></demo></flow>";
    return dir.file("empty.flow");
}

// A data folder of the test's own holds the production's sync tracks beside whatever it adds.
void copyTracksInto(const TestSupport::TempDir& dir)
{
    std::filesystem::create_directories(dir.file("tracks"));
    std::filesystem::copy_file("data/tracks/default.track", dir.file("tracks/default.track"));
}

std::vector<unsigned char> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "width,height,frames" of the video stream, as ffprobe counts them.
std::string probeVideo(const std::string& video)
{
    std::string probe = "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                        "stream=width,height,nb_read_frames -of csv=p=0 '"
        + video + "'";
    std::FILE* pipe = popen(probe.c_str(), "r");
    if (pipe == nullptr)
        return "ffprobe did not start";
    char line[128] = {};
    std::string result = std::fgets(line, sizeof line, pipe) != nullptr ? line : "no video stream";
    pclose(pipe);
    return result;
}

Tavrin::RunOptions captureOptions(const std::vector<std::string>& arguments)
{
    Tavrin::ParsedCommandLine parsed = Tavrin::parseCommandLine(arguments);
    EXPECT_EQ(parsed.outcome, Tavrin::ParsedCommandLine::Outcome::Run) << parsed.error;
    return parsed.options;
}

}

TEST(NightglassGlTest, PlaysItsOwnFlowFile)
{
    Nightglass::Nightglass demo;
    EXPECT_EQ(demo.flowFileName, "data/Nightglass.flow");
}

TEST(CaptureGlTest, ClearedFramesAreWrittenAtTheLetterboxedSize)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    Nightglass::Nightglass demo;
    std::string flow = writeEmptyFlow(dir);
    std::string frames = dir.file("frames");
    int status = demo.run(captureOptions({"--flow", flow, "--capture", frames, "--times", "0,1.5", "--size", "320x240",
                                          "--aspect", "4:3", "--aa", "0"}));
    EXPECT_EQ(status, 0);
    for (const char* name : {"frame_000000.png", "frame_000090.png"}) {
        DecodedPng png = readPng(frames + "/" + name);
        ASSERT_EQ(png.width, 320) << name;
        ASSERT_EQ(png.height, 180) << name;
        for (unsigned char channel : png.rgb)
            ASSERT_EQ(channel, 0) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(frames), std::filesystem::directory_iterator()), 2);
}

TEST(CaptureGlTest, VideoFileHoldsEveryFrameOfTheRange)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    ASSERT_TRUE(Tavrin::Capture::VideoSink::ffmpegAvailable()) << "ffmpeg is installed by scripts/setup.sh";
    TestSupport::TempDir dir;
    std::string video = dir.file("clip.mp4");
    Nightglass::Nightglass demo;
    int status = demo.run(captureOptions({"--flow", writeEmptyFlow(dir), "--capture", video, "--from", "1", "--to", "2",
                                          "--fps", "10", "--size", "320x180", "--aspect", "16:9", "--aa", "0"}));
    ASSERT_EQ(status, 0);
    EXPECT_EQ(probeVideo(video), "320,180,11\n");
}

TEST(CaptureGlTest, VideoOfAnOddLetterboxHeightGetsOneMoreRow)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    ASSERT_TRUE(Tavrin::Capture::VideoSink::ffmpegAvailable()) << "ffmpeg is installed by scripts/setup.sh";
    TestSupport::TempDir dir;
    // 16:10 bars on a 100-pixel screen leave 93 rows, which the video encoder cannot take as they are.
    std::string video = dir.file("odd.mp4");
    Nightglass::Nightglass demo;
    int status
        = demo.run(captureOptions({"--flow", writeEmptyFlow(dir), "--capture", video, "--from", "0", "--to", "0.2",
                                   "--fps", "10", "--size", "160x100", "--aspect", "16:10", "--aa", "0"}));
    ASSERT_EQ(status, 0);
    EXPECT_EQ(probeVideo(video), "160,94,3\n");
}

TEST(CaptureGlTest, VideoCommandCarriesTheMusicFromTheFirstFrame)
{
    Tavrin::Capture::VideoSink::Settings settings{"out.webm", 640, 360, 30, "data/music/x.ogg", 12.5f};
    auto args = Tavrin::Capture::VideoSink::ffmpegArguments(settings);
    auto find = [&](const std::string& a) { return std::find(args.begin(), args.end(), a); };
    ASSERT_NE(find("-ss"), args.end());
    EXPECT_EQ(*(find("-ss") + 1), "12.500000");
    EXPECT_EQ(*(find("-ss") + 3), "data/music/x.ogg");
    EXPECT_EQ(*(find("-c:v") + 1), "libvpx-vp9");
    EXPECT_EQ(*(find("-c:a") + 1), "libopus");
    EXPECT_EQ(args.back(), "out.webm");
    settings.musicPath.clear();
    args = Tavrin::Capture::VideoSink::ffmpegArguments(settings);
    EXPECT_EQ(find("-c:a"), args.end());
}

TEST(CaptureGlTest, TheSameTimesGiveTheSamePixelsTwice)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    for (const char* run : {"first", "second"}) {
        Nightglass::Nightglass demo;
        ASSERT_EQ(demo.run(captureOptions({"--flow", "data/test.flow", "--capture", dir.file(run), "--times",
                                           "3,47.5,130", "--size", "320x180", "--aspect", "16:9", "--aa", "0"})),
                  0);
    }
    for (const char* name : {"frame_000180.png", "frame_002850.png", "frame_007800.png"}) {
        std::vector<unsigned char> first = fileBytes(dir.file(std::string("first/") + name));
        ASSERT_FALSE(first.empty()) << name;
        EXPECT_EQ(first, fileBytes(dir.file(std::string("second/") + name))) << name;
    }
    // The sample timeline draws something at these times: not every pixel is black.
    DecodedPng frame = readPng(dir.file("first/frame_000180.png"));
    EXPECT_NE(std::count(frame.rgb.begin(), frame.rgb.end(), 0), std::ptrdiff_t(frame.rgb.size()));
}

TEST(CaptureGlTest, VideoCarriesTheMusicAsAnAudioStream)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    std::vector<short> tone(44100 * 2 * 3);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = short(8000 * std::sin(double(i / 2) * 440.0 * 6.2831853 / 44100.0));
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* wav = sf_open(dir.file("tone.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(wav, nullptr);
    sf_writef_short(wav, tone.data(), sf_count_t(tone.size() / 2));
    sf_close(wav);
    std::ofstream(dir.file("music.flow"))
        << "<flow><demo><data_folder>" << dir.path().string() << "/</data_folder><music>tone.wav</music></demo></flow>";
    copyTracksInto(dir);
    std::string video = dir.file("clip.mkv");
    Nightglass::Nightglass demo;
    ASSERT_EQ(demo.run(captureOptions({"--flow", dir.file("music.flow"), "--capture", video, "--from", "0", "--to", "2",
                                       "--fps", "10", "--size", "160x90", "--aspect", "16:9", "--aa", "0"})),
              0);
    std::FILE* pipe
        = popen(("ffprobe -v error -show_entries stream=codec_type -of csv=p=0 '" + video + "'").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string streams;
    char line[64];
    while (std::fgets(line, sizeof line, pipe))
        streams += line;
    pclose(pipe);
    EXPECT_NE(streams.find("video"), std::string::npos) << streams;
    EXPECT_NE(streams.find("audio"), std::string::npos) << streams;
}

TEST(NightglassGlTest, AnErrorEndsTheRunWithStatusOneAndNamesTheFile)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    Nightglass::Nightglass demo;
    testing::internal::CaptureStderr();
    int status = demo.run(captureOptions({"--flow", dir.file("missing.flow"), "--capture", dir.file("frames"),
                                          "--times", "1", "--size", "64x36", "--aa", "0"}));
    std::string stderrText = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_NE(stderrText.find("Orvane Exception: File not found: " + dir.file("missing.flow")), std::string::npos)
        << stderrText;
}

TEST(NightglassGlTest, AnUnattendedRunThatFailsSaysWhyOnStderrAndNeverWaitsForAClick)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    // From a folder without data/, so the demo cannot start; where the display can draw message
    // boxes, a box here would wait for ever and the time limit would end the run with 124.
    TestSupport::TempDir dir;
    const std::string demo = std::string(NIGHTGLASS_BINARY_DIR) + "/nightglass";
    for (std::string options : {"--capture frames --times 1", "--no-dialog --windowed --size 64x36"}) {
        SCOPED_TRACE(options);
        std::string command
            = "cd '" + dir.path().string() + "' && timeout 60 '" + demo + "' " + options + " </dev/null 2>stderr.txt";
        int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1);
        std::ifstream errors(dir.file("stderr.txt"));
        std::string text((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("Orvane Exception: No data folder found"), std::string::npos) << text;
    }
}

TEST(CaptureGlTest, AStopSignalEndsACaptureWithStatusOneAndLeavesNoCutVideo)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    // The whole production takes far longer than the three seconds before SIGTERM comes.
    std::string command = "cd '" NIGHTGLASS_SOURCE_DIR "' && timeout --preserve-status -s TERM 3 '"
        + std::string(NIGHTGLASS_BINARY_DIR) + "/nightglass' --capture '" + dir.file("cut.mp4")
        + "' --size 64x36 --aa 0 </dev/null 2>'" + dir.file("stderr.txt") + "'";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("cut.mp4")));
    std::ifstream errors(dir.file("stderr.txt"));
    std::string text((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("stopped by a signal"), std::string::npos)
        << text.substr(text.size() - std::min<size_t>(text.size(), 300));
}

TEST(CaptureGlTest, MusicThatCannotBeOpenedStopsTheCaptureBeforeAnyFrameWithTheReason)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    std::ofstream(dir.file("junk.ogg"), std::ios::binary) << "this is not a sound file at all";
    // A canonical 44-byte WAV header whose channel count is zero.
    const unsigned char header[44]
        = {'R', 'I', 'F',  'F',  36, 0, 0,    0,    'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16,  0,   0, 0, 1, 0,
           0,   0,   0x44, 0xAC, 0,  0, 0x10, 0xB1, 2,   0,   4,   0,   16,  0,   'd', 'a', 't', 'a', 0, 0, 0, 0};
    std::ofstream(dir.file("silent.wav"), std::ios::binary).write(reinterpret_cast<const char*>(header), 44);
    copyTracksInto(dir);
    for (const auto& [music, reason] :
         {std::pair{"junk.ogg", "Format not recognised"}, std::pair{"silent.wav", "Channel count is zero"}}) {
        std::ofstream(dir.file("music.flow")) << "<flow><demo><data_folder>" << dir.path().string()
                                              << "/</data_folder><music>" << music << "</music></demo></flow>";
        std::string frames = dir.file(std::string("frames_") + music);
        Nightglass::Nightglass demo;
        testing::internal::CaptureStderr();
        int status = demo.run(captureOptions(
            {"--flow", dir.file("music.flow"), "--capture", frames, "--times", "0,1", "--size", "64x36", "--aa", "0"}));
        std::string stderrText = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 1) << music;
        EXPECT_FALSE(std::filesystem::exists(frames + "/frame_000000.png")) << music;
        EXPECT_NE(stderrText.find(dir.file(music) + ": " + reason), std::string::npos) << stderrText;
        EXPECT_NE(stderrText.find("Cannot capture: the music " + dir.file(music)), std::string::npos) << stderrText;
    }
}
