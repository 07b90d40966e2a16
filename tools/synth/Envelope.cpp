#include "Envelope.h"

#include "Dsp.h"

#include <cmath>

namespace Nightglass::Synth {

namespace {

constexpr double Silence = 1e-4;

// Per-sample factor that shrinks a distance to 1 % in `seconds`.
double shrinkFactor(double seconds) { return seconds <= 0.0 ? 0.0 : std::exp(std::log(0.01) / (seconds * SampleRate)); }

}

Envelope::Envelope(double attackSeconds, double decaySeconds, double sustainLevel, double releaseSeconds)
    : attackStep_(attackSeconds <= 0.0 ? 1.0 : 1.0 / (attackSeconds * SampleRate))
    , decayCoefficient_(shrinkFactor(decaySeconds))
    , sustain_(sustainLevel)
    , releaseCoefficient_(shrinkFactor(releaseSeconds))
{}

void Envelope::release()
{
    if (stage_ != Stage::Done)
        stage_ = Stage::Release;
}

float Envelope::next()
{
    switch (stage_) {
    case Stage::Attack:
        level_ += attackStep_;
        if (level_ >= 1.0) {
            level_ = 1.0;
            stage_ = Stage::Decay;
        }
        break;
    case Stage::Decay:
        level_ = sustain_ + (level_ - sustain_) * decayCoefficient_;
        if (std::fabs(level_ - sustain_) < Silence) {
            level_ = sustain_;
            stage_ = sustain_ > 0.0 ? Stage::Sustain : Stage::Done;
        }
        break;
    case Stage::Sustain: break;
    case Stage::Release:
        level_ *= releaseCoefficient_;
        if (level_ < Silence) {
            level_ = 0.0;
            stage_ = Stage::Done;
        }
        break;
    case Stage::Done: level_ = 0.0; break;
    }
    return float(level_);
}

}
