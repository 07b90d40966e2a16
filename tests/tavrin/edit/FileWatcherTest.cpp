#include "tavrin/edit/FileWatcher.h"

#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

using Tavrin::Edit::FileWatcher;
using namespace std::chrono_literals;

namespace {

void write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::vector<std::string> settledWithin(FileWatcher& watcher, std::chrono::milliseconds limit)
{
    auto end = std::chrono::steady_clock::now() + limit;
    std::vector<std::string> all;
    while (std::chrono::steady_clock::now() < end) {
        for (std::string& name : watcher.takeSettled())
            all.push_back(std::move(name));
        std::this_thread::sleep_for(10ms);
    }
    return all;
}

}

TEST(FileWatcher, ABurstOfSavesSettlesOnceAndARenameOntoAFileIsASave)
{
    TestSupport::TempDir dir;
    std::filesystem::create_directory(dir.path() / "shaders");
    write(dir.file("shaders/a.cg"), "first");
    write(dir.file("b.txt"), "first");
    FileWatcher watcher(dir.path().string());

    for (int i = 0; i < 6; ++i) {
        write(dir.file("shaders/a.cg"), "save " + std::to_string(i));
        EXPECT_TRUE(watcher.takeSettled().empty()) << "reported before the burst was over";
        std::this_thread::sleep_for(30ms);
    }
    // An editor's safe save: a temporary file renamed over the old one.
    write(dir.file("b.txt.tmp"), "second");
    std::filesystem::rename(dir.file("b.txt.tmp"), dir.file("b.txt"));

    std::vector<std::string> settled = settledWithin(watcher, 400ms);
    EXPECT_EQ(std::count(settled.begin(), settled.end(), "shaders/a.cg"), 1);
    EXPECT_EQ(std::count(settled.begin(), settled.end(), "b.txt"), 1);

    // A folder made while watching is watched too.
    std::filesystem::create_directory(dir.path() / "new");
    std::this_thread::sleep_for(20ms);
    watcher.takeSettled();
    write(dir.file("new/c.png"), "x");
    EXPECT_EQ(settledWithin(watcher, 300ms), std::vector<std::string>{"new/c.png"});
}

TEST(FileWatcher, AMissingFolderIsAnErrorNamingIt)
{
    try {
        FileWatcher watcher("/nonexistent/data");
        FAIL() << "no error";
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_NE(e.getMessage().find("/nonexistent/data"), std::string::npos) << e.getMessage();
    }
}
