#include "MasterBus.h"

#include "Dsp.h"

#include <algorithm>
#include <cmath>

namespace Nightglass::Synth {

namespace {

constexpr int LookAhead = MasterBus::Latency + 1;
constexpr float ThresholdDecibels = -14.0f;
constexpr float Ratio = 2.0f;
// One-pole DC blocker pole: a corner near 3.5 Hz, far below the lowest note.
constexpr float DcPole = 0.9995f;

}

MasterBus::MasterBus(double ceilingDecibels, double inputGainDecibels)
    : ceiling_(decibelsToGain(ceilingDecibels))
    , inputGain_(decibelsToGain(inputGainDecibels))
    , attack_(float(onePoleCoefficient(0.010)))
    , release_(float(onePoleCoefficient(0.200)))
    , limiterRelease_(float(onePoleCoefficient(0.080)))
    , gainHistory_(LookAhead, 1.0f)
    , delayLeft_(LookAhead, 0.0f)
    , delayRight_(LookAhead, 0.0f)
{
    gainSum_ = LookAhead;
}

float MasterBus::blockDc(float input, float& lastInput, float& lastOutput) const
{
    lastOutput = input - lastInput + DcPole * lastOutput;
    lastInput = input;
    return lastOutput;
}

float MasterBus::compress(float peak)
{
    float coefficient = peak > compressorEnvelope_ ? attack_ : release_;
    compressorEnvelope_ += coefficient * (peak - compressorEnvelope_);
    float level = 20.0f * std::log10(std::max(compressorEnvelope_, 1e-6f));
    float over = level - ThresholdDecibels;
    return over > 0.0f ? decibelsToGain(-over * (1.0f - 1.0f / Ratio)) : 1.0f;
}

// Minimum over the look-ahead window of the gain each sample needs, released slowly, then
// averaged over the window: the average of minima is never above what the delayed sample needs.
float MasterBus::limitGain(float peak)
{
    float needed = peak > ceiling_ ? ceiling_ / peak : 1.0f;
    while (!window_.empty() && window_.back().second >= needed)
        window_.pop_back();
    window_.emplace_back(frame_, needed);
    while (window_.front().first <= frame_ - LookAhead)
        window_.pop_front();
    releasedGain_ = std::min(window_.front().second, releasedGain_ + limiterRelease_ * (1.0f - releasedGain_));
    int slot = int(frame_ % LookAhead);
    gainSum_ += releasedGain_ - gainHistory_[slot];
    gainHistory_[slot] = releasedGain_;
    return float(gainSum_ / LookAhead);
}

void MasterBus::process(float& left, float& right)
{
    left = blockDc(left * inputGain_, dcLeftIn_, dcLeftOut_);
    right = blockDc(right * inputGain_, dcRightIn_, dcRightOut_);
    float gain = compress(std::max(std::fabs(left), std::fabs(right)));
    left *= gain;
    right *= gain;
    float limiter = limitGain(std::max(std::fabs(left), std::fabs(right)));

    // Oldest sample in the ring: the one the window's gains were computed for.
    int oldest = (position_ + 1) % LookAhead;
    delayLeft_[position_] = left;
    delayRight_[position_] = right;
    left = std::clamp(delayLeft_[oldest] * limiter, -ceiling_, ceiling_);
    right = std::clamp(delayRight_[oldest] * limiter, -ceiling_, ceiling_);
    position_ = oldest;
    ++frame_;
}

}
