#include "tavrin/install/DataLocation.h"
#include "orvane/exceptions/Exception.h"
#include "support/ExceptionMessage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(DataLocation, TheCurrentFolderComesFirstThenTheInstallThenAnErrorNamingBoth)
{
    TestSupport::TempDir dir;
    fs::path current = dir.path() / "work";
    fs::path prefix = dir.path() / "opt" / "demo";
    fs::path executable = prefix / "bin" / "nightglass";
    fs::create_directories(current);
    fs::create_directories(executable.parent_path());

    EXPECT_THROW(
        {
            try {
                Tavrin::Install::findBaseFolder(current, executable);
            } catch (const Orvane::Exceptions::FileNotFoundException& e) {
                EXPECT_NE(e.getMessage().find((current / "data").string()), std::string::npos) << e.getMessage();
                EXPECT_NE(e.getMessage().find((prefix / "share/nightglass/data").string()), std::string::npos)
                    << e.getMessage();
                throw;
            }
        },
        Orvane::Exceptions::FileNotFoundException);

    fs::create_directories(prefix / "share" / "nightglass" / "data");
    EXPECT_EQ(Tavrin::Install::findBaseFolder(current, executable), prefix / "share" / "nightglass");
    fs::create_directories(current / "data");
    EXPECT_EQ(Tavrin::Install::findBaseFolder(current, executable), current);
}

TEST(DataLocation, TheNodeCountMovesToTheUserCacheWhenTheDataIsReadOnly)
{
    TestSupport::TempDir dir;
    EXPECT_EQ(Tavrin::Install::nodeCountLocation(true, dir.path().c_str(), "/home/x"), "data/lol.dat");
    std::string xdg = dir.file("cache");
    EXPECT_EQ(Tavrin::Install::nodeCountLocation(false, xdg.c_str(), "/home/x"), xdg + "/nightglass/lol.dat");
    EXPECT_TRUE(fs::is_directory(xdg + "/nightglass"));
    // A relative XDG_CACHE_HOME is invalid and ignored, as the base directory rules ask.
    std::string home = dir.file("home");
    EXPECT_EQ(Tavrin::Install::nodeCountLocation(false, "relative", home.c_str()), home + "/.cache/nightglass/lol.dat");
}
