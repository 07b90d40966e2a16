#include "../EffectGlTest.h"
#include "nightglass/effects/Devil.h"
#include "orvane/RenderTarget.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/FsgReader.h"
#include "support/TempDir.h"

#include <GL/gl.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class DevilGlTest : public NightglassTest::EffectGlTest {
protected:
    Nightglass::Devil& devil() { return dynamic_cast<Nightglass::Devil&>(effect("devil")); }

    std::vector<unsigned char> frame(float t)
    {
        // A local time inside the devil's window of the soundtrack.
        return drawAt(devil(), t, 106.7f + t);
    }

    // Whether the head (or its horns or hair) stands in the middle of the scene: the sky leaves
    // the depth buffer clear, the meshes do not.
    bool somethingInTheMiddle()
    {
        Orvane::RenderTarget& scene = *demo.renderTargets[0];
        scene.bind();
        std::vector<float> depth(Height / 2);
        glReadPixels(Width / 2, Height / 4, 1, Height / 2, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        scene.unbind();
        return std::any_of(depth.begin(), depth.end(), [](float d) { return d < 0.999f; });
    }

    // Near-white pixels (the greetings' letters) in the band of rows where their names stand.
    static int whiteInGreetingBand(const std::vector<unsigned char>& rgba)
    {
        int count = 0;
        for (int y = 30; y < 60; ++y)
            for (int x = 0; x < Width; ++x) {
                const unsigned char* p = &rgba[size_t(y * Width + x) * 4];
                count += p[0] > 210 && p[1] > 190 && p[2] > 160;
            }
        return count;
    }
};

// A copy of the data folder, made of links, without one file.
void mirrorDataWithout(const fs::path& into, const std::string& missing)
{
    fs::path data = fs::absolute("data");
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        fs::path relative = fs::relative(entry.path(), data);
        if (entry.is_directory())
            fs::create_directories(into / relative);
        else if (relative.generic_string() != missing)
            fs::create_symlink(entry.path(), into / relative);
    }
}

}

TEST_F(DevilGlTest, DrawsTheHeadAtItsKeyMomentsTheSameForTheSameTime)
{
    setCamera(0, -170, 5, 0, 0, 0, 55);
    struct Moment {
        float t;
        const char* what;
    };
    for (Moment moment :
         {Moment{2.0f, "rising"}, Moment{7.0f, "swaying"}, Moment{12.2f, "spinning"}, Moment{19.0f, "headbanging"}}) {
        SCOPED_TRACE(moment.what);
        std::vector<unsigned char> picture = frame(moment.t);
        EXPECT_GT(nonUniformShare(picture), 0.2);
        EXPECT_GT(meanBrightness(picture), 15.0);
        EXPECT_TRUE(somethingInTheMiddle());
    }

    // Looking away from the head, the middle holds only sky.
    setCamera(0, -170, 5, 170, 0, 5, 55);
    frame(7.0f);
    EXPECT_FALSE(somethingInTheMiddle());
    setCamera(0, -170, 5, 0, 0, 0, 55);

    // Stateless: the same time gives the same picture, whatever was drawn in between.
    std::vector<unsigned char> first = frame(9.0f);
    frame(15.0f);
    EXPECT_EQ(frame(9.0f), first);

    // A greeting stands in the lower third while its slot lasts, and none after the last.
    EXPECT_GT(whiteInGreetingBand(frame(4.4f)), 100);
    EXPECT_LT(whiteInGreetingBand(frame(23.75f)), 10);
}

TEST_F(DevilGlTest, TheBassSwingsTheHair)
{
    Nightglass::Devil& effect = devil();
    demo.spectrum[0] = 0.0f;
    frame(8.0f);
    std::vector<Orvane::Vector3> quiet;
    for (int i = 0; i < effect.hair().strandCount(); ++i)
        quiet.push_back(effect.hair().point(i, Nightglass::Devil::HairSegments));
    demo.spectrum[0] = 0.3f;
    frame(8.0f);
    float moved = 0;
    for (int i = 0; i < effect.hair().strandCount(); ++i)
        moved = std::max(moved,
                         Orvane::length(effect.hair().point(i, Nightglass::Devil::HairSegments) - quiet[size_t(i)]));
    EXPECT_GT(moved, 10.0f) << "loud bass should swing the hair tips";
}

TEST_F(DevilGlTest, TheCrashFlashKeepsToItsRowAtAnotherTempo)
{
    // A flow at 120 bpm: the crash on row 128 of the section comes at 16 s, not at 11.85 s.
    demo.bpm = 120.0f;
    setCamera(0, -170, 5, 0, 0, 0, 55);
    double beforeCrash = meanBrightness(frame(15.6f));
    EXPECT_GT(meanBrightness(frame(16.03f)), beforeCrash * 1.3) << "the flash is on row 128 at this tempo";
    double atTheOldTime = meanBrightness(frame(11.88f));
    EXPECT_LT(atTheOldTime, meanBrightness(frame(11.5f)) * 1.15) << "no flash where 162 bpm would put it";
}

TEST_F(DevilGlTest, SceneAnimatesTheHeadAndGrowsTheHornsOnIt)
{
    auto scene = Orvane::Utils::SceneGraph::loadFsg("data/scenes/devil.fsg");
    Orvane::Utils::SceneGraph::Node* head = scene->findByName("GeoSphere01");
    ASSERT_NE(head, nullptr);
    Orvane::Utils::SceneGraph::Node* horns = head->findByName("Mesh01");
    ASSERT_NE(horns, nullptr) << "the horns must hang under the head to follow it";
    ASSERT_FALSE(head->meshInstances().empty());
    ASSERT_FALSE(horns->meshInstances().empty());
    scene->update(0.5f);
    float risingZ = head->getWorldPosition().z;
    float budding = horns->getLocalMatrix()[0];
    scene->update(6.0f);
    EXPECT_GT(head->getWorldPosition().z, risingZ + 30.0f) << "the head rises out of the dark";
    EXPECT_LT(budding, 0.1f);
    EXPECT_NEAR(horns->getLocalMatrix()[0], 1.0f, 0.05f);
}

TEST_F(DevilGlTest, AMissingAssetIsNamedInTheError)
{
    // In loading order: what an earlier attempt loaded stays in the cache.
    for (const char* missing : {"textures/hair.png", "shaders/devil.cg", "scenes/devil.fsg", "overlays/greet5.png"}) {
        SCOPED_TRACE(missing);
        TestSupport::TempDir folder;
        mirrorDataWithout(folder.path(), missing);
        demo.dataFolder = folder.path().string() + "/";
        try {
            effect("devil");
            ADD_FAILURE() << "built without " << missing;
        } catch (const Orvane::Exceptions::Exception& e) {
            EXPECT_NE(e.getMessage().find(missing), std::string::npos) << e.getMessage();
        }
    }
}
