#include "orvane/utils/Random.h"

#include "orvane/ProcessState.h"

namespace Orvane::Utils {

int random()
{
    std::uint32_t& state = processState().random.state;
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}

void seedRandom(unsigned seed) { processState().random.state = seed; }

float randomSigned() { return float(random()) / float(RandomMax) * 2.0f - 1.0f; }

}
