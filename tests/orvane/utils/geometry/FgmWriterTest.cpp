#include "orvane/utils/geometry/FgmWriter.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/FgmReader.h"
#include "orvane/utils/geometry/GeometryAttribute.h"
#include "support/FgmBytes.h"

#include <gtest/gtest.h>

#include <cmath>

using Orvane::AttributeSemantic;
using Orvane::PrimitiveTypeEnum;
using Orvane::VertexBuffer;
using Orvane::Exceptions::Exception;
using Orvane::Utils::FgmMesh;
using Orvane::Utils::Geometry;
using Orvane::Utils::MemoryStream;
using TestSupport::FgmBytes;

namespace {

// What an asset tool builds: a ring of quads with positions, normals, texcoords and indices.
FgmMesh ring(int segments)
{
    FgmMesh mesh;
    std::vector<float> positions, normals, texcoords;
    for (int i = 0; i < segments; ++i) {
        float angle = 2 * 3.14159265f * float(i) / float(segments);
        for (float y : {0.0f, 1.0f}) {
            positions.insert(positions.end(), {std::cos(angle), y, std::sin(angle)});
            normals.insert(normals.end(), {std::cos(angle), 0, std::sin(angle)});
            texcoords.insert(texcoords.end(), {float(i) / float(segments), y});
        }
        auto a = std::uint32_t(2 * i), b = std::uint32_t(2 * ((i + 1) % segments));
        mesh.indices.insert(mesh.indices.end(), {a, b, a + 1, b, b + 1, a + 1});
    }
    mesh.vertexCount = 2 * segments;
    mesh.addAttribute(AttributeSemantic::Position, 3, positions);
    mesh.addAttribute(AttributeSemantic::Normal, 3, normals);
    mesh.addAttribute(AttributeSemantic::TexCoord0, 2, texcoords);
    return mesh;
}

std::vector<unsigned char> written(const FgmMesh& mesh)
{
    MemoryStream stream;
    Orvane::Utils::writeFgm(stream, mesh);
    return stream.bytes();
}

}

TEST(FgmWriter, WritesTheLayoutTheReaderExpects)
{
    FgmMesh triangle;
    triangle.vertexCount = 3;
    triangle.addAttribute(AttributeSemantic::Position, 3, {0, 0, 0, 1, 0, 0, 0, 1, 0});
    triangle.indices = {0, 1, 2};
    EXPECT_EQ(written(triangle), FgmBytes::triangle().bytes());
}

TEST(FgmWriter, MeshRoundTripsThroughTheReader)
{
    FgmMesh original = ring(12);
    original.addAttribute(AttributeSemantic::TexCoord7, 1, std::vector<float>(24, 0.5f));
    MemoryStream stream(written(original));
    EXPECT_EQ(Orvane::Utils::readFgmMesh(stream), original);

    FgmMesh lines;
    lines.vertexCount = 2;
    lines.primitiveType = PrimitiveTypeEnum::Lines;
    lines.addAttribute(AttributeSemantic::Color, 4, {1, 0, 0, 1, 0, 1, 0, 1});
    lines.indices = {1, 0};
    MemoryStream lineStream(written(lines));
    EXPECT_EQ(Orvane::Utils::readFgmMesh(lineStream), lines);

    FgmMesh empty;
    MemoryStream emptyStream(written(empty));
    EXPECT_EQ(Orvane::Utils::readFgmMesh(emptyStream), empty);
}

TEST(FgmWriter, GeometryRoundTripsByteForByte)
{
    std::vector<unsigned char> bytes = written(ring(5));
    MemoryStream in(bytes);
    std::unique_ptr<Geometry> geometry = Orvane::Utils::loadFgm(in, Orvane::system_mem);
    MemoryStream out;
    Orvane::Utils::writeFgm(out, *geometry);
    EXPECT_EQ(out.bytes(), bytes);
}

TEST(FgmWriter, InterleavedGeometryWithoutIndicesIsSplitAndIndexedInOrder)
{
    Geometry geometry;
    const int counts[2] = {3, 3};
    const float data[12] = {0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1};
    geometry.addVertexBuffer(std::make_unique<VertexBuffer>(2, counts, 2, Orvane::system_mem, data));
    geometry.bindAttribute(0, 1, AttributeSemantic::Normal);
    geometry.bindAttribute(0, 0, AttributeSemantic::Position);
    geometry.primitiveType = PrimitiveTypeEnum::Lines;
    FgmMesh mesh = FgmMesh::fromGeometry(geometry);
    ASSERT_EQ(mesh.attributes.size(), 2u);
    EXPECT_EQ(mesh.attributes[0].semantic, AttributeSemantic::Normal);
    EXPECT_EQ(mesh.attributes[0].values, (std::vector<float>{0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(mesh.attributes[1].values, (std::vector<float>{0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1}));
}

TEST(FgmWriter, MeshesTheReaderWouldRejectAreNotWritten)
{
    auto rejects = [](const FgmMesh& mesh) {
        MemoryStream stream;
        EXPECT_THROW(Orvane::Utils::writeFgm(stream, mesh), Exception);
        EXPECT_TRUE(stream.bytes().empty()) << "nothing written";
    };
    FgmMesh badIndex = ring(3);
    badIndex.indices.push_back(6);
    rejects(badIndex);
    FgmMesh shortValues = ring(3);
    shortValues.attributes[1].values.pop_back();
    rejects(shortValues);
    FgmMesh generic = ring(3);
    generic.attributes[0].semantic = AttributeSemantic::Generic0;
    rejects(generic);
    FgmMesh quads = ring(3);
    quads.primitiveType = PrimitiveTypeEnum::Quads;
    rejects(quads);
    FgmMesh wide = ring(3);
    wide.addAttribute(AttributeSemantic::Color, 5, std::vector<float>(30));
    rejects(wide);
    FgmMesh crowded = ring(3);
    for (int i = 0; i < 14; ++i)
        crowded.addAttribute(AttributeSemantic::Color, 1, std::vector<float>(6));
    rejects(crowded);

    Geometry shorts;
    const int counts[1] = {2};
    const int types[1] = {VertexBuffer::Short};
    shorts.addVertexBuffer(std::make_unique<VertexBuffer>(1, counts, 2, Orvane::system_mem, nullptr, types));
    shorts.bindAttribute(0, 0, AttributeSemantic::Position);
    MemoryStream stream;
    EXPECT_THROW(Orvane::Utils::writeFgm(stream, shorts), Exception);
}
