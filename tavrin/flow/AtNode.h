#pragma once

#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// A time window: children run only strictly inside (time, time + length), on a clock that
// starts at the window's beginning.
class AtNode : public Node {
public:
    AtNode(float time, float length) : time(time), length(length) {}
    float evaluate(float t) override;

    float time;
    float length;
};

}
