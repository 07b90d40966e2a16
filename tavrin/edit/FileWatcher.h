#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace Tavrin::Edit {

// Watches a folder and its subfolders for saved files (Linux inotify). A file counts as saved when
// a writer closes it or another file is renamed onto it, as editors that write a temporary copy
// do. A file is reported once it has been quiet for the settle time, so a burst of saves is one.
class FileWatcher {
public:
    using Clock = std::chrono::steady_clock;

    // Throws Exception naming the folder when it cannot be watched.
    explicit FileWatcher(const std::string& folder, Clock::duration settleTime = std::chrono::milliseconds(100));
    ~FileWatcher();
    FileWatcher(const FileWatcher&) = delete;
    FileWatcher& operator=(const FileWatcher&) = delete;

    // Never blocks. The names are relative to the folder, with "/" between path parts.
    std::vector<std::string> takeSettled();

private:
    void watchTree(const std::string& relative);
    void watchFolder(const std::string& relative);
    void watchNewFolder(const std::string& relative);
    void readEvents();

    std::string folder_;
    Clock::duration settleTime_;
    int descriptor_ = -1;
    std::map<int, std::string> folders_;
    std::map<std::string, Clock::time_point> pending_;
};

}
