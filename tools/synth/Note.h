#pragma once

namespace Nightglass::Synth {

enum class Instrument { Kick, Snare, ClosedHat, OpenHat, Crash, Boom, Riser, Bass, Pad, Stab, Lead, Pluck };

// One event of the score. Times are in rows (sixteenth notes); pitches are MIDI note numbers.
struct Note {
    Instrument instrument;
    double row;
    double lengthRows;
    double pitch = 0.0;
    float velocity = 1.0f;
    // 0 = dark, 1 = fully open filter; the arrangement's builds ride on it.
    float brightness = 0.5f;
    // Pitch the note slides from (legato lead lines); equal to `pitch` when there is no glide.
    double glideFrom = -1.0;
};

}
