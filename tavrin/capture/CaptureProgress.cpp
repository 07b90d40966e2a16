#include "tavrin/capture/CaptureProgress.h"

#include <cstdio>

namespace Tavrin::Capture {

CaptureProgress::CaptureProgress(std::size_t total)
    : total_(total)
    , start_(std::chrono::steady_clock::now())
{}

void CaptureProgress::report(const CaptureFrame& frame)
{
    ++written_;
    double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    double speed = elapsed > 0 ? double(written_) / elapsed : 0.0;
    double left = speed > 0 ? double(total_ - written_) / speed : 0.0;
    std::fprintf(stderr, "\rframe %zu/%zu  time %8.3f s  %6.1f frames/s  %5.0f s left ", written_, total_,
                 double(frame.time), speed, left);
}

void CaptureProgress::done() const { std::fprintf(stderr, "\ncaptured %zu frames\n", written_); }

}
