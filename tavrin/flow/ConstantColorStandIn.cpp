#include "tavrin/flow/ConstantColorStandIn.h"

#include "orvane/Extensions.h"
#include "orvane/State.h"

#include <GL/gl.h>

namespace Tavrin::Flow {

void ConstantColorStandIn::bind(const Orvane::Vector4t<float>& color)
{
    if (Orvane::Ext::glUseProgram)
        Orvane::Ext::glUseProgram(0);
    const Orvane::State::Matrices& matrices = Orvane::State::matrices();
    Orvane::Matrix4 worldView = matrices.view * matrices.world;
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(matrices.projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(worldView.data());
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor4f(color.x, color.y, color.z, color.w);
}

}
