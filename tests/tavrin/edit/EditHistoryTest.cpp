#include "tavrin/edit/EditHistory.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using Tavrin::Edit::EditHistory;
using Tavrin::Edit::FileEdit;

namespace {

void write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string read(const std::string& path) { return Orvane::Utils::readTextFile(path); }

}

TEST(EditHistory, ChangesAreUndoneAndRedoneInOrderAndANewOneEndsTheRedo)
{
    TestSupport::TempDir dir;
    std::string a = dir.file("a.flow"), b = dir.file("b.txt");
    write(a, "one\n");
    write(b, "x\n");
    EditHistory history;
    history.apply({a, "one\n", "two\n"});
    history.apply({b, "x\n", "y\n", true});
    history.apply({a, "two\n", "three\n"});
    EXPECT_EQ(read(a), "three\n");
    EXPECT_EQ(read(b + ".~1~"), "x\n") << "the track text keeps numbered backups";
    EXPECT_FALSE(std::filesystem::exists(a + ".~1~"));

    EXPECT_EQ(history.undo(), a);
    EXPECT_EQ(history.undo(), b);
    EXPECT_EQ(read(a), "two\n");
    EXPECT_EQ(read(b), "x\n");
    EXPECT_EQ(history.redo(), b);
    EXPECT_EQ(read(b), "y\n");
    EXPECT_TRUE(history.canRedo());

    history.apply({b, "y\n", "z\n", true});
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.redo(), std::nullopt);
    EXPECT_EQ(history.undo(), b);
    EXPECT_EQ(history.undo(), b);
    EXPECT_EQ(history.undo(), a);
    EXPECT_EQ(history.undo(), std::nullopt);
    EXPECT_EQ(read(a), "one\n");
    EXPECT_EQ(read(b), "x\n");
}

TEST(EditHistory, AFileChangedByAnyoneElseIsNeverWrittenOver)
{
    TestSupport::TempDir dir;
    std::string path = dir.file("main.flow");
    write(path, "mine\n");
    EditHistory history;
    EXPECT_THROW(history.apply({path, "what the panel read\n", "dragged\n"}), Orvane::Exceptions::Exception);
    EXPECT_EQ(read(path), "mine\n");
    EXPECT_FALSE(history.canUndo());

    history.apply({path, "mine\n", "dragged\n"});
    write(path, "saved by hand\n");
    try {
        history.undo();
        FAIL() << "undone over a hand edit";
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_NE(e.getMessage().find(path), std::string::npos) << e.getMessage();
    }
    EXPECT_EQ(read(path), "saved by hand\n");
    EXPECT_TRUE(history.canUndo()) << "still there, should the hand edit be taken back";
    write(path, "dragged\n");
    EXPECT_EQ(history.undo(), path);
    EXPECT_EQ(read(path), "mine\n");

    std::filesystem::remove(path);
    EXPECT_THROW(history.redo(), Orvane::Exceptions::Exception) << "nothing to write over";
    EXPECT_FALSE(std::filesystem::exists(path));
}
