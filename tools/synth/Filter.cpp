#include "Filter.h"

#include "Dsp.h"

#include <algorithm>
#include <cmath>

namespace Nightglass::Synth {

Filter::Filter(Mode mode, double cutoffHertz, double q)
    : mode_(mode)
{
    set(cutoffHertz, q);
}

void Filter::set(double cutoffHertz, double q)
{
    q_ = q;
    double cutoff = std::clamp(cutoffHertz, 10.0, 0.45 * SampleRate);
    double g = std::tan(Pi * cutoff / SampleRate);
    k_ = 1.0 / q;
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

float Filter::process(float input)
{
    double v3 = input - state2_;
    double v1 = a1_ * state1_ + a2_ * v3;
    double v2 = state2_ + a2_ * state1_ + a3_ * v3;
    state1_ = 2.0 * v1 - state1_;
    state2_ = 2.0 * v2 - state2_;
    switch (mode_) {
    case Mode::LowPass: return float(v2);
    case Mode::BandPass: return float(v1);
    case Mode::HighPass: return float(input - k_ * v1 - v2);
    }
    return float(v2);
}

}
