#include "tavrin/edit/FileWatcher.h"

#include "orvane/exceptions/Exception.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace Tavrin::Edit {

namespace {

constexpr uint32_t SaveEvents = IN_CLOSE_WRITE | IN_MOVED_TO;
constexpr uint32_t FolderEvents = IN_CREATE | IN_MOVED_TO;

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.empty() ? name : folder + "/" + name;
}

}

FileWatcher::FileWatcher(const std::string& folder, Clock::duration settleTime)
    : folder_(folder)
    , settleTime_(settleTime)
    , descriptor_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (descriptor_ < 0)
        throw Orvane::Exceptions::Exception("Cannot watch \"" + folder + "\": " + std::strerror(errno));
    try {
        watchTree("");
    } catch (...) {
        close(descriptor_);
        throw;
    }
}

FileWatcher::~FileWatcher() { close(descriptor_); }

void FileWatcher::watchTree(const std::string& relative)
{
    watchFolder(relative);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(joined(folder_, relative), error))
        if (entry.is_directory(error))
            watchTree(joined(relative, entry.path().filename().string()));
}

void FileWatcher::watchFolder(const std::string& relative)
{
    std::string path = relative.empty() ? folder_ : joined(folder_, relative);
    int watch = inotify_add_watch(descriptor_, path.c_str(), SaveEvents | FolderEvents | IN_ONLYDIR);
    if (watch < 0)
        throw Orvane::Exceptions::Exception("Cannot watch \"" + path + "\": " + std::strerror(errno));
    folders_[watch] = relative;
}

void FileWatcher::watchNewFolder(const std::string& relative)
{
    // A folder that went again before it could be watched holds nothing to reload.
    try {
        watchTree(relative);
    } catch (const Orvane::Exceptions::Exception&) {
    }
}

void FileWatcher::readEvents()
{
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        ssize_t length = read(descriptor_, buffer, sizeof buffer);
        if (length <= 0)
            return;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            auto folder = folders_.find(event->wd);
            if (folder == folders_.end() || event->len == 0)
                continue;
            std::string name = joined(folder->second, event->name);
            if (event->mask & IN_ISDIR)
                watchNewFolder(name);
            else if (event->mask & SaveEvents)
                pending_[name] = Clock::now();
        }
    }
}

std::vector<std::string> FileWatcher::takeSettled()
{
    readEvents();
    std::vector<std::string> settled;
    Clock::time_point now = Clock::now();
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (now - it->second >= settleTime_) {
            settled.push_back(it->first);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
    return settled;
}

}
