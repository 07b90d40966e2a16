#include "orvane/VertexBuffer.h"

#include "orvane/Extensions.h"
#include "orvane/exceptions/Exception.h"

#include <string>

namespace Orvane {

using Exceptions::Exception;
using Exceptions::IllegalEnumException;

namespace {

std::vector<int> copyTypes(int attributeCount, const int* dataTypes)
{
    if (dataTypes == nullptr)
        return std::vector<int>(size_t(attributeCount), VertexBuffer::Float);
    return std::vector<int>(dataTypes, dataTypes + attributeCount);
}

int strideOf(const std::vector<int>& componentCounts, const std::vector<int>& dataTypes)
{
    long long stride = 0;
    for (size_t i = 0; i < componentCounts.size(); ++i) {
        if (componentCounts[i] < 0)
            throw Exception("VertexBuffer: negative component count");
        stride += (long long)componentCounts[i] * VertexBuffer::typeSize(dataTypes[i]);
    }
    return checkedByteSize(stride, 1, "VertexBuffer");
}

int validatedCount(int attributeCount)
{
    if (attributeCount < 0)
        throw Exception("VertexBuffer: negative attribute count");
    return attributeCount;
}

}

GLenum VertexBuffer::glType(int dataType)
{
    switch (dataType) {
    case Byte: return GL_BYTE;
    case Short: return GL_SHORT;
    case Int: return GL_INT;
    case Float: return GL_FLOAT;
    case Double: return GL_DOUBLE;
    default: break;
    }
    throw IllegalEnumException("Illegal VertexBuffer::DataTypeEnum");
}

int VertexBuffer::typeSize(int dataType)
{
    switch (dataType) {
    case Byte: return 1;
    case Short: return 2;
    case Int: return 4;
    case Float: return 4;
    case Double: return 8;
    default: break;
    }
    throw IllegalEnumException("Illegal VertexBuffer:DataTypeEnum");
}

VertexBuffer::VertexBuffer(int attributeCount, const int* componentCounts, int vertexCount, int mode,
                           const void* initialData, const int* dataTypes)
    : componentCounts_(componentCounts, componentCounts + validatedCount(attributeCount))
    , dataTypes_(copyTypes(attributeCount, dataTypes))
    , stride_(strideOf(componentCounts_, dataTypes_))
    , vertexCount_(vertexCount)
    , storage_(GL_ARRAY_BUFFER, mode, checkedByteSize(vertexCount, stride_, "VertexBuffer"), initialData)
{}

void* VertexBuffer::lock(bool read, bool write)
{
    void* data = storage_.lock(read, write);
    if (data != nullptr)
        return data;
    if (storage_.mode() == system_mem)
        throw Exception("Unable to lock the system_mem vertex buffer VertexBuffer::lock");
    throw Exception("Unable to lock the hardware_mem_* vertex buffer VertexBuffer::lock");
}

void VertexBuffer::unlock() { storage_.unlock(); }

void VertexBuffer::setData(const void* data, int vertexCount)
{
    int count = vertexCount > 0 ? vertexCount : vertexCount_;
    storage_.setData(data, checkedByteSize(count, stride_, "VertexBuffer"));
    vertexCount_ = count;
}

void VertexBuffer::checkAttributeIndex(int attributeIndex) const
{
    if (attributeIndex < 0 || attributeIndex >= getAttributeCount())
        throw Exception("VertexBuffer: attribute " + std::to_string(attributeIndex) + " does not exist (the buffer has "
                        + std::to_string(getAttributeCount()) + ")");
}

int VertexBuffer::getComponentCount(int attributeIndex) const
{
    checkAttributeIndex(attributeIndex);
    return componentCounts_[size_t(attributeIndex)];
}

int VertexBuffer::getDataType(int attributeIndex) const
{
    checkAttributeIndex(attributeIndex);
    return dataTypes_[size_t(attributeIndex)];
}

int VertexBuffer::getAttributeOffset(int attributeIndex) const
{
    checkAttributeIndex(attributeIndex);
    int offset = 0;
    for (int j = 0; j < attributeIndex; ++j)
        offset += componentCounts_[size_t(j)] * typeSize(dataTypes_[size_t(j)]);
    return offset;
}

void VertexBuffer::enable(int attributeIndex, AttributeSemantic semantic)
{
    int offset = getAttributeOffset(attributeIndex);
    int components = componentCounts_[size_t(attributeIndex)];
    GLenum type = glType(dataTypes_[size_t(attributeIndex)]);
    const void* pointer = storage_.bindForPointer(offset);
    int value = int(semantic);
    if (semantic == AttributeSemantic::Position) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(components, type, stride_, pointer);
    } else if (value >= int(AttributeSemantic::TexCoord0) && value <= int(AttributeSemantic::TexCoord7)) {
        Ext::glClientActiveTexture(GL_TEXTURE0 + GLenum(value - int(AttributeSemantic::TexCoord0)));
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(components, type, stride_, pointer);
    } else if (semantic == AttributeSemantic::Normal) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(type, stride_, pointer);
    } else if (semantic == AttributeSemantic::Color) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(components, type, stride_, pointer);
    } else if (value >= int(AttributeSemantic::Generic0)) {
        GLuint index = GLuint(value - int(AttributeSemantic::Generic0));
        Ext::glEnableVertexAttribArray(index);
        Ext::glVertexAttribPointer(index, components, type, GL_FALSE, stride_, pointer);
    } else {
        throw Exception("Unreachable state reached (Error in implementation)");
    }
}

void VertexBuffer::disable(AttributeSemantic semantic)
{
    Ext::glBindBuffer(GL_ARRAY_BUFFER, 0);
    int value = int(semantic);
    if (value >= int(AttributeSemantic::Generic0)) {
        Ext::glDisableVertexAttribArrayARB(GLuint(value - int(AttributeSemantic::Generic0)));
    } else if (semantic == AttributeSemantic::Position) {
        glDisableClientState(GL_VERTEX_ARRAY);
    } else if (semantic == AttributeSemantic::Normal) {
        glDisableClientState(GL_NORMAL_ARRAY);
    } else if (semantic == AttributeSemantic::Color) {
        glDisableClientState(GL_COLOR_ARRAY);
    } else if (value >= int(AttributeSemantic::TexCoord0) && value <= int(AttributeSemantic::TexCoord7)) {
        Ext::glClientActiveTexture(GL_TEXTURE0 + GLenum(value - int(AttributeSemantic::TexCoord0)));
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
        throw Exception("Unreachable state reached (Error in implementation)");
    }
}

void VertexBuffer::draw(PrimitiveTypeEnum primitive, int first, int count)
{
    if (count == -1)
        count = vertexCount_ - first;
    if (first < 0 || count < 0 || first > vertexCount_ - count)
        throw Exception("VertexBuffer::draw(): vertices " + std::to_string(first) + " to "
                        + std::to_string(first + count) + " lie outside the buffer of " + std::to_string(vertexCount_));
    glDrawArrays(toGl(primitive), first, count);
}

}
