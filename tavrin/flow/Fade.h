#pragma once

#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

enum class FadeMode : int { Linear = 0, SCurve = 1 };

// A ramp from "from" at start to "to" at stop, holding the end values outside that span.
class Fade : public Node {
public:
    Fade(FadeMode modeValue, float startValue, float stopValue, float fromValue, float toValue)
        : start(startValue)
        , stop(stopValue)
        , from(fromValue)
        , to(toValue)
        , mode(modeValue)
    {}

    float evaluate(float time) override;

    float start, stop;
    float from, to;
    FadeMode mode;

private:
    float linearAt(float time) const;
    float sCurveAt(float time) const;
};

}
