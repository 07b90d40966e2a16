#include "nightglass/kit/DofParticles.h"

#include "orvane/Texture.h"
#include "tavrin/Demo.h"

namespace Nightglass {

DofParticles::DofParticles(Tavrin::Demo* owner, int countValue)
    : Particles(owner, countValue)
    , cellStrip_(owner->loadTextureStrip("textures/cell%i.png", 8))
{
    shader = demo->loadShader("shaders/dof_particles.cg");
    texture = cellStrip_;
}

}
