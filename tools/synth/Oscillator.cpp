#include "Oscillator.h"

namespace Nightglass::Synth {

Oscillator::Oscillator(Waveform waveform, double phase)
    : waveform_(waveform)
    , phase_(phase - std::floor(phase))
{}

}
