#pragma once

#include "tavrin/edit/XmlStartTags.h"

#include <string>
#include <vector>

namespace Tavrin::Edit {

// A window of demo time, in seconds.
struct BarSpan {
    float start = 0.0f;
    float length = 0.0f;
};

// One <at> element of a flow as the timeline shows it.
struct TimelineBar {
    int element = 0;  // its place among the file's <at> elements, in document order
    int line = 0;
    std::string name;  // the names of its child elements
    BarSpan span;  // on the demo's clock
    // Its own times, on the clock of what encloses it: demo time = local * scale + shift.
    BarSpan local;
    float scale = 1.0f, shift = 0.0f;
    float bpm = 162.0f;  // the tempo its times are read at
};

// The <at> elements of one flow file, read from its text as the loader reads them (tempo, enclosing
// windows and time stretches), and their retiming as edits of that text alone. Elements the loader
// never places (inside effects, quads, clears or inlined files) are not shown.
class FlowTimeline {
public:
    // bpm is the tempo in force before the flow's first <demo> element. Throws
    // UnsupportedFormatException naming the file and line for text an XML parser refuses.
    FlowTimeline(std::string path, std::string text, float bpm);
    // Throws FileNotFoundException when the file cannot be read.
    static FlowTimeline read(const std::string& path, float bpm);

    const std::string& path() const { return path_; }
    const std::string& text() const { return text_; }
    const std::vector<TimelineBar>& bars() const { return bars_; }

    // The text with the bar's window at span: its start written if it moved, its length if that
    // changed, each in whole rows of the bar's tempo and in as many fields as before ("1:0:0"
    // stays bars:beats:rows). Only those attribute values change; a missing one is added.
    std::string retimed(const TimelineBar& bar, BarSpan span) const;

private:
    std::string path_, text_;
    std::vector<TimelineBar> bars_;
    std::vector<XmlStartTag> tags_;
};

}
