#pragma once

#include <cstdint>

namespace Tavrin {

// Paces the loading screen's presents during flow loading: a swap costs far more than an element
// (a whole vertical-sync period on a desktop), so progress that arrives within an interval of the
// last present waits for the next one, which draws the newest value.
class PresentPacer {
public:
    static constexpr std::int64_t SixtiethOfASecondNs = 1'000'000'000 / 60;

    explicit PresentPacer(std::int64_t intervalNs = SixtiethOfASecondNs) : intervalNs_(intervalNs) {}

    // Whether progress reported at nowNs deserves a present: nothing presented yet, or an
    // interval gone since the last present.
    bool due(std::int64_t nowNs) const { return !anyPresent_ || nowNs - lastPresentNs_ >= intervalNs_; }
    void presented(std::int64_t nowNs)
    {
        anyPresent_ = true;
        lastPresentNs_ = nowNs;
    }

private:
    std::int64_t intervalNs_;
    bool anyPresent_ = false;
    std::int64_t lastPresentNs_ = 0;
};

}
