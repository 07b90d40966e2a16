#pragma once

#include <cstddef>
#include <memory>

namespace Tavrin {
class Demo;
class Visual;
}

namespace Nightglass {

// Builds the effect in the registry's slot (the order of Nightglass::EffectNames) for demo;
// null for an effect that is not part of this build.
std::unique_ptr<Tavrin::Visual> makeEffect(std::size_t slot, Tavrin::Demo* demo);

}
