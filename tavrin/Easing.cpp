#include "tavrin/Easing.h"

#include <cmath>

namespace Tavrin {

float cosineEase(float x)
{
    // Written so that NaN clamps to 0 instead of passing through.
    float clamped = x > 0.0f ? (x < 1.0f ? x : 1.0f) : 0.0f;
    float angle = float(3.141532 * double(clamped));
    float cosine = float(std::cos(double(angle)));
    return 0.5f - 0.5f * cosine;
}

}
