#pragma once

#include "tavrin/edit/FlowTimeline.h"

namespace Tavrin::Edit {

// What a drag snaps to: rows are sixteenth notes, four to the beat, four beats to the bar.
enum class SnapUnit { Bar, Beat, Row };

// The nearest bar line, beat or row to seconds at this tempo.
float snapped(float seconds, float bpm, SnapUnit unit);

// Which part of a bar the pointer took: its start, its end, or the whole bar.
enum class BarHandle { Start, End, Whole };

// A timeline bar being dragged: where it would lie with the pointer at a time. Moving the start
// keeps the end, moving the end keeps the start, moving the whole keeps the length; a bar keeps at
// least a row and never starts before 0.
class BarDrag {
public:
    BarDrag(TimelineBar bar, BarHandle handle, float grabbedAt);

    BarSpan spanAt(float pointer, float bpm, SnapUnit unit) const;

    const TimelineBar& bar() const { return bar_; }
    BarHandle handle() const { return handle_; }

private:
    TimelineBar bar_;
    BarHandle handle_;
    float grabbedAt_;
};

}
