#include "tavrin/startup/StartupReport.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace Tavrin {

void printStartupReport(int loadingPresents)
{
    auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    long long nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("first-frame-unix-ns %lld peak-rss-kb %ld loading-presents %d\n", nanoseconds, usage.ru_maxrss,
                loadingPresents);
    std::fflush(stdout);
}

}
