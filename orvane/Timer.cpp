#include "orvane/Timer.h"

namespace Orvane {

double Timer::now() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - startTime_).count();
}

void Timer::start()
{
    startTime_ = std::chrono::steady_clock::now();
    lastTime_ = 0.0;
    frameCount_ = 0;
    fpsStamp_ = 0.0;
}

float Timer::time() const { return float(now()); }

float Timer::delta()
{
    double t = now();
    double result = t - lastTime_;
    lastTime_ = t;
    return float(result);
}

float Timer::fps()
{
    if (now() - fpsStamp_ > 1.0) {
        fps_ = float(frameCount_ / (now() - fpsStamp_));
        frameCount_ = 0;
        fpsStamp_ = now();
    }
    ++frameCount_;
    return fps_;
}

}
