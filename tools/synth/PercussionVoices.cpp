#include "PercussionVoices.h"

#include "Dsp.h"
#include "Filter.h"
#include "Oscillator.h"

#include <array>
#include <cmath>

namespace Nightglass::Synth {

namespace {

constexpr double Dt = 1.0 / SampleRate;

class Kick : public Voice {
public:
    Kick(float velocity, uint32_t seed)
        : velocity_(velocity)
        , noise_(seed)
    {}

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt) {
            double frequency = 48.0 + 140.0 * decay1_.next();
            phase_ += frequency * Dt;
            // Full level for the first 30 ms, then a fast fall so the next off-beat is clean.
            double body = std::sin(2.0 * Pi * phase_) * (time_ < Hold ? 1.0 : decay2_.next());
            double click = click_.process(noise_.next()) * decay3_.next() * 0.6;
            float value = float(std::tanh(1.6 * body + click) * velocity_ * tailFade(time_, Length));
            left[i] += value;
            right[i] += value;
        }
        return time_ < Length;
    }

private:
    static constexpr double Length = 0.5;
    static constexpr double Hold = 0.03;
    float velocity_;
    Noise noise_;
    Filter click_{Filter::Mode::HighPass, 2500.0};
    double phase_ = 0.0;
    Decay decay1_{0.022};
    Decay decay2_{0.085};
    Decay decay3_{0.002};
    double time_ = 0.0;
};

class Snare : public Voice {
public:
    Snare(float velocity, uint32_t seed)
        : velocity_(velocity)
        , noise_(seed)
        , spread_(seed * 7 + 1)
    {}

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt) {
            double drop = 1.0 + 0.3 * decay1_.next();
            // Body tuned to G3 and E4, notes of the key, so the backbeat never rubs against the chords.
            tone1_.setFrequency(196.0 * drop);
            tone2_.setFrequency(329.6 * drop);
            double tone = (tone1_.next() + 0.6 * tone2_.next()) * decay2_.next();
            double rattle = low_.process(high_.process(noise_.next())) * decay3_.next();
            double fade = velocity_ * tailFade(time_, Length);
            double value = (0.55 * tone + 0.9 * rattle) * fade;
            double width = 0.15 * spread_.next() * decay4_.next() * fade;
            left[i] += float(value + width);
            right[i] += float(value - width);
        }
        return time_ < Length;
    }

private:
    static constexpr double Length = 0.7;
    float velocity_;
    Noise noise_, spread_;
    Oscillator tone1_{Waveform::Sine}, tone2_{Waveform::Sine};
    Filter high_{Filter::Mode::HighPass, 1400.0};
    Filter low_{Filter::Mode::LowPass, 9000.0};
    Decay decay1_{0.01};
    Decay decay2_{0.06};
    Decay decay3_{0.15};
    Decay decay4_{0.15};
    double time_ = 0.0;
};

// Six square waves at inharmonic ratios give the metallic body of cymbals. They are left
// naive (not band-limited): the aliasing lands in the hiss where it adds to the sizzle.
class Metal {
public:
    explicit Metal(double base)
    {
        constexpr std::array<double, 6> ratios{1.0, 1.4826, 1.8003, 2.5459, 2.6303, 3.8967};
        constexpr std::array<double, 6> phases{0.1, 0.7, 0.3, 0.9, 0.5, 0.2};
        for (size_t i = 0; i < ratios.size(); ++i) {
            increments_[i] = base * ratios[i] / SampleRate;
            phases_[i] = phases[i];
        }
    }
    float next()
    {
        float sum = 0.0f;
        for (size_t i = 0; i < phases_.size(); ++i) {
            phases_[i] += increments_[i];
            if (phases_[i] >= 1.0)
                phases_[i] -= 1.0;
            sum += phases_[i] < 0.5 ? 1.0f : -1.0f;
        }
        return sum / 6.0f;
    }

private:
    std::array<double, 6> phases_{}, increments_{};
};

class Hat : public Voice {
public:
    Hat(bool open, float velocity, uint32_t seed)
        : decay_(open ? 0.16 : 0.028)
        , length_(open ? 1.0 : 0.2)
        , velocity_(velocity)
        , noise_(seed)
    {}

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt) {
            float raw = 0.6f * metal_.next() + 0.5f * noise_.next();
            double value = high_.process(raw) * std::exp(-time_ / decay_) * velocity_ * tailFade(time_, length_);
            left[i] += float(0.8 * value);
            right[i] += float(value);
        }
        return time_ < length_;
    }

private:
    double decay_, length_;
    float velocity_;
    Noise noise_;
    Metal metal_{410.0};
    Filter high_{Filter::Mode::HighPass, 7500.0, 0.9};
    double time_ = 0.0;
};

class Crash : public Voice {
public:
    Crash(float velocity, uint32_t seed)
        : velocity_(velocity)
        , noiseLeft_(seed)
        , noiseRight_(seed ^ 0x5bd1e995u)
    {}

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt) {
            double envelope = (decay1_.next() + 0.8 * decay2_.next()) * velocity_ * tailFade(time_, Length);
            float shimmer = 0.5f * metal_.next();
            left[i] += float(highLeft_.process(noiseLeft_.next() + shimmer) * envelope * 0.7);
            right[i] += float(highRight_.process(noiseRight_.next() + shimmer) * envelope * 0.7);
        }
        return time_ < Length;
    }

private:
    static constexpr double Length = 4.5;
    float velocity_;
    Noise noiseLeft_, noiseRight_;
    Metal metal_{530.0};
    Filter highLeft_{Filter::Mode::HighPass, 3800.0}, highRight_{Filter::Mode::HighPass, 3600.0};
    Decay decay1_{0.9};
    Decay decay2_{0.08};
    double time_ = 0.0;
};

class Boom : public Voice {
public:
    Boom(float velocity, uint32_t seed)
        : velocity_(velocity)
        , noise_(seed)
    {}

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt) {
            phase_ += (27.5 + 60.0 * decay1_.next()) * Dt;  // settles on A0, the key note
            double attack = std::fmin(1.0, time_ / 0.002);
            double sub = std::sin(2.0 * Pi * phase_) * decay2_.next() * attack;
            double rumble = rumble_.process(noise_.next()) * decay3_.next() * 1.5;
            float value = float(std::tanh(1.6 * sub + rumble) * velocity_ * tailFade(time_, Length));
            left[i] += value;
            right[i] += value;
        }
        return time_ < Length;
    }

private:
    static constexpr double Length = 4.5;
    float velocity_;
    Noise noise_;
    Filter rumble_{Filter::Mode::LowPass, 160.0};
    double phase_ = 0.0;
    Decay decay1_{0.35};
    Decay decay2_{1.3};
    Decay decay3_{0.5};
    double time_ = 0.0;
};

class Riser : public Voice {
public:
    Riser(double length, float velocity, uint32_t seed)
        : length_(length)
        , velocity_(velocity)
        , noiseLeft_(seed)
        , noiseRight_(seed ^ 0x27d4eb2du)
    {}

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt, ++frame_) {
            double x = std::fmin(time_ / length_, 1.0);
            if ((frame_ & 15) == 0)
                sweep(x);
            double noiseLevel = x * x * 0.9;
            double toneLevel = x * x * x * 0.35;
            double tone = toneFilter_.process(0.5f * (sawLow_.next() + sawHigh_.next())) * toneLevel;
            double fade = tailFade(time_, length_) * velocity_;
            left[i] += float((bandLeft_.process(noiseLeft_.next()) * noiseLevel + tone) * fade);
            right[i] += float((bandRight_.process(noiseRight_.next()) * noiseLevel + tone) * fade);
        }
        return time_ < length_;
    }

private:
    void sweep(double x)
    {
        double cutoff = 300.0 * std::pow(35.0, x);
        bandLeft_.set(cutoff, 2.0);
        bandRight_.set(cutoff * 1.08, 2.0);
        double pitch = 57.0 + 24.0 * x * x;
        sawLow_.setFrequency(midiToHz(pitch - 0.08));
        sawHigh_.setFrequency(midiToHz(pitch + 12.08));
        toneFilter_.setCutoff(500.0 + 6000.0 * x);
    }

    double length_;
    float velocity_;
    Noise noiseLeft_, noiseRight_;
    Filter bandLeft_{Filter::Mode::BandPass}, bandRight_{Filter::Mode::BandPass};
    Filter toneFilter_{Filter::Mode::LowPass, 500.0, 1.5};
    Oscillator sawLow_{Waveform::Saw}, sawHigh_{Waveform::Saw, 0.4};
    double time_ = 0.0;
    int64_t frame_ = 0;
};

}

std::unique_ptr<Voice> makeKick(float velocity, uint32_t seed) { return std::make_unique<Kick>(velocity, seed); }
std::unique_ptr<Voice> makeSnare(float velocity, uint32_t seed) { return std::make_unique<Snare>(velocity, seed); }
std::unique_ptr<Voice> makeHat(bool open, float velocity, uint32_t seed)
{
    return std::make_unique<Hat>(open, velocity, seed);
}
std::unique_ptr<Voice> makeCrash(float velocity, uint32_t seed) { return std::make_unique<Crash>(velocity, seed); }
std::unique_ptr<Voice> makeBoom(float velocity, uint32_t seed) { return std::make_unique<Boom>(velocity, seed); }
std::unique_ptr<Voice> makeRiser(double lengthSeconds, float velocity, uint32_t seed)
{
    return std::make_unique<Riser>(lengthSeconds, velocity, seed);
}

}
