#pragma once

#include "Voice.h"

#include <cstdint>
#include <memory>

namespace Nightglass::Synth {

std::unique_ptr<Voice> makeKick(float velocity, uint32_t seed);
std::unique_ptr<Voice> makeSnare(float velocity, uint32_t seed);
std::unique_ptr<Voice> makeHat(bool open, float velocity, uint32_t seed);
std::unique_ptr<Voice> makeCrash(float velocity, uint32_t seed);
// Deep sub drop under the impacts.
std::unique_ptr<Voice> makeBoom(float velocity, uint32_t seed);
// Noise sweep and rising tone that lead into an impact `lengthSeconds` later.
std::unique_ptr<Voice> makeRiser(double lengthSeconds, float velocity, uint32_t seed);

// Linear fade over the last 50 ms of a voice that lasts `length` seconds, so cut-offs never click.
inline float tailFade(double t, double length)
{
    double remaining = (length - t) / 0.05;
    return float(remaining >= 1.0 ? 1.0 : (remaining <= 0.0 ? 0.0 : remaining));
}

}
