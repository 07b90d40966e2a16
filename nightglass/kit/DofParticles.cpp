#include "nightglass/kit/DofParticles.h"

#include "orvane/Texture.h"
#include "tavrin/Demo.h"

namespace Nightglass {

DofParticles::DofParticles(Tavrin::Demo* demo, int count)
    : Particles(demo, count)
    , cellStrip_(demo->loadTextureStrip("textures/cell%i.png", 8))
{
    shader = demo->loadShader("shaders/dof_particles.cg");
    texture = cellStrip_;
}

}
