#pragma once

#include "orvane/utils/scenegraph/Object.h"

#include <functional>
#include <string>
#include <vector>

namespace Orvane {
class Texture;
}

namespace Orvane::Utils::SceneGraph {

// Turns a texture name from a scene file into a texture the caller owns; may return null.
using TextureResolver = std::function<Texture*(const std::string& textureName)>;

struct TextureSlot {
    std::string slotName;
    std::string textureName;
    // Borrowed from the resolver; null when no resolver was given or it found nothing.
    Texture* texture = nullptr;
};

class Material : public Object {
public:
    using Object::Object;

    std::vector<TextureSlot>& slots() { return slots_; }
    const std::vector<TextureSlot>& slots() const { return slots_; }

private:
    std::vector<TextureSlot> slots_;
};

}
