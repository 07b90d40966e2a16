#include "orvane/utils/geometry/GeometryAttribute.h"

#include "orvane/exceptions/Exception.h"

#include <string>

namespace Orvane::Utils {

using Exceptions::Exception;

Geometry::Attribute::Attribute(Geometry* geometry, AttributeSemantic semantic)
{
    const AttributeBinding* binding = geometry->findBinding(semantic);
    VertexBuffer* buffer = binding ? geometry->getVertexBuffer(binding->slot) : nullptr;
    if (buffer == nullptr)
        throw Exception("Unable to lock the desired attribute in Geometry::Attribute");
    int offset = buffer->getAttributeOffset(binding->attributeIndex);
    components_ = buffer->getComponentCount(binding->attributeIndex);
    stride_ = buffer->getStride();
    pointer_ = static_cast<unsigned char*>(buffer->lock(true, true)) + offset;
    vertexBuffer_ = buffer;
}

Geometry::Attribute::~Attribute() { vertexBuffer_->unlock(); }

unsigned char* Geometry::Attribute::element(int index) const
{
    if (index < 0 || index >= vertexBuffer_->getVertexCount())
        throw Exception("Geometry::Attribute: vertex " + std::to_string(index) + " is outside the buffer of "
                        + std::to_string(vertexBuffer_->getVertexCount()));
    return pointer_ + size_t(index) * size_t(stride_);
}

template class Geometry::TAttribute<std::int8_t>;
template class Geometry::TAttribute<short>;
template class Geometry::TAttribute<int>;
template class Geometry::TAttribute<float>;
template class Geometry::TAttribute<double>;

}
