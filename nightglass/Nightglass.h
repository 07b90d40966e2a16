#pragma once

#include "tavrin/Demo.h"

namespace Nightglass {

// The production: names its flow file and builds its effects by name.
class Nightglass : public Tavrin::Demo {
public:
    Nightglass();
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement& element) override;
};

}
