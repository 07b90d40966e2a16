#pragma once

#include "Note.h"

namespace Nightglass::Synth {

// Where an instrument goes in the mix: its level, its sends to the shared reverb and echo, and
// whether it ducks under the kick (which keeps the low end clean and makes the groove pump).
struct ChannelStrip {
    float gain;
    float reverbSend;
    float delaySend;
    bool ducked;
};

ChannelStrip channelStrip(Instrument instrument);

}
