#pragma once

#include "orvane/AttributeSemantic.h"

#include <array>
#include <initializer_list>

namespace Orvane {

class VertexBuffer;

// Connects a vertex buffer's attributes to semantics for as long as it lives, attribute i to the
// i-th semantic given; the destructor disconnects them, so no array stays enabled after a draw.
class VertexBinding {
public:
    static constexpr int MaxAttributes = 8;

    // Throws Exception for more semantics than MaxAttributes, as VertexBuffer::enable does for an
    // unassigned semantic.
    VertexBinding(VertexBuffer& buffer, std::initializer_list<AttributeSemantic> semantics);
    ~VertexBinding();
    VertexBinding(const VertexBinding&) = delete;
    VertexBinding& operator=(const VertexBinding&) = delete;

private:
    void release();

    VertexBuffer& buffer_;
    std::array<AttributeSemantic, MaxAttributes> semantics_{};
    int count_ = 0;
};

}
