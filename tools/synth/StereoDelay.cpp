#include "StereoDelay.h"

#include "Dsp.h"

#include <algorithm>

namespace Nightglass::Synth {

StereoDelay::StereoDelay(int delayFrames, double feedback, double dampingHertz)
    : left_(std::max(delayFrames, 1), 0.0f)
    , right_(std::max(delayFrames, 1), 0.0f)
    , feedback_(float(feedback))
    , damping_(float(1.0 - std::exp(-2.0 * Pi * dampingHertz / SampleRate)))
{}

void StereoDelay::process(float inLeft, float inRight, float& outLeft, float& outRight)
{
    outLeft = left_[position_];
    outRight = right_[position_];
    lowLeft_ += damping_ * (outLeft - lowLeft_);
    lowRight_ += damping_ * (outRight - lowRight_);
    // The mono sum enters on the left only, so the first echo is on one side and the next on the other.
    left_[position_] = 0.5f * (inLeft + inRight) + feedback_ * lowRight_;
    right_[position_] = feedback_ * lowLeft_;
    position_ = (position_ + 1) % int(left_.size());
}

}
