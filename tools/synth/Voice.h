#pragma once

#include "Note.h"

#include <cstdint>
#include <memory>

namespace Nightglass::Synth {

// A sounding note. Voices keep their own state from their first frame, so a note sounds the
// same however the render is cut into blocks.
class Voice {
public:
    virtual ~Voice() = default;
    // Adds `frames` frames to the buffers; false once the voice has fallen silent for good.
    virtual bool render(float* left, float* right, int frames) = 0;
};

// `lengthSeconds` is the held part of the note; `seed` feeds its noise and oscillator phases.
std::unique_ptr<Voice> makeVoice(const Note& note, double lengthSeconds, uint32_t seed);

}
