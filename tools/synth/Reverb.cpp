#include "Reverb.h"

#include "Dsp.h"

namespace Nightglass::Synth {

namespace {

// Classic tunings at 44.1 kHz; mutually prime-ish lengths avoid metallic ringing.
constexpr int CombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int AllpassLengths[] = {556, 441, 341, 225};
constexpr int StereoSpread = 23;
constexpr float InputGain = 0.015f;

}

float Reverb::Comb::process(float input, float feedback, float damping)
{
    float output = buffer[position];
    store = output * (1.0f - damping) + store * damping;
    buffer[position] = input + store * feedback;
    if (++position == int(buffer.size()))
        position = 0;
    return output;
}

float Reverb::Allpass::process(float input)
{
    float delayed = buffer[position];
    buffer[position] = input + delayed * 0.5f;
    if (++position == int(buffer.size()))
        position = 0;
    return delayed - input;
}

float Reverb::Side::process(float input, float feedback, float damping)
{
    float sum = 0.0f;
    for (Comb& comb : combs)
        sum += comb.process(input, feedback, damping);
    for (Allpass& allpass : allpasses)
        sum = allpass.process(sum);
    return sum;
}

Reverb::Side Reverb::makeSide(int spread)
{
    Side side;
    for (int length : CombLengths)
        side.combs.push_back(Comb{std::vector<float>(length + spread, 0.0f)});
    for (int length : AllpassLengths)
        side.allpasses.push_back(Allpass{std::vector<float>(length + spread, 0.0f)});
    return side;
}

Reverb::Reverb(double roomSize, double damping)
    : left_(makeSide(0))
    , right_(makeSide(StereoSpread))
    , feedback_(float(0.7 + 0.28 * roomSize))
    , damping_(float(0.4 * damping))
{}

void Reverb::process(float inLeft, float inRight, float& outLeft, float& outRight)
{
    float input = (inLeft + inRight) * InputGain;
    outLeft = left_.process(input, feedback_, damping_);
    outRight = right_.process(input, feedback_, damping_);
}

}
