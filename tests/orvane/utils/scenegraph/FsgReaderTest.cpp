#include "FsgBytes.h"
#include "support/TempDir.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/FsgReader.h"
#include "orvane/utils/scenegraph/LinearTrack.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace Orvane::Utils::SceneGraph;
using Orvane::Exceptions::UnsupportedFormatException;
using TestSupport::ByteReader;
using TestSupport::Bytes;
using TestSupport::ByteWriter;

namespace {

std::unique_ptr<Scene> load(const ByteWriter& file, const TextureResolver& resolver = {})
{
    ByteReader stream(file.bytes());
    auto scene = loadFsg(stream, resolver);
    EXPECT_EQ(size_t(stream.position()), file.bytes().size()) << "the scene was not read to its end";
    return scene;
}

std::string formatError(const Bytes& bytes)
{
    ByteReader stream(bytes);
    try {
        loadFsg(stream);
    } catch (const UnsupportedFormatException& e) {
        return e.getMessage();
    }
    return "no UnsupportedFormatException";
}

// One root node holding a single transform of the given kind and block.
ByteWriter sceneWithTransform(const std::string& kind)
{
    ByteWriter w;
    TestSupport::emptyTables(w).i32(1);
    TestSupport::plainNode(w, "n").i32(1);
    w.str(kind);
    return w;
}

void expectPoint(const Orvane::Vector3t<float>& p, float x, float y, float z)
{
    EXPECT_NEAR(p.x, x, 1e-5f);
    EXPECT_NEAR(p.y, y, 1e-5f);
    EXPECT_NEAR(p.z, z, 1e-5f);
}

}

TEST(FsgReader, AnyChangedMagicByteIsRejectedWithTheVersionMessage)
{
    for (size_t i = 0; i < 6; ++i) {
        ByteWriter w;
        TestSupport::emptyTables(w).i32(0);
        Bytes bytes = w.bytes();
        bytes[i] ^= 0x20;
        EXPECT_EQ(formatError(bytes), "Incorrect FSG file format version. Only FSG100 supported") << "byte " << i;
    }
}

TEST(FsgReader, TranslateThenRotateMapsXToXPlusY)
{
    ByteWriter w;
    TestSupport::emptyTables(w).i32(1);
    TestSupport::plainNode(w, "Box01").i32(2);
    TestSupport::constantTransform(w, "translate", {1.0f, 0.0f, 0.0f});
    TestSupport::constantTransform(w, "rotate", {0.0f, 0.0f, 1.0f, 90.0f});
    w.i32(0);
    auto scene = load(w);
    scene->update(0.0f);
    Node* node = scene->findByName("Box01");
    ASSERT_NE(node, nullptr);
    expectPoint(node->getWorldMatrix().transformPoint(1.0f, 0.0f, 0.0f), 1.0f, 1.0f, 0.0f);
    expectPoint(node->getWorldPosition(), 1.0f, 0.0f, 0.0f);
}

TEST(FsgReader, MatrixComponentsAreReadRowByRow)
{
    ByteWriter w = sceneWithTransform("matrix");
    w.str("none").floats({1, 0, 0, 5, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    // Override indices count in file order too: index 7 is row 1, column 3, the y translation.
    w.i32(1).i32(7).i32(1).str("linear").i32(2).floats({0.0f, 0.0f, 1.0f, 6.0f}).f32(0.0f);
    w.i32(0);
    auto scene = load(w);
    scene->update(0.0f);
    expectPoint(scene->findByName("n")->getWorldPosition(), 5.0f, 0.0f, 0.0f);
    scene->update(0.5f);
    expectPoint(scene->findByName("n")->getWorldPosition(), 5.0f, 3.0f, 0.0f);
    expectPoint(scene->findByName("n")->getWorldMatrix().transformPoint(1.0f, 1.0f, 1.0f), 6.0f, 4.0f, 1.0f);
}

TEST(FsgReader, OverrideGroupsReplaceARangeOfComponents)
{
    ByteWriter w = sceneWithTransform("translate");
    w.str("linear").i32(2).floats({0.0f, 0.0f, 0.0f, 0.0f}).floats({1.0f, 10.0f, 20.0f, 30.0f}).floats({0, 0, 0});
    w.i32(1).i32(1).i32(2).str("none").floats({-1.0f, -2.0f});
    w.i32(0);
    auto scene = load(w);
    scene->update(0.5f);
    expectPoint(scene->findByName("n")->getWorldPosition(), 5.0f, -1.0f, -2.0f);
}

TEST(FsgReader, OverrideGroupsOutsideTheComponentsAreRejected)
{
    for (auto [first, count] : {std::pair{2, 2}, {-1, 1}, {0, -1}, {0x7fffffff, 1}}) {
        ByteWriter w = sceneWithTransform("scale");
        w.str("none").floats({1, 1, 1}).i32(1).i32(first).i32(count).str("none").floats({1, 1});
        EXPECT_NE(formatError(w.bytes()).find("loadFSG(): override group of"), std::string::npos)
            << first << ", " << count;
    }
}

TEST(FsgReader, UnsupportedTransformKindsHaveTheirOwnMessages)
{
    EXPECT_EQ(formatError(sceneWithTransform("skew").bytes()), "loadFSG(): skew transforms not supported");
    EXPECT_EQ(formatError(sceneWithTransform("lookat").bytes()), "loadFSG(): lookat transforms not supported");
    EXPECT_EQ(formatError(sceneWithTransform("shear").bytes()), "loadFSG(): unknown transform type");
    EXPECT_EQ(formatError(sceneWithTransform("Translate").bytes()), "loadFSG(): unknown transform type");
}

TEST(FsgReader, TablesMaterialsAndReferencesAreLinkedByKey)
{
    ByteWriter w;
    w.raw("FSG100").i32(0);
    w.i32(1).str("lamp").str("Lamp01").str("omni").str("warm");
    w.i32(1).str("intensity").i32(1).str("linear").i32(2).floats({0.0f, 0.0f, 2.0f, 1.0f}).f32(0.0f);
    w.i32(1).str("cam").str("Camera01").str("").str("").i32(0);
    w.i32(1).str("steel").str("Steel").i32(0).i32(2);
    w.str("diffuse").str("steel.jpg").str("bump").str("missing.png");
    w.i32(1);
    w.str("mesh").str("Box01").i32(1).str("box").str("steel");
    w.i32(2).str("cam").str("nothing").i32(1).str("lamp").i32(0).i32(0);

    static char textures[1];
    std::vector<std::string> asked;
    auto resolver = [&](const std::string& name) -> Orvane::Texture* {
        asked.push_back(name);
        return name == "steel.jpg" ? reinterpret_cast<Orvane::Texture*>(textures) : nullptr;
    };
    auto scene = load(w, resolver);

    Entity* lamp = scene->entityTableA().at("lamp").get();
    EXPECT_EQ(lamp->getName(), "Lamp01");
    EXPECT_EQ(lamp->firstDetail, "omni");
    EXPECT_EQ(lamp->secondDetail, "warm");
    ASSERT_NE(lamp->findParameter("intensity"), nullptr);
    EXPECT_FLOAT_EQ(lamp->findParameter("intensity")->components[0]->Sample(1.0f), 0.5f);

    Material* steel = scene->materials().at("steel").get();
    EXPECT_EQ(asked, (std::vector<std::string>{"steel.jpg", "missing.png"}));
    ASSERT_EQ(steel->slots().size(), 2u);
    EXPECT_EQ(steel->slots()[0].texture, reinterpret_cast<Orvane::Texture*>(textures));
    EXPECT_EQ(steel->slots()[1].slotName, "bump");
    EXPECT_EQ(steel->slots()[1].texture, nullptr);

    const Node& box = *scene->children().at(0);
    ASSERT_EQ(box.meshInstances().size(), 1u);
    EXPECT_EQ(box.meshInstances()[0].mesh, nullptr);
    EXPECT_EQ(box.meshInstances()[0].material, steel);
    EXPECT_EQ(scene->meshes().count("box"), 1u) << "an unknown key leaves an empty entry";
    ASSERT_EQ(box.entityReferencesB().size(), 2u);
    EXPECT_EQ(box.entityReferencesB()[0].entity, scene->entityTableB().at("cam").get());
    EXPECT_EQ(box.entityReferencesB()[1].entity, nullptr);
    ASSERT_EQ(box.entityReferencesA().size(), 1u);
    EXPECT_EQ(box.entityReferencesA()[0].entity, lamp);
}

TEST(FsgReader, DamagedCountsAndNestingAreRejected)
{
    ByteWriter negative;
    negative.raw("FSG100").i32(0).i32(-3);
    EXPECT_EQ(formatError(negative.bytes()), "loadFSG(): negative entity count -3");

    ByteWriter longName;
    TestSupport::emptyTables(longName).i32(1).str("").i32(300).raw(std::string(300, 'n'));
    EXPECT_EQ(formatError(longName.bytes()), "Unsupported format: a string of 300 bytes is longer than 255");

    ByteWriter deep;
    TestSupport::emptyTables(deep).i32(1);
    for (int depth = 0; depth < 300; ++depth)
        TestSupport::plainNode(deep, "n").i32(0).i32(1);
    EXPECT_EQ(formatError(deep.bytes()), "loadFSG(): nodes are nested deeper than 256 levels");

    ByteWriter unknownBlock = sceneWithTransform("scale");
    unknownBlock.str("step").floats({1, 1, 1}).i32(0).i32(0);
    EXPECT_NE(formatError(unknownBlock.bytes()).find("unknown channel kind \"step\""), std::string::npos);
}

TEST(FsgReader, FileErrorsNameTheFile)
{
    TestSupport::TempDir dir;
    std::string path = dir.file("broken.fsg");
    std::ofstream(path, std::ios::binary) << "FSG100";
    try {
        loadFsg(path);
        FAIL() << "a truncated file loaded";
    } catch (const UnsupportedFormatException& e) {
        EXPECT_EQ(e.getMessage(), path + ": Unsupported format: the file is truncated");
    }
    EXPECT_THROW(loadFsg(dir.file("absent.fsg")), Orvane::Exceptions::FileNotFoundException);
}

TEST(FsgReader, PrefixSweepOfASceneWithoutMeshesThrowsCleanlyOrLoads)
{
    ByteWriter w;
    w.raw("FSG100").i32(0);
    w.i32(1).str("a").str("A").str("x").str("y").i32(1).str("p").i32(2).str("bezier").i32(1);
    w.floats({0.0f, 1.0f, 2.0f, 0, 0, 0, 0, 0, 0, 0, 0}).floats({0, 0});
    w.i32(0).i32(1).str("m").str("M").i32(0).i32(1).str("s").str("t.png");
    w.i32(1).str("").str("root").i32(1).str("mesh").str("m").i32(0).i32(1).str("a").i32(3);
    TestSupport::constantTransform(w, "translate", {1, 2, 3});
    w.str("rotate").str("linear").i32(1).floats({0, 0, 0, 1, 45}).floats({0, 0, 0, 0}).i32(1).i32(3).i32(1);
    w.str("none").f32(30.0f);
    TestSupport::constantTransform(w, "matrix", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    w.i32(1);
    TestSupport::plainNode(w, "leaf").i32(0).i32(0);

    const Bytes& full = w.bytes();
    for (size_t length = 0; length < full.size(); ++length) {
        ByteReader stream(Bytes(full.begin(), full.begin() + long(length)));
        EXPECT_THROW(loadFsg(stream), UnsupportedFormatException) << "prefix of " << length << " bytes";
    }
    ByteReader stream(full);
    EXPECT_NE(loadFsg(stream)->findByName("leaf"), nullptr);
}
