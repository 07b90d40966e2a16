#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/CommandLine.h"
#include "tavrin/Demo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <new>

namespace {

// An effect registry that runs out of memory building its first effect.
class StarvedDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { throw std::bad_alloc(); }
};

}

TEST(DemoRun, AStandardLibraryErrorEndsTheRunWithAMessageNotAnAbort)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    std::ofstream(dir.file("effect.flow")) << "<flow><demo><data_folder>data/</data_folder></demo><dome/></flow>";
    Tavrin::ParsedCommandLine parsed = Tavrin::parseCommandLine(
        {"--flow", dir.file("effect.flow"), "--capture", dir.file("frames"), "--times", "1", "--size", "64x36"});
    ASSERT_EQ(parsed.outcome, Tavrin::ParsedCommandLine::Outcome::Run);
    StarvedDemo demo;
    testing::internal::CaptureStderr();
    int status = demo.run(parsed.options);
    std::string stderrText = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_NE(stderrText.find("Orvane Exception: std::bad_alloc"), std::string::npos) << stderrText;
}
