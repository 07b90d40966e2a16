#include "FlowTestSupport.h"

#include "orvane/State.h"
#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"

using namespace Tavrin::Flow;
using FlowTest::matricesNear;

namespace {

// Render-state checks that need no GL context: the registry probes record the matrices.
class FlowTransforms : public ::testing::Test {
protected:
    void SetUp() override
    {
        Orvane::State::resetMatrices();
        options.nodeCountFile = dir.file("lol.dat");
    }

    void play(const std::string& body, float time)
    {
        FlowTest::writeFile(dir.file("t.flow"), "<flow>" + body + "</flow>");
        loadFlow(dir.file("t.flow"), demo, options)->evaluate(time);
    }

    const FlowTest::Sighting& first() { return demo.probe().sightings.at(0); }
    const FlowTest::Sighting& second() { return demo.probe2().sightings.at(0); }

    TestSupport::TempDir dir;
    FlowTest::TestDemo demo;
    LoadOptions options;
};

Orvane::Matrix4 translation(float x, float y, float z)
{
    Orvane::Matrix4 m;
    m.setTranslation(x, y, z);
    return m;
}

}

TEST_F(FlowTransforms, RotateInsideTranslateRotatesAboutTheOriginOnly)
{
    play(R"(<translate x="3" y="1"><probe/><rotate angle="90"><axis y="2"/><probe2/></rotate></translate>)", 0.0f);
    EXPECT_TRUE(matricesNear(first().world, translation(3, 1, 0)));
    Orvane::Matrix4 rotation;
    rotation.setRotation(90.0f, 0.0f, 1.0f, 0.0f);
    EXPECT_TRUE(matricesNear(second().world, rotation));
    EXPECT_EQ(Orvane::State::matrices().world, Orvane::Matrix4()) << "world comes back after the translate";
}

TEST_F(FlowTransforms, TranslatesComposeAndFollowTheirFades)
{
    demo.bpm = 120.0f;
    play(
        R"(<translate x="1"><translate><y><fade start="0" stop="8" from="0" to="16"/></y><probe/></translate></translate>)",
        0.5f);
    EXPECT_TRUE(matricesNear(first().world, translation(1, 1, 0)));
}

TEST_F(FlowTransforms, AZeroAxisLeavesTheWorldUnrotatedInsteadOfNaN)
{
    play(R"(<translate x="2"><rotate angle="45"><axis/><probe/></rotate></translate>)", 0.0f);
    EXPECT_EQ(first().world, Orvane::Matrix4());
}

TEST_F(FlowTransforms, PerspectiveStaysForLaterSiblingsWhileOrthoIsScopedToItsChildren)
{
    play(R"(<perspective fov="60" aspect="1.5" near_plane="2" far_plane="50"/>)"
         R"(<ortho left="-2" right="2" top="3" bottom="-1"><probe/></ortho><probe2/>)",
         0.0f);
    EXPECT_TRUE(matricesNear(first().projection, FlowTest::orthoMatrix(-2, 2, -1, 3)));
    EXPECT_TRUE(matricesNear(second().projection, FlowTest::perspectiveMatrix(60, 1.5f, 2, 50)));
}

TEST_F(FlowTransforms, PerspectiveParametersAnimate)
{
    demo.bpm = 120.0f;
    play(R"(<perspective><fov><fade start="0" stop="8" from="0" to="8"/></fov><probe/></perspective>)", 0.25f);
    EXPECT_TRUE(matricesNear(first().projection, FlowTest::perspectiveMatrix(0.25f, demo.aspect, 1, 1000)));
}

TEST_F(FlowTransforms, CameraDefaultsAndItsViewOutlivesIt)
{
    play(R"(<camera><position x="5"/><probe/></camera><probe2/>)", 0.0f);
    Orvane::Matrix4 expected;
    expected.setLookAt(5, 0, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_TRUE(matricesNear(first().view, expected));
    EXPECT_TRUE(matricesNear(second().view, expected));

    play(R"(<camera><probe2/></camera>)", 0.0f);
    expected.setLookAt(100, 100, 100, 0, 0, 0, 0, 0, 1);
    EXPECT_TRUE(matricesNear(demo.probe2().sightings.at(1).view, expected));
}

TEST_F(FlowTransforms, AQuadWithoutItsBuiltInShaderIsAnErrorNotACrash)
{
    try {
        play("<quad/>", 0.0f);
        FAIL() << "drew without a shader";
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_EQ(e.getMessage(), "quad: built-in shader 0 is not loaded");
    }
}
