#pragma once

#include <cmath>
#include <cstdint>

namespace Nightglass::Synth {

constexpr int SampleRate = 44100;
constexpr double Pi = 3.14159265358979323846;

inline double midiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

inline float decibelsToGain(double decibels) { return float(std::pow(10.0, decibels / 20.0)); }

// One-pole smoothing factor that covers about 63 % of a step in `seconds`.
inline double onePoleCoefficient(double seconds)
{
    return seconds <= 0.0 ? 1.0 : 1.0 - std::exp(-1.0 / (seconds * SampleRate));
}

// Deterministic white noise (xorshift32), so every render of the piece is the same.
class Noise {
public:
    explicit Noise(uint32_t seed)
        : state_(seed ? seed : 0x9E3779B9u)
    {}

    float next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return float(int32_t(state_)) * (1.0f / 2147483648.0f);
    }

private:
    uint32_t state_;
};

// exp(-t / seconds) at successive frames, one multiplication each instead of an exp().
class Decay {
public:
    explicit Decay(double seconds)
        : factor_(std::exp(-1.0 / (seconds * SampleRate)))
    {}

    double next()
    {
        double value = value_;
        value_ *= factor_;
        return value;
    }

private:
    double factor_;
    double value_ = 1.0;
};

}
