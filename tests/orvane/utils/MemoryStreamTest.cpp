#include "orvane/utils/MemoryStream.h"

#include <gtest/gtest.h>

#include <string>

using Orvane::Utils::MemoryStream;

TEST(MemoryStream, ReadsWholeElementsLikeFread)
{
    MemoryStream stream(std::vector<unsigned char>{'a', 'b', 'c', 'd', 'e', 'f', 'g'});
    char buffer[8] = {};
    EXPECT_EQ(stream.read(buffer, 2, 3), 3);
    EXPECT_EQ(std::string(buffer, 6), "abcdef");
    EXPECT_EQ(stream.read(buffer, 2, 1), 0) << "one byte left is not a whole element";
    EXPECT_EQ(stream.read(buffer, 1, 5), 1);
    EXPECT_EQ(buffer[0], 'g');
    EXPECT_EQ(stream.read(buffer, 1, 1), 0);
}

TEST(MemoryStream, SeekOriginsSizeAndWritesPastTheEnd)
{
    MemoryStream stream;
    EXPECT_EQ(stream.write("hello", 1, 5), 5);
    stream.seek(-2, Orvane::Utils::SeekEnd);
    EXPECT_EQ(stream.position(), 3);
    stream.seek(1, Orvane::Utils::SeekCurrent);
    EXPECT_EQ(stream.position(), 4);
    stream.seek(100, 5);
    EXPECT_EQ(stream.position(), 4) << "unknown origin does nothing";
    stream.seek(-10, Orvane::Utils::SeekCurrent);
    EXPECT_EQ(stream.position(), 0);
    stream.seek(7, Orvane::Utils::SeekStart);
    stream.write("!", 1, 1);
    EXPECT_EQ(stream.bytes(), (std::vector<unsigned char>{'h', 'e', 'l', 'l', 'o', 0, 0, '!'}));
    EXPECT_EQ(stream.size(), 8);
    EXPECT_EQ(stream.position(), 0) << "size rewinds";
}
