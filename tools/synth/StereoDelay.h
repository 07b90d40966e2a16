#pragma once

#include <vector>

namespace Nightglass::Synth {

// Ping-pong feedback delay: each repeat crosses to the other side and loses some treble,
// like tape, so the echoes sit behind the dry sound.
class StereoDelay {
public:
    StereoDelay(int delayFrames, double feedback, double dampingHertz);

    void process(float inLeft, float inRight, float& outLeft, float& outRight);

private:
    std::vector<float> left_, right_;
    int position_ = 0;
    float feedback_;
    float damping_;
    float lowLeft_ = 0.0f, lowRight_ = 0.0f;
};

}
