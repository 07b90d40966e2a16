#pragma once

#include "tavrin/Visual.h"
#include "tavrin/flow/Node.h"

#include <cstdint>
#include <optional>

namespace Tavrin::Flow {

// Base of every production effect. The effect draws inside a saved copy of all three matrices,
// so nothing it sets leaks to its siblings; it sees only the time its parent hands it and its
// children are not evaluated.
//
// An effect whose picture depends on what it showed before (particles, smoke, a smoothed music
// level) keeps that history in advance, which runs once for every frame it is shown, drawn or
// pre-rolled after a jump in time, before draw; draw then only draws what advance left. A showing
// starts in a frame when the effect was not shown in the frame before: begin then puts its
// history back to how every showing starts. So a frame depends on its time alone, however the
// run came to it.
class VisualContainerNode : public Node, public Visual {
public:
    explicit VisualContainerNode(Demo* owner)
        : Visual(owner)
    {}
    float evaluate(float time) final;

    // The local time from which a pre-roll to local time must run for the history to be what
    // continuous play gives there (0: from the start of the showing; later where older history
    // can no longer show), given the demo time it corresponds to. None for an effect without history.
    virtual std::optional<float> historyStart(float time, float demoTime) const;

    // Called by evaluate; public so that a benchmark can time a frame's work before drawing.
    virtual void begin(float time);
    virtual void advance(float time);

private:
    std::int64_t lastFrame_ = -2;
};

}
