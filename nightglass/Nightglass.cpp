#include "nightglass/Nightglass.h"

#include "nightglass/EffectFactory.h"
#include "tavrin/Visual.h"

#include <tinyxml2.h>

#include <cstring>

namespace Nightglass {

Nightglass::Nightglass() { flowFileName = "data/Nightglass.flow"; }

Nightglass::~Nightglass() = default;

Tavrin::Visual* Nightglass::createVisual(const tinyxml2::XMLElement& element)
{
    for (size_t slot = 0; slot < EffectNames.size(); ++slot) {
        if (std::strcmp(element.Name(), EffectNames[slot]) != 0)
            continue;
        // An effect not built yet answers to nothing, like any unknown name.
        if (!effects_[slot])
            effects_[slot] = makeEffect(slot, this);
        return effects_[slot].get();
    }
    return nullptr;
}

void Nightglass::releaseVisuals()
{
    for (std::unique_ptr<Tavrin::Visual>& effect : effects_)
        effect.reset();
}

}
