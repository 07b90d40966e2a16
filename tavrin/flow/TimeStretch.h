#pragma once

#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// Remaps the clock for its children to factor * t - offset (the offset is in stretched time).
class TimeStretch : public Node {
public:
    TimeStretch(float factorValue, float offsetValue)
        : factor(factorValue)
        , offset(offsetValue)
    {}
    float evaluate(float t) override;

    float factor;
    float offset;
};

}
