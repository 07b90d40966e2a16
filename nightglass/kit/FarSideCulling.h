#pragma once

namespace Nightglass {

// While it lives, the far sides of closed meshes are culled: about half of a mesh's triangles
// are dropped before the rasterizer bins them, and a closed mesh hides them anyway. Meshes differ
// in which way round their triangles are wound seen from outside.
class FarSideCulling {
public:
    enum class OutsideWinding { CounterClockwise, Clockwise };

    explicit FarSideCulling(OutsideWinding winding);
    ~FarSideCulling();
    FarSideCulling(const FarSideCulling&) = delete;
    FarSideCulling& operator=(const FarSideCulling&) = delete;
};

}
