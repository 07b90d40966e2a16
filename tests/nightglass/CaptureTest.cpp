#include "nightglass/Nightglass.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/CaptureSink.h"
#include "tavrin/CommandLine.h"

#include <png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
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

Tavrin::RunOptions captureOptions(const std::vector<std::string>& arguments)
{
    Tavrin::ParsedCommandLine parsed = Tavrin::parseCommandLine(arguments);
    EXPECT_EQ(parsed.outcome, Tavrin::ParsedCommandLine::Outcome::Run) << parsed.error;
    return parsed.options;
}

}

TEST(Nightglass, PlaysItsOwnFlowFile)
{
    Nightglass::Nightglass demo;
    EXPECT_EQ(demo.flowFileName, "data/Nightglass.flow");
}

TEST(Capture, ClearedFramesAreWrittenAtTheLetterboxedSize)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    Nightglass::Nightglass demo;
    int status = demo.run(captureOptions({"--capture", dir.path().string(), "--times", "0,1.5",
                                          "--size", "320x240", "--aspect", "4:3", "--aa", "0"}));
    EXPECT_EQ(status, 0);
    for (const char* name : {"frame_000000.png", "frame_000090.png"}) {
        DecodedPng png = readPng(dir.file(name));
        ASSERT_EQ(png.width, 320) << name;
        ASSERT_EQ(png.height, 180) << name;
        for (unsigned char channel : png.rgb)
            ASSERT_EQ(channel, 0) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 2);
}

TEST(Capture, VideoFileHoldsEveryFrameOfTheRange)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    ASSERT_TRUE(Tavrin::VideoSink::ffmpegAvailable()) << "ffmpeg is installed by scripts/setup.sh";
    TestSupport::TempDir dir;
    std::string video = dir.file("clip.mp4");
    Nightglass::Nightglass demo;
    int status = demo.run(captureOptions({"--capture", video, "--from", "1", "--to", "2", "--fps", "10",
                                          "--size", "320x180", "--aspect", "16:9", "--aa", "0"}));
    ASSERT_EQ(status, 0);
    std::string probe = "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                        "stream=width,height,nb_read_frames -of csv=p=0 '" + video + "'";
    std::FILE* pipe = popen(probe.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[128] = {};
    ASSERT_NE(std::fgets(line, sizeof line, pipe), nullptr);
    pclose(pipe);
    EXPECT_EQ(std::string(line), "320,180,11\n");
}

TEST(Capture, VideoCommandCarriesTheMusicFromTheFirstFrame)
{
    Tavrin::VideoSink::Settings settings{"out.webm", 640, 360, 30, "data/music/x.ogg", 12.5f};
    auto args = Tavrin::VideoSink::ffmpegArguments(settings);
    auto find = [&](const std::string& a) { return std::find(args.begin(), args.end(), a); };
    ASSERT_NE(find("-ss"), args.end());
    EXPECT_EQ(*(find("-ss") + 1), "12.500000");
    EXPECT_EQ(*(find("-ss") + 3), "data/music/x.ogg");
    EXPECT_EQ(*(find("-c:v") + 1), "libvpx-vp9");
    EXPECT_EQ(*(find("-c:a") + 1), "libopus");
    EXPECT_EQ(args.back(), "out.webm");
    settings.musicPath.clear();
    args = Tavrin::VideoSink::ffmpegArguments(settings);
    EXPECT_EQ(find("-c:a"), args.end());
}
