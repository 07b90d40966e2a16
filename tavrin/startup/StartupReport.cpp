#include "tavrin/startup/StartupReport.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace Tavrin::Startup {

namespace {

long long cpuMilliseconds(const rusage& usage)
{
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000LL
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

}

void printStartupReport(int loadingPresents)
{
    auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    long long nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count();
    rusage process{}, mainThread{};
    getrusage(RUSAGE_SELF, &process);
    getrusage(RUSAGE_THREAD, &mainThread);
    std::printf("first-frame-unix-ns %lld peak-rss-kb %ld loading-presents %d cpu-ms %lld main-thread-cpu-ms %lld\n",
                nanoseconds, process.ru_maxrss, loadingPresents, cpuMilliseconds(process), cpuMilliseconds(mainThread));
    std::fflush(stdout);
}

}
