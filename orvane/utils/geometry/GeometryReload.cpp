#include "orvane/utils/geometry/GeometryReload.h"

#include "orvane/BufferModeEnum.h"
#include "orvane/exceptions/Exception.h"

namespace Orvane::Utils {

namespace {

bool isFileBuffer(const VertexBuffer* buffer, int components)
{
    return buffer != nullptr && buffer->getAttributeCount() == 1 && buffer->getDataType(0) == VertexBuffer::Float
        && buffer->getComponentCount(0) == components && buffer->getMode() != system_mem;
}

bool sameAttributes(const Geometry& geometry, const FgmMesh& mesh)
{
    for (size_t i = 0; i < mesh.attributes.size(); ++i) {
        if (!isFileBuffer(geometry.getVertexBuffer(int(i)), mesh.attributes[i].components))
            return false;
        for (const AttributeBinding& binding : geometry.getBindings())
            if (binding.slot == int(i) && binding.semantic != mesh.attributes[i].semantic)
                return false;
    }
    const IndexBuffer* indices = geometry.getIndexBuffer();
    return indices != nullptr && indices->getDataType() == IndexBuffer::UnsignedInt && indices->getMode() != system_mem;
}

// Only called when every buffer holds GL storage, which setData copies into.
void refill(Geometry& geometry, const FgmMesh& mesh)
{
    for (size_t i = 0; i < mesh.attributes.size(); ++i)
        geometry.getVertexBuffer(int(i))->setData(mesh.attributes[i].values.data(), mesh.vertexCount);
    geometry.getIndexBuffer()->setData(mesh.indices.data(), int(mesh.indices.size()));
    geometry.primitiveType = mesh.primitiveType;
}

}

bool untouchedSinceLoading(const Geometry& geometry)
{
    const std::vector<AttributeBinding>& bindings = geometry.getBindings();
    for (int slot = 0; slot < Geometry::MaxVertexBuffers; ++slot) {
        bool bound = size_t(slot) < bindings.size();
        if ((geometry.getVertexBuffer(slot) != nullptr) != bound)
            return false;
        if (bound && (bindings[size_t(slot)].slot != slot || bindings[size_t(slot)].attributeIndex != 0))
            return false;
    }
    return true;
}

void reloadGeometry(Geometry& geometry, const FgmMesh& mesh, int bufferMode)
{
    mesh.validate();
    bool untouched = untouchedSinceLoading(geometry);
    bool sameVertices = mesh.vertexCount == geometry.getVertexCount();
    // A buffer with no vertices or indices would be sized 0, which a GL buffer cannot take back.
    bool refillable = mesh.vertexCount > 0 && !mesh.indices.empty() && int(mesh.attributes.size()) > 0
        && (untouched ? int(geometry.getBindings().size()) == int(mesh.attributes.size()) : sameVertices);
    if (refillable && sameAttributes(geometry, mesh)) {
        refill(geometry, mesh);
        return;
    }
    if (!untouched)
        throw Exceptions::Exception("the mesh's vertices or attributes changed, and an effect built on the old "
                                    "ones: restart the demo to see it");
    std::unique_ptr<Geometry> rebuilt = mesh.toGeometry(bufferMode);
    geometry.swapContents(*rebuilt);
}

}
