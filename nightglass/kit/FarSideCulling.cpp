#include "nightglass/kit/FarSideCulling.h"

#include "orvane/State.h"

#include <GL/gl.h>

namespace Nightglass {

FarSideCulling::FarSideCulling(OutsideWinding winding)
{
    Orvane::State::enable(Orvane::Capability::CullFace);
    glCullFace(winding == OutsideWinding::Clockwise ? GL_FRONT : GL_BACK);
}

FarSideCulling::~FarSideCulling()
{
    Orvane::State::disable(Orvane::Capability::CullFace);
    glCullFace(GL_BACK);
}

}
