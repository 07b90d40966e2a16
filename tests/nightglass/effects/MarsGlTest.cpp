#include "../EffectGlTest.h"
#include "DataMirror.h"
#include "nightglass/effects/Mars.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/Random.h"
#include "orvane/utils/scenegraph/FsgWriter.h"
#include "orvane/utils/scenegraph/Scene.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

using Nightglass::Mars;
using Nightglass::MarsSmoke;

namespace {

std::array<Orvane::Vector3, MarsSmoke::Emitters> spreadEmitters()
{
    std::array<Orvane::Vector3, MarsSmoke::Emitters> emitters{};
    for (int i = 0; i < MarsSmoke::Emitters; ++i)
        emitters[size_t(i)] = {float(i) * 100.0f, -50.0f, 10.0f};
    return emitters;
}

// Fresh puffs are bright; records never written, or long faded, are dark.
bool fresh(const MarsSmoke::Puff& puff) { return puff.color[0] > 0.5f; }

float component(const Orvane::Vector3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

std::string sceneNodeName(int i)
{
    char name[16];
    std::snprintf(name, sizeof name, "GeoSphere%02d", i);
    return name;
}

class MarsGlTest : public NightglassTest::EffectGlTest {
protected:
    Mars& mars() { return dynamic_cast<Mars&>(effect("mars")); }
};

}

TEST(MarsSmoke, FrameTimeDecidesHowManyStepsAreEmittedAndWhetherPuffsMove)
{
    Orvane::Utils::seedRandom(1);
    MarsSmoke smoke;
    auto emitters = spreadEmitters();

    ASSERT_TRUE(smoke.update(0.05f, 1.0f, emitters));
    EXPECT_EQ(smoke.next, 128);
    for (int j = 0; j < 128; ++j)
        ASSERT_TRUE(fresh(smoke.puffs[size_t(j)])) << j;
    EXPECT_FALSE(fresh(smoke.puffs[128]));
    EXPECT_EQ(smoke.puffs[0].big, 1);
    EXPECT_EQ(smoke.puffs[64].big, 1);
    EXPECT_EQ(smoke.puffs[1].big, 0);

    // The accumulator now holds 0.01 s: another 0.005 s completes no step.
    std::vector<MarsSmoke::Puff> before = smoke.puffs;
    EXPECT_FALSE(smoke.update(0.005f, 1.1f, emitters));
    EXPECT_EQ(smoke.next, 128);
    EXPECT_EQ(std::memcmp(before.data(), smoke.puffs.data(), before.size() * sizeof(MarsSmoke::Puff)), 0);

    // The next step that completes moves every puff, the ones emitted long ago too.
    ASSERT_TRUE(smoke.update(0.02f, 1.2f, emitters));
    EXPECT_GT(smoke.puffs[3].position.z, before[3].position.z);
    EXPECT_LT(smoke.puffs[3].color[3], before[3].color[3]);

    // A stall of days: in float, 1e6 - 0.02 is 1e6 again, so stepping it all off never ends.
    ASSERT_TRUE(smoke.update(1.0e6f, 2.0f, emitters));
    EXPECT_LE(smoke.pending, MarsSmoke::StepSeconds);
}

TEST(MarsSmoke, PuffsStartAtTheirEmittersAndTheRingWraps)
{
    Orvane::Utils::seedRandom(1);
    MarsSmoke smoke;
    auto emitters = spreadEmitters();
    smoke.next = 5990;
    smoke.emitStep(emitters);
    EXPECT_EQ(smoke.next, 54);
    EXPECT_TRUE(fresh(smoke.puffs[5999]));
    EXPECT_TRUE(fresh(smoke.puffs[53]));
    EXPECT_FALSE(fresh(smoke.puffs[54]));
    EXPECT_FALSE(fresh(smoke.puffs[5989]));

    // Slot 5990 is the marker's; slot (5990 + s) mod 6000 belongs to sphere s.
    int sparks = 0, puffs = 0;
    for (int step = 0; step < 50; ++step) {
        int first = smoke.next;
        smoke.emitStep(emitters);
        for (int s = 0; s < MarsSmoke::Emitters; ++s) {
            const MarsSmoke::Puff& puff = smoke.puffs[size_t((first + s) % MarsSmoke::Capacity)];
            // Scattered by 6.55 r - 3 round the marker and 0.55 r - 0.25 round a sphere, r in [-1, 1].
            float below = s == 0 ? 9.55f : 0.8f, above = s == 0 ? 3.55f : 0.3f;
            for (int axis = 0; axis < 3; ++axis) {
                float offset = component(puff.position, axis) - component(emitters[size_t(s)], axis);
                ASSERT_GE(offset, -below - 1e-3f) << s;
                ASSERT_LE(offset, above + 1e-3f) << s;
            }
            if (s > 0) {
                ++puffs;
                sparks += puff.color[3] == 0.0f && puff.size == 1.0f;
            }
        }
    }
    // One sphere puff in twenty, on average, is a spark.
    EXPECT_GT(sparks, puffs / 40);
    EXPECT_LT(sparks, puffs / 10);
}

TEST_F(MarsGlTest, BlackAndWhitePictureWithTheFlashAtItsPeak)
{
    Mars& effect = mars();
    setCamera(-120, -70, 26, -45, 0, 10);
    // Past the opening and with silent music, the dither leaves the picture as it is.
    std::vector<unsigned char> before;
    for (float t = 2.5f; t < 2.8f; t += 0.05f)
        before = drawAt(effect, t, 45.0f + t, 0.05f);
    std::vector<unsigned char> peak = drawAt(effect, 2.85f, 47.85f, 0.05f);
    std::vector<unsigned char> after = drawAt(effect, 3.05f, 48.05f, 0.05f);

    EXPECT_GT(nonUniformShare(before), 0.3) << "the scene fills the frame";
    int colourful = 0;
    for (size_t i = 0; i < before.size(); i += 4)
        colourful += std::abs(int(before[i]) - int(before[i + 1])) > 8
            || std::abs(int(before[i + 1]) - int(before[i + 2])) > 8;
    EXPECT_EQ(colourful, 0);

    EXPECT_GT(meanBrightness(peak), 180.0);
    EXPECT_GT(meanBrightness(peak), meanBrightness(before) + 60.0);
    EXPECT_NEAR(meanBrightness(after), meanBrightness(before), 30.0);
    EXPECT_FLOAT_EQ(effect.flash(2.8f), 0.0f);
    EXPECT_FLOAT_EQ(effect.flash(3.05f), 0.0f);
}

TEST_F(MarsGlTest, OpeningDitherFallsFromFullToNoneOver512Rows)
{
    Mars& effect = mars();
    float rows512 = 512 * 60.0f / (4 * demo.bpm);
    EXPECT_FLOAT_EQ(effect.openingDitherLevel(0), 1.0f);
    EXPECT_NEAR(effect.openingDitherLevel(rows512), 0.0f, 1e-6f);

    // Drawn in the opening, the override wins over the music level.
    demo.spectrum[0] = 0.3f;
    drawAt(effect, 0.5f, 20.0f);
    EXPECT_FLOAT_EQ(effect.ditherLevel.value(), effect.openingDitherLevel(20.0f));
}

TEST_F(MarsGlTest, SceneMissingANodeIsAnErrorNamingFileAndNode)
{
    NightglassTest::DataMirror data({});
    demo.dataFolder = data.folder();
    const std::string sceneName = "mars_missing_node.fsg", path = data.file(sceneName);
    for (const std::string missing : {"GeoSphere17", "Dummy01", "Box02"}) {
        Orvane::Utils::SceneGraph::Scene scene;
        for (int i = 1; i <= Mars::SphereCount; ++i)
            scene.addChild(std::make_unique<Orvane::Utils::SceneGraph::Node>(sceneNodeName(i)));
        for (const char* name : {"Dummy01", "Box01", "Box02", "Box03"})
            scene.addChild(std::make_unique<Orvane::Utils::SceneGraph::Node>(name));
        scene.findByName(missing)->setName("Renamed");
        Orvane::Utils::SceneGraph::writeFsg(path, scene);
        try {
            Mars effect(&demo, sceneName);
            ADD_FAILURE() << "a scene without " << missing << " was accepted";
        } catch (const Orvane::Exceptions::Exception& e) {
            EXPECT_NE(e.getMessage().find(path), std::string::npos) << e.getMessage();
            EXPECT_NE(e.getMessage().find("\"" + missing + "\""), std::string::npos) << e.getMessage();
        }
    }
}

TEST_F(MarsGlTest, ShownAgainItStartsFromClearAir)
{
    Mars& effect = mars();
    for (float t = 0; t < 1.0f; t += 0.05f)
        drawAt(effect, t, 17.8f + t, 0.05f);
    ASSERT_GT(effect.smoke.next, 1000);
    // A frame goes by without the effect: the next showing begins with only its own two steps.
    demo.countFrame();
    drawAt(effect, 0.05f, 41.5f, 0.05f);
    EXPECT_EQ(effect.smoke.next, 128);
    for (int j = 128; j < MarsSmoke::Capacity; ++j)
        ASSERT_FALSE(fresh(effect.smoke.puffs[size_t(j)])) << j;
}
