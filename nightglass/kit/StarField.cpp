#include "nightglass/kit/StarField.h"

#include "orvane/Shader.h"
#include "orvane/utils/Random.h"
#include "tavrin/Demo.h"

#include <cmath>

namespace Nightglass {

using Orvane::Utils::randomSigned;

StarField::StarField(Tavrin::Demo* owner)
    : Particles(owner, StarCount)
{
    texture = demo->loadTexture("textures/dott.png");
    lock();
    for (int i = 0; i < count; ++i) {
        setQuadSize(i, 10, 10);
        setQuadColor(i, 1, 1, 1, 1);
        setQuadTexRect(i, 0, 0, 1, 1);
        setQuadPosition(i, 1000 * randomSigned(), 1000 * randomSigned(), 1000 * randomSigned());
    }
    sortByDistance(1);
    unlock();
}

void StarField::update(float x)
{
    lock();
    Orvane::Utils::seedRandom(1);
    for (int i = 0; i < count; ++i) {
        float c[9];
        for (float& value : c)
            value = randomSigned();
        setQuadPosition(i, 300 * std::sin(5 * c[8] + x * c[7]) + 1000 * c[6],
                        300 * std::sin(5 * c[5] + x * c[4]) + 1000 * c[3],
                        300 * std::sin(5 * c[2] + x * c[1]) + 1000 * c[0]);
    }
    sortByDistance(1);
    unlock();
}

void StarField::drawStars()
{
    shader->bind();
    shader->updateState();
    shader->getParameter("texture").setTexture(*texture);
    drawQuads();
}

}
