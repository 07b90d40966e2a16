#include "orvane/utils/geometry/FgmWriter.h"

#include "orvane/utils/StreamReaders.h"
#include "orvane/utils/geometry/FgmFormat.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace Orvane::Utils {

namespace {

template <typename T>
void writeWords(OutputStream& stream, const std::vector<T>& words)
{
    static_assert(sizeof(T) == 4);
    if constexpr (std::endian::native == std::endian::little) {
        writeExactly(stream, words.data(), 4, int(words.size()));
    } else {
        for (T word : words) {
            std::int32_t bits;
            std::memcpy(&bits, &word, 4);
            writeInt32(stream, bits);
        }
    }
}

}

void writeFgm(OutputStream& stream, const FgmMesh& mesh)
{
    mesh.validate();
    writeExactly(stream, Fgm::Magic.data(), 1, int(Fgm::Magic.size()));
    writeInt32(stream, mesh.vertexCount);
    writeInt32(stream, std::int32_t(mesh.attributes.size()));
    for (const FgmAttribute& attribute : mesh.attributes) {
        writeString(stream, std::string(*Fgm::nameOfSemantic(attribute.semantic)));
        writeInt32(stream, attribute.components);
        writeWords(stream, attribute.values);
    }
    writeString(stream, std::string(*Fgm::nameOfPrimitive(mesh.primitiveType)));
    writeInt32(stream, std::int32_t(mesh.indices.size()));
    writeWords(stream, mesh.indices);
}

void writeFgm(OutputStream& stream, const Geometry& geometry) { writeFgm(stream, FgmMesh::fromGeometry(geometry)); }

}
