#include "tavrin/edit/NumberedBackup.h"

#include "orvane/utils/StreamReaders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(NumberedBackup, EverySavedVersionIsKeptUnderTheNextNumber)
{
    TestSupport::TempDir dir;
    std::string path = dir.file("default.txt");
    Tavrin::Edit::saveWithNumberedBackup(path, "first\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".~1~")) << "nothing was there to keep";
    std::ofstream(path + ".~7~.bak") << "not a backup of ours";
    Tavrin::Edit::saveWithNumberedBackup(path, "second\n");
    Tavrin::Edit::saveWithNumberedBackup(path, "third\n");
    EXPECT_EQ(Orvane::Utils::readTextFile(path), "third\n");
    EXPECT_EQ(Orvane::Utils::readTextFile(path + ".~1~"), "first\n");
    EXPECT_EQ(Orvane::Utils::readTextFile(path + ".~2~"), "second\n");
    std::filesystem::remove(path + ".~1~");
    Tavrin::Edit::saveWithNumberedBackup(path, "fourth\n");
    EXPECT_EQ(Orvane::Utils::readTextFile(path + ".~3~"), "third\n") << "after the highest, not in a gap";
}
