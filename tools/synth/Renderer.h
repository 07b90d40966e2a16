#pragma once

#include "MasterBus.h"
#include "Note.h"
#include "Reverb.h"
#include "StereoDelay.h"
#include "Voice.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Nightglass::Synth {

// Streams a score to interleaved stereo, block by block: voices start on their exact frame,
// then run through the channel strips, the shared echo and reverb, the kick ducking and the
// master bus.
class Renderer {
public:
    // Starting past 0 picks up notes still sounding at `startFrame`; the echo and reverb start
    // empty there, so begin a little early when their tails matter.
    explicit Renderer(std::vector<Note> notes, int64_t startFrame = 0);

    void render(float* interleaved, int64_t frames);

private:
    static constexpr int BlockSize = 256;

    struct Scheduled {
        Note note;
        int64_t startFrame;
        double lengthSeconds;
        uint32_t seed;
    };
    struct Active {
        std::unique_ptr<Voice> voice;
        Instrument instrument;
        int offset;
    };
    struct Bus {
        float left[BlockSize];
        float right[BlockSize];
        void clear();
    };

    void catchUp(int64_t startFrame);
    void startVoices(int frames);
    void renderVoices(int frames);
    void mix(float* interleaved, int frames);
    float duckGain();

    std::vector<Scheduled> notes_;
    size_t nextNote_ = 0;
    std::vector<Active> active_;
    int64_t frame_;
    Bus voice_, plain_, ducked_, reverbSend_, delaySend_;
    std::vector<int> kickOffsets_;
    StereoDelay delay_;
    Reverb reverb_;
    MasterBus master_;
    double duckTrigger_ = 0.0, duckFollower_ = 0.0;
};

// Frames [from, to) of the score as interleaved stereo, rendered with a short pre-roll so the
// echo and reverb are already filled at `fromSeconds`.
std::vector<float> renderRange(const std::vector<Note>& notes, double fromSeconds, double toSeconds);

}
