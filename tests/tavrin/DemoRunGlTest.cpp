#include "orvane/MessageBox.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/CommandLine.h"
#include "tavrin/Demo.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <new>
#include <thread>

namespace {

// An effect registry that runs out of memory building its first effect.
class StarvedDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { throw std::bad_alloc(); }
};

// Notes how many frames the device had presented whenever the registry is asked for an effect,
// and at the first draw. A "slow" element takes longer to build than the longest wait after a
// present; "close" queues a burst of events that ends with a close request.
class PresentCountingDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement& element) override
    {
        presentsSeen.push_back(device()->presentCount());
        std::string name = element.Name();
        if (name == "slow")
            std::this_thread::sleep_for(std::chrono::milliseconds(120));
        if (name == "close")
            queueCloseBehindOtherEvents();
        return &marker_;
    }

    std::vector<int> presentsSeen;
    int presentsAtFirstDraw = -1;
    int draws = 0;

private:
    class Marker : public Tavrin::Flow::VisualContainerNode {
    public:
        explicit Marker(PresentCountingDemo* owner)
            : VisualContainerNode(owner)
            , owner_(owner)
        {}
        void draw(float) override
        {
            if (owner_->draws++ == 0)
                owner_->presentsAtFirstDraw = owner_->device()->presentCount();
        }

    private:
        PresentCountingDemo* owner_;
    };

    static void queueCloseBehindOtherEvents()
    {
        SDL_Event event{};
        event.type = SDL_USEREVENT;
        for (int i = 0; i < 20; ++i)
            SDL_PushEvent(&event);
        event.type = SDL_QUIT;
        SDL_PushEvent(&event);
    }

    Marker marker_{this};
};

std::string flowOf(const TestSupport::TempDir& dir, const std::string& settings, const std::string& body)
{
    std::string path = dir.file("run.flow");
    std::ofstream(path) << "<flow><demo><data_folder>data/</data_folder>" << settings << "</demo>" << body << "</flow>";
    return path;
}

std::string repeated(const std::string& element, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += element;
    return text;
}

int runDemo(Tavrin::Demo& demo, const std::vector<std::string>& arguments)
{
    Tavrin::ParsedCommandLine parsed = Tavrin::parseCommandLine(arguments);
    EXPECT_EQ(parsed.outcome, Tavrin::ParsedCommandLine::Outcome::Run);
    return demo.run(parsed.options);
}

}

TEST(DemoRunGlTest, FlowLoadingPresentsAFewTimesYetEveryStageBoundaryAndAProgressAfterASlowElement)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    std::string flow = flowOf(dir, "", repeated("<mark/>", 2000) + "<slow/><mark/>");
    PresentCountingDemo demo;
    ASSERT_EQ(runDemo(demo, {"--flow", flow, "--capture", dir.file("frames"), "--times", "0", "--size", "64x36"}), 0);

    ASSERT_EQ(demo.presentsSeen.size(), 2002u);
    EXPECT_EQ(demo.presentsSeen[0], 3) << "1, 5 and 10 are each presented";
    EXPECT_LT(demo.presentsSeen[2000] - demo.presentsSeen[0], 200) << "2000 quick elements, few presents";
    EXPECT_EQ(demo.presentsSeen[2001], demo.presentsSeen[2000] + 1) << "progress after a slow element is shown";
    int afterFlow = demo.presentsAtFirstDraw - demo.presentsSeen[2001];
    EXPECT_GE(afterFlow, 2) << "80 and 100 are each presented";
    EXPECT_LE(afterFlow, 3);
}

TEST(DemoRunGlTest, ACloseRequestQueuedDuringLoadingEndsTheDemoBeforeTheFirstFrameIsDrawn)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    // Few of the reports after the request are presented; the events must still be taken.
    std::string flow = flowOf(dir, "", repeated("<mark/>", 50) + "<close/>" + repeated("<mark/>", 200));
    PresentCountingDemo demo;
    // Near the end time, so that a lost request costs a fraction of a second, not the whole demo.
    EXPECT_EQ(runDemo(demo, {"--no-dialog", "--windowed", "--size", "64x36", "--start", "219.8", "--flow", flow}), 0);
    EXPECT_EQ(demo.draws, 0);
}

TEST(DemoRunGlTest, DamagedMusicDecodedWhileTheFlowLoadsIsReportedInItsBoxesAndTheDemoRunsOn)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    std::ofstream(dir.file("damaged.ogg"), std::ios::binary) << "OggS and then nothing a decoder could use";
    std::string music = std::filesystem::relative(dir.file("damaged.ogg"), "data").string();
    std::string flow = flowOf(dir, "<music>" + music + "</music>", "<mark/>");
    PresentCountingDemo demo;
    std::vector<std::string> boxes;
    Orvane::MessageBox::setSink(
        [&](const std::string& caption, const std::string& text) { boxes.push_back(caption + ": " + text); });
    testing::internal::CaptureStderr();
    // A live run, near the end time: a capture would rightly refuse to go on without its music.
    int status = runDemo(demo, {"--no-dialog", "--windowed", "--size", "64x36", "--start", "219.9", "--flow", flow});
    std::string stderrText = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 0);
    // Where a display can draw boxes these would wait for a click (and the first, "BASS error", comes
    // when there is no sound device); the sink takes them instead.
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[boxes.size() - 2], "BASS: BASS error, file not found?");
    EXPECT_EQ(boxes.back(), "BASS: BASS error, can not play stream?");
    size_t named = stderrText.find("damaged.ogg");
    size_t notFound = stderrText.find("BASS: BASS error, file not found?\n");
    size_t cannotPlay = stderrText.find("BASS: BASS error, can not play stream?\n");
    ASSERT_NE(named, std::string::npos) << stderrText;
    ASSERT_NE(notFound, std::string::npos) << stderrText;
    ASSERT_NE(cannotPlay, std::string::npos) << stderrText;
    EXPECT_LT(named, notFound);
    EXPECT_LT(notFound, cannotPlay);
    EXPECT_GE(demo.draws, 1);
}

TEST(DemoRunGlTest, AStandardLibraryErrorEndsTheRunWithAMessageNotAnAbort)
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
