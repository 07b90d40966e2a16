#include "FsgBytes.h"
#include "SceneBuilding.h"
#include "support/FgmBytes.h"
#include "support/GlTest.h"

#include "orvane/BufferModeEnum.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/FgmMesh.h"
#include "orvane/utils/scenegraph/FsgReader.h"
#include "orvane/utils/scenegraph/FsgWriter.h"

using namespace Orvane::Utils::SceneGraph;
using Orvane::Exceptions::UnsupportedFormatException;
using Orvane::Utils::FgmMesh;
using TestSupport::ByteReader;
using TestSupport::Bytes;
using TestSupport::ByteWriter;

namespace {

// Two embedded meshes, so the second is only found if the first was read to its last index.
ByteWriter sceneWithTwoMeshes()
{
    ByteWriter w;
    w.raw("FSG100").i32(2);
    w.str("first").str("unused").append(TestSupport::FgmBytes::triangle().bytes());
    w.str("second").str("unused").append(TestSupport::FgmBytes::triangle().bytes());
    w.i32(0).i32(0).i32(0).i32(1);
    w.str("").str("Box01").i32(2).str("second").str("none").str("first").str("none").i32(0).i32(0);
    w.i32(1);
    TestSupport::constantTransform(w, "translate", {0.0f, 0.0f, -1.0f});
    w.i32(0);
    return w;
}

FgmMesh quad()
{
    FgmMesh mesh;
    mesh.vertexCount = 4;
    mesh.addAttribute(Orvane::AttributeSemantic::Position, 3, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
    mesh.addAttribute(Orvane::AttributeSemantic::TexCoord0, 2, {0, 0, 1, 0, 1, 1, 0, 1});
    mesh.indices = {0, 1, 2, 0, 2, 3};
    return mesh;
}

}

// Without a GL context, as a tool or a fuzzer reads scenes: the meshes stay in client memory.
TEST(FsgMeshesInMemory, SceneMeshesReadWithoutAGlContextKeepTheirVerticesAndIndices)
{
    ByteReader stream(sceneWithTwoMeshes().bytes());
    auto scene = loadFsg(stream, {}, Orvane::system_mem);
    ASSERT_EQ(scene->meshes().size(), 2u);
    FgmMesh triangle;
    triangle.vertexCount = 3;
    triangle.addAttribute(Orvane::AttributeSemantic::Position, 3, {0, 0, 0, 1, 0, 0, 0, 1, 0});
    triangle.indices = {0, 1, 2};
    EXPECT_EQ(FgmMesh::fromGeometry(*scene->meshes().at("first")), triangle);
    EXPECT_EQ(FgmMesh::fromGeometry(*scene->meshes().at("second")), triangle);
    EXPECT_EQ(scene->findByName("Box01")->meshInstances()[0].mesh, scene->meshes().at("second").get());
}

using FsgMeshesGlTest = TestSupport::GlTest;

TEST_F(FsgMeshesGlTest, EmbeddedMeshesAreReadFromTheMiddleOfTheStream)
{
    ByteWriter file;
    file.raw("JUNK").append(sceneWithTwoMeshes().bytes()).i32(0x5eed);
    ByteReader stream(file.bytes());
    stream.seek(4, Orvane::Utils::SeekStart);

    auto scene = loadFsg(stream);
    EXPECT_EQ(Orvane::Utils::readInt32(stream), 0x5eed) << "the reader did not stop after the scene";
    ASSERT_EQ(scene->meshes().size(), 2u);
    Orvane::Utils::Geometry* second = scene->meshes().at("second").get();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->getVertexCount(), 3);
    EXPECT_EQ(second->getIndexBuffer()->getIndexCount(), 3);
    EXPECT_EQ(scene->materials().at("none"), nullptr) << "an unknown key leaves an empty entry";

    const Node& box = *scene->findByName("Box01");
    ASSERT_EQ(box.meshInstances().size(), 2u);
    EXPECT_EQ(box.meshInstances()[0].mesh, second);
    EXPECT_EQ(box.meshInstances()[1].mesh, scene->meshes().at("first").get());
    EXPECT_EQ(FgmMesh::fromGeometry(*second).indices, (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST_F(FsgMeshesGlTest, PrefixSweepOfASceneWithMeshesThrowsCleanlyOrLoads)
{
    const Bytes full = sceneWithTwoMeshes().bytes();
    for (size_t length = 0; length < full.size(); ++length) {
        ByteReader stream(Bytes(full.begin(), full.begin() + long(length)));
        EXPECT_THROW(loadFsg(stream), UnsupportedFormatException) << "prefix of " << length << " bytes";
    }
    ByteReader stream(full);
    EXPECT_EQ(loadFsg(stream)->findByName("Box01")->meshInstances().size(), 2u);
}

TEST_F(FsgMeshesGlTest, WrittenSceneKeepsItsMeshesAndAnimation)
{
    auto scene = TestSupport::animatedScene();
    scene->meshes()["quad"] = quad().toGeometry(Orvane::hardware_mem_static_draw);
    Node& hand = *scene->findByName("hand");
    scene->addMeshInstance(hand, "quad", "paint");
    EXPECT_EQ(hand.meshInstances()[1].mesh, scene->meshes().at("quad").get());

    ByteWriter file;
    writeFsg(file, *scene);
    ByteReader stream(file.bytes());
    auto back = loadFsg(stream);

    Orvane::Utils::Geometry* mesh = back->meshes().at("quad").get();
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(FgmMesh::fromGeometry(*mesh), quad());
    EXPECT_EQ(back->findByName("hand")->meshInstances()[1].mesh, mesh);
    EXPECT_EQ(back->meshes().count("absent"), 1u);
    TestSupport::expectSameAnimation(*scene, *back, {"root", "arm", "hand", "sibling"});
}
