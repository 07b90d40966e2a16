#include "MelodicVoices.h"

#include "Dsp.h"
#include "Envelope.h"
#include "Filter.h"
#include "Oscillator.h"
#include "PercussionVoices.h"

#include <cmath>

namespace Nightglass::Synth {

namespace {

constexpr double Dt = 1.0 / SampleRate;
// Filter coefficients need tan(); refreshing them every 16 frames is inaudible and much cheaper.
constexpr int ControlInterval = 16;

double randomPhase(Noise& noise) { return 0.5 + 0.5 * noise.next(); }

class Bass : public Voice {
public:
    Bass(const Note& note, double length, uint32_t seed)
        : note_(note)
        , length_(length)
        , hertz_(midiToHz(note.pitch))
    {
        Noise noise(seed);
        saw_ = Oscillator(Waveform::Saw, randomPhase(noise));
        saw_.setFrequency(hertz_);
        square_.setFrequency(hertz_ * 1.003);
        sine_.setFrequency(hertz_);
    }

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt, ++frame_) {
            if (time_ >= length_)
                envelope_.release();
            if (frame_ % ControlInterval == 0)
                filter_.setCutoff(80.0 + hertz_ * 1.5 + note_.brightness * 2600.0 * std::exp(-time_ / 0.11));
            double raw = 0.6 * saw_.next() + 0.3 * square_.next() + 0.45 * sine_.next();
            float value = float(std::tanh(1.4 * filter_.process(float(raw))) * envelope_.next() * note_.velocity);
            left[i] += value;
            right[i] += value;
        }
        return envelope_.stage() != Envelope::Stage::Done;
    }

private:
    Note note_;
    double length_, hertz_;
    Oscillator saw_{Waveform::Saw}, square_{Waveform::Square, 0.25}, sine_{Waveform::Sine};
    Filter filter_{Filter::Mode::LowPass, 400.0, 1.4};
    Envelope envelope_{0.003, 0.25, 0.65, 0.05};
    double time_ = 0.0;
    int64_t frame_ = 0;
};

class Pad : public Voice {
public:
    Pad(const Note& note, double length, uint32_t seed)
        : note_(note)
        , length_(length)
        , lfoRate_(0.2 + 0.05 * (seed % 5))
    {
        Noise noise(seed);
        constexpr double detune[4] = {-0.11, 0.05, 0.11, -0.05};
        for (int i = 0; i < 4; ++i) {
            saws_[i] = Oscillator(Waveform::Saw, randomPhase(noise));
            saws_[i].setFrequency(midiToHz(note.pitch + detune[i]));
        }
    }

    bool render(float* left, float* right, int frames) override
    {
        double base = 250.0 + note_.brightness * note_.brightness * 5200.0;
        for (int i = 0; i < frames; ++i, time_ += Dt, ++frame_) {
            if (time_ >= length_)
                envelope_.release();
            if (frame_ % ControlInterval == 0) {
                double sweep = 1.0 + 0.18 * std::sin(2.0 * Pi * lfoRate_ * time_);
                filterLeft_.setCutoff(base * sweep);
                filterRight_.setCutoff(base / sweep);
            }
            float level = envelope_.next() * note_.velocity * 0.22f;
            left[i] += filterLeft_.process(saws_[0].next() + 0.7f * saws_[1].next()) * level;
            right[i] += filterRight_.process(saws_[2].next() + 0.7f * saws_[3].next()) * level;
        }
        return envelope_.stage() != Envelope::Stage::Done;
    }

private:
    Note note_;
    double length_, lfoRate_;
    Oscillator saws_[4]{Oscillator(Waveform::Saw), Oscillator(Waveform::Saw), Oscillator(Waveform::Saw),
                        Oscillator(Waveform::Saw)};
    Filter filterLeft_{Filter::Mode::LowPass, 800.0, 0.9}, filterRight_{Filter::Mode::LowPass, 800.0, 0.9};
    Envelope envelope_{0.45, 1.5, 0.75, 1.1};
    double time_ = 0.0;
    int64_t frame_ = 0;
};

class Stab : public Voice {
public:
    Stab(const Note& note, uint32_t seed)
        : note_(note)
    {
        Noise noise(seed);
        double hertz = midiToHz(note.pitch);
        left_ = Oscillator(Waveform::Saw, randomPhase(noise));
        right_ = Oscillator(Waveform::Saw, randomPhase(noise));
        left_.setFrequency(hertz * 0.996);
        right_.setFrequency(hertz * 1.004);
        octave_.setFrequency(hertz * 2.0);
    }

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt, ++frame_) {
            if (frame_ % ControlInterval == 0) {
                double cutoff = 350.0 + (1800.0 + note_.brightness * 7000.0) * std::exp(-time_ / 0.07);
                filterLeft_.setCutoff(cutoff);
                filterRight_.setCutoff(cutoff);
            }
            float level = envelope_.next() * note_.velocity * 0.3f;
            float octave = 0.35f * octave_.next();
            left[i] += filterLeft_.process(left_.next() + octave) * level;
            right[i] += filterRight_.process(right_.next() + octave) * level;
        }
        return envelope_.stage() != Envelope::Stage::Done;
    }

private:
    Note note_;
    Oscillator left_{Waveform::Saw}, right_{Waveform::Saw}, octave_{Waveform::Square};
    Filter filterLeft_{Filter::Mode::LowPass, 4000.0, 1.8}, filterRight_{Filter::Mode::LowPass, 4000.0, 1.8};
    Envelope envelope_{0.001, 0.6, 0.0, 0.1};
    double time_ = 0.0;
    int64_t frame_ = 0;
};

class Lead : public Voice {
public:
    Lead(const Note& note, double length, uint32_t seed)
        : note_(note)
        , length_(length)
        , from_(note.glideFrom < 0.0 ? note.pitch : note.glideFrom)
    {
        Noise noise(seed);
        for (Oscillator& saw : saws_)
            saw = Oscillator(Waveform::Saw, randomPhase(noise));
    }

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt, ++frame_) {
            if (time_ >= length_)
                envelope_.release();
            if (frame_ % ControlInterval == 0)
                control();
            float level = envelope_.next() * note_.velocity * 0.36f;
            float body = 0.45f * square_.next();
            float sawsLeft = saws_[0].next() + 0.6f * saws_[2].next();
            float sawsRight = saws_[1].next() + 0.6f * saws_[3].next();
            left[i] += float(std::tanh(filterLeft_.process(sawsLeft + body) * 1.2f) * level);
            right[i] += float(std::tanh(filterRight_.process(sawsRight + body) * 1.2f) * level);
        }
        return envelope_.stage() != Envelope::Stage::Done;
    }

private:
    void control()
    {
        double vibratoDepth = 0.22 * std::fmin(1.0, std::fmax(0.0, (time_ - 0.22) / 0.3));
        double pitch = note_.pitch + (from_ - note_.pitch) * std::exp(-time_ / 0.035)
            + vibratoDepth * std::sin(2.0 * Pi * 5.5 * time_);
        // Two close and two wider detuned saws, spread across the sides, for a thick unison.
        constexpr double detune[4] = {-0.07, 0.07, 0.18, -0.18};
        for (int i = 0; i < 4; ++i)
            saws_[i].setFrequency(midiToHz(pitch + detune[i]));
        square_.setFrequency(midiToHz(pitch - 12.0));
        double cutoff = 700.0 + 1800.0 * note_.brightness + 3500.0 * (0.4 + note_.brightness) * std::exp(-time_ / 0.25);
        filterLeft_.setCutoff(cutoff);
        filterRight_.setCutoff(cutoff);
    }

    Note note_;
    double length_, from_;
    Oscillator saws_[4]{Oscillator(Waveform::Saw), Oscillator(Waveform::Saw), Oscillator(Waveform::Saw),
                        Oscillator(Waveform::Saw)};
    Oscillator square_{Waveform::Square};
    Filter filterLeft_{Filter::Mode::LowPass, 3000.0, 1.3}, filterRight_{Filter::Mode::LowPass, 3000.0, 1.3};
    Envelope envelope_{0.008, 0.4, 0.7, 0.2};
    double time_ = 0.0;
    int64_t frame_ = 0;
};

class Pluck : public Voice {
public:
    Pluck(const Note& note, uint32_t seed)
        : note_(note)
        , pan_(0.5 + 0.35 * std::sin(note.pitch * 1.7))
    {
        Noise noise(seed);
        double hertz = midiToHz(note.pitch);
        saw_ = Oscillator(Waveform::Saw, randomPhase(noise));
        saw_.setFrequency(hertz);
        square_.setFrequency(hertz * 1.002);
    }

    bool render(float* left, float* right, int frames) override
    {
        for (int i = 0; i < frames; ++i, time_ += Dt, ++frame_) {
            if (frame_ % ControlInterval == 0)
                filter_.setCutoff(220.0 + (500.0 + note_.brightness * 6000.0) * std::exp(-time_ / 0.12));
            double attack = std::fmin(1.0, time_ / 0.002);
            double level = attack * decay1_.next() * note_.velocity * 0.3 * tailFade(time_, Length);
            double value = filter_.process(saw_.next() + 0.5f * square_.next()) * level;
            left[i] += float(value * (1.0 - pan_) * 2.0);
            right[i] += float(value * pan_ * 2.0);
        }
        return time_ < Length;
    }

private:
    static constexpr double Length = 0.85;
    Note note_;
    double pan_;
    Oscillator saw_{Waveform::Saw}, square_{Waveform::Square, 0.3};
    Filter filter_{Filter::Mode::LowPass, 2000.0, 1.5};
    Decay decay1_{0.28};
    double time_ = 0.0;
    int64_t frame_ = 0;
};

}

std::unique_ptr<Voice> makeBass(const Note& note, double lengthSeconds, uint32_t seed)
{
    return std::make_unique<Bass>(note, lengthSeconds, seed);
}
std::unique_ptr<Voice> makePad(const Note& note, double lengthSeconds, uint32_t seed)
{
    return std::make_unique<Pad>(note, lengthSeconds, seed);
}
std::unique_ptr<Voice> makeStab(const Note& note, uint32_t seed) { return std::make_unique<Stab>(note, seed); }
std::unique_ptr<Voice> makeLead(const Note& note, double lengthSeconds, uint32_t seed)
{
    return std::make_unique<Lead>(note, lengthSeconds, seed);
}
std::unique_ptr<Voice> makePluck(const Note& note, uint32_t seed) { return std::make_unique<Pluck>(note, seed); }

}
