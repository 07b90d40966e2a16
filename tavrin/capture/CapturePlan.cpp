#include "tavrin/capture/CapturePlan.h"

#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Tavrin::Capture {

std::vector<CaptureFrame> planCapture(const CaptureOptions& options, float endTime)
{
    std::vector<CaptureFrame> frames;
    double fps = options.fps;
    // A listed time is its frame's: frame n shows n / fps, as in a range, whatever was asked.
    if (!options.times.empty()) {
        for (float t : options.times) {
            long frame = std::lround(t * fps);
            frames.push_back({frame, float(frame / fps)});
        }
        return frames;
    }
    if (options.frames) {
        for (long frame = options.frames->first; frame <= options.frames->second; ++frame)
            frames.push_back({frame, float(frame / fps)});
        return frames;
    }
    double from = std::max(0.0f, options.from);
    double to = options.to.value_or(endTime);
    long first = long(std::ceil(from * fps - 1e-6));
    long last = long(std::floor(to * fps + 1e-6));
    for (long frame = first; frame <= last; ++frame)
        frames.push_back({frame, float(frame / fps)});
    // A range that holds no frame would end as a successful capture that wrote nothing.
    if (frames.empty()) {
        char message[128];
        std::snprintf(message, sizeof message, "Nothing to capture: no frame lies between %g s and %g s", from, to);
        throw Orvane::Exceptions::Exception(message);
    }
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
