#include "orvane/IndexBuffer.h"

#include "orvane/exceptions/Exception.h"

#include <GL/glext.h>

#include <string>

namespace Orvane {

using Exceptions::Exception;

GLenum IndexBuffer::glType(int dataType)
{
    switch (dataType) {
    case UnsignedByte: return GL_UNSIGNED_BYTE;
    case UnsignedShort: return GL_UNSIGNED_SHORT;
    case UnsignedInt: return GL_UNSIGNED_INT;
    default: break;
    }
    throw Exceptions::IllegalEnumException("Illegal IndexBuffer::DataTypeEnum");
}

int IndexBuffer::typeSize(int dataType)
{
    switch (dataType) {
    case UnsignedByte: return 1;
    case UnsignedShort: return 2;
    case UnsignedInt: return 4;
    default: break;
    }
    throw Exceptions::IllegalEnumException("Illegal IndexBuffer::DataTypeEnum");
}

IndexBuffer::IndexBuffer(int indexCount, int mode, const void* initialData, int dataType)
    : indexCount_(indexCount)
    , dataType_(dataType)
    , storage_(GL_ELEMENT_ARRAY_BUFFER, mode, checkedByteSize(indexCount, typeSize(dataType), "IndexBuffer"),
               initialData)
{}

void* IndexBuffer::lock(bool read, bool write) { return storage_.lock(read, write); }

void IndexBuffer::unlock() { storage_.unlock(); }

void IndexBuffer::setData(const void* data, int indexCount)
{
    int count = indexCount > 0 ? indexCount : indexCount_;
    storage_.setData(data, checkedByteSize(count, typeSize(dataType_), "IndexBuffer"));
    indexCount_ = count;
}

void IndexBuffer::draw(PrimitiveTypeEnum primitive, int first, int count)
{
    if (count == -1)
        count = indexCount_ - first;
    if (first < 0 || count < 0 || first > indexCount_ - count)
        throw Exception("IndexBuffer::draw(): indices " + std::to_string(first) + " to " + std::to_string(first + count)
                        + " lie outside the buffer of " + std::to_string(indexCount_));
    GLenum mode = toGl(primitive);
    const void* indices = storage_.bindForPointer(first * typeSize(dataType_));
    glDrawElements(mode, count, glType(dataType_), indices);
}

}
