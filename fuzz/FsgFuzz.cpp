#include "orvane/BufferModeEnum.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/MemoryStream.h"
#include "orvane/utils/scenegraph/FsgReader.h"

#include <cstddef>
#include <cstdint>

// Meshes stay in client memory, so no GL context is needed; materials resolve no textures.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Orvane::Utils::MemoryStream stream(std::vector<unsigned char>(data, data + size));
    try {
        Orvane::Utils::SceneGraph::loadFsg(stream, {}, Orvane::system_mem);
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}
