#pragma once

#include "tavrin/capture/CapturePlan.h"

#include <chrono>
#include <cstddef>

namespace Tavrin::Capture {

// One status line on stderr, rewritten per frame: frame, demo time, capture speed, time left.
class CaptureProgress {
public:
    explicit CaptureProgress(std::size_t total);
    void report(const CaptureFrame& frame);
    void done() const;

private:
    std::size_t total_, written_ = 0;
    std::chrono::steady_clock::time_point start_;
};

}
