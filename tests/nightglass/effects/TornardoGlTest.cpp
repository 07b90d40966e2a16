#include "../EffectGlTest.h"
#include "DataMirror.h"
#include "nightglass/effects/Tornardo.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/FsgReader.h"
#include "orvane/utils/scenegraph/FsgWriter.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

class TornardoGlTest : public NightglassTest::EffectGlTest {
protected:
    Nightglass::Tornardo& tornardo() { return dynamic_cast<Nightglass::Tornardo&>(effect("tornardo")); }
    float sectionStart() const { return demo.rowsToSeconds(1584); }
    std::vector<unsigned char> at(float t) { return drawAt(tornardo(), t, sectionStart() + t); }

    std::string loadError()
    {
        try {
            effect("tornardo");
        } catch (const Orvane::Exceptions::Exception& e) {
            return e.getMessage();
        }
        return "built";
    }
};

}

TEST_F(TornardoGlTest, DrawsTheFunnelOverTheScene)
{
    setCamera(-70, -330, 40, 0, 60, 70, 50);
    for (float t : {0.5f, 6.0f, 12.0f, 17.5f}) {
        auto picture = at(t);
        EXPECT_GT(nonUniformShare(picture), 0.3) << t;
        EXPECT_GT(meanBrightness(picture), 10.0) << t;
    }
    // A lightning strike on row 1728 lights the whole picture for a moment.
    float strike = demo.rowsToSeconds(1728) - sectionStart();
    double before = meanBrightness(at(strike - 0.2f));
    EXPECT_GT(meanBrightness(at(strike + 0.02f)), before * 1.15);
}

TEST_F(TornardoGlTest, TakesThePillarFirstThenTheSpheresAndAPictureDependsOnlyOnItsTime)
{
    Nightglass::Tornardo& effect = tornardo();
    float pillar = effect.cueOf("Box03");
    EXPECT_GT(pillar, 1.0f);
    int spheres = 0;
    for (const char* name : {"GeoSphere01", "GeoSphere05", "GeoSphere10", "GeoSphere15", "GeoSphere21"}) {
        float cue = effect.cueOf(name);
        if (cue >= 0) {
            ++spheres;
            EXPECT_GT(cue, pillar) << name;
            EXPECT_LT(cue, effect.length()) << name;
        }
    }
    EXPECT_GE(spheres, 3);
    EXPECT_LT(effect.cueOf("Box01"), 0.0f) << "a slab is ground, not debris";

    // The funnel only ever speeds up.
    for (float t = 0.1f; t < effect.length(); t += 0.1f)
        EXPECT_GT(effect.spinAt(t), effect.spinAt(t - 0.1f));

    setCamera(0, -250, 10, -40, -40, 90, 62);
    auto first = at(14.0f);
    at(4.0f);
    EXPECT_EQ(first, at(14.0f));
}

TEST_F(TornardoGlTest, AMissingSceneOrNodeIsNamed)
{
    {
        NightglassTest::DataMirror data({"scenes/mars9.fsg"});
        demo.dataFolder = data.folder();
        EXPECT_NE(loadError().find("scenes/mars9.fsg"), std::string::npos) << loadError();
    }
    auto scene = Orvane::Utils::SceneGraph::loadFsg(std::string(NIGHTGLASS_SOURCE_DIR) + "/data/scenes/mars9.fsg");
    auto& roots = scene->children();
    roots.erase(std::remove_if(roots.begin(), roots.end(), [](const auto& node) { return node->getName() == "Box03"; }),
                roots.end());
    NightglassTest::DataMirror data({"scenes/mars9.fsg"});
    std::filesystem::create_directories(data.file("scenes"));
    Orvane::Utils::SceneGraph::writeFsg(data.file("scenes/mars9.fsg"), *scene);
    demo.dataFolder = data.folder();
    std::string error = loadError();
    EXPECT_NE(error.find("scenes/mars9.fsg"), std::string::npos) << error;
    EXPECT_NE(error.find("Box03"), std::string::npos) << error;
}
