#include "tavrin/edit/FlowTimeline.h"

#include "orvane/exceptions/Exception.h"

#include <gtest/gtest.h>

using Tavrin::Edit::BarSpan;
using Tavrin::Edit::FlowTimeline;
using Tavrin::Edit::TimelineBar;

namespace {

// At 120 bpm a row is 0.125 s. The stretch shows its children 2t - 1 s; the <at> in the quad, in
// the comment and in the CDATA section are no windows of the timeline.
const std::string Source = R"(<?xml version="1.0"?>
<!-- Not a window: <at time="99" length="1"> -->
<flow>
  <demo><bpm>120</bpm></demo>
  <at time="16" length="32"><dome/></at>
	<at   length='1:0:0'   time="3:0:0" ><mars/><clear/></at>
  <time_stretch factor="2" offset="8">
    <at time="32" length="16"><at time="4" length="4"/></at>
  </time_stretch>
  <quad><at time="0"/></quad>
  <![CDATA[ <at time="1"/> ]]>
  <at time="256"/>
</flow>
)";

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    EXPECT_EQ(text.find(from, at + 1), std::string::npos) << from << " is not unique";
    return text.replace(at, from.size(), to);
}

const TimelineBar& barOf(const FlowTimeline& timeline, int element)
{
    for (const TimelineBar& bar : timeline.bars())
        if (bar.element == element)
            return bar;
    throw std::runtime_error("no bar for element " + std::to_string(element));
}

}

TEST(FlowTimeline, BarsStandWhereTheLoaderPlacesTheirWindows)
{
    FlowTimeline timeline("main.flow", Source, 162.0f);
    const std::vector<TimelineBar>& bars = timeline.bars();
    ASSERT_EQ(bars.size(), 5u);
    struct Expected {
        int element, line;
        const char* name;
        float start, length;
    };
    const Expected expected[] = {
        {0, 5, "dome", 2.0f, 4.0f},
        {1, 6, "mars clear", 6.0f, 2.0f},
        {2, 8, "at", 2.5f, 1.0f},
        {3, 8, "", 2.75f, 0.25f},
        {5, 12, "", 32.0f, 3.0f},
    };
    for (size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bars[i].element, expected[i].element);
        EXPECT_EQ(bars[i].line, expected[i].line);
        EXPECT_EQ(bars[i].name, expected[i].name);
        EXPECT_FLOAT_EQ(bars[i].span.start, expected[i].start);
        EXPECT_FLOAT_EQ(bars[i].span.length, expected[i].length);
    }
}

TEST(FlowTimeline, ARetimedBarChangesOnlyItsOwnAttributeValuesInTheirOwnForm)
{
    FlowTimeline timeline("main.flow", Source, 162.0f);

    // The second window to 4 s: only its start, in bars:beats:rows as it was written.
    const TimelineBar& second = barOf(timeline, 1);
    EXPECT_EQ(timeline.retimed(second, {8.0f, second.span.length}),
              replaced(Source, R"(time="3:0:0" ><mars/>)", R"(time="4:0:0" ><mars/>)"));
    // Its start dragged to 4.5 s with its end kept: both values change, the quotes and order stay.
    EXPECT_EQ(timeline.retimed(second, {4.5f, 3.5f}),
              replaced(Source, R"(length='1:0:0'   time="3:0:0")", R"(length='1:3:0'   time="2:1:0")"));

    // Inside the stretch a demo second is two of the window's own.
    const TimelineBar& nested = barOf(timeline, 3);
    EXPECT_EQ(timeline.retimed(nested, {3.0f, nested.span.length}),
              replaced(Source, R"(<at time="4" length="4"/>)", R"(<at time="8" length="4"/>)"));

    // A length that was left to its default is added after the last attribute.
    const TimelineBar& last = barOf(timeline, 5);
    EXPECT_EQ(timeline.retimed(last, {last.span.start, 4.0f}),
              replaced(Source, R"(<at time="256"/>)", R"(<at time="256" length="32"/>)"));

    EXPECT_EQ(timeline.retimed(barOf(timeline, 0), barOf(timeline, 0).span), Source) << "nothing moved";
}

TEST(FlowTimeline, MalformedXmlNamesTheFileAndLine)
{
    try {
        FlowTimeline("main.flow", "<flow>\n<at time=\"0\">\n</flow>", 162.0f);
        FAIL() << "read";
    } catch (const Orvane::Exceptions::UnsupportedFormatException& e) {
        EXPECT_EQ(e.getMessage().rfind("main.flow:", 0), 0u) << e.getMessage();
        EXPECT_NE(e.getMessage().find("malformed XML"), std::string::npos) << e.getMessage();
    }
}
