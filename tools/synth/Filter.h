#pragma once

namespace Nightglass::Synth {

// State-variable filter (trapezoidal integration), stable under fast cutoff sweeps.
class Filter {
public:
    enum class Mode { LowPass, BandPass, HighPass };

    explicit Filter(Mode mode, double cutoffHertz = 1000.0, double q = 0.7071);

    void set(double cutoffHertz, double q);
    void setCutoff(double cutoffHertz) { set(cutoffHertz, q_); }
    float process(float input);

private:
    Mode mode_;
    double q_ = 0.7071;
    double k_ = 0.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
    double state1_ = 0.0, state2_ = 0.0;
};

}
