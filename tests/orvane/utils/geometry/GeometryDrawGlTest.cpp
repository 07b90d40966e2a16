#include "orvane/Extensions.h"
#include "orvane/utils/geometry/FgmReader.h"
#include "orvane/utils/geometry/FgmWriter.h"
#include "orvane/utils/geometry/GeometryAttribute.h"
#include "support/FgmBytes.h"
#include "support/GlTest.h"

using Orvane::AttributeSemantic;
using Orvane::Utils::FgmMesh;
using Orvane::Utils::Geometry;
using Orvane::Utils::MemoryStream;
using TestSupport::FgmBytes;
using TestSupport::GlTest;

namespace {

// A red triangle in the lower-left corner of the screen and a green one at the right edge above
// the middle, indexed, with per-vertex colours.
FgmBytes twoTriangles()
{
    FgmBytes fgm;
    fgm.raw("FGM100").int32(6).int32(2);
    fgm.string("position").int32(2).floats({-1, -1, 0, -1, -1, 0, 0.5f, 0.5f, 1, 0.5f, 1, 1});
    fgm.string("color").int32(3).floats({1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0});
    fgm.string("triangles").indices({0, 1, 2, 3, 4, 5});
    return fgm;
}

class GeometryDrawGlTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped())
            return;
        useFixedFunction();
        device().clear(Orvane::ClearTarget::Color, 0, 0, 1, 1, 1, 0);
    }
};

}

TEST_F(GeometryDrawGlTest, LoadedMeshLandsOnTheExpectedPixels)
{
    for (int mode : {int(Orvane::hardware_mem_static_draw), int(Orvane::system_mem)}) {
        SCOPED_TRACE(mode);
        device().clear(Orvane::ClearTarget::Color, 0, 0, 1, 1, 1, 0);
        MemoryStream stream = twoTriangles().stream();
        std::unique_ptr<Geometry> geometry = Orvane::Utils::loadFgm(stream, mode);
        geometry->draw();
        EXPECT_RGBA_NEAR(pixelAt(20, 20), 255, 0, 0, 255, 0);
        EXPECT_RGBA_NEAR(pixelAt(245, 200), 0, 255, 0, 255, 0);
        // Outside both triangles.
        EXPECT_RGBA_NEAR(pixelAt(20, 240), 0, 0, 255, 255, 0);
        EXPECT_RGBA_NEAR(pixelAt(150, 150), 0, 0, 255, 255, 0);
        EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY)) << "arrays are disabled again after drawing";
        EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    }
}

TEST_F(GeometryDrawGlTest, WithoutIndexBufferTheFirstBufferDrawsAllVertices)
{
    MemoryStream stream = twoTriangles().stream();
    std::unique_ptr<Geometry> geometry = Orvane::Utils::loadFgm(stream, Orvane::hardware_mem_static_draw);
    geometry->setIndexBuffer(nullptr);
    geometry->draw();
    EXPECT_RGBA_NEAR(pixelAt(20, 20), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(245, 200), 0, 255, 0, 255, 0);
}

TEST_F(GeometryDrawGlTest, HardwareGeometryEditsAndWritesBackThroughMappedBuffers)
{
    MemoryStream stream = twoTriangles().stream();
    std::unique_ptr<Geometry> geometry = Orvane::Utils::loadFgm(stream, Orvane::hardware_mem_static_draw);
    {
        auto colour = geometry->getAttribute(AttributeSemantic::Color);
        for (int i = 0; i < 3; ++i)
            colour->set(i, 1, 1, 0, 0);
    }
    geometry->draw();
    EXPECT_RGBA_NEAR(pixelAt(20, 20), 255, 255, 0, 255, 0);

    MemoryStream out;
    Orvane::Utils::writeFgm(out, *geometry);
    MemoryStream back(out.bytes());
    FgmMesh mesh = Orvane::Utils::readFgmMesh(back);
    EXPECT_EQ(mesh.attributes[1].values[0], 1.0f);
    EXPECT_EQ(mesh.attributes[1].values[1], 1.0f);
    EXPECT_EQ(mesh.attributes[0].values, (std::vector<float>{-1, -1, 0, -1, -1, 0, 0.5f, 0.5f, 1, 0.5f, 1, 1}));
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
}
