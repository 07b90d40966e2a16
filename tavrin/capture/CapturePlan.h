#pragma once

#include "tavrin/RunOptions.h"

#include <string>
#include <vector>

namespace Tavrin::Capture {

struct CaptureFrame {
    long index;  // round(time x fps): names the PNG file
    float time;
};

// The frames an offline capture renders: the frames nearest the listed times, or every 1/fps step
// from `from` up to and including `to` (the end time when not given); frame n is at n / fps either
// way. A range without a frame throws.
std::vector<CaptureFrame> planCapture(const CaptureOptions& options, float endTime);

// "frame_000123.png" inside folder.
std::string captureFrameFileName(const std::string& folder, long index);

}
