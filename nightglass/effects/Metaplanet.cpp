#include "nightglass/effects/Metaplanet.h"
#include "nightglass/kit/ScreenFlash.h"

#include "orvane/Shader.h"
#include "tavrin/Demo.h"

namespace Nightglass {

Metaplanet::Metaplanet(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , picture_(owner->loadTexture("overlays/end.png"))
{}

void Metaplanet::draw(float time)
{
    Orvane::Shader& shader = demo->builtinShader(Tavrin::BuiltinShader::TextureColor);
    shader.bind();
    shader.updateState();
    shader.getParameter("texture").setTexture(*picture_);
    float g = 1 - demo->cosineEase((time - 2) * 0.5f);
    const float colour[4] = {g, g, g, 1};
    shader.getParameter("color").setFloat4(colour);
    demo->drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);

    disable(Orvane::Capability::DepthTest);
    flashScreen(*demo, 1, 1, 1, 1 - demo->cosineEase(time / 0.7f));
}

}
