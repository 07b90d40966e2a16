#pragma once

#include "Dsp.h"

#include <cmath>

namespace Nightglass::Synth {

enum class Waveform { Sine, Saw, Square };

// Phase-accumulating oscillator; saw and square are band-limited with polyBLEP so high notes
// do not alias into audible whistles.
class Oscillator {
public:
    explicit Oscillator(Waveform waveform, double phase = 0.0);

    void setFrequency(double hertz) { increment_ = std::fmin(hertz / SampleRate, 0.49); }
    // Inline: it runs for every oscillator on every frame of the piece.
    float next()
    {
        double value = 0.0;
        switch (waveform_) {
        case Waveform::Sine: value = std::sin(2.0 * Pi * phase_); break;
        case Waveform::Saw: value = 2.0 * phase_ - 1.0 - polyBlep(phase_, increment_); break;
        case Waveform::Square: {
            double half = phase_ < 0.5 ? phase_ + 0.5 : phase_ - 0.5;
            value = (phase_ < 0.5 ? 1.0 : -1.0) + polyBlep(phase_, increment_) - polyBlep(half, increment_);
            break;
        }
        }
        phase_ += increment_;
        if (phase_ >= 1.0)
            phase_ -= 1.0;
        return float(value);
    }

private:
    // Polynomial correction around a discontinuity at phase 0, `t` in [0, 1), `dt` the increment.
    static double polyBlep(double t, double dt)
    {
        if (t < dt) {
            t /= dt;
            return t + t - t * t - 1.0;
        }
        if (t > 1.0 - dt) {
            t = (t - 1.0) / dt;
            return t * t + t + t + 1.0;
        }
        return 0.0;
    }

    Waveform waveform_;
    double phase_;
    double increment_ = 0.0;
};

}
