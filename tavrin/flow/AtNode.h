#pragma once

#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// A time window: children run only strictly inside (time, time + length), on a clock that
// starts at the window's beginning.
class AtNode : public Node {
public:
    AtNode(float timeValue, float lengthValue)
        : time(timeValue)
        , length(lengthValue)
    {}
    float evaluate(float t) override;

    float time;
    float length;
};

}
