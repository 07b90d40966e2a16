#include "../EffectGlTest.h"
#include "nightglass/kit/FarSideCulling.h"
#include "orvane/Device.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/scenegraph/FsgReader.h"
#include "orvane/utils/scenegraph/Scene.h"

#include <GL/gl.h>
#include <optional>

namespace {

using Winding = Nightglass::FarSideCulling::OutsideWinding;

class FarSideCullingGlTest : public NightglassTest::EffectGlTest {
protected:
    // The mesh drawn shaded by its normals with a depth test, as the effects draw it, seen from
    // outside and close enough that its far side would show where the near side were culled.
    std::vector<unsigned char> draw(Orvane::Utils::Geometry& mesh, std::optional<Winding> culling)
    {
        Orvane::State::resetMatrices();
        demo.restoreScreenViewport();
        device().clear(Orvane::ClearTarget::All, 0, 0, 0, 1, 1, 0);
        demo.setCamera(1, 1, 1000);
        Orvane::State::enable(Orvane::Capability::DepthTest);
        Orvane::Shader& shader = demo.builtinShader(Tavrin::BuiltinShader::VertexNormals);
        shader.bind();
        shader.updateState();
        {
            std::optional<Nightglass::FarSideCulling> cull;
            if (culling)
                cull.emplace(*culling);
            mesh.draw();
        }
        Orvane::State::disable(Orvane::Capability::DepthTest);
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE)) << "culling ends with its scope";
        return readPixels(0, 0, Width, Height);
    }

    // Culling the far sides leaves the picture as it was; culling the other way shows the inside.
    void expectClosedAndWound(Orvane::Utils::Geometry& mesh, Winding outside, Winding inside)
    {
        std::vector<unsigned char> whole = draw(mesh, std::nullopt);
        EXPECT_GT(nonUniformShare(whole), 0.02) << "the mesh is in view";
        EXPECT_EQ(draw(mesh, outside), whole);
        EXPECT_NE(draw(mesh, inside), whole);
    }
};

}

TEST_F(FarSideCullingGlTest, TheCulledMeshesLookTheSameWithoutTheirFarSides)
{
    // The tube copies of the ring scene.
    setCamera(0, -30, 25, 0, 0, 0);
    expectClosedAndWound(*demo.loadGeometry("objects/lol.fgm"), Winding::Clockwise, Winding::CounterClockwise);

    // The spheres and the two slabs of the sphere scene, which the funnel scene also draws.
    auto scene = Orvane::Utils::SceneGraph::loadFsg(demo.dataFolder + "scenes/mars9.fsg");
    for (const char* name : {"GeoSphere01", "Box01", "Box02"}) {
        const Orvane::Utils::SceneGraph::Node* node = scene->findByName(name);
        ASSERT_NE(node, nullptr) << name;
        ASSERT_FALSE(node->meshInstances().empty()) << name;
        Orvane::Utils::Geometry& mesh = *node->meshInstances().front().mesh;
        setCamera(0, -8, 3, 0, 0, 0);
        SCOPED_TRACE(name);
        expectClosedAndWound(mesh, Winding::CounterClockwise, Winding::Clockwise);
    }
}
