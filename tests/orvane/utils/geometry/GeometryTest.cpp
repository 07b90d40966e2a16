#include "orvane/utils/geometry/Geometry.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/GeometryAttribute.h"
#include "support/ExceptionMessage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
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

VertexBuffer* floats(int components, int vertexCount)
{
    const int counts[1] = {components};
    return new VertexBuffer(1, counts, vertexCount, Orvane::system_mem, nullptr);
}

}

TEST(Geometry, SlotsFillInOrderAndTheSeventeenthBufferIsRefused)
{
    Geometry geometry;
    EXPECT_EQ(geometry.primitiveType, PrimitiveTypeEnum::Triangles);
    EXPECT_EQ(geometry.getVertexCount(), 0);
    std::vector<VertexBuffer*> added;
    for (int i = 0; i < 16; ++i) {
        auto buffer = std::unique_ptr<VertexBuffer>(floats(3, 5 + i));
        added.push_back(buffer.get());
        EXPECT_EQ(geometry.addVertexBuffer(std::move(buffer)), i);
    }
    auto extra = std::unique_ptr<VertexBuffer>(floats(3, 1));
    EXPECT_EQ(geometry.addVertexBuffer(std::move(extra)), 16);
    EXPECT_NE(extra, nullptr) << "a refused buffer stays with the caller";
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(geometry.getVertexBuffer(i), added[size_t(i)]);
    EXPECT_EQ(geometry.getVertexCount(), 5);
    EXPECT_THROW(geometry.bindAttribute(16, 0, AttributeSemantic::Position), Exception);
}

TEST(Geometry, AttributeInfoFollowsTheFirstBindingOfASemantic)
{
    Geometry geometry;
    const int counts[3] = {3, 2, 4};
    const int types[3] = {VertexBuffer::Float, VertexBuffer::Short, VertexBuffer::Byte};
    auto owned = std::make_unique<VertexBuffer>(3, counts, 4, Orvane::system_mem, nullptr, types);
    VertexBuffer* interleaved = owned.get();
    int slot = geometry.addVertexBuffer(std::move(owned));
    geometry.bindAttribute(slot, 2, AttributeSemantic::Color);
    geometry.bindAttribute(slot, 1, AttributeSemantic::Color);
    Orvane::Utils::AttributeInfo info = geometry.getAttributeInfo(AttributeSemantic::Color);
    EXPECT_EQ(info.vertexBuffer, interleaved);
    EXPECT_EQ(info.offset, 16);
    EXPECT_EQ(info.stride, 20);

    EXPECT_EQ(messageOf([&] { geometry.getAttributeInfo(AttributeSemantic::Normal); }),
              "Geometry::getAttributeInfo(): Attribute does not exist within the Geometry.");
    EXPECT_EQ(geometry.getAttribute(AttributeSemantic::Normal), nullptr);
    EXPECT_EQ(messageOf([&] { Geometry::TAttribute<float>(&geometry, AttributeSemantic::Normal); }),
              "Unable to lock the desired attribute in Geometry::Attribute");

    geometry.removeAttribute(AttributeSemantic::Color);
    EXPECT_TRUE(geometry.getBindings().empty());
}

TEST(Geometry, AttributeTypeFollowsTheDataTypeAndHoldsTheLock)
{
    Geometry geometry;
    const int counts[2] = {3, 2};
    const int types[2] = {VertexBuffer::Double, VertexBuffer::Short};
    auto owned = std::make_unique<VertexBuffer>(2, counts, 3, Orvane::system_mem, nullptr, types);
    VertexBuffer* buffer = owned.get();
    geometry.bindAttribute(geometry.addVertexBuffer(std::move(owned)), 0, AttributeSemantic::Position);
    geometry.bindAttribute(0, 1, AttributeSemantic::TexCoord0);
    {
        std::unique_ptr<Geometry::Attribute> position = geometry.getAttribute(AttributeSemantic::Position);
        ASSERT_NE(dynamic_cast<Geometry::TAttribute<double>*>(position.get()), nullptr);
        EXPECT_EQ(buffer->getLockCount(), 1);
        position->set(2, 0.5f, -1.25f, 3, 9);
        EXPECT_EQ(position->get(2), (Vector4t<float>(0.5f, -1.25f, 3, 0)));
        EXPECT_THROW(position->get(3), Exception);
        EXPECT_THROW(position->set(-1, 0, 0, 0, 0), Exception);
    }
    EXPECT_EQ(buffer->getLockCount(), 0);
    auto texcoord = geometry.getAttribute(AttributeSemantic::TexCoord0);
    EXPECT_NE(dynamic_cast<Geometry::TAttribute<short>*>(texcoord.get()), nullptr);
}

TEST(Geometry, SetOnTwoShortComponentsTruncatesAndWritesNothingElse)
{
    Geometry geometry;
    const int counts[2] = {2, 1};
    const int types[2] = {VertexBuffer::Short, VertexBuffer::Short};
    std::int16_t data[6] = {11, 12, 13, 21, 22, 23};
    geometry.addVertexBuffer(std::make_unique<VertexBuffer>(2, counts, 2, Orvane::system_mem, data, types));
    geometry.bindAttribute(0, 0, AttributeSemantic::TexCoord1);
    auto attribute = geometry.getAttribute(AttributeSemantic::TexCoord1);
    attribute->set(1, 1.9f, -2.7f, 5, 5);
    EXPECT_EQ(std::vector<std::int16_t>(data, data + 6), (std::vector<std::int16_t>{11, 12, 13, 1, -2, 23}));
    EXPECT_EQ(attribute->get(1), (Vector4t<float>(1, -2, 0, 0)));
    attribute->set(0, 1e9f, -1e9f, 0, 0);
    EXPECT_EQ(data[0], 32767) << "clamped to the type instead of overflowing";
    EXPECT_EQ(data[1], -32768);
}

TEST(Geometry, ByteAttributesAreSignedAndUnalignedAccessWorks)
{
    Geometry geometry;
    const int counts[2] = {1, 2};
    const int types[2] = {VertexBuffer::Byte, VertexBuffer::Float};
    unsigned char data[18] = {};
    geometry.addVertexBuffer(std::make_unique<VertexBuffer>(2, counts, 2, Orvane::system_mem, data, types));
    geometry.bindAttribute(0, 0, AttributeSemantic::Color);
    geometry.bindAttribute(0, 1, AttributeSemantic::TexCoord0);
    auto colour = geometry.getAttribute(AttributeSemantic::Color);
    colour->set(1, -3.9f, 0, 0, 0);
    EXPECT_EQ(colour->get(1).x, -3.0f);
    auto texcoord = geometry.getAttribute(AttributeSemantic::TexCoord0);
    texcoord->set(1, 0.25f, 8, 0, 0);
    float stored[2];
    std::memcpy(stored, data + 9 + 1, sizeof stored);
    EXPECT_EQ(stored[0], 0.25f);
    EXPECT_EQ(stored[1], 8.0f);
}
