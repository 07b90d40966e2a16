#pragma once

#include <cstdint>

namespace Orvane::Utils {

// The process-wide pseudo-random generator the demo's layouts depend on: integers 0 to 32767
// from a fixed linear congruential sequence, starting from seed 1, so every run is the same.
constexpr int RandomMax = 32767;

int random();
void seedRandom(unsigned seed);

// random() mapped to [-1, 1] as n / 32767 * 2 - 1.
float randomSigned();

// The same sequence held by its owner: a history drawn from it depends on nothing that other code
// draws in between.
class RandomGenerator {
public:
    RandomGenerator() = default;
    explicit RandomGenerator(unsigned seed)
        : state_(seed)
    {}
    void seed(unsigned seed) { state_ = seed; }
    int next()
    {
        state_ = state_ * 214013u + 2531011u;
        return int((state_ >> 16) & 0x7FFF);
    }
    float nextSigned() { return float(next()) / float(RandomMax) * 2.0f - 1.0f; }

private:
    std::uint32_t state_ = 1;
};

}
