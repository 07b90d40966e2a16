#pragma once

#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// Remaps the clock for its children to factor * t - offset (the offset is in stretched time).
class TimeStretch : public Node {
public:
    TimeStretch(float factor, float offset) : factor(factor), offset(offset) {}
    float evaluate(float t) override;

    float factor;
    float offset;
};

}
