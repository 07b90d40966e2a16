#include "orvane/utils/Random.h"

#include "orvane/ProcessState.h"

namespace Orvane::Utils {

int random() { return processState().random.next(); }

void seedRandom(unsigned seed) { processState().random.seed(seed); }

float randomSigned() { return processState().random.nextSigned(); }

}
