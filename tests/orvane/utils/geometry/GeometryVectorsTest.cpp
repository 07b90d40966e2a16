#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/geometry/GeometryAttribute.h"
#include "support/ExceptionMessage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

using Orvane::AttributeSemantic;
using Orvane::IndexBuffer;
using Orvane::PrimitiveTypeEnum;
using Orvane::Vector4t;
using Orvane::VertexBuffer;
using Orvane::Exceptions::Exception;
using Orvane::Utils::Geometry;

using TestSupport::messageOf;

namespace {

// Positions and normals in two buffers, or interleaved in one, with 32-bit indices.
class Mesh {
public:
    Mesh(std::vector<float> positions, std::vector<std::uint32_t> indices, bool interleaved = false)
        : positions_(std::move(positions))
        , indices_(std::move(indices))
    {
        int n = int(positions_.size() / 3);
        if (interleaved) {
            const int counts[2] = {3, 3};
            geometry.addVertexBuffer(std::make_unique<VertexBuffer>(2, counts, n, Orvane::system_mem, nullptr));
            geometry.bindAttribute(0, 0, AttributeSemantic::Position);
            geometry.bindAttribute(0, 1, AttributeSemantic::Normal);
        } else {
            const int three[1] = {3};
            geometry.addVertexBuffer(std::make_unique<VertexBuffer>(1, three, n, Orvane::system_mem, nullptr));
            geometry.addVertexBuffer(std::make_unique<VertexBuffer>(1, three, n, Orvane::system_mem, nullptr));
            geometry.bindAttribute(0, 0, AttributeSemantic::Position);
            geometry.bindAttribute(1, 0, AttributeSemantic::Normal);
        }
        auto position = geometry.getAttribute(AttributeSemantic::Position);
        for (int i = 0; i < n; ++i) {
            const float* p = &positions_[size_t(3 * i)];
            position->set(i, p[0], p[1], p[2], 0);
        }
        geometry.setIndexBuffer(std::make_unique<IndexBuffer>(int(indices_.size()), Orvane::system_mem, indices_.data(),
                                                              IndexBuffer::UnsignedInt));
    }

    Vector4t<float> normal(int i) { return geometry.getAttribute(AttributeSemantic::Normal)->get(i); }

    Geometry geometry;

private:
    std::vector<float> positions_;
    std::vector<std::uint32_t> indices_;
};

}

TEST(GeometryVectors, SingleTriangleFacesNegativeZ)
{
    for (bool interleaved : {false, true}) {
        SCOPED_TRACE(interleaved);
        Mesh mesh({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2}, interleaved);
        mesh.geometry.calcVectorsFast(AttributeSemantic::Normal, true);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(mesh.normal(i), (Vector4t<float>(0, 0, -1, 0)));
        auto position = mesh.geometry.getAttribute(AttributeSemantic::Position);
        EXPECT_EQ(position->get(1), (Vector4t<float>(1, 0, 0, 0))) << "positions untouched";
    }
}

TEST(GeometryVectors, SharedVerticesSumAreaWeightedFaceVectors)
{
    // A small triangle in the z = 0 plane and a larger one standing in the x = 0 plane share the
    // edge from vertex 0 to vertex 1 (along y).
    Mesh mesh({0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 3}, {0, 1, 2, 1, 0, 3});
    mesh.geometry.calcVectorsFast(AttributeSemantic::Normal, false);
    // Face 1: (P0 - P1) x (P2 - P1) = (0,-1,0) x (1,-1,0) = (0, 0, 1); face 2 = (0,1,0) x (0,-1,3) = (3, 0, 0).
    EXPECT_EQ(mesh.normal(2), (Vector4t<float>(0, 0, 1, 0)));
    EXPECT_EQ(mesh.normal(3), (Vector4t<float>(3, 0, 0, 0)));
    EXPECT_EQ(mesh.normal(0), (Vector4t<float>(3, 0, 1, 0)));
    EXPECT_EQ(mesh.normal(1), (Vector4t<float>(3, 0, 1, 0)));

    mesh.geometry.calcVectorsFast(AttributeSemantic::Normal, true);
    Vector4t<float> shared = mesh.normal(0);
    EXPECT_NEAR(shared.x, 3 / std::sqrt(10.0f), 1e-6f);
    EXPECT_NEAR(shared.z, 1 / std::sqrt(10.0f), 1e-6f);
}

TEST(GeometryVectors, UnusedVertexStaysZeroInsteadOfNonFinite)
{
    Mesh mesh({0, 0, 0, 1, 0, 0, 0, 1, 0, 5, 5, 5}, {0, 1, 2});
    mesh.geometry.calcVectorsFast(AttributeSemantic::Normal, true);
    EXPECT_EQ(mesh.normal(3), (Vector4t<float>(0, 0, 0, 0)));
}

TEST(GeometryVectors, PreconditionsAndTheirMessages)
{
    Geometry empty;
    empty.calcVectorsFast(AttributeSemantic::Normal, true);
    empty.primitiveType = PrimitiveTypeEnum::Lines;
    EXPECT_EQ(messageOf([&] { empty.calcVectorsFast(AttributeSemantic::Normal, true); }),
              "Geometry::calcVectorsFast() requires primitiveType to be triangles");

    Mesh noIndices({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1});
    EXPECT_EQ(messageOf([&] { noIndices.geometry.calcVectorsFast(AttributeSemantic::Normal, true); }),
              "Geometry::calcVectorsFast() requires an index buffer.");
    noIndices.geometry.setIndexBuffer(nullptr);
    EXPECT_EQ(messageOf([&] { noIndices.geometry.calcVectorsFast(AttributeSemantic::Normal, true); }),
              "Geometry::calcVectorsFast() requires an index buffer.");

    Mesh outOfRange({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 3});
    EXPECT_THROW(outOfRange.geometry.calcVectorsFast(AttributeSemantic::Normal, true), Exception);
    EXPECT_EQ(outOfRange.geometry.getVertexBuffer(0)->getLockCount(), 0) << "every exit unlocks";
    EXPECT_EQ(outOfRange.geometry.getVertexBuffer(1)->getLockCount(), 0);
    EXPECT_EQ(outOfRange.geometry.getIndexBuffer()->getLockCount(), 0);

    Mesh missingOutput({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2});
    EXPECT_EQ(messageOf([&] { missingOutput.geometry.calcVectorsFast(AttributeSemantic::TexCoord5, true); }),
              "Geometry::getAttributeInfo(): Attribute does not exist within the Geometry.");

    std::uint16_t shorts[3] = {0, 1, 2};
    Mesh shortIndices({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2});
    shortIndices.geometry.setIndexBuffer(
        std::make_unique<IndexBuffer>(3, Orvane::system_mem, shorts, IndexBuffer::UnsignedShort));
    EXPECT_THROW(shortIndices.geometry.calcVectorsFast(AttributeSemantic::Normal, true), Exception);

    Mesh flatOutput({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 1, 2});
    const int two[1] = {2};
    flatOutput.geometry.bindAttribute(
        flatOutput.geometry.addVertexBuffer(std::make_unique<VertexBuffer>(1, two, 3, Orvane::system_mem, nullptr)), 0,
        AttributeSemantic::TexCoord0);
    EXPECT_EQ(messageOf([&] { flatOutput.geometry.calcVectorsFast(AttributeSemantic::TexCoord0, true); }),
              "Geometry::calcVectorsFast() requires an output attribute of three floats");
}
