#include "nightglass/Nightglass.h"

namespace Nightglass {

Nightglass::Nightglass() { flowFileName = "data/Nightglass.flow"; }

Tavrin::Visual* Nightglass::createVisual(const tinyxml2::XMLElement&)
{
    return nullptr;
}

}
