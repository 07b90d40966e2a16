#include "ByteStreams.h"
#include "SceneBuilding.h"
#include "support/TempDir.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/FsgReader.h"
#include "orvane/utils/scenegraph/FsgWriter.h"

#include <gtest/gtest.h>

using namespace Orvane::Utils::SceneGraph;
using TestSupport::ByteReader;
using TestSupport::ByteWriter;

namespace {

std::unique_ptr<Scene> writeAndRead(const Scene& scene)
{
    ByteWriter file;
    writeFsg(file, scene);
    ByteReader stream(file.bytes());
    auto back = loadFsg(stream);
    EXPECT_EQ(size_t(stream.position()), file.bytes().size());
    return back;
}

class Wobble : public Controller<float> {
public:
    float Sample(float time) override { return time * 2.0f; }
};

}

TEST(FsgWriter, WrittenSceneAnimatesTheSameWorldMatrices)
{
    auto scene = TestSupport::animatedScene();
    auto back = writeAndRead(*scene);
    TestSupport::expectSameAnimation(*scene, *back, {"root", "arm", "hand", "sibling"});
}

TEST(FsgWriter, FilesRoundTripAndRefusedScenesLeaveNoFile)
{
    TestSupport::TempDir dir;
    auto scene = TestSupport::animatedScene();
    writeFsg(dir.file("scene.fsg"), *scene);
    auto back = loadFsg(dir.file("scene.fsg"));
    TestSupport::expectSameAnimation(*scene, *back, {"hand", "sibling"});

    Scene refused;
    refused.addTransform(makeScale(2.0f, 2.0f, 2.0f));
    EXPECT_THROW(writeFsg(dir.file("refused.fsg"), refused), Orvane::Exceptions::Exception);
    EXPECT_FALSE(std::filesystem::exists(dir.file("refused.fsg")));
}

TEST(FsgWriter, WrittenTablesKeepTheirRecordsAndLinks)
{
    auto scene = TestSupport::animatedScene();
    auto back = writeAndRead(*scene);

    const Entity& light = *back->entityTableA().at("light");
    EXPECT_EQ(light.getName(), "Light01");
    EXPECT_EQ(light.firstDetail, "spot");
    EXPECT_FLOAT_EQ(light.findParameter("colour")->components[2]->Sample(0.5f), 0.75f);
    EXPECT_EQ(back->entityTableB().at("camera")->getName(), "Camera01");

    const Material& paint = *back->materials().at("paint");
    ASSERT_EQ(paint.slots().size(), 1u);
    EXPECT_EQ(paint.slots()[0].textureName, "paint.png");

    const Node& hand = *back->findByName("hand");
    ASSERT_EQ(hand.meshInstances().size(), 1u);
    EXPECT_EQ(hand.meshInstances()[0].material, &paint);
    EXPECT_EQ(hand.meshInstances()[0].mesh, nullptr);
    EXPECT_EQ(back->meshes().count("absent"), 1u) << "the reader leaves an empty entry for an unknown key";
    EXPECT_EQ(hand.entityReferencesA()[0].entity, &light);
    EXPECT_EQ(hand.entityReferencesB()[0].entity, back->entityTableB().at("camera").get());
}

TEST(FsgWriter, WhatTheFormatCannotStoreIsRefused)
{
    Scene scene;
    Node& node = scene.addChild(std::make_unique<Node>("odd"));
    node.addTransform(makeTranslation(std::make_unique<Wobble>(), constantChannel(0.0f), constantChannel(0.0f)));
    ByteWriter file;
    try {
        writeFsg(file, scene);
        FAIL() << "an unwritable controller was accepted";
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_EQ(e.getMessage(),
                  "writeFsg(): a transform of the node \"odd\" is animated by a controller that scene files "
                  "cannot store");
    }

    Scene mixed;
    auto entity = std::make_unique<Entity>("E");
    AnimatedParameter parameter{"p", {}};
    parameter.components.push_back(TestSupport::constant(1.0f));
    parameter.components.push_back(TestSupport::linear({{0.0f, 1.0f}}));
    entity->parameters().push_back(std::move(parameter));
    mixed.entityTableA()["e"] = std::move(entity);
    EXPECT_THROW(writeFsg(file, mixed), Orvane::Exceptions::Exception);
}
