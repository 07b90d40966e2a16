#pragma once

#include <cstdint>

namespace Nightglass {

// A full turn in radians to float precision, for layouts and waves; Orvane::Pi is the shorter
// constant of the matrix code's degree conversions.
inline constexpr float TwoPi = 6.2831853f;

// A fixed pseudo-random value in 0 .. 1 per index and salt, so layouts are the same on every run
// without touching the demo's shared generator; each effect passes a seed of its own so that two
// effects' layouts do not repeat each other.
float scatter(int index, int salt, std::uint32_t seed);

// 3x^2 - 2x^3 over x clamped to [0, 1].
float smooth01(float x);

// x - floor(x): the position within the current whole, 0 .. 1.
float fract(float x);

// The Catmull-Rom spline through p1 (at t = 0) and p2 (at t = 1), shaped by p0 and p3.
float catmullRom(float p0, float p1, float p2, float p3, float t);

}
