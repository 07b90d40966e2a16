#include "orvane/utils/geometry/Geometry.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/GeometryAttribute.h"

#include <algorithm>
#include <string>
#include <utility>

namespace Orvane::Utils {

using Exceptions::Exception;

Geometry::~Geometry() = default;

int Geometry::addVertexBuffer(std::unique_ptr<VertexBuffer>&& buffer)
{
    for (int slot = 0; slot < MaxVertexBuffers; ++slot) {
        if (!vertexBuffers_[size_t(slot)]) {
            vertexBuffers_[size_t(slot)] = std::move(buffer);
            return slot;
        }
    }
    return MaxVertexBuffers;
}

void Geometry::bindAttribute(int slot, int attributeIndex, AttributeSemantic semantic)
{
    if (slot < 0 || slot >= MaxVertexBuffers)
        throw Exception("Geometry::bindAttribute(): slot " + std::to_string(slot) + " is outside 0 to 15");
    bindings_.push_back({slot, attributeIndex, semantic});
}

void Geometry::removeAttribute(AttributeSemantic semantic)
{
    std::erase_if(bindings_, [semantic](const AttributeBinding& b) { return b.semantic == semantic; });
}

void Geometry::setIndexBuffer(std::unique_ptr<IndexBuffer> buffer) { indexBuffer_ = std::move(buffer); }

void Geometry::swapContents(Geometry& other)
{
    std::swap(vertexBuffers_, other.vertexBuffers_);
    std::swap(indexBuffer_, other.indexBuffer_);
    std::swap(bindings_, other.bindings_);
    std::swap(primitiveType, other.primitiveType);
}

VertexBuffer* Geometry::getVertexBuffer(int slot) const
{
    if (slot < 0 || slot >= MaxVertexBuffers)
        return nullptr;
    return vertexBuffers_[size_t(slot)].get();
}

VertexBuffer* Geometry::firstVertexBuffer() const
{
    for (const auto& buffer : vertexBuffers_)
        if (buffer)
            return buffer.get();
    return nullptr;
}

int Geometry::getVertexCount() const
{
    VertexBuffer* first = firstVertexBuffer();
    return first ? first->getVertexCount() : 0;
}

const AttributeBinding* Geometry::findBinding(AttributeSemantic semantic) const
{
    for (const AttributeBinding& binding : bindings_)
        if (binding.semantic == semantic)
            return &binding;
    return nullptr;
}

AttributeInfo Geometry::getAttributeInfo(AttributeSemantic semantic) const
{
    const AttributeBinding* binding = findBinding(semantic);
    VertexBuffer* buffer = binding ? getVertexBuffer(binding->slot) : nullptr;
    if (buffer == nullptr)
        throw Exception("Geometry::getAttributeInfo(): Attribute does not exist within the Geometry.");
    return {buffer, buffer->getAttributeOffset(binding->attributeIndex), buffer->getStride()};
}

std::unique_ptr<Geometry::Attribute> Geometry::getAttribute(AttributeSemantic semantic)
{
    const AttributeBinding* binding = findBinding(semantic);
    VertexBuffer* buffer = binding ? getVertexBuffer(binding->slot) : nullptr;
    if (buffer == nullptr)
        return nullptr;
    switch (buffer->getDataType(binding->attributeIndex)) {
    case VertexBuffer::Byte: return std::make_unique<TAttribute<std::int8_t>>(this, semantic);
    case VertexBuffer::Short: return std::make_unique<TAttribute<short>>(this, semantic);
    case VertexBuffer::Int: return std::make_unique<TAttribute<int>>(this, semantic);
    case VertexBuffer::Float: return std::make_unique<TAttribute<float>>(this, semantic);
    case VertexBuffer::Double: return std::make_unique<TAttribute<double>>(this, semantic);
    default: return nullptr;
    }
}

void Geometry::draw()
{
    for (const AttributeBinding& binding : bindings_)
        if (VertexBuffer* buffer = getVertexBuffer(binding.slot))
            buffer->enable(binding.attributeIndex, binding.semantic);
    if (indexBuffer_)
        indexBuffer_->draw(primitiveType, 0, -1);
    else if (VertexBuffer* first = firstVertexBuffer())
        first->draw(primitiveType, 0, -1);
    for (const AttributeBinding& binding : bindings_)
        if (VertexBuffer* buffer = getVertexBuffer(binding.slot))
            buffer->disable(binding.semantic);
}

}
