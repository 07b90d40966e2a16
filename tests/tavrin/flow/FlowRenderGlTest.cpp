#include "FlowTestSupport.h"
#include "orvane/utils/loaders/DefaultResourceProxy.h"

#include "orvane/State.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/sync/SyncTrack.h"

#include <algorithm>
#include <filesystem>
#include <set>

using namespace Tavrin::Flow;

namespace {

class FlowRenderGlTest : public TestSupport::GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped())
            return;
        Orvane::State::resetMatrices();
        demo.loadQuadShaders();
        options.nodeCountFile = dir.file("lol.dat");
    }

    // One frame as the demo's loop draws it: cleared to transparent black, matrices as the
    // previous frame left them.
    void frame(Node& root, float time)
    {
        device().clear(Orvane::ClearTarget::All, 0, 0, 0, 0, 1, 0);
        root.evaluate(time);
    }

    TestSupport::TempDir dir;
    FlowTest::TestDemo demo;
    LoadOptions options;
};

}

TEST_F(FlowRenderGlTest, ASmallTimelineDrawsWhatItsWindowsAndFadesSay)
{
    // At 120 bpm a sixteenth is 0.125 s: the red left half is shown from 1 s to 3 s, fading in
    // over its first second; the green square slides right by 0.25 a second.
    FlowTest::writeFile(dir.file("small.flow"), R"(<flow>
        <demo><bpm>120</bpm></demo>
        <clear><color r="0" g="0" b="0"/></clear>
        <ortho>
          <at time="8" length="16"><blend>
            <quad x="-1" y="-1" width="1" height="2">
              <color r="1" g="0" b="0"><a><fade start="0" stop="8" from="0" to="8"/></a></color>
            </quad>
          </blend></at>
          <translate><x><fade start="0" stop="32" from="0" to="8"/></x>
            <quad x="-0.25" y="-0.25" width="0.5" height="0.5"><color r="0" g="1" b="0"/></quad>
          </translate>
        </ortho>
      </flow>)");
    auto root = loadFlow(dir.file("small.flow"), demo, options);

    frame(*root, 0.5f);
    EXPECT_RGBA_NEAR(pixelAt(64, 128), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(128, 128), 0, 255, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(180, 128), 0, 0, 0, 255, 0);

    frame(*root, 1.5f);
    EXPECT_RGBA_NEAR(pixelAt(64, 128), 128, 0, 0, 191, 2);
    EXPECT_RGBA_NEAR(pixelAt(128, 128), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(176, 128), 0, 255, 0, 255, 0);

    frame(*root, 2.5f);
    EXPECT_RGBA_NEAR(pixelAt(64, 128), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(208, 128), 0, 255, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(160, 128), 0, 0, 0, 255, 0);

    frame(*root, 3.0f);
    EXPECT_RGBA_NEAR(pixelAt(64, 128), 0, 0, 0, 255, 0);
}

TEST_F(FlowRenderGlTest, TheSampleFlowPlaysItsSections)
{
    std::filesystem::current_path(NIGHTGLASS_SOURCE_DIR);
    std::vector<float> progress;
    options.progress = [&](float percent) { progress.push_back(percent); };
    Orvane::Utils::Loaders::DefaultResourceProxy textures("data/");
    options.loadTexture = [&](const std::string& name) { return textures.getTexture(name); };
    auto root = loadFlow("data/test.flow", demo, options);
    EXPECT_EQ(demo.dataFolder, "data/");
    EXPECT_EQ(demo.bpm, 162.0f);
    const std::set<std::string> parameterNames = {"x", "y", "position", "up", "angle", "axis"};
    for (const std::string& name : demo.askedFor)
        EXPECT_EQ(parameterNames.count(name), 1u) << "only parameter elements reach the registry, not " << name;
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(FlowTest::readCountFile(options.nodeCountFile), root->countNodes());

    // Each section shows more than one colour; the red, green and blue squares of the third
    // meet in white; the last bar fades everything to black.
    std::set<std::vector<std::uint8_t>> frames;
    for (float time : {3.0f, 8.0f, 16.0f, 19.0f, 60.0f}) {
        frame(*root, time);
        std::vector<std::uint8_t> pixels = readPixels(0, 0, Width, Height);
        std::set<std::uint32_t> colours;
        for (size_t i = 0; i < pixels.size(); i += 4)
            colours.insert(pixels[i] | pixels[i + 1] << 8 | pixels[i + 2] << 16);
        EXPECT_GT(colours.size(), 1u) << "at " << time;
        frames.insert(std::move(pixels));
        if (time == 16.0f) {
            SCOPED_TRACE("additive mix at the centre");
            EXPECT_RGBA_NEAR(pixelAt(128, 128), 255, 255, 255, 255, 1);
        }
    }
    EXPECT_EQ(frames.size(), 5u);
    frame(*root, 219.95f);
    std::vector<std::uint8_t> last = readPixels(0, 0, Width, Height);
    for (size_t i = 0; i < last.size(); i += 4)
        ASSERT_LE(std::max({last[i], last[i + 1], last[i + 2]}), 2) << "pixel " << i / 4;
}

TEST_F(FlowRenderGlTest, AQuadsColourAndATranslateFollowSyncTracksScaledAndOffset)
{
    // Red is 0.25 + 0.5 x track 12's y; the square moves right by track 5's x. Inside the window
    // the timeline's clock starts again, but tracks run on the demo's.
    FlowTest::writeFile(dir.file("synced.flow"), R"(<flow>
        <ortho><at time="0" length="1:0:0:0">
          <translate><x><sync track="5"/></x>
            <quad x="-0.25" y="-0.25" width="0.5" height="0.5">
              <color g="0" b="0"><r><sync track="12" component="y" scale="0.5" offset="0.25"/></r></color>
            </quad>
          </translate>
        </at></ortho>
      </flow>)");
    auto root = loadFlow(dir.file("synced.flow"), demo, options);
    Tavrin::Sync::SyncTrack brightness, slide;
    brightness.setKeys({{0.0f, {0, 0, 0, 0}, {0, 0, 0, 0}, Tavrin::Sync::InterpolationMode::Linear},
                        {2.0f, {0, 1, 0, 0}, {0, 1, 0, 0}, Tavrin::Sync::InterpolationMode::Linear}});
    slide.setKeys({{0.0f, {0, 0, 0, 0}, {0, 0, 0, 0}, Tavrin::Sync::InterpolationMode::Step},
                   {1.5f, {0.5f, 0, 0, 0}, {0.5f, 0, 0, 0}, Tavrin::Sync::InterpolationMode::Step}});
    auto frameWithTracksAt = [&](float time) {
        demo.syncValues[12] = brightness.evaluate(time);
        demo.syncValues[5] = slide.evaluate(time);
        frame(*root, 0.5f);
    };

    frameWithTracksAt(0.0f);
    EXPECT_RGBA_NEAR(pixelAt(128, 128), 64, 0, 0, 255, 1);
    frameWithTracksAt(1.0f);
    EXPECT_RGBA_NEAR(pixelAt(128, 128), 128, 0, 0, 255, 1);
    {
        SCOPED_TRACE("not moved yet");
        EXPECT_RGBA_NEAR(pixelAt(176, 128), 0, 0, 0, 0, 0);
    }
    frameWithTracksAt(2.0f);
    SCOPED_TRACE("moved right by a quarter of the screen");
    EXPECT_RGBA_NEAR(pixelAt(176, 128), 191, 0, 0, 255, 1);
    EXPECT_RGBA_NEAR(pixelAt(100, 128), 0, 0, 0, 0, 0);
}
