#include "tavrin/CommandLine.h"

#include <gtest/gtest.h>

using Tavrin::parseCommandLine;
using Tavrin::ParsedCommandLine;

TEST(CommandLine, NoArgumentsShowsTheDialogWithItsDefaults)
{
    ParsedCommandLine parsed = parseCommandLine({});
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Run);
    EXPECT_TRUE(parsed.options.showDialog);
    EXPECT_EQ(parsed.options.settings.resolutionIndex, 1);
    EXPECT_EQ(parsed.options.settings.antialiasIndex, 2);
    EXPECT_EQ(parsed.options.settings.aspectIndex, 0);
    EXPECT_TRUE(parsed.options.settings.fullscreen);
    EXPECT_TRUE(parsed.options.settings.music);
}

TEST(CommandLine, SettingsOptions)
{
    ParsedCommandLine parsed
        = parseCommandLine({"--no-dialog", "--size", "1920x1080", "--windowed", "--aa", "0", "--aspect", "16:10",
                            "--no-music", "--flow", "data/other.flow", "--start", "12.5"});
    ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Run) << parsed.error;
    const Tavrin::RunOptions& o = parsed.options;
    EXPECT_FALSE(o.showDialog);
    EXPECT_EQ(o.width, 1920);
    EXPECT_EQ(o.height, 1080);
    EXPECT_FALSE(o.settings.fullscreen);
    EXPECT_EQ(o.samples, 0);
    EXPECT_EQ(o.settings.aspectIndex, 2);
    EXPECT_FALSE(o.settings.music);
    EXPECT_EQ(o.flowFile, "data/other.flow");
    EXPECT_EQ(o.start, 12.5f);
}

TEST(CommandLine, CaptureImpliesNoDialog)
{
    ParsedCommandLine parsed = parseCommandLine({"--capture", "out", "--times", "0,1.5,3", "--fps", "30"});
    ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Run) << parsed.error;
    EXPECT_FALSE(parsed.options.showDialog);
    EXPECT_EQ(parsed.options.capture.times, (std::vector<float>{0.0f, 1.5f, 3.0f}));
    EXPECT_EQ(parsed.options.capture.fps, 30);
    EXPECT_FALSE(parsed.options.capture.isVideo());
    EXPECT_TRUE(parseCommandLine({"--capture", "demo.webm"}).options.capture.isVideo());
}

TEST(CommandLine, BadArgumentsAreErrorsNamingTheProblem)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--size", "800"},
        {"--size", "0x600"},
        {"--aa"},
        {"--aa", "many"},
        {"--aspect", "5:4"},
        {"--times", "1,x"},
        {"--times", "1,-0.5"},
        {"--start", "-2"},
        {"--fps", "0"},
        {"--bogus"},
        {"--capture", "a.mp4", "--times", "1"},
        {"--frames", "5"},
        {"--frames", "9:3"},
        {"--capture", "out", "--frames", "1:2", "--times", "1"},
        {"--capture", "a.mp4", "--lossless"},
    };
    for (const auto& arguments : bad) {
        ParsedCommandLine parsed = parseCommandLine(arguments);
        EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Error) << arguments[0] << " " << arguments.back();
        EXPECT_FALSE(parsed.error.empty());
    }
    EXPECT_EQ(parseCommandLine({"--help"}).outcome, ParsedCommandLine::Outcome::Help);
}

TEST(CommandLine, EditIsForALiveWindowOnly)
{
    EXPECT_FALSE(parseCommandLine({}).options.edit);
    ParsedCommandLine parsed = parseCommandLine({"--edit", "--no-dialog"});
    ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Run) << parsed.error;
    EXPECT_TRUE(parsed.options.edit);
    parsed = parseCommandLine({"--edit", "--capture", "frames"});
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Error);
    EXPECT_NE(parsed.error.find("--edit"), std::string::npos) << parsed.error;

    parsed = parseCommandLine({"--rocket", "--no-dialog"});
    ASSERT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Run) << parsed.error;
    EXPECT_TRUE(parsed.options.edit) << "the editor connection is part of the edit mode";
    EXPECT_EQ(parsed.options.rocket, std::string());
    EXPECT_EQ(parseCommandLine({"--rocket", "studio:1400"}).options.rocket, "studio:1400");
    EXPECT_EQ(parseCommandLine({"--rocket", "studio:99999"}).outcome, ParsedCommandLine::Outcome::Error);
    parsed = parseCommandLine({"--capture", "frames", "--rocket"});
    EXPECT_EQ(parsed.outcome, ParsedCommandLine::Outcome::Error);
    EXPECT_NE(parsed.error.find("--rocket"), std::string::npos) << parsed.error;
}
