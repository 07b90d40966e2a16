#include "tavrin/edit/Transport.h"

#include <gtest/gtest.h>

using Tavrin::Edit::Transport;
using Tavrin::Edit::TransportKeys;

namespace {

TransportKeys only(bool TransportKeys::*key)
{
    TransportKeys keys;
    keys.*key = true;
    return keys;
}

}

TEST(Transport, ThePlayheadWrapsInTheLoopWhetherItRunsOnFramesOrFollowsTheMusic)
{
    Transport transport(2.0f, 3.0f);
    transport.press(only(&TransportKeys::loopStart));
    transport.advance(1.5f);
    transport.press(only(&TransportKeys::loopEnd));
    EXPECT_FALSE(transport.takeJump());

    transport.advance(1.0f);  // 5.5 is past the end at 4.5: wraps to 4.0
    EXPECT_FLOAT_EQ(transport.time(), 4.0f);
    EXPECT_TRUE(transport.takeJump()) << "the music has to follow the wrap";
    transport.follow(4.75f);
    EXPECT_FLOAT_EQ(transport.time(), 3.25f);
    EXPECT_TRUE(transport.takeJump());
    transport.follow(4.25f);
    EXPECT_FLOAT_EQ(transport.time(), 4.25f);
    EXPECT_FALSE(transport.takeJump());

    transport.press(only(&TransportKeys::clearLoop));
    transport.advance(10.0f);
    EXPECT_FLOAT_EQ(transport.time(), 14.25f);
}

TEST(Transport, PauseHoldsThePlayheadWhileBarSeeksAndHomeStillMoveIt)
{
    Transport transport(2.0f, 5.0f);
    transport.press(only(&TransportKeys::pause));
    EXPECT_TRUE(transport.paused());
    transport.advance(1.0f);
    transport.follow(9.0f);
    EXPECT_FLOAT_EQ(transport.time(), 5.0f);

    transport.press(only(&TransportKeys::barForward));
    EXPECT_FLOAT_EQ(transport.time(), 6.0f);
    transport.press(only(&TransportKeys::barForward));
    EXPECT_FLOAT_EQ(transport.time(), 8.0f);
    transport.press(only(&TransportKeys::barBack));
    EXPECT_FLOAT_EQ(transport.time(), 6.0f);
    transport.advance(0.5f);
    transport.press(only(&TransportKeys::home));
    transport.press(only(&TransportKeys::barBack));
    EXPECT_FLOAT_EQ(transport.time(), 0.0f) << "no seek before the start";

    transport.press(only(&TransportKeys::pause));
    EXPECT_TRUE(transport.takeJump()) << "a resume puts the music back at the playhead";
    transport.advance(0.25f);
    EXPECT_FLOAT_EQ(transport.time(), 0.25f);
    transport.stopAt(0.2f);
    EXPECT_TRUE(transport.paused());
    EXPECT_FLOAT_EQ(transport.time(), 0.2f);
}

TEST(Transport, ASeekWhileTheMusicPlaysWinsOverTheMusicsPositionUntilTheMusicIsSentThere)
{
    Transport transport(2.0f, 5.0f);
    transport.follow(5.5f);
    transport.press(only(&TransportKeys::barForward));
    transport.follow(5.51f);
    EXPECT_FLOAT_EQ(transport.time(), 6.0f);
    EXPECT_TRUE(transport.takeJump());
    transport.follow(6.02f);
    EXPECT_FLOAT_EQ(transport.time(), 6.02f);
}
