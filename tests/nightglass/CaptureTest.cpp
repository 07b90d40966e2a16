#include "nightglass/Nightglass.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/CommandLine.h"

#include <png.h>

#include <gtest/gtest.h>

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
