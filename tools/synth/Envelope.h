#pragma once

namespace Nightglass::Synth {

// ADSR envelope: linear attack, exponential decay and release. Decay and release times are
// the time to cover 99 % of the distance, which is how they sound.
class Envelope {
public:
    enum class Stage { Attack, Decay, Sustain, Release, Done };

    Envelope(double attackSeconds, double decaySeconds, double sustainLevel, double releaseSeconds);

    void release();
    float next();
    Stage stage() const { return stage_; }
    float level() const { return float(level_); }

private:
    double attackStep_;
    double decayCoefficient_;
    double sustain_;
    double releaseCoefficient_;
    double level_ = 0.0;
    Stage stage_ = Stage::Attack;
};

}
