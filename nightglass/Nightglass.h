#pragma once

#include "tavrin/Demo.h"

#include <array>
#include <memory>

namespace Nightglass {

// The production: names its flow file and builds its effects by name, one shared instance per
// effect however often the flow places it.
class Nightglass : public Tavrin::Demo {
public:
    // The flow element names the registry answers to, in the order it compares them.
    static constexpr std::array<const char*, 11> EffectNames
        = {"dome", "lolscene", "doftubes", "explosion", "icefractal", "metaplanet",
           "mars", "logopart", "devil",    "desp",      "tornardo"};

    Nightglass();
    ~Nightglass() override;

    Tavrin::Visual* createVisual(const tinyxml2::XMLElement& element) override;

protected:
    void releaseVisuals() override;

private:
    std::array<std::unique_ptr<Tavrin::Visual>, EffectNames.size()> effects_;
};

}
