#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/Geometry.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace Orvane::Utils {

using Exceptions::Exception;

namespace {

// Holds a lock for the length of a scope, so that every exit unlocks.
template <typename Buffer>
class ScopedLock {
public:
    ScopedLock(Buffer& buffer, bool read, bool write)
        : buffer_(buffer)
        , data_(buffer.lock(read, write))
    {
        if (data_ == nullptr)
            throw Exception("Geometry::calcVectorsFast(): unable to lock a buffer");
    }
    ~ScopedLock() { buffer_.unlock(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

    unsigned char* data() const { return static_cast<unsigned char*>(data_); }

private:
    Buffer& buffer_;
    void* data_;
};

void requireThreeFloats(const VertexBuffer& buffer, int attributeIndex, const char* what)
{
    if (buffer.getComponentCount(attributeIndex) != 3 || buffer.getDataType(attributeIndex) != VertexBuffer::Float)
        throw Exception(std::string("Geometry::calcVectorsFast() requires ") + what + " of three floats");
}

struct Vec3 {
    float x, y, z;
};
static_assert(sizeof(Vec3) == 3 * sizeof(float));

Vec3 load(const unsigned char* base, int offset, int stride, std::uint32_t index)
{
    Vec3 v;
    std::memcpy(&v, base + offset + size_t(index) * size_t(stride), sizeof v);
    return v;
}

void add(unsigned char* base, int offset, int stride, std::uint32_t index, const Vec3& n)
{
    Vec3 v = load(base, offset, stride, index);
    v = {v.x + n.x, v.y + n.y, v.z + n.z};
    std::memcpy(base + offset + size_t(index) * size_t(stride), &v, sizeof v);
}

}

void Geometry::calcVectorsFast(AttributeSemantic semantic, bool normalize)
{
    if (primitiveType != PrimitiveTypeEnum::Triangles)
        throw Exception("Geometry::calcVectorsFast() requires primitiveType to be triangles");
    VertexBuffer* first = firstVertexBuffer();
    if (first == nullptr || first->getVertexCount() == 0)
        return;
    const int n = first->getVertexCount();
    if (!indexBuffer_ || indexBuffer_->getIndexCount() / 3 == 0)
        throw Exception("Geometry::calcVectorsFast() requires an index buffer.");
    if (indexBuffer_->getDataType() != IndexBuffer::UnsignedInt)
        throw Exception("Geometry::calcVectorsFast() requires 32-bit indices");

    AttributeInfo position = getAttributeInfo(AttributeSemantic::Position);
    AttributeInfo output = getAttributeInfo(semantic);
    requireThreeFloats(*position.vertexBuffer, findBinding(AttributeSemantic::Position)->attributeIndex, "positions");
    requireThreeFloats(*output.vertexBuffer, findBinding(semantic)->attributeIndex, "an output attribute");
    if (position.vertexBuffer->getVertexCount() < n || output.vertexBuffer->getVertexCount() < n)
        throw Exception("Geometry::calcVectorsFast() requires every attribute buffer to hold all vertices");

    ScopedLock<IndexBuffer> indices(*indexBuffer_, true, false);
    // Positions and output may share one interleaved buffer; its first lock must then allow writing.
    bool shared = position.vertexBuffer == output.vertexBuffer;
    ScopedLock<VertexBuffer> positions(*position.vertexBuffer, true, shared);
    ScopedLock<VertexBuffer> outputs(*output.vertexBuffer, false, true);

    const unsigned char* p = positions.data();
    unsigned char* out = outputs.data();
    for (int i = 0; i < n; ++i)
        std::memset(out + output.offset + size_t(i) * size_t(output.stride), 0, sizeof(Vec3));

    const int triangles = indexBuffer_->getIndexCount() / 3;
    for (int t = 0; t < triangles; ++t) {
        std::uint32_t i[3];
        std::memcpy(i, indices.data() + size_t(t) * sizeof i, sizeof i);
        if (i[0] >= std::uint32_t(n) || i[1] >= std::uint32_t(n) || i[2] >= std::uint32_t(n))
            throw Exception("Geometry::calcVectorsFast(): triangle " + std::to_string(t)
                            + " refers to a vertex beyond the " + std::to_string(n) + " of the geometry");
        Vec3 p0 = load(p, position.offset, position.stride, i[0]);
        Vec3 p1 = load(p, position.offset, position.stride, i[1]);
        Vec3 p2 = load(p, position.offset, position.stride, i[2]);
        Vec3 e1 = {p0.x - p1.x, p0.y - p1.y, p0.z - p1.z};
        Vec3 e2 = {p2.x - p1.x, p2.y - p1.y, p2.z - p1.z};
        Vec3 face = {e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
        for (std::uint32_t index : i)
            add(out, output.offset, output.stride, index, face);
    }

    if (!normalize)
        return;
    for (int k = 0; k < n; ++k) {
        Vec3 v = load(out, output.offset, output.stride, std::uint32_t(k));
        float lengthSquared = v.x * v.x + v.y * v.y + v.z * v.z;
        // A vertex that no triangle uses keeps (0, 0, 0) instead of turning non-finite.
        if (lengthSquared == 0.0f)
            continue;
        float inverse = 1.0f / std::sqrt(lengthSquared);
        v = {v.x * inverse, v.y * inverse, v.z * inverse};
        std::memcpy(out + output.offset + size_t(k) * size_t(output.stride), &v, sizeof v);
    }
}

}
