#include "orvane/MessageBoxChild.h"

#include <pthread.h>
#include <sys/mman.h>
#include <sys/prctl.h>

#include <atomic>
#include <csignal>
#include <new>
#include <unistd.h>

namespace Orvane::MessageBoxChild {

namespace {

// Written by the child after fork, read by the parent: it lives in a page both share.
struct Shared {
    std::atomic<pid_t> child;
};

std::atomic<bool> showing{false};
Shared* shared = nullptr;

void afterForkInChild()
{
    if (!showing.load() || shared == nullptr)
        return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    shared->child.store(getpid());
}

void prepare()
{
    if (shared != nullptr)
        return;
    void* page = mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED)
        return;
    shared = new (page) Shared{};
    pthread_atfork(nullptr, nullptr, afterForkInChild);
}

}

void begin()
{
    prepare();
    if (shared != nullptr)
        shared->child.store(0);
    showing.store(true);
}

void end()
{
    showing.store(false);
    if (shared != nullptr)
        shared->child.store(0);
}

void closeShownBox()
{
    if (!showing.load() || shared == nullptr)
        return;
    pid_t child = shared->child.load();
    if (child > 0)
        kill(child, SIGKILL);
}

}
