#pragma once

#include "tavrin/flow/Node.h"

namespace Tavrin {
class Demo;
}

namespace Tavrin::Flow {

// A parameter that follows one component of a sync track: the value the demo's tracks hold this
// frame (the one effects read), times scale, plus offset. Time inside the timeline does not
// matter: tracks run on the demo's clock.
class SyncValue : public Node {
public:
    SyncValue(const Demo& demo, int track, int component, float scale, float offset);

    float evaluate(float time) override;

    const int track;
    const int component;
    const float scale;
    const float offset;

private:
    const Demo& demo_;
};

}
