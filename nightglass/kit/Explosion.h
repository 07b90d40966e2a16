#pragma once

#include "nightglass/kit/Particles.h"
#include "orvane/Texture.h"

#include <memory>
#include <vector>

namespace Nightglass {

// A fire ball of 8000 particles: each ignites as a bright spark, burns as a growing puff that
// cools towards smoke and fades, then respawns at the centre with a new push. Drawn as a visual of
// its own; the owner passes its local time to draw.
class Explosion : public Particles {
public:
    static constexpr int ParticleCount = 8000;

    struct Record {
        float position[3];
        float velocity[3];  // units per second
        float age;  // seconds, starting with a random head start
        float sinceRespawn;  // seconds
        float heat;  // 0 to 1, fixed for the particle's life
    };

    explicit Explosion(Tavrin::Demo* demo);

    // The quads the last update left, alpha-blended without depth test.
    void draw(float t) override;
    // Advances every particle by dt at the owner's time t and sorts the quads for the camera.
    void update(float dt, float t);
    // Every particle back at the centre with a new velocity, age and heat, drawn from the shared
    // generator seeded with seed, and the damping's steps begun afresh.
    void restart(unsigned seed);

    // Velocity damping runs in fixed 0.02 s steps out of this accumulator, shared by every
    // Explosion so that two of them damp in the same rhythm.
    static float dampingAccumulator;

    std::vector<Record> records;

private:
    bool burstMode(float t) const;
    void damp(float dt);
    void respawn(int i, Record& p, float speed, const float winds[3][3]);

    Orvane::Texture* strip_;
};

}
