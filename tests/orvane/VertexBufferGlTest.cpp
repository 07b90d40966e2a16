#include "orvane/Extensions.h"
#include "orvane/VertexBuffer.h"
#include "orvane/exceptions/Exception.h"
#include "support/ExceptionMessage.h"
#include "support/GlTest.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <vector>

using Orvane::AttributeSemantic;
using Orvane::VertexBuffer;
using Orvane::Exceptions::Exception;
using Orvane::Exceptions::IllegalEnumException;
using TestSupport::GlTest;

using TestSupport::messageOf;

namespace {

GLint glInt(GLenum name)
{
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

GLint bufferParameter(GLuint buffer, GLenum name)
{
    auto get = reinterpret_cast<PFNGLGETBUFFERPARAMETERIVPROC>(SDL_GL_GetProcAddress("glGetBufferParameteriv"));
    Orvane::Ext::glBindBuffer(GL_ARRAY_BUFFER, buffer);
    GLint value = -1;
    get(GL_ARRAY_BUFFER, name, &value);
    return value;
}

// Three Float position components and four Byte colour components: stride 16.
struct PositionColour {
    const int counts[2] = {3, 4};
    const int types[2] = {VertexBuffer::Float, VertexBuffer::Byte};
};

class VertexBufferGlTest : public GlTest {};

}

TEST(VertexBuffer, DataTypeLookupsUseTheirOwnSpellings)
{
    EXPECT_EQ(messageOf<IllegalEnumException>([] { VertexBuffer::glType(5); }), "Illegal VertexBuffer::DataTypeEnum");
    EXPECT_EQ(messageOf<IllegalEnumException>([] { VertexBuffer::typeSize(-1); }), "Illegal VertexBuffer:DataTypeEnum");
    // Construction sizes the attributes, so a bad type there is the size lookup's error.
    const int counts[1] = {3};
    const int types[1] = {9};
    EXPECT_EQ(messageOf<IllegalEnumException>([&] { VertexBuffer(1, counts, 3, Orvane::system_mem, nullptr, types); }),
              "Illegal VertexBuffer:DataTypeEnum");
    EXPECT_EQ(VertexBuffer::glType(VertexBuffer::Double), GLenum(GL_DOUBLE));
    EXPECT_EQ(VertexBuffer::typeSize(VertexBuffer::Double), 8);
}

TEST(VertexBuffer, IllegalModeAndOversizedBuffersAreRejected)
{
    const int counts[1] = {4};
    EXPECT_EQ(messageOf<IllegalEnumException>([&] { VertexBuffer(1, counts, 3, 7, nullptr); }),
              "Illegal BufferModeEnum");
    EXPECT_THROW(VertexBuffer(1, counts, 1 << 28, Orvane::system_mem, nullptr), Exception);
    EXPECT_THROW(VertexBuffer(1, counts, -1, Orvane::system_mem, nullptr), Exception);
}

TEST(VertexBuffer, StrideOffsetsAndDefaultFloatTypes)
{
    PositionColour layout;
    VertexBuffer mixed(2, layout.counts, 5, Orvane::system_mem, nullptr, layout.types);
    EXPECT_EQ(mixed.getStride(), 16);
    EXPECT_EQ(mixed.getAttributeOffset(1), 12);
    const int counts[3] = {3, 2, 4};
    VertexBuffer floats(3, counts, 2, Orvane::system_mem, nullptr);
    EXPECT_EQ(floats.getStride(), 36);
    EXPECT_EQ(floats.getAttributeOffset(2), 20);
    EXPECT_EQ(floats.getDataType(1), VertexBuffer::Float);
    EXPECT_THROW(floats.getAttributeOffset(3), Exception);
}

TEST(VertexBuffer, SystemMemoryUsesCallerDataInPlaceAndSetDataKeepsCountForZero)
{
    const int counts[1] = {2};
    float first[4] = {1, 2, 3, 4};
    VertexBuffer buffer(1, counts, 2, Orvane::system_mem, first);
    EXPECT_EQ(buffer.lock(true, true), first);
    EXPECT_EQ(buffer.lock(false, false), first);
    buffer.unlock();
    buffer.unlock();
    float second[6] = {};
    buffer.setData(second, 0);
    EXPECT_EQ(buffer.getVertexCount(), 2);
    buffer.setData(second, 3);
    EXPECT_EQ(buffer.getVertexCount(), 3);
    EXPECT_EQ(buffer.lock(true, false), second);
    EXPECT_THROW(buffer.setData(first, 2), Exception) << "refilling while locked";
    buffer.unlock();
    buffer.setData(nullptr, 0);
    EXPECT_EQ(messageOf<Exception>([&] { buffer.lock(true, true); }),
              "Unable to lock the system_mem vertex buffer VertexBuffer::lock");
    EXPECT_EQ(buffer.getLockCount(), 0);
}

TEST(VertexBuffer, HardwareModeWithoutDeviceIsReportedNotCalled)
{
    if (Orvane::Ext::glGenBuffers != nullptr)
        GTEST_SKIP() << "extensions already loaded in this process";
    const int counts[1] = {3};
    EXPECT_THROW(VertexBuffer(1, counts, 3, Orvane::hardware_mem_static_draw, nullptr),
                 Orvane::Exceptions::DeviceNotCapableException);
}

TEST_F(VertexBufferGlTest, EveryHardwareModeUploadsAndReadsBack)
{
    const int counts[1] = {3};
    const float data[6] = {1, 2, 3, 4, 5, 6};
    for (int mode = Orvane::hardware_mem_stream_draw; mode <= Orvane::hardware_mem_static_copy; ++mode) {
        SCOPED_TRACE(mode);
        VertexBuffer buffer(1, counts, 2, mode, data);
        EXPECT_NE(buffer.getBufferObject(), 0u);
        const auto* read = static_cast<const float*>(buffer.lock(true, false));
        EXPECT_EQ(std::vector<float>(read, read + 6), std::vector<float>(data, data + 6));
        buffer.unlock();
    }
}

TEST_F(VertexBufferGlTest, NestedLocksMapOnceAndTheFirstAccessHolds)
{
    const int counts[1] = {4};
    VertexBuffer buffer(1, counts, 8, Orvane::hardware_mem_static_draw, nullptr);
    void* first = buffer.lock(true, false);
    void* second = buffer.lock(false, true);
    EXPECT_EQ(first, second);
    EXPECT_EQ(bufferParameter(buffer.getBufferObject(), GL_BUFFER_ACCESS), GL_READ_ONLY);
    buffer.unlock();
    EXPECT_EQ(bufferParameter(buffer.getBufferObject(), GL_BUFFER_MAPPED), GL_TRUE);
    buffer.unlock();
    EXPECT_EQ(bufferParameter(buffer.getBufferObject(), GL_BUFFER_MAPPED), GL_FALSE);
    buffer.unlock();
    EXPECT_EQ(buffer.getLockCount(), 0) << "an unlock without a lock is ignored";
}

TEST_F(VertexBufferGlTest, LockWithoutAccessThrowsAndOwesNoUnlock)
{
    const int counts[1] = {3};
    VertexBuffer buffer(1, counts, 3, Orvane::hardware_mem_static_draw, nullptr);
    EXPECT_EQ(messageOf<Exception>([&] { buffer.lock(false, false); }),
              "Unable to lock the hardware_mem_* vertex buffer VertexBuffer::lock");
    EXPECT_EQ(buffer.getLockCount(), 0);
    // The failed lock must not keep the next real lock mapped after its unlock.
    auto* data = static_cast<float*>(buffer.lock(false, true));
    data[0] = 7;
    buffer.unlock();
    EXPECT_EQ(bufferParameter(buffer.getBufferObject(), GL_BUFFER_MAPPED), GL_FALSE);
    EXPECT_EQ(static_cast<float*>(buffer.lock(true, false))[0], 7.0f);
    buffer.unlock();
}

TEST_F(VertexBufferGlTest, HardwareSetDataUploadsAndRefusesWhileMapped)
{
    const int counts[1] = {1};
    const float before[2] = {1, 2};
    const float after[3] = {5, 6, 7};
    VertexBuffer buffer(1, counts, 2, Orvane::hardware_mem_stream_draw, before);
    buffer.setData(after, 3);
    EXPECT_EQ(buffer.getVertexCount(), 3);
    EXPECT_EQ(bufferParameter(buffer.getBufferObject(), GL_BUFFER_SIZE), 12);
    const auto* read = static_cast<const float*>(buffer.lock(true, false));
    EXPECT_EQ(read[2], 7.0f);
    EXPECT_THROW(buffer.setData(before, 2), Exception);
    buffer.unlock();
}

TEST_F(VertexBufferGlTest, EnableConnectsFixedFunctionArraysAtTheAttributeOffset)
{
    PositionColour layout;
    VertexBuffer system(2, layout.counts, 4, Orvane::system_mem, nullptr, layout.types);
    auto* base = static_cast<unsigned char*>(system.lock(true, true));
    system.unlock();
    system.enable(1, AttributeSemantic::Color);
    EXPECT_TRUE(glIsEnabled(GL_COLOR_ARRAY));
    void* pointer = nullptr;
    glGetPointerv(GL_COLOR_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, base + 12);
    EXPECT_EQ(glInt(GL_COLOR_ARRAY_STRIDE), 16);
    EXPECT_EQ(glInt(GL_COLOR_ARRAY_SIZE), 4);
    EXPECT_EQ(glInt(GL_COLOR_ARRAY_TYPE), GL_BYTE);
    EXPECT_EQ(glInt(GL_COLOR_ARRAY_BUFFER_BINDING), 0);
    system.disable(AttributeSemantic::Color);
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));

    VertexBuffer hardware(2, layout.counts, 4, Orvane::hardware_mem_static_draw, nullptr, layout.types);
    hardware.enable(0, AttributeSemantic::Position);
    hardware.enable(0, AttributeSemantic::Normal);
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_EQ(glInt(GL_VERTEX_ARRAY_BUFFER_BINDING), GLint(hardware.getBufferObject()));
    EXPECT_EQ(glInt(GL_VERTEX_ARRAY_SIZE), 3);
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, nullptr) << "offset 0 into the buffer object";
    hardware.disable(AttributeSemantic::Position);
    hardware.disable(AttributeSemantic::Normal);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_EQ(glInt(GL_ARRAY_BUFFER_BINDING), 0);
}

TEST_F(VertexBufferGlTest, TexCoordSemanticsSelectTheirClientUnit)
{
    const int counts[1] = {2};
    VertexBuffer buffer(1, counts, 3, Orvane::system_mem, nullptr);
    buffer.enable(0, AttributeSemantic::TexCoord3);
    EXPECT_EQ(glInt(GL_CLIENT_ACTIVE_TEXTURE), GL_TEXTURE3);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_EQ(glInt(GL_TEXTURE_COORD_ARRAY_SIZE), 2);
    Orvane::Ext::glClientActiveTexture(GL_TEXTURE0);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY)) << "unit 0 untouched";
    buffer.disable(AttributeSemantic::TexCoord3);
    EXPECT_EQ(glInt(GL_CLIENT_ACTIVE_TEXTURE), GL_TEXTURE3) << "the unit is left selected";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
}

TEST_F(VertexBufferGlTest, GenericSemanticsUseUnnormalisedAttributeArrays)
{
    auto getAttrib = reinterpret_cast<PFNGLGETVERTEXATTRIBIVPROC>(SDL_GL_GetProcAddress("glGetVertexAttribiv"));
    PositionColour layout;
    VertexBuffer buffer(2, layout.counts, 4, Orvane::system_mem, nullptr, layout.types);
    buffer.enable(1, AttributeSemantic(103));
    GLint enabled = 0, size = 0, normalised = -1, type = 0;
    getAttrib(3, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    getAttrib(3, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
    getAttrib(3, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, &normalised);
    getAttrib(3, GL_VERTEX_ATTRIB_ARRAY_TYPE, &type);
    EXPECT_EQ(enabled, GL_TRUE);
    EXPECT_EQ(size, 4);
    EXPECT_EQ(normalised, GL_FALSE);
    EXPECT_EQ(type, GL_BYTE);
    buffer.disable(AttributeSemantic(103));
    getAttrib(3, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    EXPECT_EQ(enabled, GL_FALSE);
}

TEST_F(VertexBufferGlTest, UnassignedSemanticsAndAttributesAreErrors)
{
    const int counts[1] = {3};
    VertexBuffer buffer(1, counts, 3, Orvane::system_mem, nullptr);
    const char* unreachable = "Unreachable state reached (Error in implementation)";
    EXPECT_EQ(messageOf<Exception>([&] { buffer.enable(0, AttributeSemantic(1)); }), unreachable);
    EXPECT_EQ(messageOf<Exception>([&] { buffer.enable(0, AttributeSemantic(12)); }), unreachable);
    EXPECT_EQ(messageOf<Exception>([&] { buffer.disable(AttributeSemantic(99)); }), unreachable);
    EXPECT_EQ(messageOf<Exception>([&] { buffer.disable(AttributeSemantic(-1)); }), unreachable);
    EXPECT_THROW(buffer.enable(1, AttributeSemantic::Position), Exception);
    buffer.setData(nullptr, 0);
    EXPECT_THROW(buffer.enable(0, AttributeSemantic::Position), Exception) << "GL would read through null";
}
