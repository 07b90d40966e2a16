#pragma once

#include <string>

namespace Orvane {
class Shader;
class Texture;
namespace Utils {
class Geometry;
}
}

namespace Orvane::Utils::Loaders {

// Turns asset names into loaded objects that the proxy owns; callers borrow them.
class ResourceProxy {
public:
    virtual ~ResourceProxy() = default;
    virtual Texture* getTexture(const std::string& name) = 0;
    virtual Geometry* getGeometry(const std::string& name) = 0;
    virtual Shader* getShader(const std::string& name) = 0;
};

}
