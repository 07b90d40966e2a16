#pragma once

#include "orvane/Device.h"
#include "tavrin/flow/Color.h"
#include "tavrin/flow/VisualNode.h"

namespace Tavrin::Flow {

// Clears colour and depth of the current device; children are not evaluated.
class ClearNode : public VisualNode {
public:
    explicit ClearNode(Demo* owner);
    float evaluate(float time) override;

    Orvane::ClearTarget target = Orvane::ClearTarget::ColorDepth;
    Color* color;
    Node* depth;
};

}
