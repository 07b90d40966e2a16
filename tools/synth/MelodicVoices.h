#pragma once

#include "Note.h"
#include "Voice.h"

#include <cstdint>
#include <memory>

namespace Nightglass::Synth {

std::unique_ptr<Voice> makeBass(const Note& note, double lengthSeconds, uint32_t seed);
// Detuned saws with a slow attack; a chord is several pad notes.
std::unique_ptr<Voice> makePad(const Note& note, double lengthSeconds, uint32_t seed);
// Short bright chord hit with a fast filter decay.
std::unique_ptr<Voice> makeStab(const Note& note, uint32_t seed);
// Melody voice with glide from `glideFrom` and delayed vibrato.
std::unique_ptr<Voice> makeLead(const Note& note, double lengthSeconds, uint32_t seed);
// Plucked arpeggio note.
std::unique_ptr<Voice> makePluck(const Note& note, uint32_t seed);

}
