#pragma once

#include "tavrin/flow/VectorNode.h"
#include "tavrin/flow/VisualNode.h"

namespace Tavrin::Flow {

// Rotates its children about the origin. World is reset first, so the rotation replaces any
// enclosing translate or rotate instead of composing with it; world is restored afterwards.
class Rotate : public VisualNode {
public:
    explicit Rotate(Demo* demo);
    float evaluate(float time) override;

    Node* angle;
    VectorNode* axis;
};

}
