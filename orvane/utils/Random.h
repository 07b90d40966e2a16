#pragma once

namespace Orvane::Utils {

// The process-wide pseudo-random generator the demo's layouts depend on: integers 0 to 32767
// from a fixed linear congruential sequence, starting from seed 1, so every run is the same.
constexpr int RandomMax = 32767;

int random();
void seedRandom(unsigned seed);

// random() mapped to [-1, 1] as n / 32767 * 2 - 1.
float randomSigned();

}
