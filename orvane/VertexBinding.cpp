#include "orvane/VertexBinding.h"

#include "orvane/VertexBuffer.h"
#include "orvane/exceptions/Exception.h"

#include <string>

namespace Orvane {

VertexBinding::VertexBinding(VertexBuffer& buffer, std::initializer_list<AttributeSemantic> semantics)
    : buffer_(buffer)
{
    if (semantics.size() > MaxAttributes)
        throw Exceptions::Exception("VertexBinding: more attributes than " + std::to_string(MaxAttributes));
    try {
        for (AttributeSemantic semantic : semantics) {
            buffer_.enable(count_, semantic);
            semantics_[size_t(count_++)] = semantic;
        }
    } catch (...) {
        release();
        throw;
    }
}

VertexBinding::~VertexBinding() { release(); }

void VertexBinding::release()
{
    for (int i = 0; i < count_; ++i)
        buffer_.disable(semantics_[size_t(i)]);
    count_ = 0;
}

}
