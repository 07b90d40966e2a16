#include "orvane/utils/geometry/FgmReader.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"
#include "orvane/utils/geometry/GeometryAttribute.h"
#include "support/FgmBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using Orvane::AttributeSemantic;
using Orvane::PrimitiveTypeEnum;
using Orvane::Vector4t;
using Orvane::Exceptions::Exception;
using Orvane::Exceptions::FileNotFoundException;
using Orvane::Exceptions::UnsupportedFormatException;
using Orvane::Utils::FgmMesh;
using Orvane::Utils::Geometry;
using Orvane::Utils::loadFgm;
using Orvane::Utils::MemoryStream;
using Orvane::Utils::readFgmMesh;
using TestSupport::FgmBytes;

namespace {

std::string formatError(const FgmBytes& fgm)
{
    MemoryStream stream = fgm.stream();
    try {
        readFgmMesh(stream);
    } catch (const UnsupportedFormatException& error) {
        return error.getMessage();
    }
    return "<nothing thrown>";
}

// Position, normal and texcoord, two triangles over four vertices.
FgmBytes quad()
{
    FgmBytes fgm;
    fgm.raw("FGM100").int32(4).int32(3);
    fgm.string("position").int32(3).floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
    fgm.string("normal").int32(3).floats({0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1});
    fgm.string("texcoord1").int32(2).floats({0, 0, 1, 0, 1, 1, 0, 1});
    fgm.string("triangles").indices({0, 1, 2, 0, 2, 3});
    return fgm;
}

FgmBytes withSemantic(const std::string& name)
{
    FgmBytes fgm;
    fgm.raw("FGM100").int32(1).int32(1).string(name).int32(2).floats({0.5f, 0.25f});
    fgm.string("lines").indices({0, 0});
    return fgm;
}

}

TEST(FgmReader, MinimalTriangleBecomesOneBufferGeometry)
{
    MemoryStream stream = FgmBytes::triangle().stream();
    std::unique_ptr<Geometry> geometry = loadFgm(stream, Orvane::system_mem);
    EXPECT_EQ(geometry->primitiveType, PrimitiveTypeEnum::Triangles);
    EXPECT_EQ(geometry->getVertexCount(), 3);
    ASSERT_NE(geometry->getVertexBuffer(0), nullptr);
    EXPECT_EQ(geometry->getVertexBuffer(1), nullptr);
    EXPECT_EQ(geometry->getVertexBuffer(0)->getMode(), Orvane::system_mem);
    ASSERT_EQ(geometry->getBindings().size(), 1u);
    EXPECT_EQ(geometry->getBindings()[0].semantic, AttributeSemantic::Position);
    ASSERT_NE(geometry->getIndexBuffer(), nullptr);
    EXPECT_EQ(geometry->getIndexBuffer()->getIndexCount(), 3);
    EXPECT_EQ(geometry->getIndexBuffer()->getDataType(), Orvane::IndexBuffer::UnsignedInt);
    EXPECT_EQ(geometry->getAttribute(AttributeSemantic::Position)->get(1), (Vector4t<float>(1, 0, 0, 0)));
    EXPECT_EQ(stream.position(), int(FgmBytes::triangle().bytes().size()));
}

TEST(FgmReader, SemanticNamesAndPrimitiveNames)
{
    const std::pair<const char*, AttributeSemantic> names[] = {
        {"position", AttributeSemantic::Position},   {"normal", AttributeSemantic::Normal},
        {"color", AttributeSemantic::Color},         {"texcoord", AttributeSemantic::TexCoord0},
        {"texcoord0", AttributeSemantic::TexCoord0}, {"texcoord1", AttributeSemantic::TexCoord1},
        {"texcoord7", AttributeSemantic::TexCoord7},
    };
    for (const auto& [name, semantic] : names) {
        SCOPED_TRACE(name);
        MemoryStream stream = withSemantic(name).stream();
        FgmMesh mesh = readFgmMesh(stream);
        ASSERT_EQ(mesh.attributes.size(), 1u);
        EXPECT_EQ(mesh.attributes[0].semantic, semantic);
        EXPECT_EQ(mesh.primitiveType, PrimitiveTypeEnum::Lines);
    }
    EXPECT_EQ(formatError(withSemantic("Position")),
              "The FGM file contained an unsupported attribute semantic: Position");
    EXPECT_EQ(formatError(withSemantic("texcoord8")),
              "The FGM file contained an unsupported attribute semantic: texcoord8");
    FgmBytes quads;
    quads.raw("FGM100").int32(0).int32(0).string("quads").indices({});
    EXPECT_EQ(formatError(quads), "The FGM file contained an unsupported primitive type semantic: quads");
}

TEST(FgmReader, WrongMagicIsUnsupported)
{
    FgmBytes fgm;
    fgm.raw("FGM101").int32(0).int32(0).string("triangles").indices({});
    EXPECT_EQ(formatError(fgm), "Unsupported format");
    FgmBytes text;
    text.raw("fgm100").int32(0).int32(0).string("triangles").indices({});
    EXPECT_EQ(formatError(text), "Unsupported format");
}

TEST(FgmReader, ReadsFromTheMiddleOfAStreamAndStopsAfterTheLastIndex)
{
    TestSupport::TempDir dir;
    const std::vector<unsigned char> mesh = quad().bytes();
    {
        std::ofstream out(dir.file("scene.bin"), std::ios::binary);
        out << "HEADER";
        out.write(reinterpret_cast<const char*>(mesh.data()), std::streamsize(mesh.size()));
        out << "TAIL";
    }
    Orvane::Utils::File file(dir.file("scene.bin"), Orvane::Utils::File::Read);
    file.seek(6, Orvane::Utils::SeekStart);
    std::unique_ptr<Geometry> geometry = loadFgm(file, Orvane::system_mem);
    EXPECT_EQ(geometry->getVertexCount(), 4);
    EXPECT_EQ(geometry->getIndexBuffer()->getIndexCount(), 6);
    EXPECT_EQ(geometry->getAttribute(AttributeSemantic::TexCoord1)->get(2), (Vector4t<float>(1, 1, 0, 0)));
    char tail[5] = {};
    EXPECT_EQ(file.read(tail, 1, 4), 4);
    EXPECT_STREQ(tail, "TAIL");
}

TEST(FgmReader, CountsAndIndicesOutsideTheFormatAreRejected)
{
    FgmBytes badIndex;
    badIndex.raw("FGM100").int32(3).int32(1).string("position").int32(3).floats({0, 0, 0, 1, 0, 0, 0, 1, 0});
    badIndex.string("triangles").indices({0, 1, 3});
    EXPECT_EQ(formatError(badIndex), "Unsupported format: FGM index 3 at position 2 is not below the vertex count 3");

    FgmBytes tooMany;
    tooMany.raw("FGM100").int32(0).int32(17);
    EXPECT_EQ(formatError(tooMany), "Unsupported format: the FGM file has 17 attributes, at most 16 are supported");

    FgmBytes negative;
    negative.raw("FGM100").int32(-1).int32(0);
    EXPECT_EQ(formatError(negative), "Unsupported format: the FGM vertex count -1 is negative");

    FgmBytes components;
    components.raw("FGM100").int32(1).int32(1).string("normal").int32(5);
    EXPECT_EQ(formatError(components),
              "Unsupported format: the FGM attribute \"normal\" has 5 components, 1 to 4 are supported");

    FgmBytes overflow;
    overflow.raw("FGM100").int32(0x20000000).int32(1).string("position").int32(4);
    EXPECT_EQ(formatError(overflow),
              "Unsupported format: the FGM attribute \"position\" of 536870912 vertices is too large");

    FgmBytes hugeIndexCount;
    hugeIndexCount.raw("FGM100").int32(0).int32(0).string("lines").int32(0x7fffffff);
    EXPECT_EQ(formatError(hugeIndexCount), "Unsupported format: the FGM index count 2147483647 is too large");

    FgmBytes longName;
    longName.raw("FGM100").int32(0).int32(1).string(std::string(256, 'p'));
    EXPECT_EQ(formatError(longName), "Unsupported format: a string of 256 bytes is longer than 255");
}

TEST(FgmReader, AClaimedSizeBeyondTheDataIsTruncatedNotAllocated)
{
    // 100 million vertices would be 1.6 GB of floats; the file holds three of them.
    FgmBytes liar;
    liar.raw("FGM100").int32(100000000).int32(1).string("position").int32(4).floats({1, 2, 3});
    EXPECT_EQ(formatError(liar), "Unsupported format: the file is truncated");
}

TEST(FgmReader, PrefixSweepThrowsTruncatedOrLoads)
{
    const std::vector<unsigned char> whole = quad().bytes();
    for (size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        MemoryStream stream(std::vector<unsigned char>(whole.begin(), whole.begin() + long(length)));
        try {
            loadFgm(stream, Orvane::system_mem);
            ADD_FAILURE() << "a cut file loaded";
        } catch (const UnsupportedFormatException& error) {
            EXPECT_EQ(error.getMessage(), "Unsupported format: the file is truncated");
        }
    }
    MemoryStream stream{std::vector<unsigned char>(whole)};
    EXPECT_EQ(loadFgm(stream, Orvane::system_mem)->getVertexCount(), 4);
}

TEST(FgmReader, CorruptByteSweepNeverCrashes)
{
    // Every byte replaced by values that turn counts negative, huge or out of range: each file
    // either loads a consistent mesh or throws the framework's exception.
    const std::vector<unsigned char> whole = quad().bytes();
    for (size_t at = 0; at < whole.size(); ++at) {
        for (unsigned char value : {0x00, 0x05, 0x7f, 0x80, 0xff}) {
            std::vector<unsigned char> bytes(whole);
            bytes[at] = value;
            MemoryStream stream(std::move(bytes));
            try {
                std::unique_ptr<Geometry> geometry = loadFgm(stream, Orvane::system_mem);
                geometry->getIndexBuffer()->lock(true, false);
                geometry->getIndexBuffer()->unlock();
            } catch (const Exception&) {
            }
        }
    }
}

TEST(FgmReader, FileLoaderNamesTheFileInFormatErrors)
{
    TestSupport::TempDir dir;
    std::string path = dir.file("broken.fgm");
    std::ofstream(path, std::ios::binary) << "FGM100";
    try {
        Orvane::Utils::loadFgmFile(path, Orvane::system_mem);
        ADD_FAILURE() << "no exception";
    } catch (const UnsupportedFormatException& error) {
        EXPECT_EQ(error.getMessage(), path + ": Unsupported format: the file is truncated");
    }
    EXPECT_THROW(Orvane::Utils::loadFgmFile(dir.file("missing.fgm"), Orvane::system_mem), FileNotFoundException);
}
