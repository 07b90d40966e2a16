#include "orvane/MatrixStack.h"

#include "orvane/exceptions/Exception.h"

namespace Orvane {

void MatrixStack::push(const Matrix4& m)
{
    entries_[size_t(depth_)] = m;
    ++depth_;
    if (depth_ >= Size) {
        --depth_;
        throw Exceptions::Exception("Matrix stack underflow");
    }
}

void MatrixStack::pop(Matrix4& into, bool& dirty)
{
    if (depth_ == 0)
        throw Exceptions::Exception("Matrix stack underflow");
    --depth_;
    into = entries_[size_t(depth_)];
    dirty = true;
}

}
