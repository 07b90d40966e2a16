#include "tavrin/loading/PresentPacer.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t Ms = 1'000'000;

}

TEST(PresentPacer, WaitsThreeTimesWhatThePresentTookButASixtiethAtLeastAndATenthAtMost)
{
    Tavrin::Loading::PresentPacer pacer;
    EXPECT_TRUE(pacer.due(0)) << "the first progress is always shown";

    pacer.presented(0, 2 * Ms);
    EXPECT_FALSE(pacer.due(2 * Ms + 16 * Ms));
    EXPECT_TRUE(pacer.due(2 * Ms + 17 * Ms));

    // A software renderer with multisampling: 30 ms to draw and show the screen.
    pacer.presented(100 * Ms, 130 * Ms);
    EXPECT_FALSE(pacer.due(130 * Ms + 89 * Ms));
    EXPECT_TRUE(pacer.due(130 * Ms + 90 * Ms));

    // The first present of a run builds its shaders.
    pacer.presented(200 * Ms, 400 * Ms);
    EXPECT_FALSE(pacer.due(400 * Ms + 99 * Ms));
    EXPECT_TRUE(pacer.due(400 * Ms + 100 * Ms)) << "the bar still moves ten times a second";

    pacer.presented(600 * Ms, 601 * Ms);
    EXPECT_TRUE(pacer.due(601 * Ms + 17 * Ms)) << "a cheap present again brings the sixtieth back";
}
