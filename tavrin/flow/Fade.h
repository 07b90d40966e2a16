#pragma once

#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

enum class FadeMode : int { Linear = 0, SCurve = 1 };

// A ramp from "from" at start to "to" at stop, holding the end values outside that span.
class Fade : public Node {
public:
    Fade(FadeMode mode, float start, float stop, float from, float to)
        : start(start), stop(stop), from(from), to(to), mode(mode)
    {
    }

    float evaluate(float time) override;

    float start, stop;
    float from, to;
    FadeMode mode;

private:
    float linearAt(float time) const;
    float sCurveAt(float time) const;
};

}
