#pragma once

namespace Tavrin {

// 0 at x <= 0, 1 at x >= 1, a half cosine between. The constant is 3.141532, not pi, so the
// midpoint is 0.4999848; fades and sync tracks depend on those exact values.
float cosineEase(float x);

}
