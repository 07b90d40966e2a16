#include "tavrin/Visual.h"

namespace Tavrin {

void Visual::draw(float) {}

}
