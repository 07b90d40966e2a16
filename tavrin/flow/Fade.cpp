#include "tavrin/flow/Fade.h"

#include "tavrin/sync/Curves.h"

namespace Tavrin::Flow {

float Fade::evaluate(float time)
{
    switch (mode) {
    case FadeMode::Linear: return linearAt(time);
    case FadeMode::SCurve: return sCurveAt(time);
    }
    return 0.0f;
}

float Fade::linearAt(float time) const
{
    if (time < start)
        return from;
    // A zero-length ramp is a step: "to" from its time on, instead of 0/0.
    if (time > stop || start == stop)
        return to;
    return from + (to - from) * (time - start) / (stop - start);
}

float Fade::sCurveAt(float time) const
{
    if (start == stop)
        return time < start ? from : to;
    float progress = (time - start) / (stop - start);
    return from + (to - from) * Sync::cosineEase(progress);
}

}
