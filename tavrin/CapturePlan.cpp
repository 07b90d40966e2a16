#include "tavrin/CapturePlan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Tavrin {

std::vector<CaptureFrame> planCapture(const CaptureOptions& options, float endTime)
{
    std::vector<CaptureFrame> frames;
    double fps = options.fps;
    if (!options.times.empty()) {
        for (float t : options.times)
            frames.push_back({std::lround(t * fps), t});
        return frames;
    }
    double from = std::max(0.0f, options.from);
    double to = options.to.value_or(endTime);
    long first = long(std::ceil(from * fps - 1e-6));
    long last = long(std::floor(to * fps + 1e-6));
    for (long frame = first; frame <= last; ++frame)
        frames.push_back({frame, float(frame / fps)});
    return frames;
}

std::string captureFrameFileName(const std::string& folder, long index)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame_%06ld.png", index);
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + name;
}

}
