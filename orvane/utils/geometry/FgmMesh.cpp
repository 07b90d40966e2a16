#include "orvane/utils/geometry/FgmMesh.h"

#include "orvane/BufferModeEnum.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/FgmFormat.h"
#include "orvane/utils/geometry/Geometry.h"

#include <cstring>
#include <string>

namespace Orvane::Utils {

using Exceptions::Exception;

namespace {

// Client-memory buffers get storage of their own, filled here, so that the mesh's vectors never
// have to outlive the geometry.
std::unique_ptr<VertexBuffer> makeVertexBuffer(const FgmAttribute& attribute, int vertexCount, int bufferMode)
{
    const int components[1] = {attribute.components};
    if (bufferMode != system_mem)
        return std::make_unique<VertexBuffer>(1, components, vertexCount, bufferMode, attribute.values.data());
    auto buffer = std::make_unique<VertexBuffer>(1, components, vertexCount, bufferMode, nullptr);
    if (!attribute.values.empty()) {
        std::memcpy(buffer->lock(false, true), attribute.values.data(), attribute.values.size() * sizeof(float));
        buffer->unlock();
    }
    return buffer;
}

std::unique_ptr<IndexBuffer> makeIndexBuffer(const std::vector<std::uint32_t>& indices, int bufferMode)
{
    const int count = int(indices.size());
    if (bufferMode != system_mem)
        return std::make_unique<IndexBuffer>(count, bufferMode, indices.data(), IndexBuffer::UnsignedInt);
    auto buffer = std::make_unique<IndexBuffer>(count, bufferMode, nullptr, IndexBuffer::UnsignedInt);
    if (count > 0) {
        std::memcpy(buffer->lock(false, true), indices.data(), indices.size() * sizeof(std::uint32_t));
        buffer->unlock();
    }
    return buffer;
}

std::vector<float> readFloats(VertexBuffer& buffer, int attributeIndex, int vertexCount)
{
    const int components = buffer.getComponentCount(attributeIndex);
    const int offset = buffer.getAttributeOffset(attributeIndex);
    std::vector<float> values(size_t(components) * size_t(vertexCount));
    if (values.empty())
        return values;
    const auto* data = static_cast<const unsigned char*>(buffer.lock(true, false));
    for (int v = 0; v < vertexCount; ++v)
        std::memcpy(&values[size_t(v) * size_t(components)], data + size_t(v) * size_t(buffer.getStride()) + offset,
                    size_t(components) * sizeof(float));
    buffer.unlock();
    return values;
}

template <typename T>
std::uint32_t loadAs(const unsigned char* data, size_t i)
{
    T value;
    std::memcpy(&value, data + i * sizeof(T), sizeof(T));
    return value;
}

std::uint32_t loadIndex(const unsigned char* data, size_t i, int type)
{
    switch (type) {
    case IndexBuffer::UnsignedByte: return loadAs<std::uint8_t>(data, i);
    case IndexBuffer::UnsignedShort: return loadAs<std::uint16_t>(data, i);
    default: return loadAs<std::uint32_t>(data, i);
    }
}

std::vector<std::uint32_t> readIndices(IndexBuffer& buffer)
{
    std::vector<std::uint32_t> indices(size_t(buffer.getIndexCount()));
    if (indices.empty())
        return indices;
    const auto* data = static_cast<const unsigned char*>(buffer.lock(true, false));
    if (data == nullptr)
        throw Exception("FGM: unable to read the geometry's index buffer");
    const int type = buffer.getDataType();
    for (size_t i = 0; i < indices.size(); ++i)
        indices[i] = loadIndex(data, i, type);
    buffer.unlock();
    return indices;
}

}

void FgmMesh::addAttribute(AttributeSemantic semantic, int components, std::vector<float> values)
{
    attributes.push_back({semantic, components, std::move(values)});
}

void FgmMesh::validate() const
{
    if (vertexCount < 0)
        throw Exception("FGM mesh: negative vertex count");
    if (attributes.size() > size_t(Fgm::MaxAttributes))
        throw Exception("FGM mesh: " + std::to_string(attributes.size()) + " attributes, at most 16 fit");
    if (!Fgm::nameOfPrimitive(primitiveType))
        throw Exception("FGM mesh: primitive type " + std::to_string(int(primitiveType)) + " has no FGM name");
    for (const FgmAttribute& attribute : attributes) {
        std::string semantic = std::to_string(int(attribute.semantic));
        if (!Fgm::nameOfSemantic(attribute.semantic))
            throw Exception("FGM mesh: attribute semantic " + semantic + " has no FGM name");
        if (attribute.components < 1 || attribute.components > Fgm::MaxComponents)
            throw Exception("FGM mesh: attribute semantic " + semantic + " has " + std::to_string(attribute.components)
                            + " components, 1 to 4 fit");
        if (attribute.values.size() != size_t(attribute.components) * size_t(vertexCount))
            throw Exception("FGM mesh: attribute semantic " + semantic + " holds "
                            + std::to_string(attribute.values.size()) + " values instead of components * vertex count");
    }
    for (size_t i = 0; i < indices.size(); ++i)
        if (indices[i] >= std::uint32_t(vertexCount))
            throw Exception("FGM mesh: index " + std::to_string(indices[i]) + " at position " + std::to_string(i)
                            + " is not below the vertex count " + std::to_string(vertexCount));
}

std::unique_ptr<Geometry> FgmMesh::toGeometry(int bufferMode) const
{
    validate();
    auto geometry = std::make_unique<Geometry>();
    for (const FgmAttribute& attribute : attributes) {
        std::unique_ptr<VertexBuffer> buffer = makeVertexBuffer(attribute, vertexCount, bufferMode);
        int slot = geometry->addVertexBuffer(std::move(buffer));
        geometry->bindAttribute(slot, 0, attribute.semantic);
    }
    geometry->primitiveType = primitiveType;
    geometry->setIndexBuffer(makeIndexBuffer(indices, bufferMode));
    return geometry;
}

FgmMesh FgmMesh::fromGeometry(const Geometry& geometry)
{
    FgmMesh mesh;
    mesh.vertexCount = geometry.getVertexCount();
    mesh.primitiveType = geometry.primitiveType;
    for (const AttributeBinding& binding : geometry.getBindings()) {
        VertexBuffer* buffer = geometry.getVertexBuffer(binding.slot);
        if (buffer == nullptr)
            continue;
        if (buffer->getDataType(binding.attributeIndex) != VertexBuffer::Float)
            throw Exception("FGM mesh: attribute semantic " + std::to_string(int(binding.semantic))
                            + " is not made of floats");
        if (buffer->getVertexCount() != mesh.vertexCount)
            throw Exception("FGM mesh: the geometry's vertex buffers differ in vertex count");
        mesh.addAttribute(binding.semantic, buffer->getComponentCount(binding.attributeIndex),
                          readFloats(*buffer, binding.attributeIndex, mesh.vertexCount));
    }
    if (IndexBuffer* indexBuffer = geometry.getIndexBuffer()) {
        mesh.indices = readIndices(*indexBuffer);
    } else {
        for (int i = 0; i < mesh.vertexCount; ++i)
            mesh.indices.push_back(std::uint32_t(i));
    }
    return mesh;
}

}
