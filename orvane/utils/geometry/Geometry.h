#pragma once

#include "orvane/AttributeSemantic.h"
#include "orvane/IndexBuffer.h"
#include "orvane/RenderEnums.h"
#include "orvane/VertexBuffer.h"

#include <array>
#include <memory>
#include <vector>

namespace Orvane::Utils {

// Which attribute of which vertex-buffer slot plays which semantic when the geometry is drawn.
struct AttributeBinding {
    int slot;
    int attributeIndex;
    AttributeSemantic semantic;
};

struct AttributeInfo {
    VertexBuffer* vertexBuffer;
    int offset;  // of the attribute inside one vertex, in bytes
    int stride;
};

// A drawable mesh: up to 16 owned vertex buffers, an optional owned index buffer, the bindings
// that say what each attribute means, and a primitive type. Effects derive from it to build
// their own meshes.
class Geometry {
public:
    static constexpr int MaxVertexBuffers = 16;

    class Attribute;
    template <typename T>
    class TAttribute;

    Geometry() = default;
    virtual ~Geometry();
    Geometry(const Geometry&) = delete;
    Geometry& operator=(const Geometry&) = delete;

    // Takes the buffer into the first empty slot and returns the slot. When all 16 are used it
    // returns MaxVertexBuffers and leaves the buffer with the caller.
    int addVertexBuffer(std::unique_ptr<VertexBuffer>&& buffer);
    // Throws Exception for a slot outside 0 to 15.
    void bindAttribute(int slot, int attributeIndex, AttributeSemantic semantic);
    void removeAttribute(AttributeSemantic semantic);
    // A previous index buffer is deleted.
    void setIndexBuffer(std::unique_ptr<IndexBuffer> buffer);
    // Trades buffers, index buffer, bindings and primitive type with other, so that a mesh can be
    // rebuilt under the pointer its holders keep.
    void swapContents(Geometry& other);

    VertexBuffer* getVertexBuffer(int slot) const;
    IndexBuffer* getIndexBuffer() const { return indexBuffer_.get(); }
    const std::vector<AttributeBinding>& getBindings() const { return bindings_; }

    // The vertex count of the first non-empty slot; 0 without buffers.
    int getVertexCount() const;

    // Throws Exception "Geometry::getAttributeInfo(): Attribute does not exist within the
    // Geometry." when no binding has the semantic.
    AttributeInfo getAttributeInfo(AttributeSemantic semantic) const;

    // Typed access to the attribute of the first binding with the semantic, locked for reading
    // and writing until the returned object is destroyed; null when no binding has it.
    std::unique_ptr<Attribute> getAttribute(AttributeSemantic semantic);

    virtual void draw();

    // Area-weighted vertex vectors from the triangles into the attribute of the semantic
    // (normally Normal). The face vector of (i0, i1, i2) is (P0 - P1) x (P2 - P1), so it points
    // to the side from which the vertices appear clockwise.
    void calcVectorsFast(AttributeSemantic semantic, bool normalize);

    PrimitiveTypeEnum primitiveType = PrimitiveTypeEnum::Triangles;

private:
    const AttributeBinding* findBinding(AttributeSemantic semantic) const;
    VertexBuffer* firstVertexBuffer() const;

    std::array<std::unique_ptr<VertexBuffer>, MaxVertexBuffers> vertexBuffers_;
    std::unique_ptr<IndexBuffer> indexBuffer_;
    std::vector<AttributeBinding> bindings_;
};

}
