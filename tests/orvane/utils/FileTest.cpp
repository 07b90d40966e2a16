#include "orvane/utils/File.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace Orvane::Utils;
using Orvane::Exceptions::FileNotFoundException;
using Orvane::Exceptions::UnsupportedFormatException;

namespace {

std::string writeBytes(const TestSupport::TempDir& dir, const std::string& name, const std::string& bytes)
{
    std::ofstream(dir.file(name), std::ios::binary) << bytes;
    return dir.file(name);
}

}

TEST(File, SizeAfterPartialReadIsFullLengthAndRewinds)
{
    TestSupport::TempDir dir;
    File file(writeBytes(dir, "a.bin", "abcdefgh"), File::Read);
    char buffer[3];
    EXPECT_EQ(file.read(buffer, 1, 3), 3);
    EXPECT_EQ(file.size(), 8);
    EXPECT_EQ(file.read(buffer, 1, 1), 1);
    EXPECT_EQ(buffer[0], 'a');
}

TEST(File, SeekOriginsAndUnknownOrigin)
{
    TestSupport::TempDir dir;
    File file(writeBytes(dir, "a.bin", "abcdefgh"), File::Read);
    char c;
    file.seek(2, SeekStart);
    file.seek(0, 5);
    file.read(&c, 1, 1);
    EXPECT_EQ(c, 'c');
    file.seek(1, SeekCurrent);
    file.read(&c, 1, 1);
    EXPECT_EQ(c, 'e');
    file.seek(-1, SeekEnd);
    file.read(&c, 1, 1);
    EXPECT_EQ(c, 'h');
    // Reading past the end returns only the whole elements there were.
    file.seek(5, SeekStart);
    short pairs[4];
    EXPECT_EQ(file.read(pairs, 2, 4), 1);
}

TEST(File, MissingFileAndBadModeNameThePath)
{
    try {
        File file("/nonexistent/dir/x.fgm", File::Read);
        FAIL();
    } catch (const FileNotFoundException& e) {
        EXPECT_EQ(e.getMessage(), "File not found: /nonexistent/dir/x.fgm");
    }
    TestSupport::TempDir dir;
    EXPECT_THROW(File(writeBytes(dir, "a", "x"), 2), FileNotFoundException);
}

TEST(File, AFolderIsNoFileToRead)
{
    // An empty asset name leaves only the data folder; it must not read as an empty file.
    TestSupport::TempDir dir;
    std::string folder = dir.path().string() + "/";
    try {
        File file(folder, File::Read);
        FAIL();
    } catch (const FileNotFoundException& e) {
        EXPECT_EQ(e.getMessage(), "File not found: " + folder);
    }
    EXPECT_THROW(readTextFile(folder), FileNotFoundException);
}

TEST(StreamReaders, StringsRoundTripAndOverlongOrShortOnesAreRejected)
{
    TestSupport::TempDir dir;
    {
        File out(dir.file("s.bin"), File::Write);
        writeString(out, "GeoSphere01");
        writeString(out, "");
        writeInt32(out, -7);
        writeFloat(out, 1.5f);
    }
    File in(dir.file("s.bin"), File::Read);
    EXPECT_EQ(readString(in), "GeoSphere01");
    EXPECT_EQ(readString(in), "");
    EXPECT_EQ(readInt32(in), -7);
    EXPECT_EQ(readFloat(in), 1.5f);
    EXPECT_THROW(readInt32(in), UnsupportedFormatException);

    File overlong(writeBytes(dir, "long.bin", std::string("\x00\x01\x00\x00", 4) + std::string(256, 'x')), File::Read);
    EXPECT_THROW(readString(overlong), UnsupportedFormatException);
    File shortString(writeBytes(dir, "short.bin",
                                std::string("\x05\x00\x00\x00"
                                            "abc",
                                            7)),
                     File::Read);
    EXPECT_THROW(readString(shortString), UnsupportedFormatException);
    File negative(writeBytes(dir, "negative.bin", std::string("\xfb\xff\xff\xff", 4)), File::Read);
    try {
        readString(negative);
        FAIL();
    } catch (const UnsupportedFormatException& e) {
        EXPECT_EQ(e.getMessage(), "Unsupported format: a string has the negative length -5");
    }
}

TEST(StreamReaders, TextFileWholeAndMissing)
{
    TestSupport::TempDir dir;
    EXPECT_EQ(readTextFile(writeBytes(dir, "s.cg", "void main() {}\n")), "void main() {}\n");
    EXPECT_EQ(readTextFile(writeBytes(dir, "empty.cg", "")), "");
    EXPECT_THROW(readTextFile(dir.file("none.cg")), FileNotFoundException);
}
