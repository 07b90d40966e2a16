#pragma once

#include "orvane/Vector.h"

namespace Tavrin::Flow {

// Flat colour for the quads through the fixed-function pipeline, standing in for the engine's
// constant-colour shader until that exists: the render state's matrices are loaded into the GL
// matrix stacks and the colour becomes the current vertex colour.
class ConstantColorStandIn {
public:
    static void bind(const Orvane::Vector4t<float>& color);
};

}
