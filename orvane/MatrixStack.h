#pragma once

#include "orvane/Matrix4.h"

#include <array>

namespace Orvane {

// One of the render state's save stacks: 64 entries, of which 63 can be held.
class MatrixStack {
public:
    static constexpr int Size = 64;

    // The entry is written before the check, so a full stack refuses the 64th push with every
    // write still inside the array. Throws Exception "Matrix stack underflow", as the pop does.
    void push(const Matrix4& m);
    // Restores the top entry into into and marks it dirty.
    void pop(Matrix4& into, bool& dirty);

private:
    std::array<Matrix4, Size> entries_;
    int depth_ = 0;
};

}
