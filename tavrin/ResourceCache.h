#pragma once

#include <map>
#include <memory>
#include <string>

namespace Orvane {
class Shader;
class Texture;
namespace Utils {
class Geometry;
}
}

namespace Tavrin {

// Assets by name, each read, decoded or compiled once and kept until the end. Names are relative
// to the data folder, read at the time of each request (the flow file may change it). One map per
// kind, so a name asked for as two kinds cannot hand back the wrong type; a failed build leaves no
// entry, so the next request tries again.
class ResourceCache {
public:
    explicit ResourceCache(const std::string& dataFolder);
    ~ResourceCache();

    Orvane::Shader* shader(const std::string& name);
    Orvane::Texture* texture(const std::string& name);
    Orvane::Utils::Geometry* geometry(const std::string& name);

private:
    const std::string& dataFolder_;
    std::map<std::string, std::unique_ptr<Orvane::Shader>> shaders_;
    std::map<std::string, std::unique_ptr<Orvane::Texture>> textures_;
    std::map<std::string, std::unique_ptr<Orvane::Utils::Geometry>> geometries_;
};

}
