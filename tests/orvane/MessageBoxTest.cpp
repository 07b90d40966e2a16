#include "orvane/MessageBox.h"
#include "orvane/StopSignals.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

using namespace std::chrono_literals;

namespace {

// SDL shows an X11 box from a child process and waits for it, retrying when a signal interrupts
// the wait; this sink does the same with a child that never closes.
void showBoxNobodyClicks(const std::string&, const std::string&)
{
    pid_t box = fork();
    if (box == 0)
        for (;;)
            pause();
    int status = 0;
    while (waitpid(box, &status, 0) == -1 && errno == EINTR) {
    }
}

// The exit status of a process, or -1 when it has not ended within the time given (it is killed).
int exitWithin(pid_t process, std::chrono::milliseconds limit)
{
    auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(process, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(process, SIGKILL);
            waitpid(process, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(10ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}

TEST(MessageBox, AStopSignalClosesABoxNobodyClicksAndIsSeenAfterIt)
{
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        pid_t demo = fork();
        if (demo == 0) {
            Orvane::StopSignals::install();
            Orvane::MessageBox::setSink(showBoxNobodyClicks);
            Orvane::MessageBox::show("Orvane Exception", "waits for a click");
            _exit(Orvane::StopSignals::requested() ? 0 : 3);
        }
        std::this_thread::sleep_for(300ms);
        kill(demo, signal);
        EXPECT_EQ(exitWithin(demo, 5s), 0) << "the box must close and the stop be seen";
    }
}

TEST(MessageBox, ASinkSeesWhatABoxWouldShowAndStderrGetsItToo)
{
    std::vector<std::string> shown;
    Orvane::MessageBox::setSink(
        [&](const std::string& caption, const std::string& text) { shown.push_back(caption + ": " + text); });
    testing::internal::CaptureStderr();
    Orvane::MessageBox::show("BASS", "BASS error");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "BASS: BASS error\n") << "the text goes to stderr too";
    EXPECT_EQ(shown, std::vector<std::string>{"BASS: BASS error"});
}
