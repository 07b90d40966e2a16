#include "nightglass/kit/Dither.h"

#include "orvane/RenderTarget.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "tavrin/Demo.h"

#include <algorithm>

namespace Nightglass {

namespace {

Orvane::Texture* loadPattern(Tavrin::Demo& demo, const char* name)
{
    Orvane::Texture* pattern = demo.loadTexture(name);
    // Patterns are tiled many times across the screen and must stay crisp.
    pattern->setFilter(Orvane::Nearest);
    return pattern;
}

}

Dither::Dither(Tavrin::Demo* owner)
    : Visual(owner)
    , shader(owner->loadShader("shaders/dither.cg"))
{
    pattern100 = loadPattern(*demo, "textures/dither/100.jpg");
    pattern75 = loadPattern(*demo, "textures/dither/75.jpg");
    pattern50 = loadPattern(*demo, "textures/dither/50.jpg");
    pattern25 = loadPattern(*demo, "textures/dither/25.jpg");
}

void Dither::apply(Orvane::RenderTarget& source, float fade, float gamma, float tileX, float tileY)
{
    resetMatrices();
    shader->bind();
    shader->getParameter("source").setTexture(*source.getColorTexture());
    shader->getParameter("shade0").setTexture(*pattern25);
    shader->getParameter("shade1").setTexture(*pattern50);
    shader->getParameter("shade2").setTexture(*pattern75);
    shader->getParameter("shade3").setTexture(*pattern100);
    const float tile[2] = {tileX, tileY};
    shader->getParameter("tile").setFloat2(tile);
    shader->getParameter("fade").setFloat(fade);
    shader->getParameter("gamma").setFloat(gamma);
    shader->updateState();
    demo->drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);
    demo->restoreScreenViewport();
}

float DitherLevel::update(float frameDelta, float f0)
{
    constexpr float Step = 0.01f;
    // A second of steps settles the level whatever it was; a longer stall must not loop for ever.
    pending_ = std::min(pending_ + frameDelta, 1.0f);
    float push = (k_ * f0) * (k_ * f0);
    while (pending_ > Step) {
        level_ = (level_ + push) * d_;
        pending_ -= Step;
    }
    return level_;
}

void DitherLevel::reset()
{
    level_ = 0.0f;
    pending_ = 0.0f;
}

void DitherLevel::apply(Dither& dither, Orvane::RenderTarget& source, float gamma) const
{
    const Tavrin::Demo& demo = *dither.demo;
    dither.apply(source, level_, gamma, float(demo.width) / (16.0f * level_), float(demo.height) / (9.0f * level_));
}

}
