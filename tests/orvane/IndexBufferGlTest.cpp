#include "orvane/Extensions.h"
#include "orvane/IndexBuffer.h"
#include "orvane/VertexBuffer.h"
#include "orvane/exceptions/Exception.h"
#include "support/GlTest.h"

#include <cstdint>
#include <vector>

using Orvane::AttributeSemantic;
using Orvane::IndexBuffer;
using Orvane::PrimitiveTypeEnum;
using Orvane::VertexBuffer;
using Orvane::Exceptions::Exception;
using Orvane::Exceptions::IllegalEnumException;
using TestSupport::GlTest;

namespace {

constexpr int Squares = 6;

// Six squares side by side across the middle of the screen, two triangles (six indices) each.
class SquareStrip {
public:
    SquareStrip()
    {
        for (int k = 0; k < Squares; ++k) {
            float left = -1.0f + 2.0f * k / Squares, right = -1.0f + 2.0f * (k + 1) / Squares;
            const float corners[4][2] = {{left, -0.5f}, {right, -0.5f}, {right, 0.5f}, {left, 0.5f}};
            for (const auto& corner : corners)
                positions.insert(positions.end(), {corner[0], corner[1], 0.0f});
            auto base = std::uint32_t(4 * k);
            indices.insert(indices.end(), {base, base + 1, base + 2, base, base + 2, base + 3});
        }
    }

    std::vector<float> positions;
    std::vector<std::uint32_t> indices;
};

class IndexBufferGlTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped())
            return;
        useFixedFunction();
        glColor4f(1, 1, 1, 1);
    }

    // Draws the strip's indices [first, first + count) and returns which squares came out white.
    std::vector<bool> drawnSquares(IndexBuffer& indices, int first, int count)
    {
        const int counts[1] = {3};
        VertexBuffer vertices(1, counts, 4 * Squares, Orvane::system_mem, strip.positions.data());
        device().clear(Orvane::ClearTarget::Color, 0, 0, 0, 1, 1, 0);
        vertices.enable(0, AttributeSemantic::Position);
        indices.draw(PrimitiveTypeEnum::Triangles, first, count);
        vertices.disable(AttributeSemantic::Position);
        std::vector<bool> white;
        for (int k = 0; k < Squares; ++k)
            white.push_back(pixelAt(int((k + 0.5f) * Width / Squares), Height / 2)[0] == 255);
        return white;
    }

    SquareStrip strip;
};

}

TEST(IndexBuffer, IllegalTypeAndModeMessages)
{
    EXPECT_THROW(IndexBuffer::glType(3), IllegalEnumException);
    try {
        IndexBuffer(3, Orvane::system_mem, nullptr, 3);
        ADD_FAILURE() << "no exception";
    } catch (const IllegalEnumException& error) {
        EXPECT_EQ(error.getMessage(), "Illegal IndexBuffer::DataTypeEnum");
    }
    try {
        IndexBuffer(3, -1, nullptr, IndexBuffer::UnsignedShort);
        ADD_FAILURE() << "no exception";
    } catch (const IllegalEnumException& error) {
        EXPECT_EQ(error.getMessage(), "Illegal BufferModeEnum");
    }
    EXPECT_EQ(IndexBuffer::typeSize(IndexBuffer::UnsignedShort), 2);
    EXPECT_EQ(IndexBuffer::glType(IndexBuffer::UnsignedByte), GLenum(GL_UNSIGNED_BYTE));
}

TEST(IndexBuffer, SystemMemoryWithoutDataLocksToNull)
{
    IndexBuffer buffer(6, Orvane::system_mem, nullptr, IndexBuffer::UnsignedShort);
    ASSERT_NE(buffer.lock(true, true), nullptr);
    buffer.unlock();
    buffer.setData(nullptr, 0);
    EXPECT_EQ(buffer.getIndexCount(), 6);
    EXPECT_EQ(buffer.lock(true, false), nullptr);
    EXPECT_EQ(buffer.getLockCount(), 0);
    buffer.unlock();
    EXPECT_EQ(buffer.getLockCount(), 0);
}

TEST_F(IndexBufferGlTest, LockWithoutAccessGivesNullAndNestedLocksShareTheMapping)
{
    IndexBuffer buffer(36, Orvane::hardware_mem_static_draw, strip.indices.data(), IndexBuffer::UnsignedInt);
    EXPECT_EQ(buffer.lock(false, false), nullptr);
    EXPECT_EQ(buffer.getLockCount(), 0);
    void* outer = buffer.lock(true, false);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(buffer.lock(false, false), outer) << "already mapped";
    EXPECT_EQ(static_cast<std::uint32_t*>(outer)[5], 3u);
    buffer.unlock();
    EXPECT_EQ(buffer.getLockCount(), 1);
    buffer.unlock();
    EXPECT_EQ(buffer.getLockCount(), 0);
    // Mapped again after the outermost unlock released it.
    EXPECT_NE(buffer.lock(true, true), nullptr);
    buffer.unlock();
}

TEST_F(IndexBufferGlTest, DrawsTheWholeBufferOrARange)
{
    for (int mode : {int(Orvane::system_mem), int(Orvane::hardware_mem_static_draw)}) {
        SCOPED_TRACE(mode);
        IndexBuffer buffer(36, mode, strip.indices.data(), IndexBuffer::UnsignedInt);
        EXPECT_EQ(drawnSquares(buffer, 0, -1), std::vector<bool>(Squares, true));
        EXPECT_EQ(drawnSquares(buffer, 6, 12), (std::vector<bool>{false, true, true, false, false, false}));
        EXPECT_EQ(drawnSquares(buffer, 30, -1), (std::vector<bool>{false, false, false, false, false, true}));
    }
}

TEST_F(IndexBufferGlTest, SmallIndexTypesDraw)
{
    std::vector<std::uint16_t> shorts(strip.indices.begin(), strip.indices.end());
    IndexBuffer buffer(36, Orvane::hardware_mem_stream_draw, shorts.data(), IndexBuffer::UnsignedShort);
    EXPECT_EQ(drawnSquares(buffer, 24, 6), (std::vector<bool>{false, false, false, false, true, false}));
    std::vector<std::uint8_t> bytes(strip.indices.begin(), strip.indices.end());
    IndexBuffer small(36, Orvane::system_mem, bytes.data(), IndexBuffer::UnsignedByte);
    EXPECT_EQ(drawnSquares(small, 0, 6), (std::vector<bool>{true, false, false, false, false, false}));
}

TEST_F(IndexBufferGlTest, RangesOutsideTheBufferAreRefused)
{
    IndexBuffer buffer(36, Orvane::system_mem, strip.indices.data(), IndexBuffer::UnsignedInt);
    EXPECT_THROW(buffer.draw(PrimitiveTypeEnum::Triangles, 30, 12), Exception);
    EXPECT_THROW(buffer.draw(PrimitiveTypeEnum::Triangles, -3, 3), Exception);
    EXPECT_THROW(buffer.draw(PrimitiveTypeEnum::Triangles, 40, -1), Exception);
    buffer.setData(nullptr, 0);
    EXPECT_THROW(buffer.draw(PrimitiveTypeEnum::Triangles, 0, -1), Exception) << "GL would read through null";
}
