#pragma once

#include "tavrin/flow/VisualNode.h"

namespace Tavrin::Flow {

// Blends its children. At its end blending is switched off, not restored: an enclosing blend's
// later children draw unblended.
class Blend : public VisualNode {
public:
    explicit Blend(Demo* owner)
        : VisualNode(owner)
    {}
    float evaluate(float time) override;

    Orvane::BlendOperandEnum src = Orvane::BlendOperandEnum::SrcAlpha;
    Orvane::BlendOperandEnum dst = Orvane::BlendOperandEnum::OneMinusSrcAlpha;
};

}
