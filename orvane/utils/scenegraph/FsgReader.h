#pragma once

#include "orvane/BufferModeEnum.h"
#include "orvane/utils/InputStream.h"
#include "orvane/utils/scenegraph/Material.h"
#include "orvane/utils/scenegraph/Scene.h"

#include <memory>
#include <string>

namespace Orvane::Utils::SceneGraph {

// Reads an FSG scene from the stream's current position. Embedded meshes keep their buffers in
// meshBufferMode (a BufferModeEnum): GL buffers by default, which need a current GL context;
// system_mem needs none. Materials ask the resolver, when one is given, for the texture of each
// slot. A damaged or short file throws UnsupportedFormatException and leaves nothing behind.
std::unique_ptr<Scene> loadFsg(InputStream& stream, const TextureResolver& resolver = {},
                               int meshBufferMode = hardware_mem_static_draw);

// The same from a file; format errors are prefixed with the file's path.
std::unique_ptr<Scene> loadFsg(const std::string& path, const TextureResolver& resolver = {});

}
