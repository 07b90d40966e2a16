#include "nightglass/kit/Explosion.h"

#include "orvane/Keyboard.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/utils/Random.h"
#include "tavrin/Demo.h"

#include <cmath>

namespace Nightglass {

using Orvane::Utils::randomSigned;

namespace {

constexpr float DampingStep = 0.02f;
constexpr float IgnitionLift = 520.5f;
constexpr float Crosswind = 110.5f;
constexpr float BurstStartRow = 288.0f, BurstEndRow = 290.0f;

}

float Explosion::dampingAccumulator = 0.0f;

Explosion::Explosion(Tavrin::Demo* owner)
    : Particles(owner, ParticleCount)
    , records(ParticleCount)
    , strip_(owner->loadTextureStrip("textures/explosion%i.png", 2))
{
    shader = demo->loadShader("shaders/explosion.cg");
    texture = strip_;
    restart(1);
    sortByDistance(1);
}

void Explosion::restart(unsigned seed)
{
    Orvane::Utils::seedRandom(seed);
    dampingAccumulator = 0.0f;
    for (Record& p : records) {
        p.position[0] = p.position[1] = p.position[2] = 0.0f;
        float r1 = randomSigned(), r2 = randomSigned(), r3 = randomSigned();
        p.velocity[0] = 130.0f * r3;
        p.velocity[1] = 130.0f * r2;
        p.velocity[2] = 130.0f * r1;
        p.age = std::fabs(5.0f * randomSigned());
        p.sinceRespawn = 0.0f;
        p.heat = std::fabs(randomSigned());
    }
}

bool Explosion::burstMode(float t) const
{
    bool burstRows = t > demo->rowsToSeconds(BurstStartRow) && t < demo->rowsToSeconds(BurstEndRow);
    return burstRows || Orvane::Keyboard::isDown(Orvane::Keyboard::Key::Space);
}

void Explosion::damp(float dt)
{
    dampingAccumulator += dt;
    float factor = std::sin(demo->time) * 0.05f + 0.9f;
    while (dampingAccumulator > DampingStep) {
        for (Record& p : records)
            for (float& v : p.velocity)
                v *= factor;
        dampingAccumulator -= DampingStep;
    }
}

void Explosion::respawn(int i, Record& p, float speed, const float winds[3][3])
{
    int k = int(std::fabs(randomSigned()) * 3.0f);
    // Only |r| == 1 gives k == 3: the particle keeps its velocity.
    if (k < 3) {
        float p1 = randomSigned(), p2 = randomSigned(), p3 = randomSigned();
        float spread = 130.0f * speed;
        p.velocity[0] = winds[k][0] + spread * p3;
        p.velocity[1] = winds[k][1] + spread * p2;
        p.velocity[2] = winds[k][2] + spread * p1;
    }
    setQuadSize(i, 0, 0);
    p.position[0] = p.position[1] = p.position[2] = 0.0f;
    p.age = std::fabs(2.0f * randomSigned());
    p.sinceRespawn = 0.0f;
}

void Explosion::update(float dt, float t)
{
    // The same time gives the same respawns, however the frames fell before it.
    Orvane::Utils::seedRandom(unsigned(int(t * 50.0f)));
    const float T = demo->time, f0 = demo->spectrum[0];
    // The wind a respawned particle takes, rotated through the axes by its kind k.
    const float w1 = 500.0f * std::sin(f0 + T), w2 = 500.0f * std::cos(T), w3 = 500.0f * std::sin(0.44f * T);
    const float winds[3][3] = {{w1, w2, w3}, {w3, w1, w2}, {w2, w3, w1}};

    lock();
    damp(dt);
    const bool burst = burstMode(t);
    const float limit = burst ? 1.0f : 3.0f, speed = burst ? 4.0f : 1.0f;
    for (int i = 0; i < count; ++i) {
        Record& p = records[size_t(i)];
        for (int c = 0; c < 3; ++c)
            p.position[c] += dt * p.velocity[c];
        p.age += dt;
        p.sinceRespawn += dt;
        setQuadPosition(i, p.position[0], p.position[1], p.position[2]);

        if (p.age < 1.0f) {
            p.velocity[2] += IgnitionLift * dt;
            setQuadSize(i, 6, 6);
            setQuadTexRect(i, 0, 0, 0.5f, 1);
            setQuadColor(i, 1, p.age, p.age, 1);
        } else if (p.age < limit) {
            p.velocity[2] += (IgnitionLift - p.age) * dt;
            p.velocity[0] += Crosswind * dt;
            float s = std::fabs(p.heat) * p.age * 11.5f + 3.0f;
            setQuadSize(i, s, s);
            setQuadTexRect(i, 0.5f, 0, 0.5f, 1);
            float m = demo->cosineEase((p.age - 1.0f) * 0.5f);
            float q = p.sinceRespawn * 0.4f;
            float fade = demo->cosineEase((p.age - 2.4f) / (3.0f - 2.4f));
            setQuadColor(i, 1 - q - (0.1f * p.heat + 0.2f) * p.age + m, 1 - q - (0.16f * p.heat + 0.29f) * p.age + m,
                         1 + f0 - q - (0.16f * p.heat + 0.31f) * p.age + m, 1 - fade);
        } else if (p.age > 3.0f) {
            respawn(i, p, speed, winds);
        }
    }
    sortByDistance(1);
    unlock();
}

void Explosion::draw(float)
{
    enable(Orvane::Capability::Blend);
    setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::OneMinusSrcAlpha);
    disable(Orvane::Capability::DepthTest);
    shader->bind();
    shader->updateState();
    shader->getParameter("texture").setTexture(*texture);
    drawQuads();
}

}
