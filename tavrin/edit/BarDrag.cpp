#include "tavrin/edit/BarDrag.h"

#include <algorithm>
#include <cmath>

namespace Tavrin::Edit {

namespace {

double rowSeconds(float bpm) { return 60.0 / (4.0 * double(bpm)); }

}

float snapped(float seconds, float bpm, SnapUnit unit)
{
    const double rows = unit == SnapUnit::Bar ? 16.0 : unit == SnapUnit::Beat ? 4.0 : 1.0;
    double step = rows * rowSeconds(bpm);
    return float(std::round(double(seconds) / step) * step);
}

BarDrag::BarDrag(TimelineBar bar, BarHandle handle, float grabbedAt)
    : bar_(std::move(bar))
    , handle_(handle)
    , grabbedAt_(grabbedAt)
{}

BarSpan BarDrag::spanAt(float pointer, float bpm, SnapUnit unit) const
{
    const BarSpan& from = bar_.span;
    float end = from.start + from.length;
    auto shortest = float(rowSeconds(bpm));
    switch (handle_) {
    case BarHandle::Start: {
        float start = std::max(0.0f, std::min(snapped(pointer, bpm, unit), end - shortest));
        return {start, end - start};
    }
    case BarHandle::End: return {from.start, std::max(snapped(pointer, bpm, unit), from.start + shortest) - from.start};
    case BarHandle::Whole:
        return {std::max(0.0f, snapped(from.start + pointer - grabbedAt_, bpm, unit)), from.length};
    }
    return from;
}

}
