#pragma once

#include "orvane/BufferModeEnum.h"
#include "orvane/BufferStorage.h"
#include "orvane/RenderEnums.h"

namespace Orvane {

// Vertex indices of one unsigned type, in client memory or a GL element buffer object.
class IndexBuffer {
public:
    enum DataTypeEnum : int { UnsignedByte = 0, UnsignedShort = 1, UnsignedInt = 2 };

    // system_mem uses initialData in place without owning it; hardware modes upload it. Throws
    // IllegalEnumException for an unknown mode or data type.
    IndexBuffer(int indexCount, int mode, const void* initialData, int dataType);
    IndexBuffer(const IndexBuffer&) = delete;
    IndexBuffer& operator=(const IndexBuffer&) = delete;
    IndexBuffer(IndexBuffer&&) noexcept = default;
    IndexBuffer& operator=(IndexBuffer&&) noexcept = default;

    // Nested locks return the same pointer. Unlike the vertex buffer this never throws: it
    // returns null for system memory without data, for neither read nor write, or when mapping
    // fails; such a lock is not counted.
    void* lock(bool read, bool write);
    void unlock();

    // indexCount is taken only when greater than 0. Throws Exception while locked.
    void setData(const void* data, int indexCount);

    // count -1 means every index from first on. Throws Exception for a range outside the buffer.
    void draw(PrimitiveTypeEnum primitive, int first, int count);

    int getIndexCount() const { return indexCount_; }
    int getDataType() const { return dataType_; }
    int getMode() const { return storage_.mode(); }
    GLuint getBufferObject() const { return storage_.bufferObject(); }
    int getLockCount() const { return storage_.lockCount(); }

    // Both lookups throw IllegalEnumException "Illegal IndexBuffer::DataTypeEnum".
    static GLenum glType(int dataType);
    static int typeSize(int dataType);

private:
    int indexCount_;
    int dataType_;
    BufferStorage storage_;
};

}
