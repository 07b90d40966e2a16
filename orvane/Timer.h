#pragma once

#include <chrono>

namespace Orvane {

// Wall-clock timer for the demo time without music, the frame delta and a frames-per-second figure.
// Readings are kept in double precision and rounded to float only at the end, so values measured
// from start keep full float precision however long the machine has been up.
class Timer {
public:
    void start();
    float time() const;
    float delta();
    float fps();

private:
    double now() const;

    std::chrono::steady_clock::time_point startTime_{};
    double lastTime_ = 0.0;
    int frameCount_ = 0;
    double fpsStamp_ = 0.0;
    float fps_ = 0.0f;
};

}
