#pragma once

#include "tavrin/flow/VisualNode.h"

namespace Tavrin::Flow {

// An orthographic projection for its children only; the previous projection comes back after.
class Ortho : public VisualNode {
public:
    explicit Ortho(Demo* owner)
        : VisualNode(owner)
    {}
    float evaluate(float time) override;

    float left = -1.0f, right = 1.0f, top = 1.0f, bottom = -1.0f;
};

}
