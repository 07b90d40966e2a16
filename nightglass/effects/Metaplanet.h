#pragma once

// Metaplanet: the closing picture fades to black.
//
// What the viewer sees: the end picture ("overlays/end.png") over the whole screen.
//
// What moves with time: it opens on a white flash that fades in 0.7 s, holds, and from 2 s to
// 4 s after its start goes to black.
//
// What reacts to the music: nothing; the outro's last chord carries it.
//
// Sync tracks: none.

#include "orvane/Forward.h"
#include "tavrin/flow/VisualContainerNode.h"

namespace Nightglass {

class Metaplanet : public Tavrin::Flow::VisualContainerNode {
public:
    explicit Metaplanet(Tavrin::Demo* demo);

    void draw(float time) override;

private:
    Orvane::Texture* picture_;
};

}
