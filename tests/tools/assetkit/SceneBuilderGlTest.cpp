#include "assetkit/SceneBuilder.h"
#include "assetkit/Shapes.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/FsgReader.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using AssetKit::SceneBuilder;

// Reading a scene puts its meshes in GL buffers, so the round trip needs a context.
class SceneBuilderRoundTripGlTest : public TestSupport::GlTest {};

TEST_F(SceneBuilderRoundTripGlTest, WrittenSceneReadsBackWithTheSameAnimation)
{
    SceneBuilder builder;
    builder.addMesh("ball", AssetKit::makeSphere(0.5f, 6, 8));
    auto& orbit = builder.addNode("Orbit");
    builder.rotate(orbit, 0, 1, 0, SceneBuilder::linear({{0, 0}, {4, 360}}));
    auto& moon = builder.addNode("Moon", &orbit);
    builder.translate(moon, SceneBuilder::constant(3), SceneBuilder::linear({{0, 0}, {2, 1}, {4, 0}}),
                      SceneBuilder::constant(0));
    builder.scale(moon, SceneBuilder::constant(0.5f), SceneBuilder::constant(0.5f), SceneBuilder::constant(0.5f));
    builder.instance(moon, "ball");

    TestSupport::TempDir dir;
    builder.save(dir.file("orbit.fsg"));
    auto scene = Orvane::Utils::SceneGraph::loadFsg(dir.file("orbit.fsg"));
    ASSERT_NE(scene->findByName("Moon"), nullptr);
    EXPECT_EQ(scene->meshes().count("ball"), 1u);
    EXPECT_EQ(scene->findByName("Moon")->meshInstances().size(), 1u);
    for (float t : {0.0f, 0.7f, 1.0f, 2.0f, 3.3f}) {
        builder.scene().update(t);
        scene->update(t);
        const auto& built = builder.scene().findByName("Moon")->getWorldMatrix();
        const auto& read = scene->findByName("Moon")->getWorldMatrix();
        for (int i = 0; i < 16; ++i)
            ASSERT_NEAR(built[i], read[i], 1e-5f) << "t " << t << " element " << i;
    }
    // A quarter turn about y carries the moon from +x to -z, with the height of its keys.
    scene->update(1.0f);
    auto p = scene->findByName("Moon")->getWorldPosition();
    EXPECT_NEAR(p.x, 0.0f, 1e-3f);
    EXPECT_NEAR(p.y, 0.5f, 1e-5f);
    EXPECT_NEAR(p.z, -3.0f, 1e-3f);
}

TEST(SceneBuilder, UnknownMeshesAndUnwritablePathsAreErrors)
{
    SceneBuilder builder;
    auto& node = builder.addNode("Lonely");
    EXPECT_THROW(builder.instance(node, "missing"), Orvane::Exceptions::Exception);
    EXPECT_THROW(builder.save("/nonexistent/folder/scene.fsg"), Orvane::Exceptions::Exception);
}
