#include "tavrin/edit/BarDrag.h"

#include <gtest/gtest.h>

using Tavrin::Edit::BarDrag;
using Tavrin::Edit::BarHandle;
using Tavrin::Edit::BarSpan;
using Tavrin::Edit::SnapUnit;

namespace {

// At 120 bpm: a bar is 2 s, a beat 0.5 s, a row 0.125 s.
constexpr float Bpm = 120.0f;

Tavrin::Edit::TimelineBar barFrom2To6()
{
    Tavrin::Edit::TimelineBar bar;
    bar.span = {2.0f, 4.0f};
    return bar;
}

::testing::AssertionResult spans(BarSpan actual, float start, float length)
{
    if (std::abs(actual.start - start) < 1e-5f && std::abs(actual.length - length) < 1e-5f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual.start << " + " << actual.length;
}

}

TEST(BarDrag, EachHandleMovesItsPartOntoTheGridAndABarKeepsARowAndStartsAtZeroAtTheEarliest)
{
    BarDrag end(barFrom2To6(), BarHandle::End, 6.0f);
    EXPECT_TRUE(spans(end.spanAt(7.3f, Bpm, SnapUnit::Bar), 2.0f, 6.0f));
    EXPECT_TRUE(spans(end.spanAt(7.3f, Bpm, SnapUnit::Beat), 2.0f, 5.5f));
    EXPECT_TRUE(spans(end.spanAt(7.3f, Bpm, SnapUnit::Row), 2.0f, 5.25f));
    EXPECT_TRUE(spans(end.spanAt(1.0f, Bpm, SnapUnit::Bar), 2.0f, 0.125f));

    BarDrag start(barFrom2To6(), BarHandle::Start, 2.0f);
    EXPECT_TRUE(spans(start.spanAt(3.1f, Bpm, SnapUnit::Bar), 4.0f, 2.0f)) << "the end stays";
    EXPECT_TRUE(spans(start.spanAt(7.0f, Bpm, SnapUnit::Bar), 5.875f, 0.125f));
    EXPECT_TRUE(spans(start.spanAt(-3.0f, Bpm, SnapUnit::Bar), 0.0f, 6.0f));

    BarDrag whole(barFrom2To6(), BarHandle::Whole, 3.0f);
    EXPECT_TRUE(spans(whole.spanAt(6.2f, Bpm, SnapUnit::Bar), 6.0f, 4.0f)) << "grabbed a second in";
    EXPECT_TRUE(spans(whole.spanAt(3.3f, Bpm, SnapUnit::Beat), 2.5f, 4.0f));
    EXPECT_TRUE(spans(whole.spanAt(0.0f, Bpm, SnapUnit::Bar), 0.0f, 4.0f));
}
