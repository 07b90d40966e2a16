#pragma once

#include "orvane/AttributeSemantic.h"
#include "orvane/BufferModeEnum.h"
#include "orvane/BufferStorage.h"
#include "orvane/RenderEnums.h"

#include <vector>

namespace Orvane {

// Interleaved vertices: attribute after attribute in index order, no padding, each a number of
// components of one data type. Lives in client memory or a GL buffer object (BufferModeEnum).
class VertexBuffer {
public:
    enum DataTypeEnum : int { Byte = 0, Short = 1, Int = 2, Float = 3, Double = 4 };

    // dataTypes may be null: Float for every attribute. system_mem uses initialData in place
    // without owning it; hardware modes upload it. Throws IllegalEnumException for an unknown
    // mode or data type, Exception for sizes that do not fit a buffer.
    VertexBuffer(int attributeCount, const int* componentCounts, int vertexCount, int mode, const void* initialData,
                 const int* dataTypes = nullptr);
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;
    VertexBuffer(VertexBuffer&&) noexcept = default;
    VertexBuffer& operator=(VertexBuffer&&) noexcept = default;

    // Nested locks return the same pointer; throws Exception when no pointer can be had (the
    // failed lock is not counted, so no unlock is owed for it).
    void* lock(bool read, bool write);
    void unlock();

    // vertexCount is taken only when greater than 0. Throws Exception while locked.
    void setData(const void* data, int vertexCount);

    // Connects one attribute to the fixed-function array, texture unit or generic attribute of
    // the semantic. Throws Exception "Unreachable state reached (Error in implementation)" for
    // unassigned semantics.
    void enable(int attributeIndex, AttributeSemantic semantic);
    void disable(AttributeSemantic semantic);

    // count -1 means every vertex. Throws Exception for a range outside the buffer.
    void draw(PrimitiveTypeEnum primitive, int first, int count);

    int getVertexCount() const { return vertexCount_; }
    int getStride() const { return stride_; }
    int getAttributeCount() const { return int(componentCounts_.size()); }
    int getComponentCount(int attributeIndex) const;
    int getDataType(int attributeIndex) const;
    // Byte offset of the attribute inside one vertex.
    int getAttributeOffset(int attributeIndex) const;
    int getMode() const { return storage_.mode(); }
    GLuint getBufferObject() const { return storage_.bufferObject(); }
    int getLockCount() const { return storage_.lockCount(); }

    // "Illegal VertexBuffer::DataTypeEnum" from the GL type lookup, "Illegal
    // VertexBuffer:DataTypeEnum" from the size lookup: both texts are part of the interface.
    static GLenum glType(int dataType);
    static int typeSize(int dataType);

private:
    void checkAttributeIndex(int attributeIndex) const;

    std::vector<int> componentCounts_;
    std::vector<int> dataTypes_;
    int stride_ = 0;
    int vertexCount_;
    BufferStorage storage_;
};

}
