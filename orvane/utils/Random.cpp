#include "orvane/utils/Random.h"

#include <cstdint>

namespace Orvane::Utils {

namespace {

std::uint32_t state = 1;

}

int random()
{
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}

void seedRandom(unsigned seed) { state = seed; }

float randomSigned() { return float(random()) / float(RandomMax) * 2.0f - 1.0f; }

}
