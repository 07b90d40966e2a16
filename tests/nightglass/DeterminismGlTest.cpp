#include "nightglass/Nightglass.h"
#include "nightglass/kit/BranchNode.h"
#include "orvane/MessageBox.h"
#include "orvane/ProcessState.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/CommandLine.h"
#include "tavrin/capture/CapturePlan.h"

#include <tinyxml2.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The production's sections: where each top-level window of its flow begins, in seconds.
std::vector<float> sectionStarts()
{
    Nightglass::Nightglass demo;
    tinyxml2::XMLDocument flow;
    EXPECT_EQ(flow.LoadFile(demo.flowFileName.c_str()), tinyxml2::XML_SUCCESS);
    std::vector<float> starts;
    for (auto* at = flow.RootElement()->FirstChildElement("at"); at; at = at->NextSiblingElement("at"))
        starts.push_back(demo.rowsToSeconds(at->FloatAttribute("time")));
    return starts;
}

// Captures the given frames of the production at fps into a folder of PNG files.
void capture(const std::string& folder, const std::vector<long>& frames, int fps)
{
    std::string times;
    for (long frame : frames) {
        char text[32];
        std::snprintf(text, sizeof text, "%s%.9g", times.empty() ? "" : ",", double(float(frame / double(fps))));
        times += text;
    }
    Tavrin::ParsedCommandLine parsed = Tavrin::parseCommandLine(
        {"--capture", folder, "--times", times, "--fps", std::to_string(fps), "--size", "48x27", "--aa", "0"});
    ASSERT_EQ(parsed.outcome, Tavrin::ParsedCommandLine::Outcome::Run) << parsed.error;
    // Each capture is a run of its own, as if in a process of its own: the generator the demo
    // draws its random points from starts at seed 1 again.
    Orvane::resetProcessState();
    Orvane::MessageBox::setSink([](const std::string&, const std::string&) {});
    Nightglass::branchRandom() = Nightglass::BranchRandom{};
    Nightglass::Nightglass demo;
    ASSERT_EQ(demo.run(parsed.options), 0);
}

}

// Played from the start of each section, or jumped into anywhere in it, forwards or back: the
// same frame is the same picture, at 30 frames a second in every section and at 60 in the three
// with the longest histories (the second mars, the explosion and the logo's smoke).
TEST(DeterminismGlTest, AFrameIsTheSameWhereverTheCaptureStarted)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    const std::vector<float> starts = sectionStarts();
    ASSERT_GE(starts.size(), 2u);
    const size_t mars = 3, explosion = 4, logo = 9;
    for (int fps : {30, 60}) {
        SCOPED_TRACE(std::to_string(fps) + " frames a second");
        // Each section played for 2 s from its first frame; the explosion's first fire longer,
        // past the first impact, where the fire starts afresh.
        std::vector<long> played, jumps;
        for (size_t s = 0; s < starts.size(); ++s) {
            if (fps == 60 && s != mars && s != explosion && s != logo)
                continue;
            float seconds = s == explosion ? 6.5f : 2.0f;
            long first = long(std::floor(double(starts[s]) * fps)) + 1;
            long last = first + long(seconds * float(fps));
            for (long frame = first; frame <= last; ++frame)
                played.push_back(frame);
            for (long frame : {last, first + fps / 2, last - 1})
                jumps.push_back(frame);
        }
        TestSupport::TempDir dir;
        capture(dir.file("played"), played, fps);
        capture(dir.file("jumped"), jumps, fps);
        for (long frame : jumps) {
            std::string name = Tavrin::Capture::captureFrameFileName("", frame);
            std::string playedFrame = bytesOf(dir.file("played/" + name));
            ASSERT_FALSE(playedFrame.empty()) << name;
            EXPECT_TRUE(playedFrame == bytesOf(dir.file("jumped/" + name)))
                << name << " at " << double(frame) / fps << " s differs";
        }
    }
}
