#pragma once

#include <algorithm>
#include <cstdint>

namespace Tavrin::Loading {

// Paces the loading screen's presents during flow loading: a swap costs far more than an element
// (a whole vertical-sync period on a desktop, tens of milliseconds for a software renderer with
// multisampling), so progress that arrives soon after the last present waits for the next one,
// which draws the newest value. Soon is three times what the last present took, so presenting
// takes at most a quarter of the loading; but never under a sixtieth of a second, and never over
// a tenth, so that one slow present (the first, which builds shaders) does not freeze the bar.
class PresentPacer {
public:
    static constexpr std::int64_t SixtiethOfASecondNs = 1'000'000'000 / 60;
    static constexpr std::int64_t LongestWaitNs = 1'000'000'000 / 10;
    static constexpr std::int64_t WaitPerPresentTime = 3;

    // Whether progress reported at nowNs deserves a present: nothing presented yet, or the wait
    // gone since the last present ended.
    bool due(std::int64_t nowNs) const { return !anyPresent_ || nowNs - lastPresentNs_ >= waitNs_; }
    // A present that began drawing at startNs and was on screen at endNs.
    void presented(std::int64_t startNs, std::int64_t endNs)
    {
        anyPresent_ = true;
        lastPresentNs_ = endNs;
        waitNs_ = std::clamp(WaitPerPresentTime * (endNs - startNs), SixtiethOfASecondNs, LongestWaitNs);
    }

private:
    std::int64_t waitNs_ = SixtiethOfASecondNs;
    bool anyPresent_ = false;
    std::int64_t lastPresentNs_ = 0;
};

}
