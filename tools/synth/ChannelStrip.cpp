#include "ChannelStrip.h"

namespace Nightglass::Synth {

ChannelStrip channelStrip(Instrument instrument)
{
    switch (instrument) {
    case Instrument::Kick: return {1.0f, 0.0f, 0.0f, false};
    case Instrument::Snare: return {0.8f, 0.45f, 0.0f, false};
    case Instrument::ClosedHat: return {0.8f, 0.08f, 0.0f, false};
    case Instrument::OpenHat: return {0.5f, 0.15f, 0.0f, false};
    case Instrument::Crash: return {0.32f, 0.4f, 0.0f, false};
    case Instrument::Boom: return {0.85f, 0.12f, 0.0f, false};
    case Instrument::Riser: return {0.6f, 0.5f, 0.0f, false};
    case Instrument::Bass: return {0.5f, 0.0f, 0.0f, true};
    case Instrument::Pad: return {0.5f, 0.55f, 0.0f, true};
    case Instrument::Stab: return {0.5f, 0.45f, 0.25f, false};
    case Instrument::Lead: return {0.9f, 0.35f, 0.35f, false};
    case Instrument::Pluck: return {0.5f, 0.35f, 0.4f, true};
    }
    return {0.0f, 0.0f, 0.0f, false};
}

}
