#include "orvane/utils/geometry/FgmReader.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"
#include "orvane/utils/StreamReaders.h"
#include "orvane/utils/geometry/FgmFormat.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

namespace Orvane::Utils {

using Exceptions::UnsupportedFormatException;

namespace {

// Read in slices so that a damaged count can only claim as much memory as the file really holds.
constexpr int SliceElements = 1 << 16;

template <typename T>
std::vector<T> readWords(InputStream& stream, int count)
{
    static_assert(sizeof(T) == 4);
    std::vector<T> words;
    for (int done = 0; done < count;) {
        int slice = std::min(SliceElements, count - done);
        words.resize(size_t(done) + size_t(slice));
        readExactly(stream, words.data() + done, 4, slice);
        done += slice;
    }
    if constexpr (std::endian::native == std::endian::big) {
        for (T& word : words) {
            auto* bytes = reinterpret_cast<unsigned char*>(&word);
            std::reverse(bytes, bytes + 4);
        }
    }
    return words;
}

int readCount(InputStream& stream, const char* what)
{
    std::int32_t count = readInt32(stream);
    if (count < 0)
        throw UnsupportedFormatException("Unsupported format: the FGM " + std::string(what) + " "
                                         + std::to_string(count) + " is negative");
    return count;
}

// The float count of one attribute, if its bytes fit an int like every buffer size.
int valueCount(const std::string& name, int components, int vertexCount)
{
    if ((long long)components * vertexCount > INT_MAX / 4)
        throw UnsupportedFormatException("Unsupported format: the FGM attribute \"" + name + "\" of "
                                         + std::to_string(vertexCount) + " vertices is too large");
    return components * vertexCount;
}

FgmAttribute readAttribute(InputStream& stream, int vertexCount)
{
    std::string name = readString(stream);
    std::optional<AttributeSemantic> semantic = Fgm::semanticFromName(name);
    if (!semantic)
        throw UnsupportedFormatException("The FGM file contained an unsupported attribute semantic: " + name);
    std::int32_t components = readInt32(stream);
    if (components < 1 || components > Fgm::MaxComponents)
        throw UnsupportedFormatException("Unsupported format: the FGM attribute \"" + name + "\" has "
                                         + std::to_string(components) + " components, 1 to 4 are supported");
    return {*semantic, components, readWords<float>(stream, valueCount(name, components, vertexCount))};
}

void checkIndices(const std::vector<std::uint32_t>& indices, int vertexCount)
{
    for (size_t i = 0; i < indices.size(); ++i)
        if (indices[i] >= std::uint32_t(vertexCount))
            throw UnsupportedFormatException("Unsupported format: FGM index " + std::to_string(indices[i])
                                             + " at position " + std::to_string(i) + " is not below the vertex count "
                                             + std::to_string(vertexCount));
}

}

FgmMesh readFgmMesh(InputStream& stream)
{
    char magic[Fgm::Magic.size()];
    readExactly(stream, magic, 1, int(sizeof magic));
    if (std::string_view(magic, sizeof magic) != Fgm::Magic)
        throw UnsupportedFormatException("Unsupported format");

    FgmMesh mesh;
    mesh.vertexCount = readCount(stream, "vertex count");
    int attributeCount = readCount(stream, "attribute count");
    if (attributeCount > Fgm::MaxAttributes)
        throw UnsupportedFormatException("Unsupported format: the FGM file has " + std::to_string(attributeCount)
                                         + " attributes, at most 16 are supported");
    for (int i = 0; i < attributeCount; ++i)
        mesh.attributes.push_back(readAttribute(stream, mesh.vertexCount));

    std::string primitive = readString(stream);
    std::optional<PrimitiveTypeEnum> primitiveType = Fgm::primitiveFromName(primitive);
    if (!primitiveType)
        throw UnsupportedFormatException("The FGM file contained an unsupported primitive type semantic: " + primitive);
    mesh.primitiveType = *primitiveType;

    int indexCount = readCount(stream, "index count");
    if (indexCount > INT_MAX / 4)
        throw UnsupportedFormatException("Unsupported format: the FGM index count " + std::to_string(indexCount)
                                         + " is too large");
    mesh.indices = readWords<std::uint32_t>(stream, indexCount);
    checkIndices(mesh.indices, mesh.vertexCount);
    return mesh;
}

std::unique_ptr<Geometry> loadFgm(InputStream& stream, int bufferMode)
{
    return readFgmMesh(stream).toGeometry(bufferMode);
}

FgmMesh readFgmFile(const std::string& path)
{
    File file(path, File::Read);
    try {
        return readFgmMesh(file);
    } catch (const UnsupportedFormatException& error) {
        throw UnsupportedFormatException(path + ": " + error.getMessage());
    }
}

std::unique_ptr<Geometry> loadFgmFile(const std::string& path, int bufferMode)
{
    return readFgmFile(path).toGeometry(bufferMode);
}

}
