#include "nightglass/kit/SkyDome.h"

#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/utils/geometry/Geometry.h"
#include "tavrin/Demo.h"

namespace Nightglass {

void drawSkyDome(Tavrin::Demo& demo, Orvane::Utils::Geometry& mesh, const Orvane::Texture& horizon, const float tint[4])
{
    Orvane::State::disable(Orvane::Capability::DepthTest);
    demo.setSkyCamera();
    // Built-in slot 1 is the texture shader; the tint its last user left must not carry over.
    Orvane::Shader& shader = demo.builtinShader(Tavrin::BuiltinShader::TextureColor);
    shader.bind();
    shader.getParameter("texture").setTexture(horizon);
    shader.getParameter("color").setFloat4(tint);
    shader.updateState();
    mesh.draw();
}

}
