#pragma once

#include "tavrin/flow/VisualContainerNode.h"

namespace Orvane {
class Texture;
}

namespace Nightglass {

// The closing picture: it opens on a white flash that fades in 0.7 s, holds, and from 2 s to 4 s
// after its start goes to black.
class Metaplanet : public Tavrin::Flow::VisualContainerNode {
public:
    explicit Metaplanet(Tavrin::Demo* demo);

    void draw(float time) override;

private:
    Orvane::Texture* picture_;
};

}
