#include "nightglass/kit/ScreenFlash.h"

#include "orvane/State.h"
#include "tavrin/Demo.h"

namespace Nightglass {

void flashScreen(Tavrin::Demo& demo, float r, float g, float b, float a)
{
    using Orvane::BlendOperandEnum;
    Orvane::State::enable(Orvane::Capability::Blend);
    Orvane::State::setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::One);
    demo.drawFullscreenColor({r, g, b, a});
    Orvane::State::disable(Orvane::Capability::Blend);
}

}
