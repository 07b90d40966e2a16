#pragma once

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace Nightglass::Synth {

// DC removal (the pitch-swept kicks and booms are not symmetric), gentle glue compression followed by a look-ahead peak limiter. The limiter guarantees that
// no output sample exceeds the ceiling, so the mix never clips whatever the arrangement does.
class MasterBus {
public:
    MasterBus(double ceilingDecibels, double inputGainDecibels);

    void process(float& left, float& right);
    // Frames by which the output trails the input (the limiter's look-ahead).
    static constexpr int Latency = 63;

private:
    float blockDc(float input, float& lastInput, float& lastOutput) const;
    float compress(float peak);
    float limitGain(float peak);

    float dcLeftIn_ = 0.0f, dcLeftOut_ = 0.0f, dcRightIn_ = 0.0f, dcRightOut_ = 0.0f;
    float ceiling_;
    float inputGain_;
    float compressorEnvelope_ = 0.0f;
    float attack_, release_;
    float limiterRelease_;
    float releasedGain_ = 1.0f;
    std::deque<std::pair<int64_t, float>> window_;
    int64_t frame_ = 0;
    std::vector<float> gainHistory_;
    double gainSum_ = 0.0;
    std::vector<float> delayLeft_, delayRight_;
    int position_ = 0;
};

}
