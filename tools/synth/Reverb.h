#pragma once

#include <vector>

namespace Nightglass::Synth {

// Schroeder/Freeverb-style room: parallel damped combs into series allpasses, with slightly
// different lengths per side for width.
class Reverb {
public:
    Reverb(double roomSize, double damping);

    void process(float inLeft, float inRight, float& outLeft, float& outRight);

private:
    struct Comb {
        std::vector<float> buffer;
        int position = 0;
        float store = 0.0f;
        float process(float input, float feedback, float damping);
    };
    struct Allpass {
        std::vector<float> buffer;
        int position = 0;
        float process(float input);
    };
    struct Side {
        std::vector<Comb> combs;
        std::vector<Allpass> allpasses;
        float process(float input, float feedback, float damping);
    };

    static Side makeSide(int spread);

    Side left_, right_;
    float feedback_;
    float damping_;
};

}
