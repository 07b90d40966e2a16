#include "Voice.h"

#include "MelodicVoices.h"
#include "PercussionVoices.h"

namespace Nightglass::Synth {

std::unique_ptr<Voice> makeVoice(const Note& note, double lengthSeconds, uint32_t seed)
{
    switch (note.instrument) {
    case Instrument::Kick: return makeKick(note.velocity, seed);
    case Instrument::Snare: return makeSnare(note.velocity, seed);
    case Instrument::ClosedHat: return makeHat(false, note.velocity, seed);
    case Instrument::OpenHat: return makeHat(true, note.velocity, seed);
    case Instrument::Crash: return makeCrash(note.velocity, seed);
    case Instrument::Boom: return makeBoom(note.velocity, seed);
    case Instrument::Riser: return makeRiser(lengthSeconds, note.velocity, seed);
    case Instrument::Bass: return makeBass(note, lengthSeconds, seed);
    case Instrument::Pad: return makePad(note, lengthSeconds, seed);
    case Instrument::Stab: return makeStab(note, seed);
    case Instrument::Lead: return makeLead(note, lengthSeconds, seed);
    case Instrument::Pluck: return makePluck(note, seed);
    }
    return nullptr;
}

}
