#include "tavrin/loading/PresentPacer.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t Ms = 1'000'000;

}

TEST(PresentPacer, WaitsASixtiethAfterACheapPresentAndThreeTimesTheCostOfADearOne)
{
    Tavrin::PresentPacer pacer;
    EXPECT_TRUE(pacer.due(0)) << "the first progress is always shown";

    pacer.presented(0, 2 * Ms);
    EXPECT_FALSE(pacer.due(2 * Ms + 16 * Ms));
    EXPECT_TRUE(pacer.due(2 * Ms + 17 * Ms));

    // A software renderer with multisampling: 40 ms to draw and show the screen.
    pacer.presented(100 * Ms, 140 * Ms);
    EXPECT_FALSE(pacer.due(140 * Ms + 119 * Ms));
    EXPECT_TRUE(pacer.due(140 * Ms + 120 * Ms));

    pacer.presented(300 * Ms, 301 * Ms);
    EXPECT_TRUE(pacer.due(301 * Ms + 17 * Ms)) << "a cheap present again brings the sixtieth back";
}
