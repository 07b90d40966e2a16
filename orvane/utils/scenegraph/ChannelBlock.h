#pragma once

#include "orvane/utils/InputStream.h"
#include "orvane/utils/OutputStream.h"
#include "orvane/utils/scenegraph/Controller.h"

#include <memory>
#include <vector>

namespace Orvane::Utils::SceneGraph {

using ScalarControllers = std::vector<std::unique_ptr<Controller<float>>>;

// Reads one animated-channel block of componentCount scalar controllers: LinearTracks,
// BezierTracks, or constants. An unknown kind, a negative count or sizes beyond the format's
// limits throw UnsupportedFormatException, as does a stream that ends inside the block.
ScalarControllers readChannelBlock(InputStream& stream, int componentCount);

// True when the controllers can be written as one block: all constants, or all LinearTracks
// (or all BezierTracks) with the same key times.
bool sharesOneChannelBlock(const std::vector<const Controller<float>*>& components);

// Writes the controllers as one block; throws Exception when sharesOneChannelBlock is false.
void writeChannelBlock(OutputStream& stream, const std::vector<const Controller<float>*>& components);

}
