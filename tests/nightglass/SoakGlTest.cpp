#include "nightglass/Nightglass.h"
#include "orvane/GlErrorCheck.h"
#include "orvane/MessageBox.h"
#include "support/GlTest.h"
#include "tavrin/CommandLine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

namespace {

// How many seeks: NIGHTGLASS_SOAK_SEEKS when set (scripts/soak.sh asks for 10,000), else a count
// that keeps the test suite quick.
int seekCount()
{
    const char* value = std::getenv("NIGHTGLASS_SOAK_SEEKS");
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : 100;
}

// The live demo, sent to a random time after every frame it presents. Each frame must start where
// the seek before it went: not before, and no later than the wall time that passed since.
class SeekingNightglass : public Nightglass::Nightglass {
public:
    SeekingNightglass(int seeks, unsigned seed)
        : seeksLeft_(seeks)
        , random_(seed)
    {}

    int framesChecked = 0;
    int clockMisses = 0;
    std::string firstMiss;

protected:
    bool framePresented() override
    {
        using Clock = std::chrono::steady_clock;
        if (framesChecked > 0) {
            double elapsed = std::chrono::duration<double>(Clock::now() - seekedAt_).count();
            // A clock position is a whole frame of the music, and float seconds round near 200 s.
            constexpr double Slack = 1e-4;
            if (time < target_ - Slack || time > target_ + elapsed + Slack) {
                if (clockMisses++ == 0) {
                    std::ostringstream text;
                    text << "sought " << target_ << " s, the frame drew at " << time << " s, " << elapsed << " s later";
                    firstMiss = text.str();
                }
            }
        }
        if (seeksLeft_ == 0)
            return false;
        --seeksLeft_;
        // Never past the end, where the demo ends by itself.
        target_ = std::uniform_real_distribution<float>(0.0f, endTime() - 1.0f)(random_);
        ++framesChecked;
        seekedAt_ = Clock::now();
        seekTo(target_);
        return true;
    }

private:
    int seeksLeft_;
    std::mt19937 random_;
    float target_ = 0.0f;
    std::chrono::steady_clock::time_point seekedAt_;
};

}

TEST(SoakGlTest, TheProductionDrawsAFrameAfterEachRandomSeekWhereTheSeekWentWithoutAGlError)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    // No sound device: the music keeps time on the steady clock, which the check can follow. The
    // box that says so must not wait for a click.
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Orvane::MessageBox::setBatchMode(true);
    const int seeks = seekCount();
    Tavrin::ParsedCommandLine parsed
        = Tavrin::parseCommandLine({"--flow", "data/Nightglass.flow", "--no-dialog", "--windowed", "--no-music",
                                    "--size", "64x36", "--aa", "0", "--gl-debug"});
    SeekingNightglass demo(seeks, 20261209u);
    testing::internal::CaptureStderr();
    int status = demo.run(parsed.options);
    std::string stderrText = testing::internal::GetCapturedStderr();

    EXPECT_EQ(status, 0) << stderrText;
    EXPECT_EQ(demo.framesChecked, seeks) << "the run ended early\n" << stderrText;
    EXPECT_EQ(demo.clockMisses, 0) << demo.firstMiss;
    EXPECT_EQ(Orvane::GlErrorCheck::errorCount(), 0) << stderrText;
    EXPECT_EQ(stderrText.find("GL error"), std::string::npos) << stderrText;
}
