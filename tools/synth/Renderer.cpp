#include "Renderer.h"

#include "ChannelStrip.h"
#include "Tempo.h"

#include <algorithm>
#include <cmath>

namespace Nightglass::Synth {

namespace {

// No voice lasts longer than this, so older notes need not be looked at when starting late.
constexpr double LongestVoiceSeconds = 30.0;
constexpr double PreRollSeconds = 3.0;
constexpr double DuckDepth = 0.55;
constexpr int EchoRows = 3;
// The limiter stops at -2 dBFS: Vorbis adds up to about half a decibel on transients, and the
// decoded file must still peak below -1 dBFS.
constexpr double CeilingDecibels = -2.0;
constexpr double MasterGainDecibels = -7.0;

uint32_t seedFor(const Note& note, int64_t startFrame)
{
    uint32_t seed = uint32_t(startFrame) * 2654435761u;
    seed ^= uint32_t(note.instrument) * 40503u + uint32_t(note.pitch * 100.0) * 2246822519u;
    return seed ? seed : 1u;
}

}

void Renderer::Bus::clear()
{
    std::fill(std::begin(left), std::end(left), 0.0f);
    std::fill(std::begin(right), std::end(right), 0.0f);
}

Renderer::Renderer(std::vector<Note> notes, int64_t startFrame)
    : frame_(startFrame)
    , delay_(int(rowToFrame(EchoRows)), 0.38, 3500.0)
    , reverb_(0.8, 0.5)
    , master_(CeilingDecibels, MasterGainDecibels)
{
    for (const Note& note : notes) {
        int64_t start = rowToFrame(note.row);
        notes_.push_back({note, start, rowToSeconds(note.lengthRows), seedFor(note, start)});
    }
    std::stable_sort(notes_.begin(), notes_.end(),
                     [](const Scheduled& a, const Scheduled& b) { return a.startFrame < b.startFrame; });
    catchUp(startFrame);
    // Run the master bus's look-ahead so that output frame n is the piece's frame n.
    std::vector<float> primed(2 * MasterBus::Latency);
    render(primed.data(), MasterBus::Latency);
}

// Starts the notes that began before `startFrame` and plays them up to it without output.
void Renderer::catchUp(int64_t startFrame)
{
    Bus scratch;
    while (nextNote_ < notes_.size() && notes_[nextNote_].startFrame < startFrame) {
        const Scheduled& scheduled = notes_[nextNote_++];
        if (scheduled.startFrame < startFrame - secondsToFrame(LongestVoiceSeconds))
            continue;
        auto voice = makeVoice(scheduled.note, scheduled.lengthSeconds, scheduled.seed);
        bool alive = true;
        for (int64_t done = scheduled.startFrame; alive && done < startFrame; done += BlockSize)
            alive = voice->render(scratch.left, scratch.right, int(std::min<int64_t>(BlockSize, startFrame - done)));
        if (alive)
            active_.push_back({std::move(voice), scheduled.note.instrument, 0});
    }
}

void Renderer::render(float* interleaved, int64_t frames)
{
    while (frames > 0) {
        int block = int(std::min<int64_t>(BlockSize, frames));
        startVoices(block);
        renderVoices(block);
        mix(interleaved, block);
        interleaved += 2 * block;
        frames -= block;
        frame_ += block;
    }
}

void Renderer::startVoices(int frames)
{
    kickOffsets_.clear();
    while (nextNote_ < notes_.size() && notes_[nextNote_].startFrame < frame_ + frames) {
        const Scheduled& scheduled = notes_[nextNote_++];
        int offset = int(scheduled.startFrame - frame_);
        active_.push_back(
            {makeVoice(scheduled.note, scheduled.lengthSeconds, scheduled.seed), scheduled.note.instrument, offset});
        if (scheduled.note.instrument == Instrument::Kick)
            kickOffsets_.push_back(offset);
    }
}

void Renderer::renderVoices(int frames)
{
    for (Bus* bus : {&plain_, &ducked_, &reverbSend_, &delaySend_})
        bus->clear();
    for (Active& active : active_) {
        voice_.clear();
        bool alive
            = active.voice->render(voice_.left + active.offset, voice_.right + active.offset, frames - active.offset);
        active.offset = 0;
        if (!alive)
            active.voice.reset();
        ChannelStrip strip = channelStrip(active.instrument);
        Bus& dry = strip.ducked ? ducked_ : plain_;
        for (int i = 0; i < frames; ++i) {
            float left = voice_.left[i] * strip.gain, right = voice_.right[i] * strip.gain;
            dry.left[i] += left;
            dry.right[i] += right;
            reverbSend_.left[i] += left * strip.reverbSend;
            reverbSend_.right[i] += right * strip.reverbSend;
            delaySend_.left[i] += left * strip.delaySend;
            delaySend_.right[i] += right * strip.delaySend;
        }
    }
    std::erase_if(active_, [](const Active& active) { return !active.voice; });
}

// Kick-triggered gain dip with a few milliseconds of attack so the pads do not click.
float Renderer::duckGain()
{
    static const double attack = 1.0 - std::exp(-1.0 / (0.004 * SampleRate));
    static const double decay = std::exp(-1.0 / (0.16 * SampleRate));
    duckFollower_ += attack * (duckTrigger_ - duckFollower_);
    duckTrigger_ *= decay;
    return float(1.0 - DuckDepth * duckFollower_);
}

void Renderer::mix(float* interleaved, int frames)
{
    size_t nextKick = 0;
    for (int i = 0; i < frames; ++i) {
        while (nextKick < kickOffsets_.size() && kickOffsets_[nextKick] == i) {
            duckTrigger_ = 1.0;
            ++nextKick;
        }
        float duck = duckGain();
        float echoLeft, echoRight, roomLeft, roomRight;
        delay_.process(delaySend_.left[i], delaySend_.right[i], echoLeft, echoRight);
        reverb_.process(reverbSend_.left[i] + 0.3f * echoLeft, reverbSend_.right[i] + 0.3f * echoRight, roomLeft,
                        roomRight);
        float left = plain_.left[i] + (ducked_.left[i] + echoLeft + 2.4f * roomLeft) * duck;
        float right = plain_.right[i] + (ducked_.right[i] + echoRight + 2.4f * roomRight) * duck;
        master_.process(left, right);
        interleaved[2 * i] = left;
        interleaved[2 * i + 1] = right;
    }
}

std::vector<float> renderRange(const std::vector<Note>& notes, double fromSeconds, double toSeconds)
{
    int64_t from = secondsToFrame(fromSeconds);
    int64_t preRollStart = std::max<int64_t>(0, from - secondsToFrame(PreRollSeconds));
    Renderer renderer(notes, preRollStart);
    std::vector<float> preRoll(2 * size_t(from - preRollStart));
    renderer.render(preRoll.data(), from - preRollStart);
    std::vector<float> samples(2 * size_t(std::max<int64_t>(0, secondsToFrame(toSeconds) - from)));
    renderer.render(samples.data(), int64_t(samples.size() / 2));
    return samples;
}

}
