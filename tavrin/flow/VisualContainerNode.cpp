#include "tavrin/flow/VisualContainerNode.h"

#include "tavrin/Demo.h"
#include "tavrin/profile/FrameProfiler.h"

#include <typeinfo>

namespace Tavrin::Flow {

std::optional<float> VisualContainerNode::historyStart(float, float) const { return std::nullopt; }
void VisualContainerNode::begin(float) {}
void VisualContainerNode::advance(float) {}

float VisualContainerNode::evaluate(float time)
{
    // A pre-roll is timed as a whole; an effect's frames are those it draws.
    std::optional<Profile::ProfileScope> profile;
    if (!demo->prerolling())
        profile.emplace(typeid(*this));
    // Placed twice in one frame, an effect still lives that frame once.
    std::int64_t frame = demo->frameNumber();
    if (lastFrame_ != frame) {
        if (lastFrame_ != frame - 1)
            begin(time);
        lastFrame_ = frame;
        advance(time);
    }
    if (demo->prerolling())
        return 0.0f;
    pushAll();
    draw(time);
    popAll();
    return 0.0f;
}

}
